// The demo legacy folder (tools/demo/make_legacy_folder.py) goes through the four account tasks in one run:
// its awkward rows are the kind the tasks take in their stride. The one box is the credit-limit task's on an
// empty ERP, where no customer has its account yet.

#include "tests/importer/AccountImportFixture.h"
#include "tests/support/LegacyFixtures.h"

namespace {

class DemoFolder : public AccountImport {};

TEST_F(DemoFolder, TheAccountTasksImportItWithoutABoxOnceTheCustomersAreIn)
{
    testing_support::runFixtureScript("../../tools/demo/make_legacy_folder.py", {legacy.path().string()});
    expectEndBox(refusals(16, "FCLIENTE",
                          "falta la cuenta del cliente; vuelva a ejecutar \"LIMITE DE CREDITOS\" cuando los clientes "
                          "estén importados"));
    run({kLimites, kClientes, kProveedores, kEmpleados});
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO EMPLEADOS TEMO");
    EXPECT_EQ(prompter.shown().size(), 1u);
    // The later tasks of the run leave the credit-limit task's refusals in the list.
    EXPECT_EQ(errorList().size(), 16u);

    std::size_t customers = 0, suppliers = 0, employees = 0;
    for (const std::string& code : codes("MA_CUENTASADIC")) {
        customers += code.starts_with("1140101");
        suppliers += code.starts_with("2110101");
        employees += code.starts_with("2130101");
    }
    // 19 customers less one above 4999, one outside the range and one deleted; 10 suppliers less one deleted;
    // 5 employees less the row without LEGAJO.
    EXPECT_EQ(customers, 16u);
    EXPECT_EQ(suppliers, 9u);
    EXPECT_EQ(employees, 4u);
    EXPECT_EQ(codes("MA_CUENTAS").size(), 4u);
    expectColumns("MA_CUENTASADIC", "11401010245", {{"CONTACTO", "OConnor Hnos. S.R.L."}, {"LOCALIDAD", "Comodoro Rivadavia"}});
    expectColumns("MA_CUENTASADIC", "11401010311", {{"LOCALIDAD", "O'Higgins"}, {"CONTACTO", "Almacén Doña Ñata"}});
    expectColumns("MA_CUENTASADIC", "2110101PROV1234", {{"IDLISTA", "PROV123456"}});
    expectColumns("MA_CUENTASADIC", "11401013300",
                  {{"PROVINCIA", "   3"}, {"IDCATEGORIA", "   7"}, {"LOCALIDAD", "Viedma"}, {"NUMERO_DOCUMENTO", "30-54667834-1"}});
    expectColumns("MA_CUENTASADIC", "11401014998", {{"PROVINCIA", "    "}, {"IDCATEGORIA", "    "}, {"LOCALIDAD", ""}});
    expectColumns("MA_CUENTASADIC", "2110101305",
                  {{"PROVINCIA", "   3"}, {"LOCALIDAD", "Viedma"}, {"NUMERO_DOCUMENTO", "30-70000005-9"}});

    // A second run finds every account and rewrites it; the limits imported first now stay.
    run({kLimites, kClientes, kProveedores, kEmpleados});
    EXPECT_EQ(prompter.shown().size(), 1u);
    EXPECT_TRUE(errorList().empty());
    expectColumns("MA_CUENTASADIC", "11401010123", {{"LIMITE_CREDITO", "150000"}, {"LIMITE_CREDITO1", "50000.5"}});
    EXPECT_EQ(codes("MA_CUENTASADIC").size(), 29u);
}

}  // namespace
