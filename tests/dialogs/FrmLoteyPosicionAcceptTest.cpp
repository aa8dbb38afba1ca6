// The proposal, the checks of a typed quantity and the lists the accept hands back.

#include "tests/dialogs/LoteyPosicionForms.h"

namespace {

class LoteyPosicionAccept : public LoteyPosicionFixture {
protected:
    void tresPosiciones(double a, double b, double c) {
        posicion("A01", 1);
        posicion("B02", 2);
        posicion("C03", 3);
        saldo("A01", "", "U", a);
        saldo("B02", "", "U", b);
        if (c > 0) saldo("C03", "", "U", c);
    }
    static constexpr const char* kMenor = "La suma de cantidades informadas es Menor a la cantidad solicitada ";
    static constexpr const char* kSupera =
        "La suma de las cantidades Informadas, supera a la solicitada en el Formulario de Carga de Datos\r\n"
        "¿Desea Ajustar la Cantidad Solicitada en el Formulario?";
};

TEST_F(LoteyPosicionAccept, ProposalSpreadsTheRequestInGridOrder) {
    struct Case {
        std::vector<double> disponibles;
        double pedido;
        std::vector<std::string> esperado;
    };
    const std::vector<Case> cases = {
        {{4, 4, 5}, 10, {"4", "4", "2"}},
        {{4, 3}, 10, {"4", "3"}},
        {{3}, 10, {"10"}},
    };
    for (const Case& c : cases) {
        execute("DELETE FROM AC_SaldosLayout");
        execute("DELETE FROM MA_POSICIONES");
        tresPosiciones(c.disponibles[0], c.disponibles.size() > 1 ? c.disponibles[1] : 0,
                       c.disponibles.size() > 2 ? c.disponibles[2] : 0);
        auto f = dialogo(c.pedido, false);
        EXPECT_EQ(cantidades(*f), c.esperado) << c.pedido;
    }
}

TEST_F(LoteyPosicionAccept, ANegativeWarehouseRowIsGivenNothing) {
    posicion("A01", 1);
    saldo("A01", "", "U", 4);
    saldo("", "", "U", -3);
    auto f = dialogo(10, false);
    EXPECT_EQ(cantidades(*f), (std::vector<std::string>{"4", "0"}));
    f->Toolbar1_ButtonClick(3);
    EXPECT_EQ(cantidades(*f), (std::vector<std::string>{"4", "0"}));
    EXPECT_EQ(f->MSFlexGrid1.row(), 2);
}

TEST_F(LoteyPosicionAccept, TypedQuantitiesAreChecked) {
    posicion("A01", 1);
    saldo("A01", "", "U", 2.5);
    saldo("", "", "U", 1);
    auto f = dialogo(2.5, false);
    struct Case {
        std::string texto;
        const char* mensaje;
    };
    for (const Case& c : {Case{"-1", "La Cantidad no puede ser Menor a Cero"},
                          Case{"2.6", "No hay disponible para esa posicion"},
                          Case{"-", "No hay disponible para esa posicion"}, Case{"", nullptr}, Case{"2.5", nullptr}}) {
        if (c.mensaje) expectRefusal(c.mensaje);
        cant(*f, 1, c.texto);
        EXPECT_EQ(f->errorEnCampo(), c.mensaje != nullptr) << c.texto;
        EXPECT_EQ(f->TxtEdit.visible, c.mensaje != nullptr) << c.texto;
        if (c.mensaje) {
            f->EditKeyCode(27);
        } else {
            EXPECT_EQ(f->MSFlexGrid1.textMatrix(1, 4), c.texto);
        }
    }
}

TEST_F(LoteyPosicionAccept, AcceptBuildsTheListsFromRowsWithAQuantity) {
    tresPosiciones(9, 9, 9);
    saldo("", "", "U", 9);
    auto f = dialogo(6, false);
    cant(*f, 1, "5");
    cant(*f, 2, "0.0");
    cant(*f, 3, "");
    cant(*f, 4, "1");
    f->CmdAceptar_Click();
    ASSERT_TRUE(f->accepted());
    EXPECT_EQ(f->Posiciones, "|A01*5|*1|");
    EXPECT_EQ(f->Lotes, "");
}

TEST_F(LoteyPosicionAccept, TheLastPositionRowKeepsItsPositionWithoutAWarehouseRow) {
    tresPosiciones(9, 9, 0);
    auto f = dialogo(4, false);
    cant(*f, 1, "0");
    cant(*f, 2, "4");
    f->CmdAceptar_Click();
    EXPECT_EQ(f->Posiciones, "|B02*4|");
}

TEST_F(LoteyPosicionAccept, LotModeBuildsBothLists) {
    posicion("A01", 1);
    saldo("A01", "L1", "U", 4);
    saldo("A01", "L2", "U", 4);
    saldo("", "", "U", 4);
    auto f = dialogo(6, true);
    EXPECT_EQ(cantidades(*f), (std::vector<std::string>{"4", "2", "0"}));
    f->CmdAceptar_Click();
    EXPECT_EQ(f->Posiciones, "|A01*4|A01*2|");
    EXPECT_EQ(f->Lotes, "|L1|L2|");
}

TEST_F(LoteyPosicionAccept, AShortTotalIsRefusedAndATotalAboveIsAsked) {
    tresPosiciones(4, 3, 0);
    auto f = dialogo(10, false);
    prompter.expectMessage(kMenor, ui::vbInformation, "Aviso al Operador!!!", ui::vbOK);
    f->CmdAceptar_Click();
    EXPECT_FALSE(f->hidden());
    for (const int answer : {ui::vbNo, ui::vbYes}) {
        f->Cantidad1 = 5;
        prompter.expectMessage(kSupera, ui::vbYesNo | ui::vbQuestion, "Aviso al Operador!!!", answer);
        if (answer == ui::vbNo)
            prompter.expectMessage("Debe Ajustar la suma de las cantidades a :5", ui::vbCritical, "Aviso al Operador",
                                   ui::vbOK);
        f->CmdAceptar_Click();
        EXPECT_EQ(f->hidden(), answer == ui::vbYes);
        EXPECT_EQ(f->Cantidad1, answer == ui::vbYes ? 7 : 5);
        EXPECT_EQ(f->Posiciones.empty(), answer == ui::vbNo);
    }
}

TEST_F(LoteyPosicionAccept, EnterOnTheLastQuantityMovesToAccept) {
    tresPosiciones(9, 9, 0);
    auto f = dialogo(4, false);
    go(*f, 2, 3);
    f->MSFlexGrid1_KeyPress('7');
    EXPECT_FALSE(f->TxtEdit.visible);
    cant(*f, 1, "1");
    EXPECT_EQ(f->MSFlexGrid1.row(), 2);
    cant(*f, 2, "3");
    EXPECT_EQ(f->focus(), FrmLoteyPosicion::Focus::Aceptar);
}

}  // namespace
