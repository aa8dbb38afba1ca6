// The engine's operation that asks for positions and lots, through the scripted dialogs.

#include "stock/ClsCmnCptes.h"
#include "tests/dialogs/LoteyPosicionForms.h"
#include "tests/dialogs/ScriptedVoucherDialogs.h"

#include <optional>

namespace {

class PidePosicionLoteTest : public LoteyPosicionFixture {
protected:
    void SetUp() override {
        LoteyPosicionFixture::SetUp();
        cuatroEnDosPosicionesYElDeposito();
        engine.emplace();
    }
    ScriptedVoucherDialogs dialogs;
    std::optional<ClsCmnCptes> engine;
};

TEST_F(PidePosicionLoteTest, AQuantityOfZeroOpensNothing) {
    double cantidad = 0;
    std::string posiciones = "x", lotes = "y";
    engine->PidePosicionLote(kArticulo, "U", cantidad, kDeposito, "|A01*1|", "|L|", posiciones, lotes);
    EXPECT_EQ(dialogs.loteyPosicionShown, 0);
    EXPECT_EQ(posiciones, "");
    EXPECT_EQ(lotes, "");
}

TEST_F(PidePosicionLoteTest, ANegativeQuantityIsToldAndHandsTheEarlierListsBack) {
    expectRefusal("La Cantidad no puede ser Menor a Cero");
    double cantidad = -3;
    std::string posiciones = "x", lotes = "y";
    engine->PidePosicionLote(kArticulo, "U", cantidad, kDeposito, "|A01*1|", "|L|", posiciones, lotes, true, true);
    EXPECT_EQ(dialogs.loteyPosicionShown, 0);
    EXPECT_EQ(posiciones, "|A01*1|");
    EXPECT_EQ(lotes, "|L|");
    EXPECT_EQ(cantidad, -3);
}

TEST_F(PidePosicionLoteTest, TheDefaultsProposeInPositionModeAndHandBackTheTotal) {
    dialogs.onLoteyPosicion = [&](FrmLoteyPosicion& f) {
        EXPECT_TRUE(f.EsPosicion);
        EXPECT_FALSE(f.EsLote);
        EXPECT_EQ(f.lblArticulo.caption, kArticulo);
        EXPECT_EQ(cantidades(f), (std::vector<std::string>{"4", "2", "0"}));
        cant(f, 3, "3");
        prompter.expectMessage(ui::startsWith("La suma de las cantidades Informadas, supera"),
                               ui::vbYesNo | ui::vbQuestion, "Aviso al Operador!!!", ui::vbYes);
        f.CmdAceptar_Click();
    };
    double cantidad = 6;
    std::string posiciones, lotes = "y";
    engine->PidePosicionLote(kArticulo, "U", cantidad, kDeposito, "", "", posiciones, lotes);
    EXPECT_EQ(posiciones, "|A01*4|B02*2|*3|");
    EXPECT_EQ(lotes, "");
    EXPECT_EQ(cantidad, 9);
}

TEST_F(PidePosicionLoteTest, EarlierListsAreRestoredAndCancelOrCloseHandsThemBack) {
    dialogs.onLoteyPosicion = [&](FrmLoteyPosicion& f) {
        EXPECT_EQ(cantidades(f), (std::vector<std::string>{"", "1", "2"}));
        cant(f, 1, "3");
        if (dialogs.loteyPosicionShown == 1) f.CmdCancelar_Click();  // the second is closed by its frame
    };
    for (int vez = 0; vez < 2; ++vez) {
        double cantidad = 3;
        std::string posiciones, lotes;
        engine->PidePosicionLote(kArticulo, "U", cantidad, kDeposito, "|B02*1|*2|", "", posiciones, lotes);
        EXPECT_EQ(posiciones, "|B02*1|*2|");
        EXPECT_EQ(lotes, "");
        EXPECT_EQ(cantidad, 3);
    }
    EXPECT_EQ(dialogs.loteyPosicionShown, 2);
}

TEST_F(PidePosicionLoteTest, TwoCallsInARowEachSeeAFreshDialog) {
    dialogs.onLoteyPosicion = [&](FrmLoteyPosicion& f) {
        EXPECT_TRUE(f.Posiciones.empty());
        EXPECT_EQ(f.EsLote, dialogs.loteyPosicionShown == 1);
        f.CmdAceptar_Click();
    };
    double cantidad = 2;
    std::string posiciones, lotes;
    engine->PidePosicionLote(kArticulo, "U", cantidad, kDeposito, "", "", posiciones, lotes, true, true);
    EXPECT_EQ(posiciones, "|A01*2|");
    EXPECT_EQ(lotes, "||");
    engine->PidePosicionLote(kArticulo, "U", cantidad, kDeposito, "", "", posiciones, lotes);
    EXPECT_EQ(posiciones, "|A01*2|");
    EXPECT_EQ(lotes, "");
}

TEST_F(PidePosicionLoteTest, LotModeAloneHandsBackTheEarlierLists) {
    dialogs.onLoteyPosicion = [&](FrmLoteyPosicion& f) { f.CmdAceptar_Click(); };
    double cantidad = 2;
    std::string posiciones, lotes;
    engine->PidePosicionLote(kArticulo, "U", cantidad, kDeposito, "|A01*2|", "|L1|", posiciones, lotes, false, true);
    EXPECT_EQ(posiciones, "|A01*2|");
    EXPECT_EQ(lotes, "|L1|");
}

}  // namespace
