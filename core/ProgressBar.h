#pragma once
// A window's progress box (`picStatus`): a bar filled from the left to the part done, and a label centred
// in the box whose letters show in inverse colours where the bar covers them. This is what the box shows;
// core/qt/ProgressBarWidget.h paints it on screen.

#include "platform/ui/Color.h"

#include <functional>
#include <string>
#include <string_view>

class ProgressBar {
public:
    static constexpr ui::Color kColorBarra = 0x800000;  // dark blue (blue in the high byte)

    ui::Color foreColor = kColorBarra;
    ui::Color backColor = ui::kWhite;
    // The windows show the box only while a task draws in it.
    bool visible = false;

    // The part done, 0 to 1, and the label, as last drawn.
    double fraction() const { return fraction_; }
    const std::string& label() const { return label_; }

    // Where things stand in a box `width` by `height` for a label `labelWidth` by `labelHeight`, all in one
    // unit: the label's rectangle, centred, and the width of the bar from the left edge.
    struct Layout {
        long labelLeft = 0, labelTop = 0, labelWidth = 0, labelHeight = 0;
        long fillWidth = 0;
    };
    Layout layout(long width, long height, long labelWidth, long labelHeight) const;

    // Called after every drawing, so that a box on screen repaints at once.
    std::function<void()> alRefrescar;

    // What DibujaProgreso draws: the part done (kept between 0 and 1) and the label.
    void draw(double fraction, std::string label);

private:
    double fraction_ = 0;
    std::string label_;
};

// The label for a part done: the text, one blank, the whole percentage and "%". Without `exacto` a task
// under way never reads 0% or 100%: a part above nothing shows at least 1%, a part short of all at most 99%.
std::string EtiquetaProgreso(std::string_view texto, double fraccion, bool exacto);

// Draws `valor` out of `maximo` with the text into the box. The value -1 keeps the last value drawn, which
// the program keeps between calls (0 before any); any other value becomes the last one. A maximum of 0 draws
// nothing done.
void DibujaProgreso(ProgressBar& picStatus, double valor, double maximo, bool exacto, std::string_view texto);

// A progress line in a window's box: the text over the last value drawn. The callers' value is not used. A
// window without a box (nullptr) draws nothing.
void MuestraProgreso(double valor, std::string_view texto, ProgressBar* picStatus);
