// Statements, literals, synonyms and the error treatment of the data-access object.

#include "tests/core/ProgramFixture.h"

namespace {

using Statements = ProgramFixture;

TEST_F(Statements, LiteralsKeepTheTextWholeAndWriteDatesAndNumbersForTheDatabase)
{
    const DB_Dll& erp = gDB_Dll();
    struct Case { base::Value value; const char* tipo; const char* literal; };
    const Case cases[] = {
        {"abc", "'", "'abc'"},
        {"O'Brien", "'", "'O''Brien'"},
        {"x' OR '1'='1", "'", "'x'' OR ''1''=''1'"},
        {base::Value::null(), "'", "NULL"},
        {base::Value::null(), "@", "0"},
        {base::Value::null(), "", "NULL"},
        {"12,5", "@", "12.5"},
        {"1234.567", "@", "1234.567"},
        {"abc", "@", "0"},
        {12.5, "@", "12.5"},
        {5, "", "5"},
        {2.25, "", "2.25"},
        {"texto", "", "texto"},
        {base::DateTime::fromParts(2005, 8, 15), "'", "'20050815 00:00:00'"},
        {base::DateTime::fromParts(2005, 8, 15, 10, 30), "", "'20050815 10:30:00'"},
    };
    for (const Case& c : cases) EXPECT_EQ(erp.SQLValue(c.value, c.tipo), c.literal) << c.literal;
    EXPECT_EQ(erp.SQLValue("abc"), "'abc'");
}

TEST_F(Statements, TypePredicatesReadTheCodeAsText)
{
    struct Case { base::Value code; bool date, text, numeric, currency, boolean; };
    const Case cases[] = {
        {7, true, false, false, false, false},     {"135", true, false, false, false, false},
        {129, false, false, false, false, false},  {200, false, true, false, false, false},
        {"8", false, true, false, false, false},   {6, false, false, false, true, false},
        {131, false, false, true, false, false},   {139, false, false, false, false, false},
        {11, false, false, false, false, true},    {base::Value::null(), false, false, false, false, false},
    };
    for (const Case& c : cases) {
        const std::string label = c.code.isNull() ? "Null" : c.code.toText();
        EXPECT_EQ(DB_Dll::adodate(c.code), c.date) << label;
        EXPECT_EQ(DB_Dll::ADOText(c.code), c.text) << label;
        EXPECT_EQ(DB_Dll::ADONumeric(c.code), c.numeric) << label;
        EXPECT_EQ(DB_Dll::ADOCurrency(c.code), c.currency) << label;
        EXPECT_EQ(DB_Dll::ADOBoolean(c.code), c.boolean) << label;
    }
}

TEST_F(Statements, SynonymsRedirectRestrictedTablesForUsersWhoAreNotAdministrators)
{
    DB_Dll& erp = gDB_Dll();
    erp.gEsAdmin = false;
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"SELECT * FROM MA_CUENTAS WHERE X = 1", "SELECT * FROM SS_MA_CUENTAS WHERE X = 1"},
        {"SELECT MA_CUENTAS.CODIGO FROM ma_cuentas ", "SELECT SS_MA_CUENTAS.CODIGO FROM SS_MA_CUENTAS "},
        {"SELECT * FROM (MA_CUENTAS ,V_TA_FAMILIAS.X", "SELECT * FROM (SS_MA_CUENTAS ,SS_V_TA_FAMILIAS.X"},
        {"UPDATE @Admin_MA_CUENTAS SET X = 1", "UPDATE MA_CUENTAS SET X = 1"},
        {"SELECT * FROM MA_CUENTAS", "SELECT * FROM MA_CUENTAS"},
        {"SELECT * FROM MA_CUENTASADIC ", "SELECT * FROM MA_CUENTASADIC "},
        {"SELECT * FROM AC_CUENTASDIARIO_CCOSTO WHERE 1", "SELECT * FROM SS_AC_CUENTAS_DIARIO_CCOSTO WHERE 1"},
        {"{MA_CUENTAS.CODIGO}", "{SS_MA_CUENTAS.CODIGO}"},
        {"SELECT * FROM @Admin_V_TA_CAJAS WHERE 1", "SELECT * FROM V_TA_CAJAS WHERE 1"},
        {"SELECT * FROM MV_ASIENTOS A, V_TA_DEPOSITO D WHERE (AC_CUENTASDIARIO.X = 1)",
         "SELECT * FROM SS_MV_ASIENTOS A, SS_V_TA_DEPOSITO D WHERE (SS_AC_CUENTASDIARIO.X = 1)"},
        {" MA_CUENTAS MA_CUENTAS ", " SS_MA_CUENTAS MA_CUENTAS "},
        {"INSERT INTO V_MV_STOCK (TC) SELECT TC FROM V_MV_CPTE", "INSERT INTO V_MV_STOCK (TC) SELECT TC FROM V_MV_CPTE"},
    };
    for (const Case& c : cases) EXPECT_EQ(erp.SS_TSinonimos(c.in), c.out) << c.in;
    erp.gEsAdmin = true;
    EXPECT_EQ(erp.SS_TSinonimos("SELECT * FROM @Admin_MA_CUENTAS WHERE 1 AND MA_CUENTAS .X"),
              "SELECT * FROM MA_CUENTAS WHERE 1 AND MA_CUENTAS .X");
}

TEST_F(Statements, TheAdministratorMarkerAndSynonymsAreAppliedBeforeAStatementRuns)
{
    DB_Dll& erp = gDB_Dll();
    erp.gEsAdmin = false;
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"INSERT INTO @Admin_MA_CUENTAS (CODIGO) VALUES ('1')", "INSERT INTO MA_CUENTAS (CODIGO) VALUES ('1')"},
        // Only a statement that both drops and creates goes through the synonyms.
        {"UPDATE MA_CUENTAS SET DESCRIPCION = 'x' ", "UPDATE MA_CUENTAS SET DESCRIPCION = 'x' "},
        {"DROP VIEW V1\rCREATE VIEW V1 AS SELECT * FROM MA_CUENTAS WHERE 1 = 1",
         "DROP VIEW V1\rCREATE VIEW V1 AS SELECT * FROM SS_MA_CUENTAS WHERE 1 = 1"},
        {"DROP VIEW V2\rCREATE VIEW V2 AS SELECT * FROM MA_CUENTAS WHERE 1 = 1 -- DELETE",
         "DROP VIEW V2\rCREATE VIEW V2 AS SELECT * FROM MA_CUENTAS WHERE 1 = 1 -- DELETE"},
        // The words in any case, anywhere, the last one ending the text.
        {"drop view V3\rCreate view V3 AS SELECT * FROM MA_CUENTAS WHERE 1 = 1 -- DeLeTe",
         "drop view V3\rCreate view V3 AS SELECT * FROM MA_CUENTAS WHERE 1 = 1 -- DeLeTe"},
        {"Drop View V4\rcreate view V4 AS SELECT * FROM MA_CUENTAS WHERE 1 = 1 -- cREATE",
         "Drop View V4\rcreate view V4 AS SELECT * FROM SS_MA_CUENTAS WHERE 1 = 1 -- cREATE"},
        {"CREATE VIEW V5 AS SELECT 'C' AS CC, 'DRO' AS D FROM MA_CUENTAS WHERE 1 = 1 -- DRO",
         "CREATE VIEW V5 AS SELECT 'C' AS CC, 'DRO' AS D FROM MA_CUENTAS WHERE 1 = 1 -- DRO"},
        {"CREATE VIEW V6 AS SELECT 'x' AS X FROM MA_CUENTAS WHERE 1 = 1 --dRoP",
         "CREATE VIEW V6 AS SELECT 'x' AS X FROM SS_MA_CUENTAS WHERE 1 = 1 --dRoP"},
        {"SELECT 'CREAT' AS A, 'DROP' AS B FROM MA_CUENTAS WHERE 1 = 1 ", "SELECT 'CREAT' AS A, 'DROP' AS B FROM MA_CUENTAS WHERE 1 = 1 "},
    };
    for (const Case& c : cases) {
        std::string statement = c.in;
        erp.EjecutaConsultaSQL(statement);
        EXPECT_EQ(statement, c.out);
    }
    std::string check = "SELECT COUNT(*) AS N FROM MA_CUENTAS";
    db::Recordset rs;
    erp.AbrirRecordset(check, rs);
    EXPECT_EQ(rs.field("N").value(), base::Value(1));
}

TEST_F(Statements, OnlyUncommonFailuresShowABoxAndTheErrorListKeepsEveryEntry)
{
    DB_Dll& erp = gDB_Dll();
    std::string insert = "INSERT INTO MA_CUENTAS (CODIGO) VALUES ('2110101000001')";
    erp.EjecutaConsultaSQL(insert);
    long affected = -1;
    std::string duplicate = insert;
    erp.EjecutaConsultaSQL(duplicate, &affected);  // integrity: no box
    EXPECT_EQ(erp.gCnn.errors().count(), 2u);
    std::string batch = "BEGIN TRANSACTION \r\r" + insert + "\r";
    erp.EjecutaConsultaSQL(batch);  // a transaction batch: no box, the caller reads the list
    EXPECT_EQ(erp.gCnn.errors().item(0).nativeError, 2627);
    std::string rollback = "ROLLBACK TRANSACTION";
    erp.EjecutaConsultaSQL(rollback);

    // A value too long: the row is not written, so the lone 8152 stays in the list, and it is shown.
    prompter.expectMessage(ui::startsWith("String or binary data would be truncated"), ui::vbCritical,
                           "Aviso al operador!!!", ui::vbOK);
    std::string tooLong = "INSERT INTO MA_CUENTAS (CODIGO) VALUES ('12345678901234567890')";
    erp.EjecutaConsultaSQL(tooLong);
    ASSERT_EQ(erp.gCnn.errors().count(), 2u);
    EXPECT_EQ(erp.gCnn.errors().item(0).nativeError, 8152);
    EXPECT_NE(errorLog().find("Rutina: - EjecutaConsultaSQL Mensaje String or binary data would be truncated"),
              std::string::npos)
        << errorLog();
}

TEST_F(Statements, TheErrorTreatmentAsksAndLogsTheAnswer)
{
    DB_Dll& erp = gDB_Dll();
    prompter.expectMessage("Ha ocurrido el Siguiente Error (3709) La conexión está cerrada", 18,
                           "ADODB.Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbRetry)
        .expectMessage("Ha ocurrido el Siguiente Error (5) Invalid procedure call", 4, " Aviso al operador!!! ", ui::vbNo);
    EXPECT_EQ(erp.TratamientoErrores(base::Error(3709, "  La conexión está cerrada ", "ADODB.Recordset"), {}, "AbrirRecordset"),
              ui::vbRetry);
    EXPECT_EQ(erp.TratamientoErrores(base::Error(5, "Invalid procedure call"), ui::vbYesNo), ui::vbNo);
    EXPECT_EQ(erp.TratamientoErrores(base::Error(0, "nothing")), 0);
    EXPECT_EQ(errorLog(),
              "03-07-2026 09:05:02 Rutina: - AbrirRecordset Mensaje Ha ocurrido el Siguiente Error (3709) La conexión "
              "está cerrada Respondió : Reintentar\r\n"
              "03-07-2026 09:05:02 Rutina:  Mensaje Ha ocurrido el Siguiente Error (5) Invalid procedure call "
              "Respondió : No\r\n");
    erp.ArchivoErrores(base::Value((folder.path() / "otro.log").string()));
    prompter.expectMessage(ui::startsWith("Ha ocurrido"), 18, "x Aviso al operador!!! ", ui::vbAbort);
    erp.TratamientoErrores(base::Error(1, "uno", "x"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "otro.log"));
}

TEST_F(Statements, AnAbandonedOpenLeavesTheRecordsetClosedAndAtItsEnd)
{
    DB_Dll& erp = gDB_Dll();
    db::Recordset rs;
    std::string first = "SELECT * FROM TA_CONFIGURACION";
    erp.AbrirRecordset(first, rs);
    ASSERT_EQ(rs.state(), db::kStateOpen);
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (-2147217865) Invalid object name"), 18,
                           "Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbAbort);
    std::string missing = "SELECT * FROM NO_EXISTE";
    erp.AbrirRecordset(missing, rs);  // closes the open one first, then fails
    EXPECT_EQ(rs.state(), db::kStateClosed);
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW((void)rs.field("CLAVE"), base::Error);
}

}  // namespace
