// The progress box on screen: the bar from the left in the fore colour, the rest white, the label's
// letters inverted where the bar covers them, and the box shown and hidden as its model says.

#include "core/qt/ProgressBarWidget.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

const QColor kBar(0, 0, 0x80);  // 0x800000 with red in the low byte
const QColor kWhite(255, 255, 255);

// How many pixels of the column have each colour.
std::pair<int, int> columnColours(const QImage& image, int x)
{
    int bar = 0, white = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QColor c = image.pixelColor(x, y);
        if (c == kBar) ++bar;
        else if (c == kWhite) ++white;
    }
    return {bar, white};
}

TEST(ProgressBarWidget, TheBarFillsThePartDoneAndTheLabelIsInvertedOverIt)
{
    ProgressBar model;
    model.visible = true;
    ProgressBarWidget widget(model);
    widget.resize(400, 24);
    EXPECT_EQ(widget.objectName(), QStringLiteral("picStatus"));
    DibujaProgreso(model, 50, 100, false, "Ciclo: 1(0 de 9)");

    const QImage image = widget.grab().toImage();
    ASSERT_EQ(image.width(), 400);
    // Left of the label: all bar; right of it: all white.
    EXPECT_EQ(columnColours(image, 5), std::make_pair(24, 0));
    EXPECT_EQ(columnColours(image, 394), std::make_pair(0, 24));
    // Inside the label the letters take the other colour on either side of the bar's end.
    int lettersOnBar = 0, lettersOnWhite = 0;
    for (int x = 100; x < 300; ++x) {
        const auto [bar, white] = columnColours(image, x);
        if (x < 200 && bar < 24) ++lettersOnBar;
        if (x >= 200 && white < 24) ++lettersOnWhite;
    }
    EXPECT_GT(lettersOnBar, 0);
    EXPECT_GT(lettersOnWhite, 0);

    DibujaProgreso(model, 0, 100, false, "");
    const QImage empty = widget.grab().toImage();
    EXPECT_EQ(columnColours(empty, 5), std::make_pair(0, 24));
}

TEST(ProgressBarWidget, TheBoxIsShownAndHiddenAsTheModelSays)
{
    QWidget window;
    ProgressBar model;
    auto* widget = new ProgressBarWidget(model, &window);
    window.show();
    EXPECT_TRUE(widget->isHidden());
    model.visible = true;
    widget->refresca();
    EXPECT_TRUE(widget->isVisible());
    model.visible = false;
    widget->refresca();
    EXPECT_TRUE(widget->isHidden());

    // Gone, the widget no longer hears the model's drawing.
    delete widget;
    EXPECT_FALSE(model.alRefrescar);
    EXPECT_NO_THROW(MuestraProgreso(0, "Ciclo: 1(0 de 0)", &model));
}

}  // namespace
