// The embedded database answering the ERP's SQL Server statements: statement in, rows or errors out.

#include "platform/base/Error.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "tests/support/ErpDatabase.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using Rows = std::vector<std::vector<std::string>>;
using testing_support::ErpDatabase;

class EmbeddedStatements : public ::testing::Test {
protected:
    void SetUp() override
    {
        erp.connection().execute(
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, DADA_DE_BAJA) VALUES ('2110101000001', 'Peña Hnos', 0)\r"
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, DADA_DE_BAJA) VALUES ('2110101000002', 'ACME SA', 0)\r"
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, DADA_DE_BAJA) VALUES ('1140101000003', 'Ñandú SRL', 1)\r");
    }
    ErpDatabase erp;
};

TEST_F(EmbeddedStatements, QueriesAnswerAsOnTheServer)
{
    struct Case { const char* statement; Rows expected; };
    const Case cases[] = {
        {"SELECT TOP 2 CODIGO FROM MA_CUENTAS ORDER BY CODIGO DESC", {{"2110101000002"}, {"2110101000001"}}},
        {"select  top 1 * from MA_CUENTAS where CODIGO = '2110101000002'", {{"NULL", "2110101000002", "ACME SA", "NULL",
                                                                           "NULL", "NULL", "NULL", "Falso", "NULL",
                                                                           "NULL", "NULL", "NULL"}}},
        // Case and trailing blanks do not count in comparisons; leading blanks do.
        {"SELECT CODIGO FROM MA_CUENTAS WHERE DESCRIPCION = 'acme sa   '", {{"2110101000002"}}},
        {"SELECT CASE WHEN 'oc  ' = 'OC' THEN 1 ELSE 0 END, CASE WHEN '  1' = '1' THEN 1 ELSE 0 END", {{"1", "0"}}},
        {"SELECT CODIGO FROM MA_CUENTAS WHERE DESCRIPCION LIKE '%PEÑA%' OR DESCRIPCION LIKE 'ñandú%' ORDER BY CODIGO",
         {{"1140101000003"}, {"2110101000001"}}},
        {"SELECT COUNT(*) FROM MA_CUENTAS WHERE DESCRIPCION LIKE '[AP]%'", {{"2"}}},
        {"SELECT LTRIM(RTRIM('  x  ')), LEN('ab  '), ISNULL(NULL, 0), CHARINDEX('b', 'ABC')", {{"x", "2", "0", "2"}}},
        {"SELECT CASE WHEN RTRIM(LTRIM(12)) = 12 THEN 'number' ELSE 'text' END", {{"number"}}},
        // Blanks trimmed away leave an empty text, never Null.
        {"SELECT CASE WHEN RTRIM(LTRIM('    ')) = '' THEN 'empty' ELSE 'other' END, LTRIM('  ') IS NULL", {{"empty", "0"}}},
        {"SELECT CONVERT(INT, '42'), CONVERT(VARCHAR(10), '2005-08-15 10:00:00', 103)", {{"42", "15/08/2005"}}},
        {"SELECT SYSTEM_USER", {{"tester"}}},
        {"SELECT [FECHA DESDE] FROM dbo.MV_EJERCICIOS", {}},
        {"SELECT CODIGO FROM MA_CUENTAS WHERE EXISTS (SELECT TOP 1 * FROM MA_CUENTAS WHERE DADA_DE_BAJA = 1) "
         "AND CODIGO LIKE '114%'",
         {{"1140101000003"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(erp.rows(c.statement), c.expected) << c.statement;
}

TEST_F(EmbeddedStatements, WritesInTheServersDialect)
{
    struct Case { const char* batch; const char* check; Rows expected; };
    const Case cases[] = {
        {"DELETE MA_CUENTAS WHERE CODIGO = '2110101000001'", "SELECT COUNT(*) FROM MA_CUENTAS", {{"2"}}},
        {"DELETE MA_CUENTAS", "SELECT COUNT(*) FROM MA_CUENTAS", {{"0"}}},
        {"TRUNCATE TABLE MA_CUENTAS", "SELECT COUNT(*) FROM MA_CUENTAS", {{"0"}}},
        {"IF NOT EXISTS (SELECT * FROM MA_CUENTAS WHERE CODIGO = '2110101000001') INSERT INTO MA_CUENTAS (CODIGO) "
         "VALUES ('2110101000001')\r\n"
         " if not exists (select * from MA_CUENTAS where CODIGO = '2110101000009') insert into MA_CUENTAS (CODIGO) "
         "values ('2110101000009')",
         "SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO LIKE '%9' OR CODIGO LIKE '%1' ORDER BY CODIGO",
         {{"2110101000001"}, {"2110101000009"}}},
        {"if exists(select * from MA_CUENTAS where CODIGO = '2110101000002')  UPDATE MA_CUENTAS SET DESCRIPCION = "
         "'Nuevo' WHERE CODIGO = '2110101000002'",
         "SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '2110101000002'", {{"Nuevo"}}},
        {"INSERT INTO V_MA_PRECIOSCAB (IDLISTA, NOMBRE, TIPOLISTA) (SELECT 'A1', MIN(DESCRIPCION), 'V' FROM "
         "MA_CUENTAS GROUP BY DADA_DE_BAJA HAVING DADA_DE_BAJA = 0)",
         "SELECT IDLISTA, NOMBRE, TIPOLISTA FROM V_MA_PRECIOSCAB", {{"A1  ", "ACME SA", "V"}}},
        {"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('2110101000010', 'O''Brien')",
         "SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '2110101000010'", {{"O'Brien"}}},
        {"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('2110101000011', 'line one\r\nINSERT two')\r\n"
         "UPDATE MA_CUENTAS SET CODIGOOPCIONAL = 'X' WHERE CODIGO = '2110101000011'",
         "SELECT DESCRIPCION, CODIGOOPCIONAL FROM MA_CUENTAS WHERE CODIGO = '2110101000011'",
         {{"line one\r\nINSERT two", "X"}}},
        {"SET NOCOUNT ON\rALTER TABLE dbo.MA_CUENTAS ADD EXTRA varchar(10) Null CONSTRAINT DF_MA_CUENTAS_EXTRA "
         "DEFAULT ('z')",
         "SELECT DISTINCT EXTRA FROM MA_CUENTAS", {{"z"}}},
    };
    for (const Case& c : cases) {
        ErpDatabase fresh;
        fresh.connection().execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, DADA_DE_BAJA) VALUES "
                                   "('2110101000001', 'Peña Hnos', 0)\r"
                                   "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, DADA_DE_BAJA) VALUES "
                                   "('2110101000002', 'ACME SA', 0)\r"
                                   "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, DADA_DE_BAJA) VALUES "
                                   "('1140101000003', 'Ñandú SRL', 1)");
        fresh.connection().execute(c.batch);
        EXPECT_TRUE(fresh.connection().errors().empty()) << c.batch;
        EXPECT_EQ(fresh.rows(c.check), c.expected) << c.batch;
    }
}

TEST_F(EmbeddedStatements, AFailingStatementEndsItselfAndTheBatchGoesOn)
{
    db::Connection& connection = erp.connection();
    try {
        connection.execute("BEGIN TRANSACTION \r\r"
                           "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PIVA', '21')\r"
                           "INSERT INTO MA_CUENTAS (CODIGO) VALUES ('2110101000001')\r"
                           "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('OTRA', 'x')\r");
        ADD_FAILURE() << "a failed batch raises";
    } catch (const base::Error& e) {
        EXPECT_EQ(e.number(), db::hresult::kIntegrityViolation);
    }
    ASSERT_EQ(erp.nativeErrors(), (std::vector<long>{2627, 3621}));
    EXPECT_EQ(connection.errors().item(0).sqlState, "23000");
    EXPECT_EQ(connection.errors().item(1).description, "The statement has been terminated.");
    // The third statement ran inside the still open transaction; a later execute rolls all of it back.
    EXPECT_EQ(erp.rows("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE"), (Rows{{"OTRA"}, {"PIVA"}}));
    connection.execute("ROLLBACK TRANSACTION");
    EXPECT_TRUE(connection.errors().empty());
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"0"}}));
    // With nothing open a rollback is harmless.
    connection.execute("ROLLBACK TRANSACTION");
    EXPECT_TRUE(connection.errors().empty());
}

// An import sends the same statement once per record with other values; each must write and find its own.
TEST_F(EmbeddedStatements, AStatementSentAgainWithOtherValuesWorksOnThoseValues)
{
    db::Connection& connection = erp.connection();
    struct Case { const char* literal; const char* stored; };
    for (const Case& c : {Case{"'O''Brien'", "O'Brien"}, Case{"N'Peña'", "Peña"}, Case{"'O''Brien'", "O'Brien"}}) {
        connection.execute(std::string("UPDATE MA_CUENTAS SET DESCRIPCION = ") + c.literal + " WHERE CODIGO = '2110101000002'");
        EXPECT_EQ(erp.rows("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '2110101000002'"), (Rows{{c.stored}}));
        EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM MA_CUENTAS WHERE DESCRIPCION = " + std::string(c.literal)), (Rows{{"1"}}));
    }
    // One batch holding the same statement twice runs both, each with its own values.
    connection.execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('A', '1')\r"
                       "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('B', '2')\r"
                       "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('C', '3')");
    EXPECT_EQ(erp.rows("SELECT CLAVE, VALOR FROM TA_CONFIGURACION ORDER BY CLAVE"),
              (Rows{{"A", "1"}, {"B", "2"}, {"C", "3"}}));

    // Two rows read at once through one query text, each cursor on its own value.
    connection.close();
    connection.setCursorLocation(db::CursorLocation::Server);
    connection.open(erp.connectionText());
    db::Recordset first, second;
    first.open("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'A'", connection);
    second.open("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'C'", connection);
    EXPECT_EQ(first.field("VALOR").value().toText(), "1");
    EXPECT_EQ(second.field("VALOR").value().toText(), "3");
}

// A query the program sent before a column was added answers with that column afterwards.
TEST_F(EmbeddedStatements, AQueryAfterAColumnIsAddedShowsTheColumn)
{
    const char* query = "SELECT * FROM TA_CONFIGURACION WHERE CLAVE = 'PIVA'";
    erp.connection().execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PIVA', '21')");
    const std::size_t before = erp.rows(query).front().size();
    erp.connection().execute("ALTER TABLE TA_CONFIGURACION ADD NOTA varchar(10) NULL DEFAULT ('nueva')");
    const Rows after = erp.rows(query);
    ASSERT_EQ(after.front().size(), before + 1);
    EXPECT_EQ(after.front().back(), "nueva");
}

// The same query text, sent again after its table was made anew (by this connection or by another on the
// same file), describes the table's columns as they are now: names, types and sizes.
TEST_F(EmbeddedStatements, AQuerySentAgainDescribesTheColumnsAsTheyAreNow)
{
    const char* query = "SELECT * FROM CAMBIA";
    const auto described = [&] {
        db::Recordset recordset;
        recordset.open(query, erp.connection());
        std::vector<std::tuple<std::string, db::AdoType, long>> columns;
        for (std::size_t i = 0; i < recordset.fieldCount(); ++i) {
            db::Field field = recordset.field(i);
            columns.emplace_back(field.name(), field.type(), field.definedSize());
        }
        return columns;
    };
    erp.connection().execute("CREATE TABLE CAMBIA (CODIGO char(4), VALOR varchar(10))");
    const auto first = described();
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(described(), first);

    erp.connection().execute("DROP TABLE CAMBIA\rCREATE TABLE CAMBIA (CODIGO char(6), IMPORTE decimal(18,4), CANTIDAD int)");
    const auto mine = described();
    ASSERT_EQ(mine.size(), 3u);
    EXPECT_EQ(std::get<0>(mine[1]), "IMPORTE");
    EXPECT_NE(std::get<1>(mine[1]), std::get<1>(first[1]));
    EXPECT_NE(std::get<2>(mine[0]), std::get<2>(first[0]));

    db::Connection other;
    other.open(erp.connectionText());
    other.execute("DROP TABLE CAMBIA");
    other.execute("CREATE TABLE CAMBIA (CODIGO char(4), VALOR varchar(10))");
    EXPECT_EQ(described(), first);

    // An expression's column is of the kind its first value is, run by run.
    erp.connection().execute("CREATE TABLE CUENTA (CODIGO char(1), N int)\rINSERT INTO CUENTA (CODIGO, N) VALUES ('A', 5)");
    const auto typeOf = [&](const char* code) {
        db::Recordset recordset;
        recordset.open(std::string("SELECT MAX(N) AS V FROM CUENTA WHERE CODIGO = '") + code + "'", erp.connection());
        return recordset.field("V").type();
    };
    const db::AdoType whole = typeOf("A");
    EXPECT_EQ(whole, db::AdoType::Integer);
    EXPECT_NE(typeOf("Z"), whole);
    EXPECT_EQ(typeOf("A"), whole);
}

TEST_F(EmbeddedStatements, ATransactionBegunInOneExecuteIsCommittedByALaterOne)
{
    erp.connection().execute("BEGIN TRANSACTION \r\rINSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PIVA', '21')\r");
    erp.connection().execute("COMMIT TRANSACTION");
    erp.connection().execute("ROLLBACK TRANSACTION");
    EXPECT_EQ(erp.rows("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'piva'"), (Rows{{"21"}}));
}

// A unit of work opens its transaction before its statements are read. Refused before any of them runs, it
// leaves no transaction behind: what the connection writes next is committed as it goes, for all to see.
TEST_F(EmbeddedStatements, AUnitOfWorkRefusedBeforeItRunsLeavesNoTransactionOpen)
{
    const char* refused[] = {
        "BEGIN TRANSACTION \r\rINSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('A')\rUPDATE TA_CONFIGURACION SET NO_EXISTE = 1",
        "BEGIN TRANSACTION \r\rINSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('A')\rDECLARE @x int",
        "BEGIN TRAN uno dos\rINSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('A')",
    };
    db::Connection other;
    other.setCursorLocation(db::CursorLocation::Client);
    other.open(erp.connectionText());
    for (const char* batch : refused) {
        erp.executeKeepingErrors(batch);
        EXPECT_FALSE(erp.connection().errors().empty()) << batch;
        erp.connection().execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('B', 'visto')");
        db::Recordset seen;
        seen.open("SELECT CLAVE FROM TA_CONFIGURACION", other);
        ASSERT_EQ(seen.recordCount(), 1) << batch;
        EXPECT_EQ(seen.field("CLAVE").value().toText(), "B") << batch;
        seen.close();
        erp.connection().execute("DELETE FROM TA_CONFIGURACION");
    }
}

TEST_F(EmbeddedStatements, ServerErrorNumbersForTheFailuresTheProgramTellsApart)
{
    erp.connection().execute("CREATE TABLE T_PADRE (ID int PRIMARY KEY)\r"
                             "CREATE TABLE T_HIJO (ID int PRIMARY KEY, PADRE int REFERENCES T_PADRE (ID))");
    struct Case { const char* statement; std::vector<long> natives; long number; };
    const Case cases[] = {
        {"INSERT INTO MA_CUENTAS (CODIGO) VALUES ('2110101000001')", {2627, 3621}, db::hresult::kIntegrityViolation},
        {"INSERT INTO MA_CUENTAS (CODIGO) VALUES ('12345678901234567')", {8152, 3621}, db::hresult::kDataOverflow},
        {"UPDATE MA_CUENTAS SET MONEDA = '12345' WHERE CODIGO = '2110101000001'", {8152, 3621}, db::hresult::kDataOverflow},
        {"INSERT INTO T_HIJO (ID, PADRE) VALUES (1, 99)", {547, 3621}, db::hresult::kIntegrityViolation},
        {"INSERT INTO MA_CUENTAS (DESCRIPCION) VALUES ('sin codigo')", {515, 3621}, db::hresult::kIntegrityViolation},
        {"INSERT INTO MV_EJERCICIOS (PERIODO, [FECHA DESDE]) VALUES (1, '1 de enero de 1994')", {241, 3621},
         db::hresult::kCannotConvert},
        {"SELECT * FROM NO_EXISTE", {208}, db::hresult::kNoSuchTable},
        {"UPDATE MA_CUENTAS SET NO_EXISTE = 1", {207}, db::hresult::kCommandErrors},
        {"CREATE TABLE MA_CUENTAS (X int)", {2714}, db::hresult::kCommandErrors},
        {"INSERT INTO MA_CUENTAS VALUES (", {102}, db::hresult::kCommandErrors},
    };
    for (const Case& c : cases) {
        try {
            erp.connection().execute(c.statement);
            ADD_FAILURE() << "no error for " << c.statement;
        } catch (const base::Error& e) {
            EXPECT_EQ(e.number(), c.number) << c.statement;
        }
        EXPECT_EQ(erp.nativeErrors(), c.natives) << c.statement;
    }
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM MA_CUENTAS WHERE LEN(CODIGO) > 15 OR MONEDA IS NOT NULL"), (Rows{{"0"}}));
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM MV_EJERCICIOS"), (Rows{{"0"}}));
}

TEST_F(EmbeddedStatements, AStatementTheDialectCannotTakeIsReportedAndNothingRuns)
{
    struct Case { const char* batch; const char* named; };
    const Case cases[] = {
        {"INSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('A')\rDECLARE @x int", "DECLARE @x int"},
        {"INSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('A')\rINSERT INTO T VALUES ('open", "INSERT INTO T VALUES ('open"},
        {"INSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('A')\rINSERT INTO TA_CONFIGURACION VALUES (,)",
         "INSERT INTO TA_CONFIGURACION VALUES (,)"},
    };
    for (const Case& c : cases) {
        erp.executeKeepingErrors(c.batch);
        ASSERT_EQ(erp.connection().errors().count(), 1u) << c.batch;
        const db::ProviderError& error = erp.connection().errors().item(0);
        EXPECT_EQ(error.nativeError, 102) << c.batch;
        EXPECT_NE(error.description.find(c.named), std::string::npos) << error.description;
        EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"0"}})) << c.batch;
    }
}

TEST_F(EmbeddedStatements, EveryCommandStartsWithAnEmptyErrorList)
{
    erp.executeKeepingErrors("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('2110101000001')");
    ASSERT_FALSE(erp.connection().errors().empty());
    erp.connection().execute("UPDATE MA_CUENTAS SET DESCRIPCION = 'x' WHERE CODIGO = '2110101000001'");
    EXPECT_TRUE(erp.connection().errors().empty());
    erp.executeKeepingErrors("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('2110101000001')");
    erp.rows("SELECT * FROM MA_CUENTAS");
    EXPECT_TRUE(erp.connection().errors().empty());
}

TEST(EmbeddedDialect, DatesGoInAsTheDialectsLiteral)
{
    ErpDatabase erp;
    const base::DateTime date = base::DateTime::fromParts(2005, 8, 15, 10, 30);
    const std::pair<base::DateTime, const char*> literals[] = {
        {date, "'20050815 10:30:00'"},
        {base::DateTime::fromParts(100, 1, 1), "'01000101 00:00:00'"},
        {base::DateTime::fromParts(999, 12, 31, 23, 59, 59), "'09991231 23:59:59'"},
        {base::DateTime::fromParts(9999, 2, 3, 4, 5, 6), "'99990203 04:05:06'"},
    };
    for (const auto& [value, literal] : literals) EXPECT_EQ(erp.connection().dateLiteral(value), literal);
    erp.connection().execute("INSERT INTO MV_EJERCICIOS (PERIODO, [FECHA DESDE]) VALUES (1, " +
                             erp.connection().dateLiteral(date) + ")");
    db::Recordset rs;
    rs.open("SELECT [FECHA DESDE] FROM MV_EJERCICIOS WHERE [FECHA DESDE] = " + erp.connection().dateLiteral(date),
            erp.connection());
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field("fecha desde").value(), base::Value(date));
}

}  // namespace

namespace {

TEST(EmbeddedViews, WritesThroughAViewReachTheBaseTableWithItsChecksAndCounts)
{
    testing_support::ErpDatabase erp;
    db::Connection& connection = erp.connection();
    EXPECT_EQ(connection.execute("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '0001000000011')"), 1);
    EXPECT_EQ(connection.execute("UPDATE C_MV_CPTE SET IDDEPOSITODESTINO = '   2' WHERE TC = '  oc'"), 1);
    erp.executeKeepingErrors("UPDATE C_MV_CPTE SET IDCOMPROBANTE = '00010000000111' WHERE TC = '  OC'");
    EXPECT_EQ(erp.nativeErrors(), (std::vector<long>{8152, 3621}));
    EXPECT_EQ(erp.rows("SELECT TC, IDCOMPROBANTE, IDDEPOSITODESTINO FROM MV_CPTE"),
              (std::vector<std::vector<std::string>>{{"  OC", "0001000000011", "   2"}}));
}

}  // namespace
