// The engine's operations that ask for lots, series and positions, shown through the program's Qt dialogs
// (offscreen platform): the operator types into the grid and accepts, or closes the frame and the caller's
// lists come back; a negative request opens nothing. And a box a case did not expect fails that case with
// the box's text.

#include "dialogs/qt/FrmCargaLotesySeriesDialog.h"
#include "dialogs/qt/FrmLoteyPosicionDialog.h"
#include "stock/ClsCmnCptes.h"
#include "tests/dialogs/LoteyPosicionForms.h"
#include "tests/dialogs/LotesySeriesForms.h"
#include "tests/dialogs/qt/DialogOperator.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest-spi.h>

#include <functional>
#include <optional>

namespace {

using uitest::clickCell;
using uitest::press;
using uitest::type;

// The dialog the engine shows, with the focus on its grid as it opens.
template <class Dialog>
Dialog* shown(QWidget* modal) {
    auto* dialog = qobject_cast<Dialog*>(modal);
    if (!dialog) return nullptr;
    dialog->grid()->setFocus();
    QApplication::processEvents();
    return dialog;
}

// Types `text` into the grid's cell and leaves it with Enter.
template <class Dialog>
void typeInto(Dialog* dialog, int row, int col, const QString& text) {
    clickCell(dialog->grid(), row, col);
    type(dialog->grid(), text);
    press(dialog->editBox(), Qt::Key_Return, "\r");
}

const char* outcome(bool accept) { return accept ? "accepted" : "closed by the frame"; }

// Once the engine's dialog shows, `operate` acts on it as the operator, who then accepts it or closes its
// frame; `operated` tells that it ran.
template <class Dialog>
void operateThen(bool accept, bool& operated, std::function<void(Dialog*)> operate) {
    uitest::whenModalShows([accept, &operated, operate](QWidget* modal) {
        auto* dialog = shown<Dialog>(modal);
        ASSERT_NE(dialog, nullptr);
        operate(dialog);
        operated = true;
        if (accept) dialog->aceptar()->click();
        else modal->close();
    });
}

class LotsThroughTheEngine : public LotesySeriesFixture {
protected:
    void SetUp() override {
        LotesySeriesFixture::SetUp();
        dosLotes();
        grilla.setCols(92);
        engine.emplace();
    }

    uitest::QtDialogsInstalled dialogs;
    std::optional<ClsCmnCptes> engine;
    ui::FlexGrid grilla{"GrillaArticulos"};
};

TEST_F(LotsThroughTheEngine, EntryTypedAndAcceptedOrClosedByTheFrame) {
    bool lote = true;
    for (const bool accept : {true, false}) {
        SCOPED_TRACE(outcome(accept));
        bool typed = false;
        operateThen<FrmCargaLotesySeriesDialog>(accept, typed, [](FrmCargaLotesySeriesDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Números de Lote (Deposito: )");
            typeInto(dialog, 2, 2, "L2");
        });
        std::string series = "x", lotes = "y";
        engine->PideSerieLote(kArticulo, 2, "", "|L1|", series, lotes, nullptr, &lote);
        EXPECT_TRUE(typed);
        EXPECT_EQ(lotes, accept ? "|L1|L2|" : "|L1|");
        EXPECT_EQ(series, "");
    }
}

TEST_F(LotsThroughTheEngine, OutgoingTypedAndAcceptedOrClosedByTheFrame) {
    const std::string s = sep();
    for (const bool accept : {true, false}) {
        SCOPED_TRACE(outcome(accept));
        bool typed = false;
        operateThen<FrmCargaLotesySeriesDialog>(accept, typed, [](FrmCargaLotesySeriesDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Números de Lote (Deposito:    1)");
            // The earlier choice takes the 4 from L1; the operator takes 1 from L1 and 3 from L2 instead.
            typeInto(dialog, 1, 3, "1");
            typeInto(dialog, 2, 3, "3");
        });
        double cantidad = 4;
        std::string deposito = "1", lotes = "x", cantidades = "y";
        engine->PideSerieLote_Salidas(grilla, kArticulo, "Tornillo", cantidad, "|L1" + s + "|", "|4|", lotes,
                                      cantidades, true, false, false, &deposito);
        EXPECT_TRUE(typed);
        EXPECT_EQ(lotes, accept ? "|L1" + s + "|L2" + s + "|" + s + "|" : "|L1" + s + "|");
        EXPECT_EQ(cantidades, accept ? "|1|3|-|" : "|4|");
        EXPECT_EQ(cantidad, 4);
    }
}

TEST_F(LotsThroughTheEngine, ANegativeRequestOpensNothing) {
    bool opened = false;
    uitest::whenModalShows([&](QWidget* modal) {
        opened = true;
        modal->close();
    });
    prompter.expectMessage("La Cantidad debe estar entre 0 y 100000 unidades", ui::vbCritical, "Aviso al Operador",
                           ui::vbOK);
    std::string series = "x", lotes = "y";
    engine->PideSerieLote(kArticulo, -1, "|S1|", "|L1|", series, lotes);
    EXPECT_EQ(series, "|S1|");
    EXPECT_EQ(lotes, "|L1|");

    expectRefusal("La Cantidad no puede ser Menor a Cero");
    double cantidad = -2;
    std::string deposito = "1", salidas = "x", cantidades = "y";
    engine->PideSerieLote_Salidas(grilla, kArticulo, "", cantidad, "|L1" + sep() + "|", "|2|", salidas, cantidades,
                                  true, false, false, &deposito);
    EXPECT_EQ(salidas, "|L1" + sep() + "|");
    EXPECT_EQ(cantidades, "|2|");
    EXPECT_EQ(cantidad, -2);
    EXPECT_FALSE(opened);
}

class PositionsThroughTheEngine : public LoteyPosicionFixture {
protected:
    void SetUp() override {
        LoteyPosicionFixture::SetUp();
        cuatroEnDosPosicionesYElDeposito();
        engine.emplace();
    }

    uitest::QtDialogsInstalled dialogs;
    std::optional<ClsCmnCptes> engine;
};

TEST_F(PositionsThroughTheEngine, TypedAndAcceptedOrClosedByTheFrame) {
    for (const bool accept : {true, false}) {
        SCOPED_TRACE(outcome(accept));
        bool typed = false;
        operateThen<FrmLoteyPosicionDialog>(accept, typed, [](FrmLoteyPosicionDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Posiciones (Deposito: 1)");
            // The earlier choice is back in the grid; the operator moves it from B02 to A01.
            typeInto(dialog, 1, 4, "3");
            typeInto(dialog, 2, 4, "0");
        });
        double cantidad = 5;
        std::string posiciones = "x", lotes = "y";
        engine->PidePosicionLote(kArticulo, "U", cantidad, kDeposito, "|B02*3|*2|", "", posiciones, lotes);
        EXPECT_TRUE(typed);
        EXPECT_EQ(posiciones, accept ? "|A01*3|*2|" : "|B02*3|*2|");
        EXPECT_EQ(lotes, "");
        EXPECT_EQ(cantidad, 5);
    }
}

TEST_F(PositionsThroughTheEngine, ANegativeRequestOpensNothing) {
    bool opened = false;
    uitest::whenModalShows([&](QWidget* modal) {
        opened = true;
        modal->close();
    });
    expectRefusal("La Cantidad no puede ser Menor a Cero");
    double cantidad = -3;
    std::string posiciones = "x", lotes = "y";
    engine->PidePosicionLote(kArticulo, "U", cantidad, kDeposito, "|A01*1|", "", posiciones, lotes);
    EXPECT_EQ(posiciones, "|A01*1|");
    EXPECT_EQ(lotes, "");
    EXPECT_EQ(cantidad, -3);
    EXPECT_FALSE(opened);
}

// The refusal of a quantity above what a position holds comes as a box this case does not expect: the case
// fails with the box's text, the dialog is closed as its frame would close it, and the case goes on.
TEST_F(PositionsThroughTheEngine, AnUnexpectedBoxFailsTheCaseWithItsText) {
    ui::ScriptedPrompter expectsNoBox;
    setProgramPrompter(&expectsNoBox);
    uitest::whenModalShows([&](QWidget* modal) {
        if (auto* dialog = shown<FrmLoteyPosicionDialog>(modal)) typeInto(dialog, 1, 4, "9");
    });
    double cantidad = 5;
    std::string posiciones = "x", lotes = "y";
    EXPECT_NONFATAL_FAILURE(
        engine->PidePosicionLote(kArticulo, "U", cantidad, kDeposito, "|B02*1|", "", posiciones, lotes),
        "\"No hay disponible para esa posicion\"");
    setProgramPrompter(&prompter);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(posiciones, "|B02*1|");
}

}  // namespace
