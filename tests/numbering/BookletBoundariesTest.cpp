// The ends of a booklet's range: its first and last numbers belong to it, however close the next booklet
// starts, and a number already used is never proposed again.

#include "numbering/NumberingBooklets.h"
#include "tests/numbering/NumberingFixture.h"

namespace {

class BookletBoundaries : public NumberingFixture {};

// Two booklets of one type, branch and letter, the second starting right after the first.
TEST_F(BookletBoundaries, TheFirstAndLastNumbersOfARangeAreAcceptedAndRecordedAgainstTheirOwnBooklet)
{
    talonario({.codigo = "  RB", .talonario = 1, .desde = 1, .hasta = 100, .ultimo = 0});
    talonario({.codigo = "  RB", .talonario = 2, .desde = 101, .hasta = 200, .ultimo = 0});
    struct Case {
        int usado, talonario;
    };
    const Case cases[] = {{1, 1}, {100, 1}, {101, 2}, {200, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.usado);
        exec("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 0 WHERE CODIGO = '  RB'");
        exec("DELETE FROM V_MV_CTROL_CPTE");
        const std::string nro = fmt::format("{:08}", c.usado);
        std::string letra = "X", mensaje = "antes";
        EXPECT_TRUE(ValidaNumeroComprobante("RB", "0001", nro, letra, mensaje, ""));
        EXPECT_EQ(mensaje, "");
        EXPECT_EQ(TalonarioActual("RB"), c.talonario);

        std::string texto;
        ASSERT_TRUE(GrabaNumeroComprobante("RB", "STOCK", "0001", " " + std::to_string(c.usado + 1), letra, true, texto, true));
        runBatch(texto);
        const int otro = c.talonario == 1 ? 2 : 1;
        EXPECT_EQ(siguiente("  RB", c.talonario), std::to_string(c.usado + 1));
        EXPECT_EQ(siguiente("  RB", otro), "0");
        EXPECT_EQ(controles("  RB"), (Rows{{"0001", nro, "X"}}));
    }
}

// The booklet's next number is the highest the type has already stored: the one after it is proposed.
TEST_F(BookletBoundaries, ANumberEqualToTheHighestAlreadyUsedIsNotHandedOutAgain)
{
    talonario({.codigo = "  VJ", .ultimo = 9});
    for (const char* id : {"000100000003X", "000100000009X"})
        exec(fmt::format("INSERT INTO MV_VIAJES (TC, IDCOMPROBANTE) VALUES ('  VJ', '{}')", id));
    talonario({.codigo = "  OC", .hasta = 500, .ultimo = 4});
    for (const char* numero : {"00000003", "00000004"})
        exec(fmt::format("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, SUCURSAL, NUMERO, LETRA) "
                         "VALUES ('  OC', '0001{0}X', '0001', '{0}', 'X')",
                         numero));
    talonario({.codigo = "  PE", .ultimo = 11});
    talonario({.codigo = "CBFP", .ultimo = 2});
    for (const char* line : {"'  PE', '0001', '00000008'", "'  PE', '0001', '00000011'", "'CBFP', '0001', '00000002'"})
        exec(fmt::format("INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA) VALUES ({}, 'X')", line));
    exec("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('CBFP', '000100000003X')");

    struct Case {
        std::string tc, nro;
    };
    const Case cases[] = {
        {"VJ", "00000010"},    // the highest trip
        {"OC", "00000005"},    // the highest order
        {"PE", "00000012"},    // the highest entry
        {"CBFP", "00000004"},  // an entry, then the highest voucher
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tc);
        std::string suc, nro, letra = "X";
        bool modifica = false;
        ASSERT_TRUE(Obtener_Nro_Comprobante(c.tc, suc, nro, letra, modifica, true, "", ""));
        EXPECT_EQ(suc + nro + letra, "0001" + c.nro + "X");
    }
}

}  // namespace
