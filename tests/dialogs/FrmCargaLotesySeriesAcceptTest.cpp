// The checks of a typed quantity, the sum against the request and the lists the accept hands back.

#include "tests/dialogs/LotesySeriesForms.h"

namespace {

constexpr int kEnter = 13;

class LotesySeriesAccept : public LotesySeriesFixture {
protected:
    // The question the accept asks when the sum and the request differ.
    void expectQuestion(const std::string& firstLine, int answer) {
        prompter.expectMessage(firstLine + "\r\n¿Desea Ajustar la Cantidad Solicitada en el Formulario?",
                               ui::vbYesNo | ui::vbQuestion, "Aviso al Operador!!!", answer);
    }
    static constexpr const char* kMenor =
        "La suma de las cantidades Informadas, Es Menor a la solicitada en el Formulario de Carga de Datos";
    static constexpr const char* kSupera =
        "La suma de las cantidades Informadas, supera a la solicitada en el Formulario de Carga de Datos";
};

TEST_F(LotesySeriesAccept, EnoughStockIsAcceptedAsProposed) {
    stock(kArticulo, kDeposito, "L1", "", 5);
    stock(kArticulo, kDeposito, "L2", "", 3);
    auto f = salida(6, true, false);
    f->CmdAceptar_Click();
    EXPECT_TRUE(f->hidden());
    EXPECT_TRUE(f->accepted());
    EXPECT_EQ(f->Lotes, "|L1" + sep() + "|L2" + sep() + "|" + sep() + "|");
    EXPECT_EQ(f->Series, "|5|1|0|");
    EXPECT_EQ(f->Cantidad, 6);
}

TEST_F(LotesySeriesAccept, AShortSumIsAskedAboutYesAdjustsNoKeepsTheWindow) {
    stock(kArticulo, kDeposito, "L1", "", 2);
    stock(kArticulo, kDeposito, "L2", "", 2);
    for (const int answer : {ui::vbYes, ui::vbNo}) {
        auto f = salida(7, true, false);
        EXPECT_EQ(cells(*f), (Grid{{"L1", "", "2", "2"}, {"L2", "", "2", "2"}, {"", "", "", "0"}}));
        expectQuestion(kMenor, answer);
        if (answer == ui::vbNo)
            prompter.expectMessage("Debe Ajustar la suma de las cantidades a :7", ui::vbCritical, "Aviso al Operador",
                                   ui::vbOK);
        f->CmdAceptar_Click();
        EXPECT_EQ(f->hidden(), answer == ui::vbYes);
        EXPECT_EQ(f->Cantidad, answer == ui::vbYes ? 4 : 7);
        EXPECT_EQ(f->Lotes.empty(), answer == ui::vbNo);
    }
}

TEST_F(LotesySeriesAccept, ASumAboveTheRequestIsAskedAbout) {
    stock(kArticulo, kDeposito, "L1", "", 5);
    stock(kArticulo, kDeposito, "L2", "", 3);
    auto f = salida(6, true, false);
    go(*f, 2, 3);
    type(*f, "3");
    f->TxtEdit_KeyDown(kEnter);
    expectQuestion(kSupera, ui::vbYes);
    f->CmdAceptar_Click();
    EXPECT_TRUE(f->hidden());
    EXPECT_EQ(f->Cantidad, 8);
    EXPECT_EQ(f->Series, "|5|3|0|");
}

TEST_F(LotesySeriesAccept, UnseenAShortStockIsToldAndNothingIsSet) {
    auto f = std::make_unique<FrmCargaLotesySeries>();
    f->EsConsultaDeSerieLote = f->EsLote = true;
    f->Articulo = kArticulo;
    f->Deposito = kDeposito;
    f->Cantidad = 3;
    f->CargaDatos();
    f->MostrarForm = false;
    prompter.expectMessage("El Stock es Menor a la cantidad solicitada ", ui::vbInformation, "Aviso al Operador!!!",
                           ui::vbOK);
    f->CmdAceptar_Click();
    EXPECT_FALSE(f->hidden());
    EXPECT_EQ(f->Lotes, "");
    EXPECT_EQ(f->Series, "");
}

struct Typed {
    bool lote, serie;
    long row;
    std::string text;
    std::string refusal;  // empty: accepted
};

TEST_F(LotesySeriesAccept, TypedQuantitiesAreCheckedOnEveryKindOfArticle) {
    // Rows: the lot or series with stock 4, one with 50,000, then the empty last row.
    const std::vector<Typed> cases = {
        {true, false, 1, "-1", "La Cantidad no puede ser Menor a Cero"},
        {true, false, 1, "1.5", "No Puede Informase Cantidades que no Sean Enteras"},
        {true, false, 2, "40000", ""},
        {true, false, 1, "5", "La Cantidad supera a la cantidad disponible en Stock"},
        {false, true, 1, "5", "La Cantidad supera a la cantidad disponible en Stock"},
        {true, true, 1, "5", "La Cantidad supera a la cantidad disponible en Stock"},
        {true, true, 1, "4", ""},
        {true, false, 3, "9", ""},  // the empty last row stays free
    };
    for (const Typed& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " row " << c.row << " lote " << c.lote << " serie " << c.serie);
        execute("DELETE FROM STK_SERIES_Y_LOTES");
        stock(kArticulo, kDeposito, c.lote ? "L1" : "", c.serie ? "S1" : "", 4);
        stock(kArticulo, kDeposito, c.lote ? "L2" : "", c.serie ? "S2" : "", 50000);
        auto f = salida(1, c.lote, c.serie);
        ASSERT_EQ(f->MSFlexGrid1.rows(), 4);
        go(*f, c.row, 3);
        type(*f, c.text);
        if (!c.refusal.empty()) expectRefusal(c.refusal);
        f->TxtEdit_KeyDown(kEnter);
        EXPECT_EQ(f->valorRechazado(), !c.refusal.empty());
        EXPECT_EQ(f->TxtEdit.visible, !c.refusal.empty());
        if (c.refusal.empty()) {
            EXPECT_EQ(f->MSFlexGrid1.textMatrix(c.row, 3), c.text);
        }
        EXPECT_TRUE(prompter.satisfied()) << prompter.report();
    }
}

TEST_F(LotesySeriesAccept, TheListsNameEveryRowByLotAndSeriesWithDashesForBlanks) {
    auto f = std::make_unique<FrmCargaLotesySeries>();
    f->EsConsultaDeSerieLote = f->EsLote = f->EsSerie = true;
    f->Cantidad = 2;
    f->CargaDatos();
    ui::FlexGrid& g = f->MSFlexGrid1;
    g.setRows(4);
    g.setTextMatrix(1, 0, "L1");
    g.setTextMatrix(1, 3, "2");
    g.setTextMatrix(2, 0, "L2");
    g.setTextMatrix(2, 1, "S9");
    f->CmdAceptar_Click();
    EXPECT_EQ(f->Lotes, "|L1" + sep() + "|L2" + sep() + "S9|" + sep() + "|");
    EXPECT_EQ(f->Series, "|2|-|-|");
}

TEST_F(LotesySeriesAccept, SumAndRequestAreComparedAtFourDecimals) {
    auto f = std::make_unique<FrmCargaLotesySeries>();
    f->EsConsultaDeSerieLote = f->EsLote = true;
    f->Cantidad = 0.3;
    f->CargaDatos();
    f->MSFlexGrid1.setRows(3);
    f->MSFlexGrid1.setTextMatrix(1, 3, "0.1");
    f->MSFlexGrid1.setTextMatrix(2, 3, "0.2");
    EXPECT_TRUE(f->ValidaCantidadCantidadPedida());
    EXPECT_DOUBLE_EQ(f->SumaFilas(2), 0.1);
    f->CmdAceptar_Click();
    EXPECT_TRUE(f->hidden());
}

TEST_F(LotesySeriesAccept, EntryLotsAreFilledDownSerialNumbersAreNot) {
    auto lot = entrada(3, true, false);
    go(*lot, 1, 2);
    type(*lot, "A");
    lot->TxtEdit_KeyDown(kEnter);
    EXPECT_EQ(lot->MSFlexGrid1.textMatrix(3, 2), "A");
    lot->CmdAceptar_Click();
    EXPECT_EQ(lot->Lotes, "|A|A|A|");
    EXPECT_EQ(lot->Series, "");

    auto serial = entrada(3, false, true);
    go(*serial, 1, 2);
    type(*serial, "S1");
    serial->TxtEdit_KeyDown(kEnter);
    serial->MSFlexGrid1.setTextMatrix(3, 2, "S3");
    serial->CmdAceptar_Click();
    EXPECT_EQ(serial->Series, "|S1|-|S3|");
    EXPECT_EQ(serial->Lotes, "");

    auto both = entrada(2, true, true);
    both->MSFlexGrid1.setTextMatrix(1, 2, "L1");
    both->MSFlexGrid1.setTextMatrix(1, 3, "S1");
    both->MSFlexGrid1.setTextMatrix(2, 3, "S2");
    both->CmdAceptar_Click();
    EXPECT_EQ(both->Lotes, "|L1|L1|");
    EXPECT_EQ(both->Series, "|S1|S2|");

    auto none = entrada(0, true, false);
    none->CmdAceptar_Click();
    EXPECT_EQ(none->Lotes, "");
}

TEST_F(LotesySeriesAccept, CancelHidesAndSetsNothing) {
    stock(kArticulo, kDeposito, "L1", "", 5);
    const std::string s = sep();
    auto f = salida(2, true, false, "|L1" + s + "|", "|1|");
    f->CmdCancelar_Click();
    EXPECT_TRUE(f->hidden());
    EXPECT_FALSE(f->accepted());
    EXPECT_EQ(f->Lotes, "|L1" + s + "|");
    EXPECT_EQ(f->Series, "|1|");
}

struct Spread {
    double cantidad;
    std::vector<std::string> stocks;
    std::vector<std::string> taken;
};

TEST_F(LotesySeriesAccept, CompletaCantidadesSpreadsTheRequestFromTheTop) {
    for (const Spread& c : std::vector<Spread>{{10, {"4", "4", "4"}, {"4", "4", "2"}},
                                               {10, {"0", "5", "7"}, {"10", "", ""}},
                                               {0, {"3", "3", "3"}, {"0", "", ""}}}) {
        auto f = std::make_unique<FrmCargaLotesySeries>();
        f->EsConsultaDeSerieLote = true;
        f->Cantidad = c.cantidad;
        f->CargaDatos();
        f->MSFlexGrid1.setRows(4);
        for (long r = 1; r <= 3; ++r) f->MSFlexGrid1.setTextMatrix(r, 2, c.stocks[static_cast<std::size_t>(r - 1)]);
        f->CompletaCantidades();
        std::vector<std::string> taken;
        for (long r = 1; r <= 3; ++r) taken.push_back(f->MSFlexGrid1.textMatrix(r, 3));
        EXPECT_EQ(taken, c.taken) << c.cantidad;
    }
}

}  // namespace
