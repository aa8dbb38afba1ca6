// Voucher letters, shared numbering, a type's accounting data and the stored-voucher test.

#include "numbering/VoucherTypes.h"
#include "tests/numbering/NumberingFixture.h"
#include "tests/support/Failures.h"

namespace {

TEST(VoucherLetters, FollowTheIvaConditionsOfCompanyAndCustomer)
{
    struct Case { std::string empresa, cliente, letra; };
    const Case cases[] = {
        {"1", "1", "A"}, {"1", "7", "B"}, {"2", "1", "C"}, {"2", "7", "C"}, {"", "1", "C"},
        {"01", "3", "B"}, {"1", "", "A"}, {"1", "2", "A"}, {"1 - RI", "04 CF", "B"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ObtieneLetraComprobante(c.empresa, c.cliente), c.letra) << c.empresa << " / " << c.cliente;
}

class VoucherTypes : public NumberingFixture {};

TEST_F(VoucherTypes, SharedNumberingFollowsTheSettingsOfTheInvoicingTypes)
{
    struct Case { std::string tc, equivalente; };
    const Case unset[] = {{"FC", ""}, {"fc ", ""}, {"GF", "GF"}, {" cbfp", "cbfp"}, {"IR", ""}, {"", ""}};
    for (const Case& c : unset) EXPECT_EQ(ObtieneTCEquivalente(c.tc), c.equivalente) << "'" << c.tc << "'";

    exec("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('EQU_FC', '  FA ')");
    exec("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('EQU_TKFC', 'TK')");
    const Case set[] = {{"FC", "FA"}, {"fc ", "FA"}, {"TKFC", "TK"}, {"NC", ""}, {"GF", "GF"}, {"IR", ""}};
    for (const Case& c : set) EXPECT_EQ(ObtieneTCEquivalente(c.tc), c.equivalente) << "'" << c.tc << "'";
}

TEST_F(VoucherTypes, TypeDataComesFromTheBookletsElseFromTheTypeTableAndNullsReadAsEmpty)
{
    exec("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, DEBEHABER, ES) VALUES ('  FC', 1, 'VENTAS', 'D', 'S')");
    exec("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, DEBEHABER, ES) VALUES ('  NC', 1, NULL, NULL, 'E')");
    exec("INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, [DEBE-HABER], ES) VALUES ('  RC', 'Contable', 'H', 'E')");
    exec("INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, [DEBE-HABER], ES) VALUES ('  FC', 'OTRO', 'H', 'E')");

    struct Case { std::string tc, sistema, debeHaber, es; };
    const Case cases[] = {
        {"FC", "VENTAS", "D", "S"},       // the booklets win over the type table
        {" fc ", "VENTAS", "D", "S"},
        {"NC", "", "", "E"},              // Nulls
        {"RC", "Contable", "H", "E"},     // only in the type table
        {"ZZ", "antes", "antes", "antes"} // in neither: the outputs keep their values
    };
    for (const Case& c : cases) {
        std::string sistema = "antes", debeHaber = "antes", es = "antes";
        ObtieneDatosTipoComprobante(c.tc, sistema, debeHaber, es);
        EXPECT_EQ(sistema, c.sistema) << c.tc;
        EXPECT_EQ(debeHaber, c.debeHaber) << c.tc;
        EXPECT_EQ(es, c.es) << c.tc;
    }
}

TEST_F(VoucherTypes, TypeDataWithoutItsTablesRaisesForTheCallersTreatment)
{
    exec("DROP TABLE TA_COMPROBANTES");
    std::string sistema, debeHaber, es;
    EXPECT_NE(testing_support::errorNumberOf([&] { ObtieneDatosTipoComprobante("RC", sistema, debeHaber, es); }), 0);
}

TEST_F(VoucherTypes, AStoredVoucherIsFoundByItsPaddedTypeAndItsIdKeepsItsApostrophe)
{
    exec("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '000100000001X')");
    exec("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '0001''0000002X')");
    EXPECT_TRUE(ExisteComprobante("OC", "000100000001X"));
    EXPECT_TRUE(ExisteComprobante("  OC", "000100000001X"));
    EXPECT_TRUE(ExisteComprobante("oc ", "000100000001X"));
    EXPECT_TRUE(ExisteComprobante("OC", "0001'0000002X"));
    EXPECT_FALSE(ExisteComprobante("OC", "000100000009X"));
    EXPECT_FALSE(ExisteComprobante("IR", "000100000001X"));
}

TEST_F(VoucherTypes, AGivenRecordsetIsClosedReopenedAndLeftOpenOnTheAnswer)
{
    exec("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, CUENTA) VALUES ('  OC', '000100000001X', '2110101007')");
    db::Recordset rs;
    std::string other = "SELECT * FROM TA_CONFIGURACION";
    gDB_Dll().AbrirRecordset(other, rs);
    ASSERT_EQ(rs.state(), db::kStateOpen);

    EXPECT_TRUE(ExisteComprobante("OC", "000100000001X", &rs));
    ASSERT_EQ(rs.state(), db::kStateOpen);
    EXPECT_EQ(rs["CUENTA"].value().toText(), "2110101007");

    EXPECT_FALSE(ExisteComprobante("OC", "000100000002X", &rs));
    EXPECT_EQ(rs.state(), db::kStateOpen);
    EXPECT_TRUE(rs.eof());
}

TEST_F(VoucherTypes, AFailedLookupAsksTheOperatorLogsAndAnswersFalse)
{
    exec("DROP VIEW C_MV_CPTE");
    prompter.expectMessage(ui::startsWith(""), ui::vbAbortRetryIgnore | ui::vbCritical, "Aviso al Operador", ui::vbRetry);
    prompter.expectMessage(ui::startsWith(""), ui::vbAbortRetryIgnore | ui::vbCritical, "Aviso al Operador", ui::vbAbort);
    EXPECT_FALSE(ExisteComprobante("OC", "000100000001X"));
    EXPECT_NE(errorLog().find("Rutina: ExisteComprobante"), std::string::npos) << errorLog();
    EXPECT_NE(errorLog().find("Abortar"), std::string::npos);
}

}  // namespace
