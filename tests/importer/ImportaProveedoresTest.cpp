// Legacy suppliers into MA_CUENTASADIC: every column of a table of legacy records, the texts, a second run,
// and two suppliers that give one account.

#include "tests/importer/AccountImportFixture.h"

namespace {

using namespace testing_support;

using Case = AccountCase;

std::vector<Case> cases()
{
    return {
        {"blanks around the code, VAT 5, every flag on, a date, apostrophes",
         supplier("  123  ", {{"LEAD_FPR", text("5")}, {"SOBR_FPR", text("s")}, {"IMPU_FPR", text(" S ")},
                              {"FECH_FPR", date("2026-12-31")}, {"DES1_FPR", number("5")}, {"DES2_FPR", number("2.5")},
                              {"NOMB_FPR", text("Distribuidora O'Neill")}, {"CONT_FPR", text("Cheque a D'Amico")},
                              {"RETG_FPR", text("2")}}),
         "2110101123",
         {{"CONTACTO", "Distribuidora ONeill"}, {"IVA", "   5"}, {"IDCOND_CPRA_VTA", "1030"}, {"IDLISTA", "123"},
          {"DTO1", "5"}, {"DTO2", "2.5"}, {"DTO3", "0"}, {"FhVtoExento", "2026-12-31 00:00:00"},
          {"RETGAN_IdRetencion", "   2"}, {"DatosPago", "Cheque a DAmico"}, {"EmiteSobresPorOP", "1"},
          {"ProveedorCompartido", "1"}, {"LOCALIDAD", "Comodoro Rivadavia"}, {"CPOSTAL", "9000"},
          {"NUMERO_DOCUMENTO", "30-71234567-8"}}},
        {"a code of ten characters, VAT 3, condition 0, no date",
         supplier("PROV123456", {{"LEAD_FPR", text("3")}, {"CPAG_FPR", number("0")}}),
         "2110101PROV1234",
         {{"IDLISTA", "PROV123456"}, {"IVA", "   3"}, {"IDCOND_CPRA_VTA", "1000"}, {"FhVtoExento", "NULL"},
          {"EmiteSobresPorOP", "0"}, {"ProveedorCompartido", "0"}, {"DTO1", "0"}}},
        {"VAT 2, upper-case S, Null postal code, a city with an apostrophe",
         supplier("78", {{"LEAD_FPR", text("2")}, {"SOBR_FPR", text("S")}, {"IMPU_FPR", text("s")},
                         {"CASI_FPR", null()}, {"CODC_FPR", text("9001")}, {"NOMB_FPR", text("Maderera Ñire")}}),
         "211010178",
         {{"IVA", "   2"}, {"EmiteSobresPorOP", "1"}, {"ProveedorCompartido", "1"}, {"CPOSTAL", "0"},
          {"LOCALIDAD", "Villa OHiggins"}, {"CONTACTO", "Maderera Ñire"}}},
        {"VAT 4 is 1, a short tax number, a city longer than 50 characters",
         supplier("300", {{"LEAD_FPR", text("4")}, {"RUTT_FPR", text("2033")}, {"CODP_FPR", text("02")},
                          {"CODC_FPR", text("2760")}, {"CPAG_FPR", number("45")}}),
         "2110101300",
         {{"IVA", "   1"}, {"NUMERO_DOCUMENTO", "20-33-"}, {"PROVINCIA", "  02"},
          {"LOCALIDAD", base::left(kLongCity, 50)}, {"IDCOND_CPRA_VTA", "1045"}}},
        {"Null VAT, empty tax number, a city fciudade does not have",
         supplier("301", {{"LEAD_FPR", null()}, {"RUTT_FPR", text("")}, {"CODC_FPR", text("0000")}}),
         "2110101301",
         {{"IVA", "   1"}, {"NUMERO_DOCUMENTO", "--"}, {"LOCALIDAD", ""}}},
        {"blank VAT",
         supplier("302", {{"LEAD_FPR", text(" ")}}),
         "2110101302",
         {{"IVA", "   1"}}},
        {"an apostrophe in the code, which no cleaning touches",
         supplier("D'ANGELO", {{"CASI_FPR", text("U'9000")}}),
         "2110101D'ANGELO",
         {{"IDLISTA", "D'ANGELO"}, {"CPOSTAL", "U'9000"}}},
    };
}

// Columns every supplier gets whatever its record says.
const ColumnValues kFixed{{"PAIS", "   1"},         {"DOCUMENTO_TIPO", "   1"}, {"CLASE", "1"},
                                {"IdMotivoCpra", "   1"}, {"FCC_Sin_OC", "0"},       {"OCCambiaCosto", "1"},
                                {"ProveedorLocal", "0"},  {"idDepositoEntregaOC", "DBA "}};

class Suppliers : public AccountImport {
protected:
    void writeCasesAndADeletedSupplier()
    {
        std::vector<LegacyRow> rows;
        for (const Case& c : cases()) rows.push_back(c.legacy);
        rows.push_back(supplier("999", {{"NOMB_FPR", text("Dado de baja")}}));
        LegacyTables tables;
        withCities(tables).table("FPROVEED", rows, {static_cast<int>(rows.size()) - 1}).write(legacy.path());
    }
};

TEST_F(Suppliers, EveryColumnFollowsTheLegacyRecord)
{
    writeCasesAndADeletedSupplier();
    run({kProveedores});
    std::vector<std::string> accounts;
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        accounts.push_back(c.account);
        expectColumns("MA_CUENTASADIC", c.account, c.expected);
        expectColumns("MA_CUENTASADIC", c.account, kFixed);
    }
    // The columns the cases leave to the defaults of `supplier`.
    expectColumns("MA_CUENTASADIC", "2110101300",
                  {{"CONTACTO", "Aceros Patagonia S.A."}, {"CALLE", "Parque Industrial Lote 4"}, {"CPOSTAL", "9000"},
                   {"TELEFONO", "0297 447-0000"}, {"DatosPago", "Transferencia"}, {"RETGAN_IdRetencion", "   1"}});
    std::sort(accounts.begin(), accounts.end());
    EXPECT_EQ(codes("MA_CUENTASADIC"), accounts);  // the deleted supplier is not among them
    EXPECT_TRUE(codes("MA_CUENTAS").empty());
    std::vector<std::string> expectedLabels;
    for (std::size_t i = 0; i < cases().size(); ++i) expectedLabels.push_back("Procesando Registro " + std::to_string(i));
    expectedLabels.push_back("FINALIZADO PROVEEDORES");
    EXPECT_EQ(labels, expectedLabels);
}

TEST_F(Suppliers, ASecondRunRewritesEveryColumnAndAddsNoRow)
{
    writeCasesAndADeletedSupplier();
    run({kProveedores});
    execute("UPDATE MA_CUENTASADIC SET CONTACTO = 'x', DTO1 = 99, FhVtoExento = NULL, IDLISTA = 'z', IVA = '   9', "
            "ProveedorLocal = 1, LOCALIDAD = 'y', NUMERO_DOCUMENTO = 'n'");
    const long before = pump.calls();
    run({kProveedores});
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        expectColumns("MA_CUENTASADIC", c.account, c.expected);
        expectColumns("MA_CUENTASADIC", c.account, kFixed);
    }
    EXPECT_EQ(codes("MA_CUENTASADIC").size(), cases().size());
    // Events run once more before each rewrite, and once after the task.
    EXPECT_EQ(pump.calls() - before, 2 * static_cast<long>(cases().size()) + 1);
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO PROVEEDORES");
}

TEST_F(Suppliers, TwoSuppliersGivingOneAccountAreReportedAndTheFirstStays)
{
    LegacyTables tables;
    withCities(tables)
        .table("FPROVEED", {supplier("PROV123456", {{"NOMB_FPR", text("Primero")}}),
                            supplier("PROV1234ZZ", {{"NOMB_FPR", text("Segundo")}}),
                            supplier("PROV123456", {{"NOMB_FPR", text("Repetido")}})})
        .write(legacy.path());
    const std::string first = "La cuenta 2110101PROV1234 ya se importó del código PROV123456 de FPROVEED; el código "
                              "PROV1234ZZ da la misma cuenta y no se importa";
    const std::string again = "La cuenta 2110101PROV1234 ya se importó del código PROV123456 de FPROVEED; el código "
                              "PROV123456 da la misma cuenta y no se importa";
    expectSharedAccounts(2, "FPROVEED");
    run({kProveedores});
    EXPECT_EQ(codes("MA_CUENTASADIC"), std::vector<std::string>{"2110101PROV1234"});
    expectColumns("MA_CUENTASADIC", "2110101PROV1234", {{"CONTACTO", "Primero"}, {"IDLISTA", "PROV123456"}});
    EXPECT_NE(errorLog().find(first), std::string::npos) << errorLog();
    EXPECT_NE(errorLog().find(again), std::string::npos) << errorLog();
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO PROVEEDORES");
}

TEST_F(Suppliers, WithoutTheCityTableTheTaskStopsBeforeAnySupplier)
{
    LegacyTables().table("FPROVEED", {supplier("123")}).write(legacy.path());
    prompter.expectMessage("Ha ocurrido el Siguiente Error (-2147217865) Invalid object name 'fciudade': the dBase folder " +
                               legacy.path().string() + "/ has no such table",
                           ui::vbAbortRetryIgnore | ui::vbCritical, "Recordset - AbrirRecordset Aviso al operador!!! ",
                           ui::vbAbort);
    run({kProveedores});
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kProveedores) + " ---> ERROR");
    EXPECT_TRUE(codes("MA_CUENTASADIC").empty());
    EXPECT_TRUE(labels.empty());
}

}  // namespace
