// The ODBC provider through the SQLite ODBC driver, opened with the program's own SQL Server and Oracle
// connection texts: statements, the driver's diagnostics in the error list, recordsets with their field
// types and sizes, schema lists, transactions and writing through a recordset.

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "tests/platform/db/odbc/SqliteOdbcDatabase.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using testing_support::ScopedEnvironment;
using OdbcSqlite = testing_support::SqliteOdbcTest;

std::optional<base::Error> raised(const std::function<void()>& action)
{
    try {
        action();
    } catch (const base::Error& error) {
        return error;
    }
    return std::nullopt;
}

// Every row of a query as the text forms of its values ("NULL" for Null).
std::vector<std::vector<std::string>> rowsOf(db::Connection& connection, std::string_view statement)
{
    db::Recordset rs;
    rs.open(statement, connection);
    std::vector<std::vector<std::string>> rows;
    for (; !rs.eof(); rs.moveNext()) {
        std::vector<std::string> row;
        for (std::size_t i = 0; i < rs.fieldCount(); ++i) {
            const base::Value& value = rs.field(i).value();
            row.push_back(value.isNull() ? "NULL" : value.toText());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

using Rows = std::vector<std::vector<std::string>>;

constexpr const char* kCreateArticles =
    "CREATE TABLE MA_ARTICULOS (CODIGO varchar(15) PRIMARY KEY, DESCRIPCION varchar(40), PRECIO money, "
    "ALTA datetime, ACTIVO bit)";

TEST_F(OdbcSqlite, OpensThroughTheProgramsSqlServerText)
{
    db::Connection connection;
    openSqlServer(connection);
    EXPECT_TRUE(connection.isOpen());
    EXPECT_EQ(connection.connectionString(), sqlServerText());
    EXPECT_TRUE(connection.errors().empty());
    EXPECT_TRUE(std::filesystem::exists(file));
    // The dialect is SQL Server's: dates as the server reads them whatever its language.
    EXPECT_EQ(connection.dateLiteral(base::DateTime::fromParts(2005, 8, 15, 10, 30, 5)), "'20050815 10:30:05'");
    // What start-up sets on the ERP connection is taken.
    connection.setCommandTimeout(360);
    connection.setIsolationLevel(db::kIsolationReadUncommitted);
    connection.setDefaultDatabase("EMPRESA");
    EXPECT_EQ(connection.execute("CREATE TABLE T (A int)"), 0);
    connection.close();
    EXPECT_FALSE(connection.isOpen());
}

TEST_F(OdbcSqlite, StatementsOneByOneReportTheRowsTheyAffected)
{
    db::Connection connection;
    openSqlServer(connection);
    struct Case { const char* statement; long affected; };
    const Case cases[] = {
        {kCreateArticles, 0},
        {"INSERT INTO MA_ARTICULOS (CODIGO, DESCRIPCION, PRECIO) VALUES ('A01', 'Ñandú de peluche', 12.5)", 1},
        {"INSERT INTO MA_ARTICULOS (CODIGO, DESCRIPCION) VALUES ('A02', 'O''Brien')", 1},
        {"INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('A03')", 1},
        {"UPDATE MA_ARTICULOS SET ACTIVO = 1", 3},
        {"UPDATE MA_ARTICULOS SET ACTIVO = 0 WHERE CODIGO = 'ZZZ'", 0},
        {"DELETE FROM MA_ARTICULOS WHERE CODIGO = 'A03'", 1},
        {"SELECT * FROM MA_ARTICULOS", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(connection.execute(c.statement), c.affected) << c.statement;
        EXPECT_TRUE(connection.errors().empty()) << c.statement;
    }
    EXPECT_EQ(rowsOf(connection, "SELECT CODIGO, DESCRIPCION FROM MA_ARTICULOS ORDER BY CODIGO"),
              (Rows{{"A01", "Ñandú de peluche"}, {"A02", "O'Brien"}}));
}

TEST_F(OdbcSqlite, ABatchGoesToTheDriverAsOneCommandAndItsRefusalIsReported)
{
    // The SQLite driver takes one statement per command where SQL Server takes the whole batch: the batch
    // is not cut up behind the server's back, and the driver's refusal reaches the error list.
    db::Connection connection;
    openSqlServer(connection);
    connection.execute(kCreateArticles);
    struct Case { const char* batch; const char* refusal; };
    const Case cases[] = {
        {"INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('B1')\r\nINSERT INTO MA_ARTICULOS (CODIGO) VALUES ('B2')",
         "near \"INSERT\": syntax error (1)"},
        {"INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('B1'); INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('B2')",
         "only one SQL statement allowed"},
    };
    for (const Case& c : cases) {
        const auto error = raised([&] { connection.execute(c.batch); });
        ASSERT_TRUE(error) << c.batch;
        ASSERT_EQ(connection.errors().count(), 1u) << c.batch;
        EXPECT_EQ(connection.errors().item(0).description, c.refusal);
        EXPECT_EQ(connection.errors().item(0).sqlState, "HY000");
        EXPECT_EQ(error->description(), c.refusal);
        EXPECT_TRUE(rowsOf(connection, "SELECT CODIGO FROM MA_ARTICULOS").empty()) << c.batch;
    }
}

TEST_F(OdbcSqlite, AKeyViolationLeavesTheDriversDiagnosticInTheErrorList)
{
    db::Connection connection;
    openSqlServer(connection);
    connection.execute(kCreateArticles);
    connection.execute("INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('A01')");
    const auto error = raised([&] { connection.execute("INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('A01')"); });
    ASSERT_TRUE(error);
    ASSERT_EQ(connection.errors().count(), 1u);
    const db::ProviderError& entry = connection.errors().item(0);
    EXPECT_EQ(entry.nativeError, 19);  // SQLite's constraint failure
    EXPECT_EQ(entry.sqlState, "HY000");
    EXPECT_EQ(entry.description, "UNIQUE constraint failed: MA_ARTICULOS.CODIGO (19)");
    EXPECT_EQ(entry.source, "[SQLite]");
    EXPECT_EQ(entry.number, db::hresult::kUnspecified);
    EXPECT_EQ(error->number(), entry.number);
    EXPECT_EQ(error->description(), entry.description);

    // Every command starts with an empty list.
    EXPECT_EQ(connection.execute("UPDATE MA_ARTICULOS SET ACTIVO = 1"), 1);
    EXPECT_TRUE(connection.errors().empty());

    // A statement the database cannot read, and a recordset on a table that is not there.
    EXPECT_TRUE(raised([&] { connection.execute("UPDATEX MA_ARTICULOS"); }));
    ASSERT_EQ(connection.errors().count(), 1u);
    EXPECT_NE(connection.errors().item(0).description.find("syntax error"), std::string::npos);
    db::Recordset rs;
    EXPECT_TRUE(raised([&] { rs.open("SELECT * FROM NO_HAY", connection); }));
    ASSERT_EQ(connection.errors().count(), 1u);
    EXPECT_EQ(connection.errors().item(0).description, "no such table: NO_HAY (1)");
    EXPECT_EQ(rs.state(), db::kStateClosed);
}

TEST_F(OdbcSqlite, ARecordsetCarriesTheFieldTypesAndSizesAndTheValuesInTheirKinds)
{
    db::Connection connection;
    openSqlServer(connection);
    connection.execute(
        "CREATE TABLE TIPOS (ENTERO int, TEXTO varchar(10), FIJO char(4), FECHA datetime, SI bit, CORTO smallint, "
        "LARGO bigint, REAL_ float, MEMO text, DIA date, IMPORTE money, BYTE tinyint, HORA time)");
    connection.execute(
        "INSERT INTO TIPOS VALUES (7, 'ñandú', 'ab', '2005-08-15 10:30:00', 1, -3, 9000000000, 2.5, 'largo', "
        "'2005-01-02', 1234.5678, 200, '10:11:12')");
    connection.execute("INSERT INTO TIPOS (ENTERO) VALUES (NULL)");

    db::Recordset rs;
    rs.open("SELECT * FROM TIPOS", connection);
    struct Case { const char* name; db::AdoType type; long size; base::Value value; };
    const Case cases[] = {
        {"ENTERO", db::AdoType::Integer, 4, 7},
        {"TEXTO", db::AdoType::VarChar, 10, "ñandú"},
        {"FIJO", db::AdoType::VarChar, 4, "ab"},  // the SQLite driver reports char(n) as varchar(n)
        {"FECHA", db::AdoType::DBTimeStamp, 16, base::DateTime::fromParts(2005, 8, 15, 10, 30)},
        {"SI", db::AdoType::Boolean, 2, true},
        {"CORTO", db::AdoType::SmallInt, 2, -3},
        {"LARGO", db::AdoType::BigInt, 8, 9000000000LL},
        {"REAL_", db::AdoType::Double, 8, 2.5},
        {"MEMO", db::AdoType::LongVarChar, 2147483647, "largo"},
        {"DIA", db::AdoType::DBDate, 6, base::DateTime::fromParts(2005, 1, 2)},
        {"IMPORTE", db::AdoType::Currency, 8, base::Currency::fromScaled(12345678)},
        {"BYTE", db::AdoType::UnsignedTinyInt, 1, 200},
        {"HORA", db::AdoType::DBTime, 6, base::DateTime::fromSeconds(10 * 3600 + 11 * 60 + 12)},
    };
    ASSERT_EQ(rs.fieldCount(), std::size(cases));
    EXPECT_EQ(rs.recordCount(), 2);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        db::Field field = rs.field(i);
        EXPECT_EQ(field.name(), c.name);
        EXPECT_EQ(static_cast<int>(field.type()), static_cast<int>(c.type)) << c.name;
        EXPECT_EQ(field.definedSize(), c.size) << c.name;
        EXPECT_EQ(field.value(), c.value) << c.name << " " << field.value().toText();
    }
    rs.moveNext();
    for (const Case& c : cases) EXPECT_TRUE(rs.field(c.name).value().isNull()) << c.name;
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
}

TEST_F(OdbcSqlite, OnClientCursorsARecordsetIsASnapshot)
{
    db::Connection connection;
    openSqlServer(connection);
    connection.execute(kCreateArticles);
    for (const char* code : {"A01", "A02", "A03"})
        connection.execute(std::string("INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('") + code + "')");
    db::Recordset rs;
    rs.open("SELECT CODIGO FROM MA_ARTICULOS ORDER BY CODIGO", connection);
    std::vector<std::string> walked;
    for (; !rs.eof(); rs.moveNext()) {
        walked.push_back(rs.field("CODIGO").value().toText());
        connection.execute("DELETE FROM MA_ARTICULOS");
    }
    EXPECT_EQ(walked, (std::vector<std::string>{"A01", "A02", "A03"}));
}

TEST_F(OdbcSqlite, AForwardOnlyWalkGoesOnWhileStatementsRunAndAfterTheConnectionCloses)
{
    // StepAPI=1: the driver reads a result row by row as the walk asks, the way a server sends it.
    ScopedEnvironment stepping("MIGRA_ODBC_EXTRA_KEYS", "Database=" + file.string() + ";StepAPI=1;");
    db::Connection connection;
    openSqlServer(connection, db::CursorLocation::Server);
    connection.execute(kCreateArticles);
    connection.execute("CREATE TABLE COPIA (CODIGO varchar(15))");
    for (int i = 1; i <= 5; ++i)
        connection.execute("INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('A0" + std::to_string(i) + "')");

    db::Recordset rs;
    rs.open("SELECT CODIGO FROM MA_ARTICULOS ORDER BY CODIGO", connection);
    EXPECT_EQ(rs.recordCount(), -1);  // a stream: the rows are read as the walk goes
    std::vector<std::string> walked;
    walked.push_back(rs.field("CODIGO").value().toText());
    rs.moveNext();
    // One command at a time: the walk's remaining rows are read before this one runs, so the table it
    // reads is free to go (SQLite, like a server busy with a result, refuses while a read is under way).
    EXPECT_EQ(connection.execute("DROP TABLE MA_ARTICULOS"), 0);
    walked.push_back(rs.field("CODIGO").value().toText());
    rs.moveNext();

    db::Recordset second;
    second.open("SELECT CODIGO FROM COPIA", connection);
    EXPECT_TRUE(second.eof());
    connection.execute("INSERT INTO COPIA (CODIGO) VALUES ('C1')");
    second.close();
    second.open("SELECT CODIGO FROM COPIA", connection);
    // Closing the connection lets the open walks finish from what they had read.
    connection.close();
    for (; !rs.eof(); rs.moveNext()) walked.push_back(rs.field("CODIGO").value().toText());
    EXPECT_EQ(walked, (std::vector<std::string>{"A01", "A02", "A03", "A04", "A05"}));
    ASSERT_FALSE(second.eof());
    EXPECT_EQ(second.field("CODIGO").value(), base::Value("C1"));
}

TEST_F(OdbcSqlite, SchemaListsNameTablesViewsAndTheColumnsOfOneTable)
{
    db::Connection connection;
    openSqlServer(connection);
    connection.execute("CREATE TABLE MA_CUENTAS (CODIGO varchar(20), NOMBRE varchar(60), SALDO money)");
    connection.execute("CREATE TABLE MAXCUENTAS (OTRA int)");  // "_" in a catalogue pattern matches this one too
    connection.execute("CREATE VIEW V_CUENTAS AS SELECT CODIGO FROM MA_CUENTAS");

    db::Recordset tables = connection.openSchema(db::SchemaKind::Tables);
    std::vector<std::pair<std::string, std::string>> listed;
    for (; !tables.eof(); tables.moveNext())
        listed.emplace_back(tables.field("TABLE_NAME").value().toText(), tables.field("TABLE_TYPE").value().toText());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::pair<std::string, std::string>>{
                          {"MAXCUENTAS", "TABLE"}, {"MA_CUENTAS", "TABLE"}, {"V_CUENTAS", "VIEW"}}));

    struct Expected { const char* name; int position; db::AdoType type; base::Value length; };
    const Expected expected[] = {
        {"CODIGO", 1, db::AdoType::VarChar, 20},
        {"NOMBRE", 2, db::AdoType::VarChar, 60},
        {"SALDO", 3, db::AdoType::Currency, base::Value::null()},
    };
    for (const char* asked : {"MA_CUENTAS", "ma_cuentas"}) {
        db::Recordset columns = connection.openSchema(db::SchemaKind::Columns, {"EMPRESA", {}, asked, {}});
        std::size_t i = 0;
        for (; !columns.eof(); columns.moveNext(), ++i) {
            ASSERT_LT(i, std::size(expected)) << columns.field("COLUMN_NAME").value().toText();
            EXPECT_EQ(columns.field("TABLE_NAME").value(), base::Value("MA_CUENTAS"));
            EXPECT_EQ(columns.field("COLUMN_NAME").value(), base::Value(expected[i].name));
            EXPECT_EQ(columns.field("ORDINAL_POSITION").value(), base::Value(expected[i].position));
            EXPECT_EQ(columns.field("DATA_TYPE").value(), base::Value(static_cast<int>(expected[i].type)));
            EXPECT_EQ(columns.field("CHARACTER_MAXIMUM_LENGTH").value(), expected[i].length) << expected[i].name;
        }
        EXPECT_EQ(i, std::size(expected)) << asked;
    }
    db::Recordset all = connection.openSchema(db::SchemaKind::Columns);
    EXPECT_EQ(all.recordCount(), 5);  // three of MA_CUENTAS, one of MAXCUENTAS, one of the view
}

TEST_F(OdbcSqlite, TransactionsCommitAndRollBack)
{
    db::Connection connection;
    openSqlServer(connection);
    connection.execute(kCreateArticles);

    connection.beginTrans();
    connection.execute("INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('UNDONE')");
    connection.rollbackTrans();
    connection.beginTrans();
    connection.execute("INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('KEPT')");
    connection.commitTrans();
    EXPECT_EQ(rowsOf(connection, "SELECT CODIGO FROM MA_ARTICULOS"), (Rows{{"KEPT"}}));

    // Nothing open: a rollback is harmless, a commit is an error.
    connection.rollbackTrans();
    EXPECT_TRUE(connection.errors().empty());
    EXPECT_TRUE(raised([&] { connection.commitTrans(); }));
    ASSERT_EQ(connection.errors().count(), 1u);
    EXPECT_EQ(connection.errors().item(0).sqlState, "25000");

    // A transaction still open when the connection closes is undone.
    connection.beginTrans();
    EXPECT_TRUE(raised([&] { connection.beginTrans(); }));
    connection.execute("INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('LOST')");
    connection.close();
    db::Connection again;
    openSqlServer(again);
    EXPECT_EQ(rowsOf(again, "SELECT CODIGO FROM MA_ARTICULOS"), (Rows{{"KEPT"}}));

    // The program's own batches begin a transaction in one execute and end it in another: the database's.
    again.execute("BEGIN TRANSACTION");
    again.execute("INSERT INTO MA_ARTICULOS (CODIGO) VALUES ('BATCH')");
    again.execute("ROLLBACK TRANSACTION");
    EXPECT_EQ(rowsOf(again, "SELECT CODIGO FROM MA_ARTICULOS"), (Rows{{"KEPT"}}));
}

TEST_F(OdbcSqlite, AnUpdatableRecordsetWritesWithParameters)
{
    db::Connection connection;
    openSqlServer(connection);
    connection.execute(kCreateArticles);

    db::Recordset rs;
    rs.open("select  * from MA_ARTICULOS WHERE 1 = 0", connection, db::CursorType::Dynamic, db::LockType::Optimistic);
    rs.addNew();
    rs.field("CODIGO").setValue(std::string("X'; DROP TABLE MA_ARTICULOS; --"));
    rs.field("DESCRIPCION").setValue(std::string("Año ñ"));
    rs.field("PRECIO").setValue(base::Currency::fromScaled(-12345));
    rs.field("ALTA").setValue(base::DateTime::fromParts(2026, 3, 7, 9, 5));
    rs.field("ACTIVO").setValue(true);
    rs.update();
    rs.addNew();
    rs.field("CODIGO").setValue(std::string("B"));
    rs.field("DESCRIPCION").setValue(base::Value::null());
    rs.update();
    EXPECT_EQ(rowsOf(connection, "SELECT CODIGO, DESCRIPCION, PRECIO, ALTA, ACTIVO FROM MA_ARTICULOS ORDER BY CODIGO"),
              (Rows{{"B", "NULL", "NULL", "NULL", "NULL"},
                    {"X'; DROP TABLE MA_ARTICULOS; --", "Año ñ", "-1.2345", "07/03/2026 09:05:00", "Verdadero"}}));
    rs.close();

    // Editing the current row finds it by its primary key.
    rs.open("SELECT * FROM MA_ARTICULOS WHERE CODIGO = 'B'", connection, db::CursorType::Dynamic, db::LockType::Optimistic);
    rs.field("DESCRIPCION").setValue(std::string("cambiada"));
    rs.update();
    EXPECT_EQ(rowsOf(connection, "SELECT DESCRIPCION FROM MA_ARTICULOS WHERE CODIGO = 'B'"), (Rows{{"cambiada"}}));

    // A row deleted since it was read cannot be updated, and says so.
    connection.execute("DELETE FROM MA_ARTICULOS WHERE CODIGO = 'B'");
    rs.field("DESCRIPCION").setValue(std::string("otra vez"));
    EXPECT_TRUE(raised([&] { rs.update(); }));
    ASSERT_EQ(connection.errors().count(), 1u);
    EXPECT_NE(connection.errors().item(0).description.find("Row cannot be located"), std::string::npos);
    rs.cancelUpdate();
    rs.close();

    // Names with blanks, and a table without a key: the row is found by every value it had.
    connection.execute("CREATE TABLE [MIS DATOS] ([CODIGO X] varchar(5), [VALOR ACTUAL] int)");
    connection.execute("INSERT INTO [MIS DATOS] VALUES ('a', NULL)");
    rs.open("SELECT * FROM [MIS DATOS]", connection, db::CursorType::Dynamic, db::LockType::Optimistic);
    rs.field("VALOR ACTUAL").setValue(7);
    rs.update();
    rs.addNew();
    rs.field("CODIGO X").setValue(std::string("b"));
    rs.update();
    EXPECT_EQ(rowsOf(connection, "SELECT * FROM [MIS DATOS] ORDER BY 1"), (Rows{{"a", "7"}, {"b", "NULL"}}));
}

TEST_F(OdbcSqlite, TheOracleTextOpensWithItsDriverAndWritesOraclesDates)
{
    db::Connection connection;
    connection.open(oracleText());
    EXPECT_TRUE(connection.isOpen());
    EXPECT_EQ(connection.dateLiteral(base::DateTime::fromParts(2005, 8, 15, 10, 30)),
              "TO_DATE('2005-08-15 10:30:00','YYYY-MM-DD HH24:MI:SS')");
    connection.setDefaultDatabase("ERPDB");  // Oracle has no catalogues: nothing to set
    connection.setIsolationLevel(db::kIsolationReadUncommitted);
    EXPECT_EQ(connection.execute("CREATE TABLE T (A int)"), 0);
}

TEST_F(OdbcSqlite, FailuresToOpenAreClearAndNeverShowThePassword)
{
    {
        ScopedEnvironment noOracle("MIGRA_ODBC_ORACLE_DRIVER", std::nullopt);
        db::Connection connection;
        const auto error = raised([&] { connection.open(oracleText()); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->number(), db::adoerror::kProviderNotFound);
        EXPECT_NE(error->description().find("MIGRA_ODBC_ORACLE_DRIVER"), std::string::npos);
        EXPECT_FALSE(connection.isOpen());
        ASSERT_EQ(connection.errors().count(), 1u);
    }
    {
        ScopedEnvironment missing("MIGRA_ODBC_DRIVER", "Driver que no existe");
        db::Connection connection;
        const auto error =
            raised([&] { connection.open("PROVIDER=SQLOLEDB;Server=S;Database =E;UId=u;Pwd=secreto-de-prueba;"); });
        ASSERT_TRUE(error);
        EXPECT_NE(error->description().find("Driver que no existe"), std::string::npos) << error->description();
        EXPECT_NE(error->description().find("server \"S\""), std::string::npos) << error->description();
        EXPECT_EQ(error->description().find("secreto-de-prueba"), std::string::npos) << error->description();
        EXPECT_FALSE(connection.isOpen());
    }
    {
        // The SQLite driver is told not to create a missing file, so the database is "not there".
        ScopedEnvironment keys("MIGRA_ODBC_EXTRA_KEYS", "Database=" + (folder.path() / "no" / "erp.db").string() + ";NoCreat=1;");
        db::Connection connection;
        EXPECT_TRUE(raised([&] { connection.open(sqlServerText()); }));
        EXPECT_FALSE(connection.isOpen());
        ASSERT_EQ(connection.errors().count(), 1u);
        EXPECT_NE(connection.errors().item(0).description.find("connect failed"), std::string::npos)
            << connection.errors().item(0).description;
    }
}

}  // namespace
