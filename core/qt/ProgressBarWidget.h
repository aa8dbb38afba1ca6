#pragma once
// A window's progress box on screen: paints what its ProgressBar holds, follows its visibility, and repaints
// whenever DibujaProgreso draws into it. The widget hooks the bar's alRefrescar while it lives.

#include "core/ProgressBar.h"

#include <QWidget>

class ProgressBarWidget : public QWidget {
public:
    explicit ProgressBarWidget(ProgressBar& model, QWidget* parent = nullptr);
    ~ProgressBarWidget() override;

    // Shows or hides the box as the bar says and paints it again; the window's view calls it when its presenter
    // changes, since showing and hiding the box draws nothing.
    void refresca();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ProgressBar& model_;
};
