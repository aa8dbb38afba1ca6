#pragma once
// Text measured with a Qt font, in twips at 96 dpi (15 twips a pixel), as the windows sized columns.

#include "platform/ui/TextMeasurer.h"

#include <QFont>

namespace ui {

class QtTextMeasurer : public TextMeasurer {
public:
    static constexpr long kTwipsPerPixel = 15;

    explicit QtTextMeasurer(QFont font) : font_(std::move(font)) {}
    long textWidth(std::string_view text) const override;
    long textHeight(std::string_view text) const override;

private:
    QFont font_;
};

}  // namespace ui
