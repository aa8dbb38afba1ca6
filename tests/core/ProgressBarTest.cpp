// The progress box: the part done, its label and where the label and the bar stand.

#include "core/ProgressBar.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ProgressBar, TheLabelReadsThePartDoneAndNeverClaimsWhatTheBarDoesNotShow)
{
    struct Case { double fraccion; bool exacto; const char* etiqueta; };
    const Case cases[] = {
        {0, false, "Ciclo: 1(0 de 3) 0%"},  // an empty bar never reads 100%
        {0.004, false, "Ciclo: 1(0 de 3) 1%"},
        {0.004, true, "Ciclo: 1(0 de 3) 0%"},
        {0.5, false, "Ciclo: 1(0 de 3) 50%"},
        {0.996, false, "Ciclo: 1(0 de 3) 99%"},
        {0.996, true, "Ciclo: 1(0 de 3) 100%"},
        {1, false, "Ciclo: 1(0 de 3) 100%"},
        {1.7, false, "Ciclo: 1(0 de 3) 100%"},
        {-0.2, true, "Ciclo: 1(0 de 3) 0%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EtiquetaProgreso("Ciclo: 1(0 de 3)", c.fraccion, c.exacto), c.etiqueta) << c.fraccion << c.exacto;
}

TEST(ProgressBar, AValueIsKeptForTheNextLinesAndMinusOneDrawsItAgain)
{
    ProgressBar box;
    int refreshed = 0;
    box.alRefrescar = [&] { ++refreshed; };
    box.foreColor = box.backColor = 0;

    DibujaProgreso(box, 50, 100, false, "Importando");
    EXPECT_DOUBLE_EQ(box.fraction(), 0.5);
    EXPECT_EQ(box.label(), "Importando 50%");
    EXPECT_EQ(box.foreColor, 0x800000u);
    EXPECT_EQ(box.backColor, 0xFFFFFFu);
    EXPECT_EQ(refreshed, 1);

    MuestraProgreso(0, "Analizando Script 3", &box);
    EXPECT_DOUBLE_EQ(box.fraction(), 0.5);
    EXPECT_EQ(box.label(), "Analizando Script 3 50%");
    EXPECT_EQ(refreshed, 2);

    DibujaProgreso(box, 0, 100, false, "Analizando Script 4");
    EXPECT_DOUBLE_EQ(box.fraction(), 0);
    EXPECT_EQ(box.label(), "Analizando Script 4 0%");

    DibujaProgreso(box, 10, 0, false, "Sin maximo");
    EXPECT_DOUBLE_EQ(box.fraction(), 0);
    EXPECT_EQ(box.label(), "Sin maximo 0%");
    DibujaProgreso(box, 0, 100, false, "");

    // A window without a box draws nothing, and nothing fails.
    EXPECT_NO_THROW(MuestraProgreso(0, "Ciclo: 1(0 de 0)", nullptr));
}

TEST(ProgressBar, TheLabelIsCentredAndTheBarGrowsFromTheLeft)
{
    ProgressBar box;
    box.draw(0.5, "x");
    const ProgressBar::Layout half = box.layout(200, 20, 51, 10);
    EXPECT_EQ(half.labelLeft, 75);  // 100 - 25.5, the half rounded up
    EXPECT_EQ(half.labelTop, 5);
    EXPECT_EQ(half.labelWidth, 51);
    EXPECT_EQ(half.labelHeight, 10);
    EXPECT_EQ(half.fillWidth, 100);

    box.draw(0, "x");
    EXPECT_EQ(box.layout(200, 20, 40, 10).fillWidth, 0);
    box.draw(3, "x");  // never past the box
    EXPECT_EQ(box.layout(200, 20, 40, 10).fillWidth, 200);
}

}  // namespace
