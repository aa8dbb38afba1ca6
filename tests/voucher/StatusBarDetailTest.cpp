// The current row of each voucher grid, told in the status bar.

#include "platform/ui/Controls.h"
#include "tests/voucher/VoucherFixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

class StatusBarDetail : public VoucherFixture {
protected:
    void SetUp() override
    {
        VoucherFixture::SetUp();
        for (const char* key : {"Fecha", "Usuario", "", "Detalle"}) bar.addPanel(key);
        fill(tareas, {{" T1 ", " Armado "}, {"T2", "Pintura"}});
        fill(articulos, {articleLine("A1", "1", "", "", "12.5"), articleLine("A2 ", "1", "", "", "abc")});
        fill(otros, {{" Flete ", "x"}});
    }

    static long raised(const std::function<void()>& call)
    {
        try {
            call();
        } catch (const base::Error& e) {
            return e.number();
        }
        return 0;
    }

    ui::StatusBar bar;
};

TEST_F(StatusBarDetail, EachGridShowsItsCurrentRowInTheDetailPanel)
{
    tareas.setRow(2);
    engine->MuestraDetalleTareas(tareas, bar);
    EXPECT_EQ(bar.panel(4).text, "T2 - Pintura");
    tareas.setRow(1);
    engine->MuestraDetalleTareas(tareas, bar);
    EXPECT_EQ(bar.panel(4).text, "T1 - Armado");

    otros.setRow(1);
    engine->MuestraDetalleOtrosConceptos(otros, bar);
    EXPECT_EQ(bar.panel(4).text, "Flete");

    articulos.setRow(1);
    engine->MuestraDetalleArticulos(articulos, bar);
    EXPECT_EQ(bar.panel(4).text, "A1 - Articulo A1");
    engine->MuestraDetalleArticulos(articulos, bar, 2);
    EXPECT_EQ(bar.panel(2).text, "A1 - Articulo A1");

    engine->MuestraDetalle("libre", bar, 1);
    EXPECT_EQ(bar.panel(1).text, "libre");
}

TEST_F(StatusBarDetail, TheHeaderRowCurrentShowsTheHeaderTexts)
{
    tareas.setRow(0);
    engine->MuestraDetalleTareas(tareas, bar);
    EXPECT_EQ(bar.panel(4).text, "Código - Descripción");
}

TEST_F(StatusBarDetail, TheStockGoesToThePanelKeyedStockInAnyCase)
{
    bar.panel(2).key = "STOCK";
    bar.panel(3).key = "stock";
    articulos.setRow(1);
    engine->MuestraDetalleArticulos(articulos, bar);
    EXPECT_EQ(bar.panel(2).text, "Stock: 12.5");
    EXPECT_EQ(bar.panel(3).text, "") << "only the first stock panel";
    articulos.setRow(2);
    engine->MuestraDetalleArticulos(articulos, bar);
    EXPECT_EQ(bar.panel(2).text, "Stock: 0") << "an unreadable stock reads as 0";
    EXPECT_EQ(bar.panel(4).text, "A2 - Articulo A2");
}

TEST_F(StatusBarDetail, WithoutAStockPanelOnlyTheCodeAndDescriptionAreShown)
{
    articulos.setRow(1);
    engine->MuestraDetalleArticulos(articulos, bar);
    for (long panel = 1; panel <= 3; ++panel) EXPECT_EQ(bar.panel(panel).text, "") << panel;
    EXPECT_EQ(bar.panel(4).text, "A1 - Articulo A1");
}

TEST_F(StatusBarDetail, ABarWithoutTheDetailPanelSilencesTheArticlesOnly)
{
    ui::StatusBar three;
    three.addPanel("Fecha");
    three.addPanel("Stock");
    three.addPanel("Usuario");
    articulos.setRow(1);
    engine->MuestraDetalleArticulos(articulos, three);
    EXPECT_EQ(three.panel(2).text, "Stock: 12.5") << "the stock is still shown";
    EXPECT_EQ(raised([&] { engine->MuestraDetalleTareas(tareas, three); }), 381);
    EXPECT_EQ(raised([&] { engine->MuestraDetalleOtrosConceptos(otros, three); }), 381);

    // A grid without the stock column: the code and description still reach the bar.
    ui::FlexGrid narrow;
    narrow.setCols(3);
    narrow.setTextMatrix(1, 0, "A9");
    narrow.setRow(1);
    engine->MuestraDetalleArticulos(narrow, bar);
    EXPECT_EQ(bar.panel(4).text, "A9 - ");
}

}  // namespace
