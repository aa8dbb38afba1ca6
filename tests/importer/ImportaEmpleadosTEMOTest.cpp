// Employees of the workbook into MA_CUENTAS and MA_CUENTASADIC: every column, the row without LEGAJO, a
// second run, an account found in one table only, a refused statement that must not leave half an employee
// behind, and employee numbers that are not whole numbers.

#include "tests/importer/AccountImportFixture.h"

namespace {

using namespace testing_support;

struct Case {
    const char* what;
    std::vector<std::string> cells;  // LEGAJO, APELLIDO Y NOMBRE, Direccion, cuil
    std::string account;
    std::string name, address, cuil;
};

std::vector<Case> cases()
{
    return {
        {"a short number is padded to four digits; a numeric cuil keeps every digit",
         {number("12"), text("Pérez, Juan Carlos"), text("San Martín 100"), number("20123456789")},
         "21301010012", "Pérez, Juan Carlos", "San Martín 100", "20123456789"},
        {"a five-digit number stays whole; the name is cleaned",
         {number("12345"), text("D'Onofrio, Luis"), text("Ruta 3 km 5"), text("27-23456789-4")},
         "213010112345", "DOnofrio, Luis", "Ruta 3 km 5", "27-23456789-4"},
        {"an empty address; an apostrophe in the cuil stays",
         {number("345"), text("Núñez, María"), null(), text("20-1234'5678-9")},
         "21301010345", "Núñez, María", "", "20-1234'5678-9"},
        {"an empty name; an empty cuil is NULL",
         {number("7"), null(), text("Belgrano 45"), null()},
         "21301010007", "", "Belgrano 45", "NULL"},
    };
}

const ColumnValues kFixedAccount{{"TIPOVISTA", "PE"},        {"TITULO", "0"},         {"MONEDA", "   1"},
                                 {"LIBRO_IVA_VENTAS", "0"}, {"DADA_DE_BAJA", "0"},  {"CODIGOOPCIONAL", "NULL"},
                                 {"BLOQUEO", "0"}};
const ColumnValues kFixedExtension{{"CPOSTAL", "9000"},      {"PROVINCIA", "  23"},       {"PAIS", "   1"},
                                   {"TELEFONO", "NULL"},     {"IVA", "   3"},             {"DOCUMENTO_TIPO", "   2"},
                                   {"CLASE", "4"},           {"IDMOTIVOVTA", "   1"},     {"IDCOND_CPRA_VTA", "  01"},
                                   {"IDLISTA", "MAY"},       {"LOCALIDAD", "."}};

class Employees : public AccountImport {
protected:
    // The cases, with a row without LEGAJO after the first.
    void writeCases()
    {
        std::vector<std::vector<std::string>> rows;
        for (const Case& c : cases()) rows.push_back(c.cells);
        rows.insert(rows.begin() + 1, {null(), text("Fila sin legajo"), text("Ninguna 0"), number("20999999999")});
        LegacyTables().employees(rows).write(legacy.path());
    }

    void expectCases()
    {
        for (const Case& c : cases()) {
            SCOPED_TRACE(c.what);
            expectColumns("MA_CUENTAS", c.account, {{"DESCRIPCION", c.name}});
            expectColumns("MA_CUENTAS", c.account, kFixedAccount);
            expectColumns("MA_CUENTASADIC", c.account, {{"CONTACTO", c.name}, {"CALLE", c.address}, {"NUMERO_DOCUMENTO", c.cuil}});
            expectColumns("MA_CUENTASADIC", c.account, kFixedExtension);
        }
    }

    // One box for the refused employee, naming the workbook, the row and the employee's number.
    std::string expectRefusal(int row, std::string_view legajo)
    {
        const std::string refusal = fmt::format(
            "Tabla EMPLEADOSTEMO [MIG$], registro {} (legajo {}): 8152 : String or binary data would be truncated "
            "(MA_CUENTASADIC.NUMERO_DOCUMENTO, at most 20 characters, value '20-12345678-9 sin verificar').",
            row, legajo);
        prompter.expectMessage(refusal, ui::vbOKOnly, "Migrador", ui::vbOK);
        return refusal;
    }

    static std::vector<std::string> caseAccounts()
    {
        std::vector<std::string> accounts;
        for (const Case& c : cases()) accounts.push_back(c.account);
        std::sort(accounts.begin(), accounts.end());
        return accounts;
    }
};

TEST_F(Employees, EveryColumnFollowsTheWorkbookAndARowWithoutLegajoIsPassedOver)
{
    writeCases();
    run({kEmpleados});
    expectCases();
    EXPECT_EQ(codes("MA_CUENTAS"), caseAccounts());
    EXPECT_EQ(codes("MA_CUENTASADIC"), caseAccounts());
    EXPECT_EQ(labels, (std::vector<std::string>{"Procesando Registro 0", "Procesando Registro 1", "Procesando Registro 2",
                                                "Procesando Registro 3", "FINALIZADO EMPLEADOS TEMO"}));
}

TEST_F(Employees, ASecondRunOverwritesEveryColumnAndAddsNoRow)
{
    writeCases();
    run({kEmpleados});
    execute("UPDATE MA_CUENTAS SET DESCRIPCION = 'x', TIPOVISTA = 'CL', BLOQUEO = 1, CODIGOOPCIONAL = 'c'");
    execute("UPDATE MA_CUENTASADIC SET CONTACTO = 'x', CALLE = 'y', NUMERO_DOCUMENTO = 'n', IVA = '   9', LOCALIDAD = 'z', "
            "TELEFONO = '1'");
    run({kEmpleados});
    expectCases();
    EXPECT_EQ(codes("MA_CUENTAS"), caseAccounts());
    EXPECT_EQ(codes("MA_CUENTASADIC"), caseAccounts());
}

TEST_F(Employees, AnAccountFoundInOneTableOnlyGetsTheOtherRow)
{
    writeCases();
    execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('21301010012', 'Solo la cuenta')");
    execute("INSERT INTO MA_CUENTASADIC (CODIGO, CONTACTO) VALUES ('213010112345', 'Solo los datos')");
    run({kEmpleados});
    expectCases();
    EXPECT_EQ(codes("MA_CUENTAS"), caseAccounts());
    EXPECT_EQ(codes("MA_CUENTASADIC"), caseAccounts());
}

TEST_F(Employees, ARefusedStatementLeavesNeitherRowOfThatEmployee)
{
    // A cuil longer than its column: the extension row is refused, so the account row goes too, for a new
    // employee (inserts) and for one already imported (updates).
    const std::string tooLong = "20-12345678-9 sin verificar";
    // The row passed over for its missing LEGAJO still counts in the record's place.
    LegacyTables()
        .employees({{null(), text("Fila sin legajo"), null(), null()},
                    {number("12"), text("Pérez, Juan"), text("San Martín 100"), text(tooLong)},
                    {number("13"), text("Gómez, Ana"), text("Mitre 1"), text("27-1")}})
        .write(legacy.path());
    const std::string refusal = expectRefusal(2, "12");
    run({kEmpleados});
    EXPECT_EQ(codes("MA_CUENTAS"), std::vector<std::string>{"21301010013"});
    EXPECT_EQ(codes("MA_CUENTASADIC"), std::vector<std::string>{"21301010013"});
    EXPECT_TRUE(gDB_Dll().gCnn.errors().empty());
    EXPECT_NE(errorLog().find(refusal), std::string::npos) << errorLog();
    // No AUX_ERR row: the box and the log line are the report.
    EXPECT_TRUE(ProgramFixture::rows("SELECT * FROM AUX_ERR").empty());

    LegacyTables()
        .employees({{number("13"), text("Gómez de Paz, Ana"), text("Mitre 1"), text(tooLong)}})
        .write(legacy.path());
    expectRefusal(1, "13");
    run({kEmpleados});
    expectColumns("MA_CUENTAS", "21301010013", {{"DESCRIPCION", "Gómez, Ana"}});
    expectColumns("MA_CUENTASADIC", "21301010013", {{"CONTACTO", "Gómez, Ana"}, {"NUMERO_DOCUMENTO", "27-1"}});
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO EMPLEADOS TEMO");
}

TEST_F(Employees, ALegajoThatIsNotAWholeNumberRefusesItsRowAndTakesNoOtherEmployeesAccount)
{
    // Four employees, the first two with these numbers.
    const auto writeWorkbook = [this](const std::string& first, const std::string& second) {
        LegacyTables()
            .employees({{first, text("Otro, Uno"), text("Mitre 1"), text("20-11111111-1")},
                        {second, text("Medio, Juan"), text("Mitre 2"), text("20-22222222-2")},
                        {number("1"), text("Primero, Ana"), text("Mitre 3"), text("27-33333333-3")},
                        {number("25"), text("Válido, Pedro"), text("Mitre 4"), text("20-44444444-4")}})
            .write(legacy.path());
    };
    // Read as numbers, "1.234" and 1.5 would both be employee 1; the column is mixed, so every cell reads as text.
    writeWorkbook(text("1.234"), number("1.5"));
    const std::string why = "LEGAJO no es un número entero sin signo";
    expectEndBox(refusals(2, "EMPLEADOSTEMO [MIG$]", why));
    run({kEmpleados});

    const std::vector<std::pair<std::string, std::string>> listed{
        {"1", "Tabla EMPLEADOSTEMO [MIG$], registro 1, LEGAJO \"1.234\": no es un número entero sin signo; el empleado no "
              "se importa"},
        {"2", "Tabla EMPLEADOSTEMO [MIG$], registro 2, LEGAJO \"1.5\": no es un número entero sin signo; el empleado no "
              "se importa"}};
    EXPECT_EQ(errorList(), listed);
    for (const auto& [ordinal, refusal] : listed)
        EXPECT_NE(errorLog().find("Rutina: ImportaEmpleadosTEMO Mensaje " + refusal), std::string::npos) << errorLog();
    EXPECT_EQ(codes("MA_CUENTAS"), (std::vector<std::string>{"21301010001", "21301010025"}));
    EXPECT_EQ(codes("MA_CUENTASADIC"), (std::vector<std::string>{"21301010001", "21301010025"}));
    expectColumns("MA_CUENTAS", "21301010001", {{"DESCRIPCION", "Primero, Ana"}});
    expectColumns("MA_CUENTASADIC", "21301010001",
                  {{"CONTACTO", "Primero, Ana"}, {"CALLE", "Mitre 3"}, {"NUMERO_DOCUMENTO", "27-33333333-3"}});
    // The refused rows are counted as processed; the next rows go on.
    EXPECT_EQ(labels, (std::vector<std::string>{"Procesando Registro 0", "Procesando Registro 1", "Procesando Registro 2",
                                                "Procesando Registro 3", "FINALIZADO EMPLEADOS TEMO"}));

    // With the numbers put right, a run writes the two employees refused before, once, and nothing else changes.
    writeWorkbook(number("1234"), number("15"));
    run({kEmpleados});
    const std::vector<std::string> all{"21301010001", "21301010015", "21301010025", "21301011234"};
    EXPECT_EQ(codes("MA_CUENTAS"), all);
    EXPECT_EQ(codes("MA_CUENTASADIC"), all);
    expectColumns("MA_CUENTAS", "21301011234", {{"DESCRIPCION", "Otro, Uno"}});
    expectColumns("MA_CUENTAS", "21301010001", {{"DESCRIPCION", "Primero, Ana"}});
    EXPECT_TRUE(errorList().empty());
}

}  // namespace
