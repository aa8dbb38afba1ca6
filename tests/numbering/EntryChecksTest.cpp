// Accounting-entry questions: a voucher's entry, registration types, the next entry number, customer lines.

#include "numbering/EntryChecks.h"
#include "platform/base/Text.h"
#include "tests/numbering/NumberingFixture.h"

namespace {

class Entries : public NumberingFixture {
protected:
    void line(const std::string& tc, const std::string& numero, const std::string& cuenta, const std::string& mes,
              const std::string& asiento, const std::string& tipo = "  01", const std::string& periodo = "1")
    {
        exec(fmt::format("INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, CUENTA, MES_OPERATIVO, "
                         "[NUMERO ASIENTO], TIPO_REG, PERIODO) VALUES ('{}', '0001', '{}', 'X', '{}', {}, {}, {}, {})",
                         tc, numero, cuenta, mes, asiento, gDB_Dll().SQLValue(tipo), periodo));
    }
};

TEST_F(Entries, AVouchersEntryIsFoundByItsKeyWithItsReference)
{
    line("  IR", "00000005", "1140101001", "3", "125");
    line("  IR", "00000005", "5110101", "3", "125");
    line("  OC", "00000003", "5110101", "3", "7");
    line("  RM", "00000001", "5110101", "NULL", "NULL");

    struct Case { std::string tc, suc, nro, cuenta; bool found; std::string asiento; };
    const Case cases[] = {
        {"IR", "0001", "00000005", "", true, "03 - 000125"},
        {" ir ", "0001", "00000005", "5110101", true, "03 - 000125"},
        {"IR", "0001", "00000005", "9999", false, "antes"},
        {"IR", "0001", "00000006", "", false, "antes"},
        {"IR", "1", "00000005", "", false, "antes"},  // the branch goes in as it is given
        {"OC", "0001", "00000003", "", false, "antes"},  // orders have no entries, whatever is stored
        {"oc", "0001", "00000003", "", false, "antes"},
        {"RM", "0001", "00000001", "", true, " - "},
        {"IR", "0001", "0000'005", "O'Hara", false, "antes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tc + " " + c.suc + " " + c.nro + " " + c.cuenta);
        std::string asiento = "antes";
        EXPECT_EQ(ExisteAsientoComprobante(c.tc, c.suc, c.nro, "X", asiento, c.cuenta), c.found);
        EXPECT_EQ(asiento, c.asiento);
    }
}

TEST_F(Entries, TheRegistrationTypeIsTheListedSubJournalOrFourBlanks)
{
    exec("INSERT INTO MA_SUBDIARIOS (CODIGO) VALUES ('  01')");
    exec("INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, SUBDIARIO) VALUES ('  IR', '  01')");
    exec("INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, SUBDIARIO) VALUES ('  RM', '  09')");
    struct Case { std::string tc, tipo; };
    const Case cases[] = {{"IR", "  01"}, {" ir ", "  01"}, {"RM", "    "}, {"FC", "    "}, {"O'", "    "}};
    for (const Case& c : cases) EXPECT_EQ(ObtieneTipoRegCont(c.tc), c.tipo) << c.tc;

    exec("DROP TABLE MA_SUBDIARIOS");
    expectTreatment("", "ObtieneTipoRegCont$", ui::vbAbort, "Recordset");
    EXPECT_EQ(ObtieneTipoRegCont("IR"), "");
}

TEST_F(Entries, EntryNumbersRunPerMonthPeriodAndRegistrationType)
{
    for (int numero = 1; numero <= 41; ++numero) line("  IR", "00000001", "5110101", "3", std::to_string(numero));
    line("  IR", "00000002", "5110101", "3", "5", "    ");
    line("  IR", "00000003", "5110101", "3", "9", base::characterOfCode(255) + "RS");
    line("  IR", "00000004", "5110101", "4", "100");
    line("  IR", "00000005", "5110101", "3", "200", "  01", "2");
    line("  IR", "00000006", "5110101", "3", "300", "  02");

    struct Case { base::Value mes, periodo; std::string tipo; std::int32_t siguiente; };
    const Case cases[] = {
        {3, 1, "01", 42},          {3, " 1", "01", 42},  {"3", 1, " 01 ", 42}, {" 3 ", 1.0, "01", 42},
        {3, 1, "", 10},            // the blank type and the reserved one are one series
        {3, 1, "  ", 10},          {5, 1, "01", 1},      {4, 1, "01", 101},   {3, 2, "01", 201},
        {3, 1, "02", 301},         {3, 1, "03", 1},      {3, 0, "01", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ObtieneNroAsiento(c.mes, c.periodo, c.tipo), c.siguiente)
            << c.mes.toText() << " " << c.periodo.toText() << " '" << c.tipo << "'";

    // Read anew every time: a line written meanwhile counts.
    line("  IR", "00000007", "5110101", "3", "42");
    EXPECT_EQ(ObtieneNroAsiento(3, 1, "01"), 43);
}

TEST_F(Entries, ARegistrationTypeIsOneSeriesWhateverBlanksItWasStoredWith)
{
    line("  IR", "00000001", "5110101", "3", "7", "01");
    line("  IR", "00000002", "5110101", "3", "8", " 01");
    line("  IR", "00000003", "5110101", "3", "9", "  01");
    line("  IR", "00000004", "5110101", "3", "20", "  1");  // another type: "1" is not "01"
    line("  IR", "00000005", "5110101", "3", "30", " " + base::characterOfCode(255) + "RS");
    line("  IR", "00000006", "5110101", "3", "31", "");
    EXPECT_EQ(ObtieneNroAsiento(3, 1, "01"), 10);
    EXPECT_EQ(ObtieneNroAsiento(3, 1, " 01"), 10);
    EXPECT_EQ(ObtieneNroAsiento(3, 1, "1"), 21);
    EXPECT_EQ(ObtieneNroAsiento(3, 1, ""), 32);
}

TEST_F(Entries, AMonthOrPeriodThatIsNoNumberAndAMissingTableAnswerZero)
{
    const base::Value bad[][2] = {{"marzo", 1}, {3, "1; DROP TABLE MV_ASIENTOS"}, {base::Value::null(), 1}, {3.5, 1}};
    for (const auto& pair : bad) {
        expectTreatment("(50004)", "ObtieneNroAsiento", ui::vbAbort);
        EXPECT_EQ(ObtieneNroAsiento(pair[0], pair[1], "01"), 0);
    }
    EXPECT_EQ(ObtieneNroAsiento(3, 1, "01"), 1);

    exec("DROP VIEW SS_MV_ASIENTOS");
    exec("DROP TABLE MV_ASIENTOS");
    expectTreatment("", "ObtieneNroAsiento", ui::vbAbort, "Recordset");
    EXPECT_EQ(ObtieneNroAsiento(3, 1, "01"), 0);
}

TEST_F(Entries, AUserWhoIsNoAdministratorReadsEntriesThroughHisSynonymButNumbersFromTheTable)
{
    line("  IR", "00000005", "5110101", "3", "125");
    gDB_Dll().gEsAdmin = false;
    std::string asiento;
    EXPECT_TRUE(ExisteAsientoComprobante("IR", "0001", "00000005", "X", asiento));
    exec("DROP VIEW SS_MV_ASIENTOS");
    EXPECT_THROW(ExisteAsientoComprobante("IR", "0001", "00000005", "X", asiento), base::Error);
    EXPECT_EQ(ObtieneNroAsiento(3, 1, "01"), 126);
}

TEST_F(Entries, ACustomerLineIsOneOnAnAccountOfViewCL)
{
    exec("INSERT INTO MA_CUENTAS (CODIGO, TIPOVISTA) VALUES ('1140101001', 'CL')");
    exec("INSERT INTO MA_CUENTAS (CODIGO, TIPOVISTA) VALUES ('2110101001', 'PR')");
    exec("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('5110101')");
    line("  CC", "00000005", "1140101001", "3", "1");
    line("  CC", "00000005", "5110101", "3", "1");
    line("  SA", "00000006", "2110101001", "3", "2");
    line("  SA", "00000006", "5110101", "3", "2");

    EXPECT_TRUE(ExisteAsientoCliente("CC", "0001", "00000005", "X"));
    EXPECT_TRUE(ExisteAsientoCliente(" cc ", " 0001 ", "00000005", "X"));
    EXPECT_FALSE(ExisteAsientoCliente("SA", "0001", "00000006", "X"));
    EXPECT_FALSE(ExisteAsientoCliente("CC", "0001", "00000006", "X"));
    EXPECT_FALSE(ExisteAsientoCliente("CC", "0001", "0000'005", "X"));
}

TEST_F(Entries, ACustomerLineOfTheAskingTasksOwnOnItsAccountDoesNotCount)
{
    exec("INSERT INTO MA_CUENTAS (CODIGO, TIPOVISTA) VALUES ('1140101001', 'CL')");
    exec("INSERT INTO MA_CUENTAS (CODIGO, TIPOVISTA) VALUES ('1140101002', 'CL')");
    const auto marked = [this](const std::string& numero, const std::string& cuenta, const std::string& transmision) {
        line("  FC", numero, cuenta, "7", "1");
        exec(fmt::format("UPDATE MV_ASIENTOS SET TRANSMISION = {} WHERE NUMERO = '{}'", transmision, numero));
    };
    marked("00000001", "1140101001", "4");
    marked("00000002", "1140101001", "NULL");
    marked("00000003", "1140101001", "1");
    marked("00000004", "1140101002", "4");

    struct Case { std::string nro; bool found; };
    const Case cases[] = {
        {"00000001", false},  // the task's own, on the account it asks for
        {"00000002", true},   // no mark: the ERP's
        {"00000003", true},   // another task's
        {"00000004", true},   // the task's own, on another customer's account
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExisteAsientoCliente("FC", "0001", c.nro, "X", "1140101001", 4), c.found) << c.nro;
        EXPECT_TRUE(ExisteAsientoCliente("FC", "0001", c.nro, "X")) << c.nro;
    }
}

}  // namespace
