// The engine's operations that ask for lots and series, with the dialog shown through the scripted
// voucher dialogs: what reaches the dialog, what comes back on accept, cancel and the frame's close.

#include "tests/dialogs/LotesySeriesForms.h"
#include "tests/dialogs/ScriptedVoucherDialogs.h"

#include "stock/ClsCmnCptes.h"

namespace {

class PideSerieLoteOperations : public LotesySeriesFixture {
protected:
    void SetUp() override {
        LotesySeriesFixture::SetUp();
        engine.emplace();
        grilla.setCols(92);
        grilla.setRows(1);
    }

    // A line of the voucher's article grid with its lot and quantity lists.
    void linea(const std::string& articulo, const std::string& lotes, const std::string& cantidades) {
        const long r = grilla.rows();
        grilla.setRows(r + 1);
        grilla.setTextMatrix(r, 0, articulo);
        grilla.setTextMatrix(r, 21, lotes);
        grilla.setTextMatrix(r, 22, cantidades);
    }

    ScriptedVoucherDialogs dialogs;
    std::optional<ClsCmnCptes> engine;
    ui::FlexGrid grilla{"GrillaArticulos"};
};

TEST_F(PideSerieLoteOperations, EntryWithNoQuantityGivesEmptyListsAndNoDialog) {
    std::string series = "x", lotes = "y";
    engine->PideSerieLote(kArticulo, 0, "|S1|", "|L1|", series, lotes);
    EXPECT_EQ(series, "");
    EXPECT_EQ(lotes, "");
    EXPECT_EQ(dialogs.lotesySeriesShown, 0);
}

TEST_F(PideSerieLoteOperations, EntryOutOfRangeIsToldAndHandsTheEarlierListsBack) {
    for (const double cantidad : {-1.0, 200000.0}) {
        prompter.expectMessage("La Cantidad debe estar entre 0 y 100000 unidades", ui::vbCritical, "Aviso al Operador",
                               ui::vbOK);
        std::string series, lotes;
        engine->PideSerieLote(kArticulo, cantidad, "|S1|", "|L1|", series, lotes);
        EXPECT_EQ(series, "|S1|");
        EXPECT_EQ(lotes, "|L1|");
    }
    EXPECT_EQ(dialogs.lotesySeriesShown, 0);
}

TEST_F(PideSerieLoteOperations, EntryAcceptHandsTheTypedNumbersBack) {
    bool lote = true;
    dialogs.onLotesySeries = [&](FrmCargaLotesySeries& form) {
        EXPECT_FALSE(form.EsConsultaDeSerieLote);
        EXPECT_EQ(form.lblArticulo.caption, kArticulo);
        EXPECT_EQ(form.Caption, "Números de Lote (Deposito: )");
        EXPECT_EQ(form.MSFlexGrid1.textMatrix(1, 2), "L1");  // the earlier list, spread
        go(form, 2, 2);
        type(form, "L2");
        form.TxtEdit_KeyDown(13);
        form.CmdAceptar_Click();
    };
    std::string series, lotes;
    engine->PideSerieLote(kArticulo, 2, "", "|L1|", series, lotes, nullptr, &lote);
    EXPECT_EQ(lotes, "|L1|L2|");
    EXPECT_EQ(series, "");
}

TEST_F(PideSerieLoteOperations, EntryCancelAndFrameCloseHandTheEarlierListsBack) {
    bool serie = true;
    for (const bool cancel : {true, false}) {
        dialogs.onLotesySeries = [&](FrmCargaLotesySeries& form) {
            type(form, "Z");
            if (cancel) form.CmdCancelar_Click();  // else the frame's close
        };
        std::string series = "x", lotes = "y";
        engine->PideSerieLote(kArticulo, 2, "|S1|S2|", "", series, lotes, &serie);
        EXPECT_EQ(series, "|S1|S2|");
        EXPECT_EQ(lotes, "");
    }
}

TEST_F(PideSerieLoteOperations, OutgoingWithNoQuantityOnlyFillsTheWarehouse) {
    execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('DepositoDefault', '2')");
    double cantidad = 0;
    std::string deposito, lotes = "x", cantidades = "y";
    engine->PideSerieLote_Salidas(grilla, kArticulo, "Tornillo", cantidad, "", "", lotes, cantidades, true, false,
                                  false, &deposito);
    EXPECT_EQ(deposito, "2");
    EXPECT_EQ(lotes, "x");
    EXPECT_EQ(cantidades, "y");
    EXPECT_EQ(dialogs.lotesySeriesShown, 0);
}

// Shown or not, a negative quantity is refused as a typed one is: nothing proposed, the earlier lists and
// the quantity kept.
TEST_F(PideSerieLoteOperations, OutgoingNegativeIsToldAndHandsTheEarlierListsBack) {
    stock(kArticulo, kDeposito, "L1", "", 5);
    const std::string anteriores = "|L1" + sep() + "|" + sep() + "|";
    for (const bool mostrar : {true, false}) {
        expectRefusal("La Cantidad no puede ser Menor a Cero");
        double cantidad = -2;
        std::string deposito = "1", lotes = "x", cantidades = "y";
        bool mostrarForm = mostrar;
        engine->PideSerieLote_Salidas(grilla, kArticulo, "", cantidad, anteriores, "|2|-|", lotes, cantidades, true,
                                      false, false, &deposito, &mostrarForm);
        EXPECT_EQ(lotes, anteriores);
        EXPECT_EQ(cantidades, "|2|-|");
        EXPECT_EQ(cantidad, -2);
    }
    EXPECT_EQ(dialogs.lotesySeriesShown, 0);
}

TEST_F(PideSerieLoteOperations, OutgoingUsesTheDefaultWarehouseAndHandsTheAcceptBack) {
    execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('DepositoDefault', '2')");
    stock(kArticulo, "   2", "L1", "", 5);
    dialogs.onLotesySeries = [&](FrmCargaLotesySeries& form) {
        EXPECT_EQ(form.Deposito, "   2");
        EXPECT_EQ(form.lblArticulo.caption, std::string(kArticulo) + " - Tornillo");
        EXPECT_EQ(cells(form), (Grid{{"L1", "", "5", "3"}, {"", "", "", "0"}}));
        form.CmdAceptar_Click();
    };
    double cantidad = 3;
    std::string deposito, lotes, cantidades;
    engine->PideSerieLote_Salidas(grilla, kArticulo, "Tornillo", cantidad, "", "", lotes, cantidades, true, false,
                                  false, &deposito);
    EXPECT_EQ(dialogs.lotesySeriesShown, 1);
    EXPECT_EQ(lotes, "|L1" + sep() + "|" + sep() + "|");
    EXPECT_EQ(cantidades, "|3|0|");
    EXPECT_EQ(cantidad, 3);
}

TEST_F(PideSerieLoteOperations, OutgoingWithoutADefaultWarehouseFindsNoStock) {
    stock(kArticulo, kDeposito, "L1", "", 5);
    dialogs.onLotesySeries = [&](FrmCargaLotesySeries& form) {
        EXPECT_EQ(form.Deposito, "    ");
        EXPECT_EQ(form.MSFlexGrid1.rows(), 1);
    };
    double cantidad = 3;
    std::string lotes, cantidades;
    engine->PideSerieLote_Salidas(grilla, kArticulo, "", cantidad, "", "", lotes, cantidades, true, false, false);
    EXPECT_EQ(dialogs.lotesySeriesShown, 1);
}

TEST_F(PideSerieLoteOperations, UnseenTheProposalIsAcceptedWhenTheStockIsEnough) {
    stock(kArticulo, kDeposito, "L1", "", 2);
    stock(kArticulo, kDeposito, "L2", "", 4);
    double cantidad = 5;
    std::string deposito = "1", lotes, cantidades;
    bool mostrar = false;
    engine->PideSerieLote_Salidas(grilla, kArticulo, "", cantidad, "", "", lotes, cantidades, true, false, false,
                                  &deposito, &mostrar);
    EXPECT_EQ(dialogs.lotesySeriesShown, 0);
    EXPECT_EQ(lotes, "|L1" + sep() + "|L2" + sep() + "|" + sep() + "|");
    EXPECT_EQ(cantidades, "|2|3|0|");
    EXPECT_EQ(cantidad, 5);
}

TEST_F(PideSerieLoteOperations, UnseenAShortStockIsToldAndTheEarlierListsStay) {
    stock(kArticulo, kDeposito, "L1", "", 2);
    prompter.expectMessage("El Stock es Menor a la cantidad solicitada ", ui::vbInformation, "Aviso al Operador!!!",
                           ui::vbOK);
    double cantidad = 5;
    std::string deposito = "1", lotes = "|L1" + sep() + "|", cantidades = "|1|";
    bool mostrar = false;
    engine->PideSerieLote_Salidas(grilla, kArticulo, "", cantidad, "", "", lotes, cantidades, true, false, false,
                                  &deposito, &mostrar);
    EXPECT_EQ(lotes, "");  // the earlier lists given were empty
    EXPECT_EQ(cantidades, "");
    EXPECT_EQ(cantidad, 5);
}

TEST_F(PideSerieLoteOperations, OutgoingCancelAndFrameCloseHandTheEarlierListsBack) {
    stock(kArticulo, kDeposito, "L1", "", 5);
    const std::string anteriores = "|L1" + sep() + "|" + sep() + "|";
    for (const bool cancel : {true, false}) {
        dialogs.onLotesySeries = [&](FrmCargaLotesySeries& form) {
            go(form, 1, 3);
            type(form, "4");
            form.TxtEdit_KeyDown(13);
            if (cancel) form.CmdCancelar_Click();
        };
        double cantidad = 2;
        std::string deposito = "1", lotes, cantidades;
        engine->PideSerieLote_Salidas(grilla, kArticulo, "", cantidad, anteriores, "|2|-|", lotes, cantidades, true,
                                      false, false, &deposito);
        EXPECT_EQ(lotes, anteriores);
        EXPECT_EQ(cantidades, "|2|-|");
        EXPECT_EQ(cantidad, 2);
    }
}

TEST_F(PideSerieLoteOperations, TheEditedLineIsNotDeductedOtherLinesAre) {
    stock(kArticulo, kDeposito, "L1", "", 5);
    const std::string s = sep();
    linea(kArticulo, "|L1" + s + "|", "|2|");         // the line being edited
    linea("  " + std::string(kArticulo), "|L1" + s + "|", "|1|");  // another line of the article
    linea("A9", "|L1" + s + "|", "|4|");              // another article
    dialogs.onLotesySeries = [&](FrmCargaLotesySeries& form) {
        EXPECT_EQ(cells(form), (Grid{{"L1", "", "4", "2"}, {"", "", "", ""}}));
        form.CmdAceptar_Click();
    };
    double cantidad = 2;
    std::string deposito = "1", lotes, cantidades;
    engine->PideSerieLote_Salidas(grilla, kArticulo, "", cantidad, "|L1" + s + "|", "|2|", lotes, cantidades, true,
                                  false, false, &deposito);
    EXPECT_EQ(dialogs.lotesySeriesShown, 1);
    EXPECT_EQ(cantidades, "|2|-|");
}

TEST_F(PideSerieLoteOperations, TwoCallsInARowStartFresh) {
    stock(kArticulo, kDeposito, "L1", "", 5);
    std::vector<std::string> captions;
    dialogs.onLotesySeries = [&](FrmCargaLotesySeries& form) {
        captions.push_back(form.Caption);
        EXPECT_EQ(form.Lotes, "");
        form.CmdAceptar_Click();
    };
    for (int i = 0; i < 2; ++i) {
        double cantidad = 1;
        std::string deposito = "1", lotes, cantidades;
        engine->PideSerieLote_Salidas(grilla, kArticulo, "", cantidad, "", "", lotes, cantidades, i == 0, i == 1, false,
                                      &deposito);
        EXPECT_EQ(cantidades, "|1|0|");
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Números de Lote (Deposito:    1)", "Números de Serie (Deposito:    1)"}));
}

TEST_F(PideSerieLoteOperations, CuentaLotesEnGrillaJoinsTheArticlesLists) {
    linea(kArticulo, "|L1|L2|", "|1|2|");
    linea("A9", "|L7|", "|7|");
    linea(std::string(kArticulo) + "  ", "|L3|L4|", "|3|4|");
    linea(kArticulo, "", "");
    std::string lotes = "x", cantidades = "y";
    ClsCmnCptes::CuentaLotesEnGrilla(grilla, kArticulo, lotes, cantidades);
    EXPECT_EQ(lotes, "|L1|L2|L3|L4|");
    EXPECT_EQ(cantidades, "|1|2|3|4|");

    ui::FlexGrid corta;
    corta.setCols(22);
    corta.setTextMatrix(1, 0, kArticulo);
    EXPECT_THROW(ClsCmnCptes::CuentaLotesEnGrilla(corta, kArticulo, lotes, cantidades), base::Error);
}

TEST_F(PideSerieLoteOperations, AGridWithoutTheListColumnsGoesToTheErrorTreatment) {
    ui::FlexGrid corta;
    corta.setCols(22);
    corta.setTextMatrix(1, 0, kArticulo);
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           "FlexGrid - PideSerieLote_Salidas Aviso al operador!!! ", ui::vbAbort);
    double cantidad = 1;
    std::string deposito = "1", lotes = "x", cantidades = "y";
    engine->PideSerieLote_Salidas(corta, kArticulo, "", cantidad, "", "", lotes, cantidades, true, false, false,
                                  &deposito);
    EXPECT_EQ(dialogs.lotesySeriesShown, 0);
    EXPECT_EQ(lotes, "x");
}

}  // namespace
