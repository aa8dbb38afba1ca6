// The voucher grids' layouts and the edit box's properties by column. Text is measured 120 twips a
// character, so W(n) is 120·n.

#include "platform/ui/Controls.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextMeasurer.h"
#include "stock/ClsCmnCptes.h"
#include "core/Configuracion.h"
#include "tests/stock/StockFixture.h"
#include "tests/support/Failures.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace {

constexpr long W(long n) { return 120 * n; }

ui::TextBox editBox(std::string name)
{
    ui::TextBox box;
    box.name = std::move(name);
    return box;
}

using Settings = std::vector<std::pair<std::string, std::string>>;

class GridLayouts : public StockFixture {
protected:
    void TearDown() override
    {
        gMaderera = false;
        StockFixture::TearDown();
    }

    // Booklet 1 of a voucher type of the system; nullopt leaves SISTEMA Null.
    static void voucherType(const std::string& code, const std::optional<std::string>& sistema)
    {
        execute({"INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA) VALUES (" + gDB_Dll().SQLValue(code) + ", 1, " +
                 (sistema ? gDB_Dll().SQLValue(*sistema) : std::string("NULL")) + ")"});
    }

    // The columns a grid shows: those wider than 0.
    static std::set<long> shown(const ui::FlexGrid& grid)
    {
        std::set<long> columns;
        for (long c = 0; c < grid.cols(); ++c)
            if (grid.colWidth(c) > 0) columns.insert(c);
        return columns;
    }

    static std::vector<long> widths(const ui::FlexGrid& grid, std::initializer_list<long> columns)
    {
        std::vector<long> result;
        for (long c : columns) result.push_back(grid.colWidth(c));
        return result;
    }

    // Everything a grid holds, to see that it was left alone.
    static std::vector<std::string> state(const ui::FlexGrid& grid)
    {
        std::vector<std::string> all{std::to_string(grid.rows()), std::to_string(grid.cols())};
        for (long c = 0; c < grid.cols(); ++c) all.push_back(std::to_string(grid.colWidth(c)));
        for (long r = 0; r < grid.rows(); ++r)
            for (long c = 0; c < grid.cols(); ++c) all.push_back(grid.textMatrix(r, c));
        return all;
    }

    static void fill(ui::FlexGrid& grid, long rows, long cols)
    {
        grid.setRows(rows);
        grid.setCols(cols);
        for (long r = 0; r < rows; ++r)
            for (long c = 0; c < cols; ++c) grid.setTextMatrix(r, c, "old " + std::to_string(r) + "," + std::to_string(c));
        for (long c = 0; c < cols; ++c) grid.setColWidth(c, 7);
    }

    ui::FixedWidthTextMeasurer measurer{120};
    ui::FlexGrid tasks{"MSFlexGrid1"}, articles{"MSFlexGrid2"}, others{"MSFlexGrid3"}, control{"MSFlexGrid4"};
    ui::TextBox tasksBox = editBox("TxtEdit"), articlesBox = editBox("txtEdit2"), othersBox = editBox("txtEdit3");
};

struct LayoutCase {
    const char* name;
    const char* tc;                       // as the caller passes it
    const char* code;                     // the V_TA_CPTE row's CODIGO
    std::optional<std::string> sistema;   // its SISTEMA
    Settings settings;
    bool maderera;
    bool articlesOnly;                    // the reception's call: the article grid and its box alone
    std::map<long, std::string> captions; // article captions that matter
    std::set<long> shown;                 // article columns shown
    std::vector<long> articleWidths;      // of columns 0, 1, 2, 5, 6, 7, 11, 14
    std::vector<long> taskWidths;         // of columns 0 to 4
    std::vector<long> otherWidths;        // of columns 0 to 2
};

TEST_F(GridLayouts, EachVoucherTypeLaysOutItsGrids)
{
    const std::vector<long> plainTasks = {W(7), W(37), W(7), W(11), W(11)};
    const std::vector<long> plainOthers = {W(49), W(11), W(11)};
    const std::vector<long> hiddenAmountTasks = {W(7), W(37) + 2 * W(11), W(7), 0, 0};
    const std::vector<long> hiddenAmountOthers = {W(49) + 2 * W(11), 0, 0};
    const std::set<long> salesShown = {0, 1, 5, 7, 14, 18, 40};
    const std::vector<long> salesWidths = {W(15), W(29), 0, W(4), 0, W(6), 0, W(11)};
    // A stock voucher: the description takes the price's room less 480, unit and quantity widen.
    const std::vector<long> stockWidths = {W(15), W(39) + W(11) - 480, 0, W(4) + W(4), 0, W(6) + W(7), 0, 0};

    const std::vector<LayoutCase> cases = {
        {"the reception", "IR", "  IR", "STOCK", {}, false, true,
         {{0, "Código"}, {1, "Descripción"}, {5, "UD"}, {7, "Cant."}, {8, "AuxCoeficiente"}, {11, ""}, {14, "Importe"},
          {18, ""}, {21, "AuxNroLote"}, {22, "AuxNroSerie"}, {40, ""}, {46, ""}, {61, ""}, {68, ""}, {83, "PideMedidas"},
          {86, ""}, {87, ""}, {88, "EnComodato"}, {91, "AuxCodigoPercepcion"}},
         {0, 1, 5, 7}, stockWidths, {}, {}},
        // Hidden amounts first give the description the price's room; the stock margin comes off all the same.
        {"a purchase order under STOCK", "OC", "  OC", "STOCK", {}, false, false,
         {{14, "Importe"}, {18, ""}}, {0, 1, 5, 7}, stockWidths, hiddenAmountTasks, hiddenAmountOthers},
        {"a purchase order read back padded", "  OC", "  OC", "STOCK", {}, false, false,
         {}, {0, 1, 5, 7}, stockWidths, hiddenAmountTasks, hiddenAmountOthers},
        {"a purchase order in small letters", "oc", "  OC", "STOCK", {}, false, false,
         {}, {0, 1, 5, 7}, stockWidths, hiddenAmountTasks, hiddenAmountOthers},
        {"a work order hiding its amounts", "OT", "  OT", "SERVICIOS",
         {{"NoMostrarImportesEnOT", "si"}, {"PideDepositoEnCptes", "SI"}}, false, false,
         {{11, "% Dto."}, {18, "TOTAL"}, {40, "Impuestos"}}, {0, 1, 5, 7, 40},
         {W(15), W(29) + W(11) + W(10), 0, W(4), 0, W(6), 0, 0},
         {W(7), W(37) + W(11) + W(11) + W(7), 0, 0, 0}, hiddenAmountOthers},
        {"a work order showing its amounts", "OT", "  OT", "SERVICIOS",
         {{"NoMostrarImportesEnOT", "NO"}, {"PideDepositoEnCptes", "SI"}}, false, false,
         {}, salesShown, salesWidths, plainTasks, plainOthers},
        {"a quote never asks for the warehouse", "PR", "  PR", "VENTAS", {{"PideDepositoEnCptes", "SI"}}, false, false,
         {}, salesShown, salesWidths, plainTasks, plainOthers},
        {"an invoice asks for the warehouse", "FC", "  FC", "VENTAS", {{"PideDepositoEnCptes", "Si"}}, false, false,
         {{6, "Dep."}}, {0, 1, 5, 6, 7, 14, 18, 40},
         {W(15), W(29), 0, W(4), W(4), W(6), 0, W(11)}, plainTasks, plainOthers},
        {"sales with a price list and a discount per line", "FC", "  FC", "VENTAS",
         {{"V_ListaPreciosPorItemArticulos", "SI"}, {"V_DescuentoPorArticulos", "SI"}}, false, false,
         {{2, "Lista"}, {11, "% Dto."}}, {0, 1, 2, 5, 7, 11, 14, 18, 40},
         {W(15) - 2 * W(1), W(29) - 2 * W(3), W(4), W(4), 0, W(6), W(5), W(11) - W(1)}, plainTasks, plainOthers},
        {"the line switches outside sales", "CO", "  CO", "COMPRAS",
         {{"V_ListaPreciosPorItemArticulos", "SI"}, {"V_DescuentoPorArticulos", "SI"}}, false, false,
         {{11, "% Dto."}}, salesShown, salesWidths, plainTasks, plainOthers},
        {"lumber sales", "FC", "  FC", "VENTAS", {}, true, false,
         {{3, "Espesor"}, {4, "Ancho"}, {8, "Largo"}, {12, "UD"}, {13, "Importe"}, {14, "Importe"}},
         {0, 1, 3, 4, 5, 7, 8, 12, 13, 18, 40}, {W(15), W(29), 0, W(4), 0, W(6), 0, 0}, plainTasks, plainOthers},
        {"lumber trade outside sales", "IR", "  IR", "STOCK", {}, true, false,
         {{3, ""}, {8, "AuxCoeficiente"}}, {0, 1, 5, 7}, stockWidths, plainTasks, plainOthers},
        {"a return shows lots and serials", "DVPE", "DVPE", "VENTAS", {}, false, false,
         {{21, "Nro. Lote"}, {22, "Nro. Serie"}}, {0, 1, 5, 7, 14, 18, 21, 22, 40}, salesWidths, plainTasks,
         plainOthers},
        {"equivalent units", "FC", "  FC", "VENTAS", {{"ConfirmaUDEquiv", "SI"}}, false, false,
         {{9, "UDEquiv"}, {10, "Cant. Equiv"}}, {0, 1, 5, 7, 9, 10, 14, 18, 40}, salesWidths, plainTasks,
         plainOthers},
        {"a blank article name", "FC", "  FC", "VENTAS", {{"NombreArticulos", "   "}}, false, false,
         {{0, "Código"}}, salesShown, salesWidths, plainTasks, plainOthers},
        {"an article name", "FC", "  FC", "VENTAS", {{"NombreArticulos", "artículo"}}, false, false,
         {{0, "Artículo"}}, salesShown, salesWidths, plainTasks, plainOthers},
        {"a type without its system", "XX", "  XX", std::nullopt, {}, false, false,
         {{11, "% Dto."}, {18, "TOTAL"}}, salesShown, salesWidths, plainTasks, plainOthers},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        execute({"DELETE FROM TA_CONFIGURACION", "DELETE FROM V_TA_CPTE"});
        voucherType(c.code, c.sistema);
        for (const auto& [key, value] : c.settings) setConfiguration(key, value);
        gMaderera = c.maderera;
        ui::FlexGrid fresh1, fresh2, fresh3, fresh4;
        ui::TextBox box1 = editBox("TxtEdit"), box2 = editBox("txtEdit2"), box3 = editBox("txtEdit3");
        box3.text = "typed";
        if (c.articlesOnly)
            engine->InicializaGrids(nullptr, &fresh2, nullptr, nullptr, &box2, nullptr, measurer, c.tc);
        else
            engine->InicializaGrids(&fresh1, &fresh2, &fresh3, &box1, &box2, &box3, measurer, c.tc, &fresh4);

        EXPECT_EQ(fresh2.rows(), 2);
        EXPECT_EQ(fresh2.cols(), 92);
        for (const auto& [column, caption] : c.captions) EXPECT_EQ(fresh2.textMatrix(0, column), caption) << column;
        EXPECT_EQ(shown(fresh2), c.shown);
        EXPECT_EQ(widths(fresh2, {0, 1, 2, 5, 6, 7, 11, 14}), c.articleWidths);
        EXPECT_EQ(fresh2.colAlignment(0), ui::FlexGrid::LeftCenter);
        EXPECT_EQ(fresh2.colAlignment(1), ui::FlexGrid::LeftCenter);
        EXPECT_FALSE(box2.visible);
        if (c.articlesOnly) continue;

        EXPECT_EQ(widths(fresh1, {0, 1, 2, 3, 4}), c.taskWidths);
        EXPECT_EQ(fresh1.cols(), 16);
        EXPECT_EQ(shown(fresh1).size(), static_cast<std::size_t>(std::count_if(
                                             c.taskWidths.begin(), c.taskWidths.end(), [](long w) { return w > 0; })));
        EXPECT_FALSE(box1.visible);
        EXPECT_EQ(widths(fresh3, {0, 1, 2}), c.otherWidths);
        EXPECT_EQ(fresh3.cols(), 6);
        EXPECT_EQ(box3.text, "");
        EXPECT_TRUE(box3.visible);
        EXPECT_EQ(widths(fresh4, {0, 1, 2}), (std::vector<long>{W(50), W(15), W(10)}));
    }
}

TEST_F(GridLayouts, TheOtherGridsHaveTheirCaptionsAndShapes)
{
    voucherType("  FC", "VENTAS");
    engine->InicializaGrids(&tasks, &articles, &others, &tasksBox, &articlesBox, &othersBox, measurer, "FC", &control);
    const std::vector<std::string> taskCaptions = {
        "Código",         "Descripción",    "Horas",       "Valor/Hora",         "Total",
        "AuxEsExento",    "ImporteSinIVA",  "AuxObservAdic", "AuxFechaInicio",   "AuxFechaFin",
        "AuxIdTecnico",   "CodigoOriginal", "AuxFechaREALInicio", "AuxFechaREALFin", "AuxCuentaContable",
        "AuxTasaIVA"};
    ASSERT_EQ(tasks.rows(), 2);
    ASSERT_EQ(tasks.cols(), 16);
    for (long c = 0; c < 16; ++c) EXPECT_EQ(tasks.textMatrix(0, c), taskCaptions[c]) << c;
    EXPECT_EQ(shown(tasks), (std::set<long>{0, 1, 2, 3, 4}));
    EXPECT_EQ(tasks.colAlignment(1), ui::FlexGrid::LeftCenter);

    const std::vector<std::string> otherCaptions = {"Detalle", "Importe S/Iva", "Importe", "Cuenta", "", ""};
    ASSERT_EQ(others.rows(), 2);
    ASSERT_EQ(others.cols(), 6);
    for (long c = 0; c < 6; ++c) EXPECT_EQ(others.textMatrix(0, c), otherCaptions[c]) << c;
    EXPECT_EQ(shown(others), (std::set<long>{0, 1, 2}));
    EXPECT_EQ(others.colAlignment(0), ui::FlexGrid::LeftCenter);

    ASSERT_EQ(control.rows(), 5);
    ASSERT_EQ(control.cols(), 3);
    EXPECT_EQ(control.textMatrix(0, 0), "Descripcion");
    EXPECT_EQ(control.textMatrix(0, 1), "Cantidad ITEM'S");
    EXPECT_EQ(control.textMatrix(0, 2), "Cantidad");
    EXPECT_EQ(control.colAlignment(0), ui::FlexGrid::LeftCenter);
}

TEST_F(GridLayouts, AFilledGridComesBackEmptyWithOneDataRow)
{
    voucherType("  IR", "STOCK");
    fill(articles, 10, 100);
    fill(tasks, 10, 20);
    engine->InicializaGrids(&tasks, &articles, nullptr, &tasksBox, &articlesBox, nullptr, measurer, "IR");
    for (ui::FlexGrid* grid : {&articles, &tasks}) {
        ASSERT_EQ(grid->rows(), 2);
        for (long c = 0; c < grid->cols(); ++c) EXPECT_EQ(grid->textMatrix(1, c), "") << grid->name << " " << c;
    }
    EXPECT_EQ(articles.cols(), 92);
    EXPECT_EQ(tasks.cols(), 16);
    // Every column got its width, captioned or not: none keeps the old 7 twips.
    for (long c = 0; c < 92; ++c) EXPECT_NE(articles.colWidth(c), 7) << c;
    EXPECT_EQ(articles.textMatrix(0, 46), "");
    EXPECT_EQ(articles.textMatrix(0, 39), "");
}

TEST_F(GridLayouts, WithoutGridsOnlyTheTypeAndTheSettingsAreRead)
{
    voucherType("  IR", "STOCK");
    EXPECT_EQ(testing_support::errorNumberOf([&] {
                  engine->InicializaGrids(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, measurer, "IR");
              }),
              0);
    // The type is still looked up: one V_TA_CPTE lacks stops the call.
    EXPECT_EQ(testing_support::errorNumberOf([&] {
                  engine->InicializaGrids(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, measurer, "ZZ");
              }),
              3021);
}

TEST_F(GridLayouts, ATypeWithoutItsRowIsNamedAndNoGridIsTouched)
{
    voucherType("  IR", "STOCK");
    for (const char* tc : {"ZZ", "", "O'C", "IRX"}) {
        SCOPED_TRACE(tc);
        fill(tasks, 4, 16);
        fill(articles, 4, 92);
        fill(others, 4, 6);
        fill(control, 4, 3);
        const auto before = std::vector{state(tasks), state(articles), state(others), state(control)};
        articlesBox.visible = tasksBox.visible = true;
        othersBox.text = "typed";

        const base::Error failure = testing_support::failureOf([&] {
            engine->InicializaGrids(&tasks, &articles, &others, &tasksBox, &articlesBox, &othersBox, measurer, tc,
                                   &control);
        });
        EXPECT_EQ(failure.number(), 3021);
        EXPECT_NE(failure.description().find("\"" + std::string(tc) + "\""), std::string::npos) << failure.description();
        EXPECT_NE(failure.description().find("V_TA_CPTE"), std::string::npos) << failure.description();
        EXPECT_EQ((std::vector{state(tasks), state(articles), state(others), state(control)}), before);
        EXPECT_TRUE(articlesBox.visible);
        EXPECT_TRUE(tasksBox.visible);
        EXPECT_EQ(othersBox.text, "typed");
    }
}

TEST_F(GridLayouts, AMissingTypeTableIsReportedAndThenTheTypeIsNamed)
{
    execute({"DROP TABLE V_TA_CPTE"});
    fill(articles, 4, 92);
    const auto before = state(articles);
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), 18,
                           "Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbAbort);
    const base::Error failure = testing_support::failureOf(
        [&] { engine->InicializaGrids(nullptr, &articles, nullptr, nullptr, &articlesBox, nullptr, measurer, "IR"); });
    EXPECT_EQ(failure.number(), 3021);
    EXPECT_NE(failure.description().find("\"IR\""), std::string::npos) << failure.description();
    EXPECT_EQ(state(articles), before);
}

TEST_F(GridLayouts, GridsGivenWithoutTheirEditBoxesAreLaidOut)
{
    voucherType("  OC", "STOCK");
    engine->InicializaGrids(&tasks, &articles, &others, nullptr, nullptr, nullptr, measurer, "OC", &control);
    EXPECT_EQ(tasks.cols(), 16);
    EXPECT_EQ(tasks.colWidth(1), W(37) + 2 * W(11));
    EXPECT_EQ(articles.cols(), 92);
    EXPECT_EQ(others.cols(), 6);
    EXPECT_EQ(others.colWidth(0), W(49) + 2 * W(11));
}

struct EditBoxCase {
    const char* name;
    long before;  // a column edited first; -1 for none
    long column;
    const char* dataField;
    long maxLength;
    const char* tag;
};

TEST_F(GridLayouts, TheEditBoxTakesTheEditedColumnsFieldLengthAndLookup)
{
    const std::vector<EditBoxCase> cases = {
        {"txtedit2", -1, 0, "IdArticulo", 25, "v_ma_articulos"},
        {"TXTAUX2", -1, 9, "IdUnidadEquiv", 4, "V_TA_UNIDAD"},
        {"TxtAux1", -1, 6, "IdDepositoArt", 4, "V_TA_DEPOSITO"},
        {"TxtEdit2", -1, 15, "Total", 0, ""},
        {" TxtEdit3 ", -1, 0, "OCDescripcion", 200, "MA_CUENTAS/SOLOIMPUTABLES"},
        {"TxtEdit3", -1, 2, "OCImporte", 0, ""},
        {"TxtEdit", -1, 0, "IdTarea", 4, "v_ta_tareas"},
        {"TxtEdit", -1, 3, "ValorHora", 0, ""},
        {"Text1", -1, 0, "", 0, ""},
        {"TxtEdit", -1, 5, "", 0, ""},
        {"TxtEdit2", -1, -1, "", 0, ""},
        {"TxtEdit2", 0, 16, "", 0, ""},
        {"TxtEdit3", 0, 3, "", 0, ""},
    };
    for (const EditBoxCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.column));
        ui::TextBox box = editBox(c.name);
        box.dataField = "stale";
        box.tag = "stale";
        box.maxLength = 99;
        box.text = "typed";
        if (c.before >= 0) engine->TextPropiedades(box, c.before);
        engine->TextPropiedades(box, c.column);
        EXPECT_EQ(box.dataField, c.dataField);
        EXPECT_EQ(box.maxLength, c.maxLength);
        EXPECT_EQ(box.tag, c.tag);
        EXPECT_EQ(box.text, "typed");
        EXPECT_EQ(box.name, c.name);
    }
}

}  // namespace
