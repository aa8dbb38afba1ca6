// Loading a statement into the list: columns sized from the fields, rows, the table the widths are kept
// under, price-class headers, stock colours and rows that start ticked.

#include "tests/lookup/PickListFixture.h"

#include <fmt/format.h>

namespace {

class Loading : public PickList {};

TEST_F(Loading, OneColumnPerFieldSizedByTheFieldsDefinedSize) {
    account("1140101000001", "Cliente Uno", "C1");
    account("1140101000002", "Cliente Dos");
    Lib_FrmCons3 form;
    load(form, "select codigo, descripcion, CODIGOOPCIONAL, TITULO from ma_cuentas order by codigo");

    EXPECT_EQ(form.tablaAnchos(), "ma_cuentas");  // the blank added by the load ends the name
    EXPECT_EQ(headers(form), (std::vector<std::string>{"CODIGO", "DESCRIPCION", "CODIGOOPCIONAL", "TITULO"}));
    // varchar(15): 15 letters X; varchar(100): capped at 60; a bit field is 2 wide.
    EXPECT_EQ(widths(form), (std::vector<long>{15 * 120, 60 * 120, 15 * 120, 2 * 120}));
    EXPECT_EQ(texts(form), (std::vector<std::string>{"1140101000001", "1140101000002"}));
    EXPECT_EQ(form.contadorFilas(), 2);
    // Sub-items are right-aligned to four characters, as every code is; a Null is blank.
    const ui::ListItem& second = form.ListView1.item(2);
    EXPECT_EQ(second.subItem(1), "Cliente Dos");
    EXPECT_EQ(second.subItem(2), "    ");
    EXPECT_EQ(form.ListView1.item(1).subItem(2), "  C1");
    // Each box searches its column's field and carries the hint.
    ASSERT_EQ(form.CmbSearch.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(form.CmbSearch[i].dataField, headers(form)[i]);
        EXPECT_EQ(form.CmbSearch[i].toolTipText, "F5 realiza nueva busqueda");
        EXPECT_EQ(form.CmbSearch[i].tabIndex, static_cast<long>(i));
        EXPECT_TRUE(form.CmbSearch[i].visible);
    }
    EXPECT_TRUE(form.Valores.empty());
    EXPECT_TRUE(form.Cantidades.empty());
}

TEST_F(Loading, TheLookupEnginesRowLimitIsWhatTheListHolds) {
    std::string rows = "BEGIN TRANSACTION\r";
    for (int i = 1; i <= 1005; ++i) rows += fmt::format("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('{:013}', 'C{}')\r", i, i);
    run(rows);
    run("COMMIT TRANSACTION");
    Lib_FrmCons3 form;
    load(form, "SELECT TOP 1000 CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO");
    EXPECT_EQ(form.ListView1.itemCount(), 1000);
    EXPECT_EQ(form.contadorFilas(), 1000);
    EXPECT_EQ(form.ListView1.item(1000).text(), "0000000001000");
}

TEST_F(Loading, AnEmptyResultStillGetsItsColumns) {
    Lib_FrmCons3 form;
    load(form, "select codigo, descripcion from ma_cuentas");
    EXPECT_EQ(form.ListView1.columnCount(), 2);
    EXPECT_EQ(form.ListView1.itemCount(), 0);
}

TEST_F(Loading, TheWindowSortsItselfOnlyWhenAsked) {
    account("2", "B");
    account("1", "C");
    account("3", "A");
    for (bool sorts : {false, true}) {
        Lib_FrmCons3 form;
        form.OrdenarPorLwv = sorts;
        load(form, "select DESCRIPCION, CODIGO from MA_CUENTAS order by CODIGO");
        EXPECT_EQ(texts(form), sorts ? (std::vector<std::string>{"A", "B", "C"}) : (std::vector<std::string>{"C", "B", "A"}));
    }
}

TEST_F(Loading, PriceClassesAreHeadedWithTheirNamesOnArticleViewsOnly) {
    setting("NOM_PCLASE3", "Mayorista");
    article("A1", "Tornillo", 0, std::nullopt);
    struct Case {
        std::string statement;
        std::vector<std::string> headers;
    };
    const Case cases[] = {
        {"SELECT IDARTICULO, PRECIO3, precio1, COSTO FROM V_MA_ARTICULOS",
         {"IDARTICULO", "Mayorista", " ", "COSTO"}},  // an absent key reads as one blank
        {"SELECT IDARTICULO, PRECIO3 FROM STK_MA_ARTICULOS", {"IDARTICULO", "Mayorista"}},
        {"SELECT IDARTICULO, PRECIO3 FROM VT_MA_ARTICULOS", {"IDARTICULO", "PRECIO3"}},
    };
    for (const Case& c : cases) {
        Lib_FrmCons3 form;
        load(form, c.statement);
        EXPECT_EQ(headers(form), c.headers) << c.statement;
    }
}

TEST_F(Loading, RowsAreColouredByStockAgainstTheReorderPoint) {
    struct Row {
        const char* id;
        std::optional<double> reorderPoint, stock;
        ui::Color color;  // 0: no colour
    };
    const Row rows[] = {
        {"A1", 0, 5, 0x0000FF},     // stock without a reorder point: level 1
        {"A2", 10, 12, 0x00FF00},   // above the reorder point: level 2
        {"A3", 10, 3, 0xFF0000},    // below it: level 3
        {"A4", 10, 10, 0x808080},   // at it: level 4
        {"A5", 0, -2, 0x808080},    // none in stock: level 4
        {"A6", 5, std::nullopt, 0}, // no stock recorded: no colour, and no error box
        {"A7", std::nullopt, 5, 0}, // no reorder point recorded
    };
    for (const Row& r : rows) article(r.id, std::string("Articulo ") + r.id, r.reorderPoint, r.stock);

    Lib_FrmCons3 form;
    form.MuestraStock = "si";
    form.StkNivel1 = 255;
    form.StkNivel2 = "65280";
    form.StkNivel3 = "&HFF0000";
    form.StkNivel4 = 0x808080;
    load(form, "SELECT IDARTICULO, DESCRIPCION, PUNTOPEDIDO, Stock FROM VT_MA_ARTICULOS ORDER BY IDARTICULO");
    ASSERT_EQ(form.ListView1.itemCount(), 7);
    for (long i = 1; i <= 7; ++i) {
        const ui::ListItem& item = form.ListView1.item(i);
        const Row& r = rows[i - 1];
        EXPECT_EQ(item.text(), r.id);
        EXPECT_EQ(item.foreColor(), r.color) << r.id;
        EXPECT_EQ(item.bold(), r.color != 0) << r.id;
        for (long j = 1; j <= 3; ++j) {
            EXPECT_EQ(item.subItemForeColor(j), r.color) << r.id;
            EXPECT_EQ(item.subItemBold(j), r.color != 0) << r.id;
        }
    }
}

TEST_F(Loading, NoColoursWithoutTheSettingTheColumnsOrAColour) {
    article("A1", "Tornillo", 0, 5);
    struct Case {
        std::string muestraStock;
        base::Value nivel1;
        std::string statement;
    };
    const Case cases[] = {
        {"NO", 255, "SELECT IDARTICULO, DESCRIPCION, PUNTOPEDIDO, Stock FROM VT_MA_ARTICULOS"},
        {"SI", " ", "SELECT IDARTICULO, DESCRIPCION, PUNTOPEDIDO, Stock FROM VT_MA_ARTICULOS"},
        {"SI", 255, "SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS"},  // without Stock: no message either
        {"SI", 255, "SELECT IDARTICULO FROM VT_MA_ARTICULOS"},               // one field: no sub-item to colour
    };
    for (const Case& c : cases) {
        Lib_FrmCons3 form;
        form.MuestraStock = c.muestraStock;
        form.StkNivel1 = c.nivel1;
        load(form, c.statement);
        ASSERT_EQ(form.ListView1.itemCount(), 1) << c.statement;
        EXPECT_EQ(form.ListView1.item(1).foreColor(), 0u) << c.statement;
        EXPECT_FALSE(form.ListView1.item(1).bold()) << c.statement;
    }
}

TEST_F(Loading, DefaultValuesTickWholeItemsOnly) {
    for (const char* code : {"1", "10", "12", "3", "O'Hara"}) account(code, std::string("Cuenta ") + code);
    struct Case {
        std::string campoDevuelto;
        std::string valoresDefault;
        std::vector<std::string> ticked;
    };
    const Case cases[] = {
        {"CODIGO", "1,12", {"1", "12"}},
        {"codigo", " 3 ; 10 ", {"10", "3"}},
        {"CODIGO", "|12|o'hara|", {"12", "O'Hara"}},
        {"CODIGO", "", {}},
        {"CODIGO", "2", {}},
        {"NO_EXISTE", "1,12", {}},  // a returned column the result lacks ticks nothing, without a message
    };
    for (const Case& c : cases) {
        Lib_FrmCons3 form;
        form.CheckBoxes = true;
        form.CampoDevuelto = c.campoDevuelto;
        form.ValoresDefault = c.valoresDefault;
        load(form, "select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO");
        EXPECT_TRUE(form.ListView1.checkboxes());
        EXPECT_EQ(checkedTexts(form), c.ticked) << c.valoresDefault;
    }
}

TEST_F(Loading, ADefaultValueTicksNothingWithoutCheckBoxes) {
    account("1", "Uno");
    Lib_FrmCons3 form;
    form.CampoDevuelto = "CODIGO";
    form.ValoresDefault = "1";
    load(form, "select CODIGO from MA_CUENTAS");
    EXPECT_FALSE(form.ListView1.checkboxes());
    EXPECT_TRUE(checkedTexts(form).empty());
}

TEST_F(Loading, TheInitialFilterSelectsTheFirstMatchingRow) {
    account("1", "Alfa");
    account("2", "Beta");
    account("3", "Betania");
    Lib_FrmCons3 form;
    form.FiltroInicial = "bet";
    load(form, "select DESCRIPCION, CODIGO from MA_CUENTAS order by CODIGO");
    EXPECT_EQ(form.CmbSearch[0].text(), "bet");
    EXPECT_EQ(selectedText(form), "Beta");
}

TEST_F(Loading, AStatementThatCannotBeOpenedIsReportedAndLeavesTheListEmpty) {
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (-2147217865) "),
                           ui::vbAbortRetryIgnore | ui::vbCritical, "Recordset - AbrirRecordset Aviso al operador!!! ",
                           ui::vbAbort);
    // The columns cannot be read from a closed result: the description alone, under the program's title.
    prompter.expectMessage(ui::startsWith(""), ui::vbOKOnly, prompter.programTitle(), ui::vbOK);
    Lib_FrmCons3 form;
    load(form, "select CODIGO from NO_EXISTE");
    EXPECT_EQ(form.ListView1.columnCount(), 0);
    EXPECT_EQ(form.ListView1.itemCount(), 0);
}

}  // namespace
