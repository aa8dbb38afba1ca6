// The direction a voucher type moves stock and the VAT book in.

#include "tests/stock/StockFixture.h"

namespace {

class VoucherSign : public StockFixture {
protected:
    void SetUp() override
    {
        StockFixture::SetUp();
        // (code, ES, SIGNO); a second booklet of a type must not change its sign.
        execute({
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  RC', 1, 'E', NULL)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  RC', 2, 'E', NULL)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  DV', 1, 'e', NULL)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  VT', 1, 'S', NULL)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  IR', 1, NULL, NULL)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  RM', 1, NULL, NULL)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  OC', 1, NULL, NULL)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  OP', 1, 'X', NULL)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  PE', 1, NULL, NULL)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  NC', 1, NULL, NULL)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  ND', 1, NULL, -1)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  FC', 1, 'S', 1)",
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, ES, SIGNO) VALUES ('  XX', 1, NULL, NULL)",
        });
    }
};

TEST_F(VoucherSign, ComesFromTheTypeOrElseFromTheFixedLists)
{
    struct Case {
        const char* tc;
        int stock;
        int vatBook;
    } const cases[] = {
        {"RC", 1, 1},      // ES "E"
        {"DV", 1, 1},      // ES "e"
        {"VT", -1, 1},     // ES "S"
        {"IR", 1, 1},      // ES Null: the lists
        {"RM", -1, 1},     // an exit for stock, unlisted for the VAT book
        {"OC", 0, 1},
        {"OP", 0, 1},      // ES neither "E" nor "S"
        {"PE", 0, 1},
        {"NC", 1, -1},
        {"ND", -1, -1},    // a stored SIGNO outweighs the VAT list
        {"FC", -1, 1},
        {"XX", 0, 1},      // unlisted
        {"  IR", 1, 1},    // as read back from a padded column
        {"ir", 1, 1},
        {"IR  ", 1, 1},
        {"  nc", 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("TC \"") + c.tc + "\"");
        EXPECT_EQ(engine->ObtieneSignoComprobante(c.tc), c.stock);
        EXPECT_EQ(engine->ObtieneSignoComprobante(c.tc, true), c.vatBook);
    }
}

TEST_F(VoucherSign, AnUnknownTypeIsToldAndLoggedAndGivesZero)
{
    const std::string missing = "El Tipo de Comprobante informado no existe en la tabla de comprobantes";
    prompter.expectMessage(missing, ui::vbOKOnly | ui::vbCritical, "Aviso al operador!!!", ui::vbOK);
    prompter.expectMessage(missing, ui::vbOKOnly | ui::vbCritical, "Aviso al operador!!!", ui::vbOK);

    EXPECT_EQ(engine->ObtieneSignoComprobante("ZZ"), 0);
    EXPECT_EQ(engine->ObtieneSignoComprobante("O'K", true), 0);
    EXPECT_NE(errorLog().find("ObtieneSignoComprobante% Mensaje " + missing + ": 'ZZ'"), std::string::npos) << errorLog();
    EXPECT_NE(errorLog().find(": 'O'K'"), std::string::npos) << errorLog();
}

TEST_F(VoucherSign, AFailingReadGoesToTheErrorTreatment)
{
    execute({"DROP TABLE V_TA_CPTE"});
    expectErrorTreatment("Recordset", "ObtieneSignoComprobante%");

    EXPECT_EQ(engine->ObtieneSignoComprobante("IR"), 0);
}

}  // namespace
