// The Oracle dialect of the data-access object: statements rewritten for Oracle, scripts cut into the
// statements Oracle runs one by one, and both at work on an Oracle connection text (served in CI by the
// SQLite ODBC driver, which runs the statements that need no Oracle-only syntax).

#include "tests/support/ScopedEnvironment.h"
#include "tests/core/ProgramFixture.h"

#include <clocale>
#include <functional>
#include <filesystem>
#include <optional>

namespace {

// A data-access object whose connection text names Oracle (the rewrites need no open connection).
struct OracleDataAccess : DB_Dll {
    OracleDataAccess() { gConnString = "Provider=OraOLEDB.Oracle.1;Data Source=ERPDB;User Id=U;Password=P;"; }
};

std::optional<base::Error> raised(const std::function<void()>& action)
{
    try {
        action();
    } catch (const base::Error& error) {
        return error;
    }
    return std::nullopt;
}

struct Case {
    const char* in;
    const char* out;
};

TEST(OracleDialect, OnlyAnOracleConnectionRewrites)
{
    DB_Dll sqlServer;
    sqlServer.gConnString = "PROVIDER=SQLOLEDB;Server=S;Database =E;UId=u;Pwd=;";
    for (const char* statement : {"len", "SELECT TOP 1 * FROM MA_CUENTAS", "SELECT ISNULL([A], '') FROM T WHERE B = ''"})
        EXPECT_EQ(sqlServer.ORACLE_Dicc(statement), statement);

    const OracleDataAccess oracle;
    const Case words[] = {{"len", "LENGTH"}, {"LEN", "LENGTH"}, {" Len ", " Len "}, {"CODIGO", "CODIGO"}, {"", ""}};
    for (const Case& c : words) EXPECT_EQ(oracle.ORACLE_Dicc(c.in), c.out) << c.in;
}

TEST(OracleDialect, TopBecomesRownumAfterTheOrderingAndGrouping)
{
    const OracleDataAccess oracle;
    const Case cases[] = {
        {"SELECT TOP 1 * FROM MA_CUENTAS", "SELECT * FROM MA_CUENTAS WHERE ROWNUM <= 1"},
        {"select  top 1 * from AUX_ERR", "select * from AUX_ERR WHERE ROWNUM <= 1"},
        {"SELECT TOP 1  * FROM MA_CUENTAS WHERE LTRIM(RTRIM(CODIGO)) ='A01'",
         "SELECT * FROM MA_CUENTAS WHERE (LTRIM(RTRIM(CODIGO)) ='A01') AND ROWNUM <= 1"},
        // The limit cannot escape an OR of the condition.
        {"SELECT TOP 1 * FROM T WHERE A = 1 OR B = 2", "SELECT * FROM T WHERE (A = 1 OR B = 2) AND ROWNUM <= 1"},
        // The top 10 by name are the first 10 after sorting, not 10 rows sorted.
        {"SELECT TOP 10 CODIGO, NOMBRE FROM MA_CUENTAS WHERE SALDO > 0 ORDER BY NOMBRE",
         "SELECT * FROM (SELECT CODIGO, NOMBRE FROM MA_CUENTAS WHERE SALDO > 0 ORDER BY NOMBRE) WHERE ROWNUM <= 10"},
        {"SELECT TOP 5 FAMILIA, COUNT(*) AS N FROM MA_ARTICULOS GROUP BY FAMILIA ORDER BY N DESC",
         "SELECT * FROM (SELECT FAMILIA, COUNT(*) AS N FROM MA_ARTICULOS GROUP BY FAMILIA ORDER BY N DESC) WHERE ROWNUM <= 5"},
        {"SELECT DISTINCT TOP 3 FAMILIA FROM MA_ARTICULOS",
         "SELECT * FROM (SELECT DISTINCT FAMILIA FROM MA_ARTICULOS) WHERE ROWNUM <= 3"},
        {"SELECT TOP 1 MAX(PRECIO) AS M FROM T WHERE A = 1",
         "SELECT * FROM (SELECT MAX(PRECIO) AS M FROM T WHERE A = 1) WHERE ROWNUM <= 1"},
        {"SELECT TOP (5) * FROM T", "SELECT * FROM T WHERE ROWNUM <= (5)"},
        {"INSERT INTO C SELECT TOP 2 * FROM T ORDER BY A",
         "INSERT INTO C SELECT * FROM (SELECT * FROM T ORDER BY A) WHERE ROWNUM <= 2"},
        {"SELECT TOP 1 * FROM T WHERE A IN (SELECT B FROM U WHERE C = 1)",
         "SELECT * FROM T WHERE (A IN (SELECT B FROM U WHERE C = 1)) AND ROWNUM <= 1"},
        // No TOP clause of the statement's own: words and texts that hold "top" stay.
        {"SELECT * FROM T WHERE NOMBRE = 'top model'", "SELECT * FROM T WHERE NOMBRE = 'top model'"},
        {"SELECT STOP, TOPE FROM T", "SELECT STOP, TOPE FROM T"},
    };
    for (const Case& c : cases) EXPECT_EQ(oracle.ORACLE_Dicc(c.in), c.out) << c.in;
}

TEST(OracleDialect, FunctionsBracketsAndComparisonsTakeOraclesForms)
{
    const OracleDataAccess oracle;
    const Case cases[] = {
        {"SELECT LEN(NOMBRE), LEN (A), len    (B), MAX(LEN(C)) FROM T WHERE LEN(D)>1",
         "SELECT LENGTH(NOMBRE), LENGTH(A), LENGTH(B), MAX(LENGTH(C)) FROM T WHERE LENGTH(D)>1"},
        {"SELECT LENTO, FLEN(X), dbo.LEN(Y) FROM T", "SELECT LENTO, FLEN(X), dbo.LEN(Y) FROM T"},
        {"SELECT [CODIGO] FROM [MA CUENTAS]", "SELECT \"CODIGO\" FROM \"MA CUENTAS\""},
        // Oracle takes the text first and the sought text second.
        {"SELECT CHARINDEX('-', CODIGO) FROM T", "SELECT InStr(CODIGO, '-') FROM T"},
        {"SELECT Charindex('-', CODIGO, 3) FROM T", "SELECT InStr(CODIGO, '-', 3) FROM T"},
        {"SELECT CHARINDEX(',)', SUBSTRING(X, CHARINDEX('b', X), 5)) FROM T",
         "SELECT InStr(SUBSTR(X, InStr(X, 'b'), 5), ',)') FROM T"},
        {"SELECT CONVERT(NVARCHAR, FECHA, 103), convert(int, CODIGO) FROM T",
         "SELECT TO_CHAR( FECHA, 'DD/MM/YYYY'), TO_NUMBER( CODIGO) FROM T"},
        {"SELECT TO_CHAR(FECHA, 103) FROM T WHERE A = 103 AND TO_CHAR(B + 1030) = C",
         "SELECT TO_CHAR(FECHA, 'DD/MM/YYYY') FROM T WHERE A = 103 AND TO_CHAR(B + 1030) = C"},
        {"UPDATE T SET A = '' WHERE B = '' AND C='' AND D <> '' AND E >= ''",
         "UPDATE T SET A = '' WHERE B  IS NULL  AND C IS NULL  AND D <> '' AND E >= ''"},
        {"SELECT SUBSTRING(NOMBRE, 1, 3), ISNULL(SALDO, 0), MI_ISNULL(X) FROM T",
         "SELECT SUBSTR(NOMBRE, 1, 3), NVL(SALDO, 0), MI_ISNULL(X) FROM T"},
    };
    for (const Case& c : cases) EXPECT_EQ(oracle.ORACLE_Dicc(c.in), c.out) << c.in;
}

TEST(OracleDialect, DatesWrittenDayFirstBecomeOracleDatesAndOtherTextsStay)
{
    const OracleDataAccess oracle;
    const Case cases[] = {
        {"SELECT * FROM T WHERE FECHA >= '01/07/2005' AND CODIGO = 'A01'",
         "SELECT * FROM T WHERE FECHA >= TO_DATE('01/07/2005','DD/MM/YYYY') AND CODIGO = 'A01'"},
        {"UPDATE T SET F = '1-7-2005' WHERE G < '15/08/2005 10:30'",
         "UPDATE T SET F = TO_DATE('01/07/2005','DD/MM/YYYY') WHERE G < TO_DATE('15/08/2005 10:30:00','DD/MM/YYYY HH24:MI:SS')"},
        {"INSERT INTO T VALUES ('1-2-3', '10:30', '31/02/2005', '2005-08-15', '01/07/05', 'O''Brien 01/07/2005')",
         "INSERT INTO T VALUES ('1-2-3', '10:30', '31/02/2005', '2005-08-15', '01/07/05', 'O''Brien 01/07/2005')"},
        // Already dates for Oracle, as the program's own date literal writes them.
        {"SELECT * FROM T WHERE F = TO_DATE('01/07/2005','DD/MM/YYYY') OR G = to_date ( '2005-08-15 10:30:00','YYYY-MM-DD HH24:MI:SS')",
         "SELECT * FROM T WHERE F = TO_DATE('01/07/2005','DD/MM/YYYY') OR G = to_date ( '2005-08-15 10:30:00','YYYY-MM-DD HH24:MI:SS')"},
        {"UPDATE T SET F = to_date ( '01/07/2005 10:00' , 'DD/MM/YYYY HH24:MI')",
         "UPDATE T SET F = to_date ( '01/07/2005 10:00' , 'DD/MM/YYYY HH24:MI')"},
    };
    for (const Case& c : cases) EXPECT_EQ(oracle.ORACLE_Dicc(c.in), c.out) << c.in;
}

TEST(OracleDialect, TheInsideOfATextIsNeverRewritten)
{
    const OracleDataAccess oracle;
    const char* unchanged[] = {
        "INSERT INTO T VALUES ('LEN(x) [a] CHARINDEX(b, c) ISNULL(d) SUBSTRING(e) CONVERT(INT, f) TOP 5')",
        "SELECT A FROM T WHERE B = 'x = '''' ISNULL(' AND C = 'WHERE = '''",
        "UPDATE T SET A = 'it''s -- no comment /* either */'",
    };
    for (const char* statement : unchanged) EXPECT_EQ(oracle.ORACLE_Dicc(statement), statement) << statement;

    // Comments go: an apostrophe in one pairs with nothing, and a line comment cannot swallow the limit.
    const Case comments[] = {
        {"SELECT A FROM T -- don't [touch]\r\nWHERE B = ISNULL(C, 'x')", "SELECT A FROM T  \r\nWHERE B = NVL(C, 'x')"},
        {"SELECT A /* it's LEN( */ FROM T", "SELECT A   FROM T"},
        {"SELECT TOP 2 A FROM T ORDER BY A -- the first two",
         "SELECT * FROM (SELECT A FROM T ORDER BY A) WHERE ROWNUM <= 2"},
    };
    for (const Case& c : comments) EXPECT_EQ(oracle.ORACLE_Dicc(c.in), c.out) << c.in;
}

TEST(OracleDialect, AStatementThatCannotBeCutIsAnError)
{
    const OracleDataAccess oracle;
    for (const char* statement : {"SELECT * FROM T WHERE A = 'abc", "SELECT TOP X * FROM T", "SELECT TOP 1"}) {
        const auto error = raised([&] { (void)oracle.ORACLE_Dicc(statement); });
        ASSERT_TRUE(error) << statement;
        EXPECT_EQ(error->number(), base::errors::kInvalidProcedureCall) << statement;
    }
}

TEST(OracleScript, AScriptIsCutIntoTheStatementsOracleRuns)
{
    struct ScriptCase {
        const char* script;
        std::vector<std::string> statements;
    };
    const ScriptCase cases[] = {
        {"BEGIN TRANSACTION\r\nINSERT INTO T VALUES (1)\r\nCOMMIT TRANSACTION",
         {"SET TRANSACTION", "INSERT INTO T VALUES (1)", "COMMIT"}},
        {"SELECT * FROM T", {}},
        {"", {}},
        // The batch runner's batch: the begin and the statements separated by carriage returns.
        {"BEGIN TRANSACTION \r\r\rINSERT INTO A VALUES (1)\rINSERT INTO A VALUES (2)\r",
         {"SET TRANSACTION", "INSERT INTO A VALUES (1)", "INSERT INTO A VALUES (2)"}},
        {"begin trans\r\nupdate T set A = 1\r\nrollback trans", {"SET TRANSACTION", "update T set A = 1", "ROLLBACK"}},
        {"ROLLBACK TRANSACTION", {"ROLLBACK"}},
        {"SET NOCOUNT ON\r\nGO\r\nDELETE FROM T\r\nGO\r\nUPDATE T SET A = 1 GO \r\nset nocount off",
         {"DELETE FROM T", "UPDATE T SET A = 1"}},
        // Keywords, GO and line breaks inside a text are the text's own.
        {"INSERT INTO NOTAS VALUES ('please UPDATE me\r\nGO', 'BEGIN TRANSACTION')\r\nDELETE FROM X",
         {"INSERT INTO NOTAS VALUES ('please UPDATE me\r\nGO', 'BEGIN TRANSACTION')", "DELETE FROM X"}},
        // ... and inside names; lines may end in a line feed alone.
        {"UPDATE T SET FECHA_UPDATE = 1, ALTERADO = 2\nCREATE TABLE X (DROP_FLAG INT, GRANTED INT)",
         {"UPDATE T SET FECHA_UPDATE = 1, ALTERADO = 2", "CREATE TABLE X (DROP_FLAG INT, GRANTED INT)"}},
        {"SET TRANSACTION ISOLATION LEVEL READ COMMITTED", {"SET TRANSACTION ISOLATION LEVEL READ COMMITTED"}},
        {"IF NOT EXISTS (SELECT * FROM T) CREATE TABLE T (A INT)",
         {"IF NOT EXISTS (SELECT * FROM T)", "CREATE TABLE T (A INT)"}},
        {"-- don't DELETE this\r\nINSERT INTO T VALUES (1) /* UPDATE it */\r\nALTER TABLE T ADD B INT",
         {"INSERT INTO T VALUES (1)", "ALTER TABLE T ADD B INT"}},
    };
    for (const ScriptCase& c : cases) EXPECT_EQ(DB_Dll::cortaScriptOracle(c.script), c.statements) << c.script;
    EXPECT_TRUE(raised([] { (void)DB_Dll::cortaScriptOracle("INSERT INTO T VALUES ('abc)"); }));
}

TEST(OracleScript, StatementsOracleCannotRunAreDropped)
{
    const Case cases[] = {
        {"SET NOCOUNT ON", ""},
        {"set  nocount off", ""},
        {"IF NOT EXISTS (SELECT 1 FROM T)", ""},
        {"IF EXISTS (SELECT 1 FROM T)", ""},
        {"INSERT INTO T VALUES ('SET NOCOUNT ON', 'IF NOT EXISTS')", "INSERT INTO T VALUES ('SET NOCOUNT ON', 'IF NOT EXISTS')"},
        {"INSERT INTO T VALUES (1)", "INSERT INTO T VALUES (1)"},
    };
    for (const Case& c : cases) {
        std::string statement = c.in;
        EXPECT_EQ(DB_Dll::FiltraSentenciaOracle(statement), c.out) << c.in;
        EXPECT_EQ(statement, c.out) << c.in;
    }
}

// --- On an Oracle connection

constexpr const char* kSqliteOdbcDriver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";

// gDB_Dll logged in to an Oracle server ("#" in the server's name) whose driver is, here, the SQLite ODBC
// driver on a file of this test's folder. That driver has no UTF-16 entry points, so the driver manager
// converts for it in the locale's character set: C.UTF-8 for the test, as the program runs under the user's.
class OracleConnection : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        ASSERT_TRUE(std::filesystem::exists(kSqliteOdbcDriver)) << "install the package libsqliteodbc";
        previousLocale = std::setlocale(LC_CTYPE, nullptr);
        std::setlocale(LC_CTYPE, "C.UTF-8");
        DB_Dll& erp = gDB_Dll();
        erp.gCnn.close();
        erp.gServidor = "ORASRV#";
        erp.gDBName = "ERPDB";
        erp.gProveedor = "OraOLEDB.Oracle.1";
        erp.OpenServerADODB(false, 3, "", false);
        ASSERT_TRUE(erp.gOpenFlag);
        ASSERT_TRUE(erp.gCnn.isOpen());
        ASSERT_EQ(erp.gConnString.rfind("Provider=OraOLEDB.Oracle.1;", 0), 0u) << erp.gConnString;
        run("CREATE TABLE CUENTAS (CODIGO varchar(15) PRIMARY KEY, NOMBRE varchar(60))");
    }

    void TearDown() override
    {
        ProgramFixture::TearDown();
        std::setlocale(LC_CTYPE, previousLocale.c_str());
    }

    static void run(std::string statement, long* affected = nullptr) { gDB_Dll().EjecutaConsultaSQL(statement, affected); }

    std::vector<std::string> codes()
    {
        db::Connection reader;  // a connection of its own sees only what was committed
        reader.open(gDB_Dll().gConnString);
        db::Recordset rs;
        rs.open("SELECT CODIGO FROM CUENTAS ORDER BY CODIGO", reader);
        std::vector<std::string> found;
        for (; !rs.eof(); rs.moveNext()) found.push_back(rs.field("CODIGO").value().toText());
        return found;
    }

    std::string previousLocale;
    testing_support::ScopedEnvironment driver{"MIGRA_ODBC_ORACLE_DRIVER", kSqliteOdbcDriver};
    testing_support::ScopedEnvironment keys{"MIGRA_ODBC_EXTRA_KEYS", "Database=" + (folder.path() / "oracle.db").string() + ";"};
};

TEST_F(OracleConnection, AScriptRunsStatementByStatementInItsOwnTransaction)
{
    std::string script = "BEGIN TRANSACTION\r\nINSERT INTO CUENTAS VALUES ('A01', 'Caja')\r\n"
                         "INSERT INTO CUENTAS VALUES ('A02', 'UPDATE pendiente\r\nGO')\r\nCOMMIT TRANSACTION";
    const std::string asGiven = script;
    long affected = -1;
    gDB_Dll().EjecutaConsultaSQL(script, &affected);
    EXPECT_TRUE(gDB_Dll().gCnn.errors().empty());
    EXPECT_EQ(affected, 2);
    EXPECT_EQ(script, asGiven);
    EXPECT_EQ(codes(), (std::vector<std::string>{"A01", "A02"}));
    std::string read = "SELECT NOMBRE FROM CUENTAS WHERE CODIGO = 'A02'";
    db::Recordset rs;
    gDB_Dll().AbrirRecordset(read, rs);
    EXPECT_EQ(rs.field("NOMBRE").value(), base::Value("UPDATE pendiente\r\nGO"));

    // The batch runner begins in one execute and ends in the next.
    run("BEGIN TRANSACTION \r\r\rINSERT INTO CUENTAS VALUES ('B01', 'x')\r");
    EXPECT_EQ(codes(), (std::vector<std::string>{"A01", "A02"}));
    run("ROLLBACK TRANSACTION");
    run("INSERT INTO CUENTAS VALUES ('C01', 'fuera de la transacción')");
    EXPECT_EQ(codes(), (std::vector<std::string>{"A01", "A02", "C01"}));
}

TEST_F(OracleConnection, AFailingStatementIsReportedAndTheRestOfTheScriptDoesNotRun)
{
    run("INSERT INTO CUENTAS VALUES ('X', '1')\r\nINSERT INTO CUENTAS VALUES ('X', '2')\r\nINSERT INTO CUENTAS VALUES ('Y', '3')");
    const db::ErrorList& errors = gDB_Dll().gCnn.errors();
    ASSERT_EQ(errors.count(), 1u);
    EXPECT_EQ(errors.item(0).nativeError, 19);
    EXPECT_NE(errors.item(0).description.find("UNIQUE constraint failed"), std::string::npos);
    EXPECT_EQ(codes(), (std::vector<std::string>{"X"}));

    // In the batch runner's transaction: no box, the failure waits in the list for the runner's rollback.
    run("BEGIN TRANSACTION \r\r\rINSERT INTO CUENTAS VALUES ('Z', '1')\rINSERT INTO CUENTAS VALUES ('X', '2')\r");
    ASSERT_EQ(errors.count(), 1u);
    EXPECT_EQ(errors.item(0).nativeError, 19);
    run("ROLLBACK TRANSACTION");
    EXPECT_EQ(codes(), (std::vector<std::string>{"X"}));

    // A statement that cannot be rewritten stops the script where it stands, and the operator is told.
    prompter.expectMessage(ui::startsWith("TOP without a number of rows"), ui::vbCritical, "Aviso al operador!!!", ui::vbOK);
    run("INSERT INTO CUENTAS VALUES ('W', '1')\r\nINSERT INTO CUENTAS SELECT TOP X * FROM CUENTAS\r\nDELETE FROM CUENTAS");
    EXPECT_EQ(codes(), (std::vector<std::string>{"W", "X"}));
}

TEST_F(OracleConnection, RecordsetsOpenOnTheStatementInOraclesDialect)
{
    run("INSERT INTO CUENTAS VALUES ('abc', NULL)");
    // Oracle's INSTR takes the text first, as SQLite's instr does: the rewrite's order is the one that finds "b".
    std::string statement = "SELECT CHARINDEX('b', CODIGO) AS P, LEN(CODIGO) AS L FROM CUENTAS WHERE NOMBRE = ''";
    const std::string asGiven = statement;
    db::Recordset rs;
    gDB_Dll().AbrirRecordset(statement, rs);
    ASSERT_EQ(rs.state(), db::kStateOpen);
    EXPECT_EQ(rs.field("P").value(), base::Value(2));
    EXPECT_EQ(rs.field("L").value(), base::Value(3));
    EXPECT_EQ(statement, asGiven);

    // Without the conversion the statement reaches the database as written.
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), 18, "Recordset - AbrirRecordset Aviso al operador!!! ",
                           ui::vbAbort);
    gDB_Dll().AbrirRecordset(statement, rs, nullptr, 0, 1, -1, false);
    EXPECT_EQ(rs.state(), db::kStateClosed);
}

TEST_F(OracleConnection, ExisteEnTablaAsksInOraclesDialect)
{
    // SQLite has no ROWNUM: a column of that name, 1 on every row, stands in for it.
    run("CREATE TABLE MONEDAS (CODIGO varchar(5), ROWNUM int)");
    run("INSERT INTO MONEDAS VALUES (' USD ', 1)");
    DB_Dll& erp = gDB_Dll();
    EXPECT_TRUE(erp.ExisteEnTabla("MONEDAS", "USD"));
    EXPECT_FALSE(erp.ExisteEnTabla("MONEDAS", "EUR"));
}

}  // namespace
