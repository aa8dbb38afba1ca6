// Legacy customers into MA_CUENTASADIC: every column of a table of legacy records, the codes the task
// leaves out, a second run (credit limits kept), two customers that give one account, Cancel, and a folder
// without FCLIENTE.

#include "tests/importer/AccountImportFixture.h"

namespace {

using namespace testing_support;

using Case = AccountCase;

std::vector<Case> cases()
{
    return {
        {"the last code of the range, VAT 05, sellers and conditions",
         customer("004999", {{"CTRI_FCL", text("05")}, {"VEN2_FCL", text("12")}, {"TVT1_FCL", text("30")},
                             {"TVT5_FCL", text("60")}, {"RAMO_FCL", text("07")}}),
         "11401014999",
         {{"IVA", "   5"}, {"IDVENDEDOR1", "   1"}, {"IDVENDEDOR2", "  12"}, {"IDVENDEDOR3", "    "},
          {"idCond_Cpra_Vta_Vdor1", "  30"}, {"idCond_Cpra_Vta_Vdor2", "    "}, {"idCond_Cpra_Vta_Vdor5", "  60"},
          {"IDCATEGORIA", "  07"}, {"PROVINCIA", "  23"}, {"LOCALIDAD", "Comodoro Rivadavia"},
          {"NUMERO_DOCUMENTO", "30-71234567-8"}, {"CPOSTAL", "9000"}, {"CONTACTO", "Ferretería El Tornillo"},
          {"CALLE", "San Martín 1250"}, {"TELEFONO", "0297 446-2210"}}},
        {"leading zeros, VAT 03, apostrophes in the name and in the city",
         customer("000123", {{"CTRI_FCL", text("03")}, {"NFAN_FCL", text("O'Connor Hnos.")}, {"CODC_FCL", text("9001")},
                             {"DIRE_FCL", text("Pasaje D'Angelo 12")}}),
         "11401010123",
         {{"IVA", "   3"}, {"CONTACTO", "OConnor Hnos."}, {"CALLE", "Pasaje DAngelo 12"}, {"LOCALIDAD", "Villa O'Higgins"}}},
        {"a two-character code, VAT 02, Null postal code and tax number",
         customer("00", {{"CTRI_FCL", text("02")}, {"CASI_FCL", null()}, {"RUTT_FCL", null()}}),
         "1140101",
         {{"IVA", "   2"}, {"CPOSTAL", "0"}, {"NUMERO_DOCUMENTO", "--"}}},
        {"VAT 01, an empty tax number, a city longer than 50 characters, an ñ",
         customer("000310", {{"RUTT_FCL", text("")}, {"CODP_FCL", text("02")}, {"CODC_FCL", text("2760")},
                             {"NFAN_FCL", text("Peña y Cía.")}}),
         "11401010310",
         {{"IVA", "   1"}, {"NUMERO_DOCUMENTO", "--"}, {"LOCALIDAD", base::left(kLongCity, 50)}, {"PROVINCIA", "  02"},
          {"CONTACTO", "Peña y Cía."}}},
        {"a bare 5 is VAT 1", customer("000311", {{"CTRI_FCL", text("5")}}), "11401010311", {{"IVA", "   1"}}},
        {"blank VAT, an empty name, a city fciudade does not have",
         customer("000312", {{"CTRI_FCL", text("  ")}, {"NFAN_FCL", text("")}, {"CODC_FCL", text("0000")}}),
         "11401010312",
         {{"IVA", "   1"}, {"CONTACTO", ""}, {"LOCALIDAD", ""}}},
        {"Null VAT, an empty province and category",
         customer("000313", {{"CTRI_FCL", null()}, {"CODP_FCL", text("")}, {"RAMO_FCL", text("")}}),
         "11401010313",
         {{"IVA", "   1"}, {"PROVINCIA", "    "}, {"IDCATEGORIA", "    "}}},
        {"letters in characters 4 to 6", customer("001ABC"), "11401011ABC", {{"IVA", "   1"}}},
    };
}

// Columns every customer gets whatever its record says, the limits of a new row among them.
const ColumnValues kFixed{{"PAIS", "   1"},           {"DOCUMENTO_TIPO", "   1"}, {"CLASE", "4"},
                          {"IDMOTIVOVTA", "   1"},    {"IDCOND_CPRA_VTA", "  01"}, {"IDLISTA", "MAY"},
                          {"LIMITE_CREDITO", "0"},    {"LIMITE_CREDITO1", "0"},    {"LIMITE_CREDITO2", "0"},
                          {"LIMITE_CREDITO3", "0"},   {"LIMITE_CREDITO4", "0"},    {"LIMITE_CREDITO5", "0"}};

class Customers : public AccountImport {
protected:
    // The cases, with customers the task leaves out among them: a code whose number is above 4999 although
    // its text sorts inside the range (a blank in front), one outside the range, and a deleted one.
    void writeCases()
    {
        std::vector<LegacyRow> rows;
        for (const Case& c : cases()) rows.push_back(c.legacy);
        rows.insert(rows.begin() + 2, customer(" 5000", {{"NFAN_FCL", text("Número mayor que 4999")}}));
        rows.push_back(customer("005000"));
        rows.push_back(customer("000900", {{"NFAN_FCL", text("Dado de baja")}}));
        LegacyTables tables;
        withCities(tables).table("FCLIENTE", rows, {static_cast<int>(rows.size()) - 1}).write(legacy.path());
    }

    std::vector<std::string> caseAccounts() const
    {
        std::vector<std::string> accounts;
        for (const Case& c : cases()) accounts.push_back(c.account);
        std::sort(accounts.begin(), accounts.end());
        return accounts;
    }
};

TEST_F(Customers, EveryColumnFollowsTheLegacyRecord)
{
    writeCases();
    run({kClientes});
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        expectColumns("MA_CUENTASADIC", c.account, c.expected);
        expectColumns("MA_CUENTASADIC", c.account, kFixed);
    }
    EXPECT_EQ(codes("MA_CUENTASADIC"), caseAccounts());
    EXPECT_TRUE(codes("MA_CUENTAS").empty());
    // The code above 4999 is neither counted nor shown.
    std::vector<std::string> expectedLabels;
    for (std::size_t i = 0; i < cases().size(); ++i) expectedLabels.push_back("Procesando Registro " + std::to_string(i));
    expectedLabels.push_back("FINALIZADO CLIENTES");
    EXPECT_EQ(labels, expectedLabels);
}

TEST_F(Customers, ASecondRunRewritesTheRowsAndKeepsTheirCreditLimits)
{
    writeCases();
    run({kClientes});
    execute("UPDATE MA_CUENTASADIC SET CONTACTO = 'x', IVA = '   9', LOCALIDAD = 'y', IDVENDEDOR2 = 'v', IDLISTA = 'z', "
            "LIMITE_CREDITO = 1500.5, LIMITE_CREDITO5 = 7");
    run({kClientes});
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        expectColumns("MA_CUENTASADIC", c.account, c.expected);
        expectColumns("MA_CUENTASADIC", c.account,
                      {{"IDLISTA", "MAY"}, {"LIMITE_CREDITO", "1500.5"}, {"LIMITE_CREDITO1", "0"}, {"LIMITE_CREDITO5", "7"}});
    }
    EXPECT_EQ(codes("MA_CUENTASADIC"), caseAccounts());
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO CLIENTES");
}

TEST_F(Customers, TwoCustomersGivingOneAccountAreReportedAndTheFirstStays)
{
    LegacyTables tables;
    withCities(tables)
        .table("FCLIENTE", {customer("00", {{"NFAN_FCL", text("Primero")}}), customer("0", {{"NFAN_FCL", text("Segundo")}}),
                            customer("000123")})
        .write(legacy.path());
    const std::string message =
        "La cuenta 1140101 ya se importó del código 00 de FCLIENTE; el código 0 da la misma cuenta y no se importa";
    expectSharedAccounts(1, "FCLIENTE");
    run({kClientes});
    EXPECT_EQ(codes("MA_CUENTASADIC"), (std::vector<std::string>{"1140101", "11401010123"}));
    expectColumns("MA_CUENTASADIC", "1140101", {{"CONTACTO", "Primero"}});
    EXPECT_NE(errorLog().find(message), std::string::npos) << errorLog();
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO CLIENTES");
}

TEST_F(Customers, CancelStopsAtTheNextCustomerAndTheNextEntryNeverStarts)
{
    LegacyTables tables;
    withCities(tables)
        .table("FCLIENTE", {customer("000001"), customer("000002"), customer("000003"), customer("000004")})
        .table("FPROVEED", {supplier("123")})
        .write(legacy.path());
    pump.at(2, [this] { window.CmdCancelar_Click(); });
    run({kClientes, kProveedores});
    EXPECT_EQ(codes("MA_CUENTASADIC"), (std::vector<std::string>{"11401010001", "11401010002"}));
    EXPECT_EQ(labels, (std::vector<std::string>{"Procesando Registro 0", "Procesando Registro 1", "CANCELADO"}));
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kClientes));
    EXPECT_TRUE(window.cmdImportar.enabled);
    EXPECT_FALSE(window.DBOrigen);
}

TEST_F(Customers, AFolderWithoutFclienteSaysSoAndTheOperatorDecidesWhetherTheRunGoesOn)
{
    LegacyTables tables;
    withCities(tables).table("FPROVEED", {supplier("123")}).write(legacy.path());
    struct Case {
        const char* what;
        int answer;
        bool nextEntryRuns;
    };
    for (const Case& c : {Case{"Ignore gives up this entry only", ui::vbIgnore, true},
                          Case{"Abort gives up the run", ui::vbAbort, false}}) {
        SCOPED_TRACE(c.what);
        execute("DELETE FROM MA_CUENTASADIC");
        prompter.expectMessage("Ha ocurrido el Siguiente Error (-2147217865) Invalid object name 'FCLIENTE': the dBase "
                               "folder " + legacy.path().string() + "/ has no such table",
                               ui::vbAbortRetryIgnore | ui::vbCritical, "Recordset - AbrirRecordset Aviso al operador!!! ",
                               c.answer);
        std::vector<std::string> entries;
        window.alCambiar = [&] {
            if (entries.empty() || entries.back() != window.lblTabla.caption) entries.push_back(window.lblTabla.caption);
        };
        window.lblTabla.caption.clear();
        window.LblDetalle.caption.clear();
        run({kClientes, kProveedores});
        std::vector<std::string> expected{"", "Tabla: " + caption(kClientes), "Tabla: " + caption(kClientes) + " ---> ERROR"};
        if (c.nextEntryRuns) expected.push_back("Tabla: " + caption(kProveedores));
        EXPECT_EQ(entries, expected);
        EXPECT_EQ(codes("MA_CUENTASADIC"), c.nextEntryRuns ? std::vector<std::string>{"2110101123"} : std::vector<std::string>{});
        EXPECT_EQ(window.LblDetalle.caption, c.nextEntryRuns ? "FINALIZADO PROVEEDORES" : "");
        EXPECT_TRUE(window.cmdImportar.enabled);
        EXPECT_FALSE(window.DBOrigen);
    }
}

}  // namespace
