// Loading the lot and serial-number dialog: the stock of the article in the warehouse by kind of article,
// earlier choices still in stock and gone from it, what other lines take; and the rows of entry mode.

#include "tests/dialogs/LotesySeriesForms.h"

namespace {

class LotesySeriesLoad : public LotesySeriesFixture {};

TEST_F(LotesySeriesLoad, OutgoingLayoutCaptionsAndWidths) {
    auto f = salida(1, true, false);
    EXPECT_EQ(f->Caption, "Números de Lote (Deposito:    1)");
    const ui::FlexGrid& g = f->MSFlexGrid1;
    EXPECT_EQ(g.cols(), 4);
    EXPECT_EQ(g.fixedCols(), 2);
    EXPECT_EQ(g.rows(), 1);  // no stock: the header only
    EXPECT_EQ(g.textMatrix(0, 0), "LOTE");
    EXPECT_EQ(g.textMatrix(0, 1), "SERIE");
    EXPECT_EQ(g.textMatrix(0, 2), "CANT. STOCK");
    EXPECT_EQ(g.textMatrix(0, 3), "CANT. ");
    EXPECT_EQ(g.colWidth(0), 18 * 120);
    EXPECT_EQ(g.colWidth(1), 0);
    EXPECT_EQ(g.colWidth(2), 12 * 120);
    EXPECT_EQ(g.colWidth(3), 12 * 120);
    EXPECT_EQ(g.colAlignment(0), ui::FlexGrid::CenterTop);

    struct Caption {
        bool lote, serie, talle;
        std::string caption, header0;
    };
    for (const Caption& c : std::vector<Caption>{
             {true, true, false, "Números de Lote y Serie (Deposito:    1)", "LOTE"},
             {false, true, false, "Números de Serie (Deposito:    1)", "LOTE"},
             {true, true, true, "Talles, Colores, Sexo (Deposito:    1)", "TALLE-COLOR-SEXO"},
             {false, false, false, "Numeros de Serie", "LOTE"}}) {
        auto form = std::make_unique<FrmCargaLotesySeries>();
        form->EsConsultaDeSerieLote = true;
        form->EsLote = c.lote;
        form->EsSerie = c.serie;
        form->EsTalle = c.talle;
        form->Deposito = kDeposito;
        form->ArticuloDescripcion = "TORNILLO de acero";
        form->CargaDatos();
        EXPECT_EQ(form->Caption, c.caption);
        EXPECT_EQ(form->MSFlexGrid1.textMatrix(0, 0), c.header0);
        EXPECT_EQ(form->lblArticulo.caption, "Tornillo De Acero");
        if (c.talle) {
            EXPECT_FALSE(form->EsSerieYLote);
            EXPECT_FALSE(form->EsLote);
        }
    }
}

TEST_F(LotesySeriesLoad, LotArticleProposesFromTheTop) {
    stock(kArticulo, kDeposito, "L2", "", 3);
    stock(kArticulo, kDeposito, "L1", "", 5);
    stock(kArticulo, "   2", "L3", "", 9);  // another warehouse
    stock("A2", kDeposito, "L4", "", 9);    // another article
    stock(kArticulo, kDeposito, "L5", "", 0);
    auto f = salida(6, true, false);
    EXPECT_EQ(cells(*f), (Grid{{"L1", "", "5", "5"}, {"L2", "", "3", "1"}, {"", "", "", "0"}}));
}

TEST_F(LotesySeriesLoad, EarlierChoicesComeBackOnRowsInStockAndGone) {
    stock(kArticulo, kDeposito, "L1", "", 5);
    stock(kArticulo, kDeposito, "L2", "", 3);
    const std::string s = sep();
    auto f = salida(6, true, false, "|l1" + s + "|L9" + s + "|" + s + "|", "|2|4|-|");
    EXPECT_EQ(cells(*f), (Grid{{"L1", "", "5", "2"}, {"L2", "", "3", ""}, {"L9", "", "0", "4"}, {"", "", "", "0"}}));
}

TEST_F(LotesySeriesLoad, SerialItemsInStockAreNotAddedTwiceAndGoneOnesAreSplit) {
    stock(kArticulo, kDeposito, "", "S1", 1);
    stock(kArticulo, kDeposito, "", "S2", 1);
    const std::string s = sep();
    auto f = salida(2, false, true, "|" + s + "S2|" + s + "S7|", "|1|1|");
    EXPECT_EQ(cells(*f), (Grid{{"", "S1", "1", ""}, {"", "S2", "1", "1"}, {"", "S7", "0", "1"}, {"", "", "", ""}}));
}

TEST_F(LotesySeriesLoad, OtherLinesTakingsAreDeductedSerialItemsToo) {
    stock(kArticulo, kDeposito, "L1", "S1", 1);
    stock(kArticulo, kDeposito, "L1", "S2", 1);
    stock(kArticulo, kDeposito, "L2", "", 4);
    const std::string s = sep();
    auto f = salida(2, true, true, {}, {}, "|L1" + s + "S2|l2" + s + "|" + s + "|", "|1|3|-|");
    EXPECT_EQ(cells(*f),
              (Grid{{"L1", "S1", "1", "1"}, {"L1", "S2", "0", "0"}, {"L2", "", "1", "1"}, {"", "", "", "0"}}));
}

TEST_F(LotesySeriesLoad, ARowLeftBelowNothingIsProposedNothing) {
    stock(kArticulo, kDeposito, "L1", "", 2);
    stock(kArticulo, kDeposito, "L2", "", 4);
    const std::string s = sep();
    auto f = salida(3, true, false, {}, {}, "|L1" + s + "|", "|3|");
    EXPECT_EQ(cells(*f), (Grid{{"L1", "", "-1", "0"}, {"L2", "", "4", "3"}, {"", "", "", "0"}}));
}

TEST_F(LotesySeriesLoad, NoStockLeavesTheHeaderAndTheEarlierChoicesWithTheirQuantities) {
    const std::string s = sep();
    auto f = salida(3, true, false, "|L1" + s + "|" + s + "|", "|3|-|");
    EXPECT_EQ(cells(*f), (Grid{{"L1", "", "0", "3"}}));
}

TEST_F(LotesySeriesLoad, NullLotsSeriesAndStockReadAsEmpty) {
    execute("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, CANTIDAD) VALUES ('" +
            gUtilidades().RellenaCodigo(kArticulo, 25) + "', '" + kDeposito + "', 2)");
    auto f = salida(1, true, false);
    EXPECT_EQ(cells(*f), (Grid{{"", "", "2", "1"}, {"", "", "", "0"}}));
}

TEST_F(LotesySeriesLoad, AnApostropheInTheArticleIsAValueNotSql) {
    stock("O'B", kDeposito, "L1", "", 2);
    auto f = std::make_unique<FrmCargaLotesySeries>();
    f->EsConsultaDeSerieLote = f->EsLote = true;
    f->Articulo = "O'B";
    f->Deposito = kDeposito;
    f->Cantidad = 1;
    f->CargaDatos();
    EXPECT_EQ(cells(*f), (Grid{{"L1", "", "2", "1"}, {"", "", "", "0"}}));
}

TEST_F(LotesySeriesLoad, AFailedStockQueryLeavesTheHeaderOnly) {
    execute("DROP TABLE STK_SERIES_Y_LOTES");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           "Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbAbort);
    const std::string s = sep();
    auto f = salida(1, true, false, "|L1" + s + "|", "|1|");
    EXPECT_EQ(f->MSFlexGrid1.rows(), 1);
}

struct EntryRows {
    double cantidad;
    long dataRows;
};

TEST_F(LotesySeriesLoad, EntryModeGivesOneRowPerUnit) {
    for (const EntryRows& c : std::vector<EntryRows>{{0.4, 1}, {2.5, 2}, {3.5, 4}, {3, 3}, {0, 0}}) {
        auto f = entrada(c.cantidad, true, false);
        const ui::FlexGrid& g = f->MSFlexGrid1;
        EXPECT_EQ(g.rows(), c.dataRows + 1) << c.cantidad;
        for (long r = 1; r < g.rows(); ++r) EXPECT_EQ(g.textMatrix(r, 1), std::to_string(r));
    }
    auto f = entrada(3, true, true);
    const ui::FlexGrid& g = f->MSFlexGrid1;
    EXPECT_EQ(g.fixedCols(), 1);
    EXPECT_EQ(g.colWidth(0), 0);
    EXPECT_EQ(g.textMatrix(0, 1), "ITEM");
    EXPECT_EQ(g.colWidth(1), 5 * 120);
    EXPECT_EQ(g.colAlignment(1), ui::FlexGrid::CenterCenter);
    EXPECT_EQ(g.textMatrix(0, 2), "Número de Lote");
    EXPECT_EQ(g.colWidth(2), 25 * 120);
    EXPECT_EQ(g.textMatrix(0, 3), "Número de Serie");
    EXPECT_EQ(g.colWidth(3), 25 * 120);
    auto serial = entrada(1, false, true);
    EXPECT_EQ(serial->MSFlexGrid1.textMatrix(0, 2), "Número de Serie");
    EXPECT_EQ(serial->MSFlexGrid1.colWidth(2), 35 * 120);
    EXPECT_EQ(serial->MSFlexGrid1.colWidth(3), 0);
}

TEST_F(LotesySeriesLoad, AnEntryQuantityOutOfRangeIsLoggedAndGivesNoRows) {
    auto f = entrada(200000, true, false);
    EXPECT_EQ(f->MSFlexGrid1.rows(), 2);  // the design grid, untouched
    EXPECT_NE(errorLog().find("CargaDatos"), std::string::npos);
}

struct Spread {
    bool lote, serie;
    double cantidad;
    std::string lotes, series;
    std::vector<std::string> col2, col3;
};

TEST_F(LotesySeriesLoad, EntryModeSpreadsTheEarlierNumbersDownTheRows) {
    const std::vector<Spread> cases = {
        {false, true, 2, "", "|A|B|C|", {"A", "B"}, {"", ""}},           // a longer list than the grid
        {true, false, 3, "|L1|L2|", "", {"L1", "L2", ""}, {"", "", ""}},
        {true, true, 2, "|L1|L2|", "|S1|S2|", {"L1", "L2"}, {"S1", "S2"}},
        {true, false, 2, "|", "", {"", ""}, {"", ""}},
        {true, false, 2, "  ", "", {"", ""}, {"", ""}},
        {true, false, 2, "L1", "", {"", ""}, {"", ""}},  // no bar: nothing
    };
    for (const Spread& c : cases) {
        SCOPED_TRACE(c.lotes + c.series);
        auto f = entrada(c.cantidad, c.lote, c.serie, c.lotes, c.series);
        std::vector<std::string> col2, col3;
        for (long r = 1; r < f->MSFlexGrid1.rows(); ++r) {
            col2.push_back(f->MSFlexGrid1.textMatrix(r, 2));
            col3.push_back(f->MSFlexGrid1.textMatrix(r, 3));
        }
        EXPECT_EQ(col2, c.col2);
        EXPECT_EQ(col3, c.col3);
    }
}

}  // namespace
