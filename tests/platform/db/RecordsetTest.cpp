// Recordsets on the embedded database: walking, field access, snapshots and writing through them.

#include "platform/base/Error.h"
#include "tests/support/ErpDatabase.h"
#include "tests/support/Failures.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ErpDatabase;
using testing_support::errorNumberOf;

class Recordsets : public ::testing::Test {
protected:
    void SetUp() override
    {
        erp.connection().execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('A', '1')\r"
                                 "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('B', '2')\r"
                                 "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('C', NULL)");
    }
    ErpDatabase erp;
};

TEST_F(Recordsets, WalkFromBofToEofAndReadFieldsByNameOrPosition)
{
    db::Recordset rs;
    rs.open("SELECT CLAVE, VALOR, VALOR AS clave FROM TA_CONFIGURACION ORDER BY TA_CONFIGURACION.CLAVE", erp.connection());
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.recordCount(), 3);
    // Of two columns with one name, the later answers.
    EXPECT_EQ(rs.field("CLAVE").value(), base::Value("1"));
    EXPECT_EQ(rs.field(std::size_t{0}).value(), base::Value("A"));
    rs.moveLast();
    EXPECT_TRUE(rs.field("valor").value().isNull());
    rs.moveFirst();
    std::vector<std::string> keys;
    for (; !rs.eof(); rs.moveNext()) keys.push_back(rs.field(std::size_t{0}).value().toText());
    EXPECT_EQ(keys, (std::vector<std::string>{"A", "B", "C"}));

    EXPECT_EQ(errorNumberOf([&] { (void)rs.field("VALOR").value(); }), db::adoerror::kNoCurrentRecord);
    EXPECT_EQ(errorNumberOf([&] { rs.moveNext(); }), db::adoerror::kNoCurrentRecord);
    EXPECT_EQ(errorNumberOf([&] { (void)rs.field("NO_HAY"); }), db::adoerror::kNotFoundInCollection);
    EXPECT_EQ(errorNumberOf([&] { (void)rs.field(std::size_t{7}); }), db::adoerror::kNotFoundInCollection);
    rs.close();
    EXPECT_EQ(rs.state(), db::kStateClosed);
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(errorNumberOf([&] { (void)rs.field("CLAVE"); }), db::adoerror::kClosed);
    EXPECT_EQ(errorNumberOf([&] { rs.moveNext(); }), db::adoerror::kClosed);
}

TEST_F(Recordsets, AnEmptyResultIsBofAndEofWithItsColumnsKnown)
{
    db::Recordset rs;
    rs.open("SELECT * FROM MA_CUENTAS WHERE 1 = 0", erp.connection());
    EXPECT_TRUE(rs.bof());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.field("CODIGO").definedSize(), 15);
}

TEST_F(Recordsets, FieldTypesAndSizesComeFromTheDeclaredColumns)
{
    struct Case { const char* column; db::AdoType type; long size; };
    const Case cases[] = {
        {"IDLISTA", db::AdoType::Char, 4},           {"NOMBRE", db::AdoType::VarChar, 100},
        {"IDARTICULO", db::AdoType::Char, 25},       {"CONIVA", db::AdoType::Boolean, 2},
        {"COSTO", db::AdoType::Currency, 8},         {"ID", db::AdoType::Integer, 4},
        {"FHOFERTADESDE", db::AdoType::DBTimeStamp, 16},
    };
    db::Recordset rs;
    rs.open("SELECT * FROM V_MA_PRECIOS", erp.connection());
    for (const Case& c : cases) {
        EXPECT_EQ(rs.field(c.column).type(), c.type) << c.column;
        EXPECT_EQ(rs.field(c.column).definedSize(), c.size) << c.column;
    }
}

TEST_F(Recordsets, ValuesComeBackAsTheirKinds)
{
    erp.connection().execute("INSERT INTO V_MA_PRECIOS (IDLISTA, CONIVA, COSTO, FHOFERTADESDE) VALUES "
                             "('  A1', 1, 12.3456, '20050815 00:00:00')");
    db::Recordset rs;
    rs.open("SELECT IDLISTA, CONIVA, COSTO, FHOFERTADESDE, COUNT(*) AS N FROM V_MA_PRECIOS", erp.connection());
    EXPECT_EQ(rs.field("IDLISTA").value(), base::Value("  A1"));
    EXPECT_EQ(rs.field("CONIVA").value(), base::Value(true));
    EXPECT_EQ(rs.field("COSTO").value(), base::Value(*base::Currency::parse("12.3456")));
    EXPECT_EQ(rs.field("FHOFERTADESDE").value(), base::Value(base::DateTime::fromParts(2005, 8, 15)));
    EXPECT_EQ(rs.field("N").value(), base::Value(1));
    EXPECT_EQ(rs.field("N").type(), db::AdoType::Integer);
}

TEST_F(Recordsets, ASnapshotSurvivesDeletingItsRowsWhileWalking)
{
    db::Recordset rs;
    rs.open("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE", erp.connection());
    int seen = 0;
    for (; !rs.eof(); rs.moveNext()) {
        erp.connection().execute("DELETE TA_CONFIGURACION WHERE CLAVE = '" + rs.field("CLAVE").value().toText() + "'");
        ++seen;
    }
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (std::vector<std::vector<std::string>>{{"0"}}));
}

TEST_F(Recordsets, AddNewAndUpdateWriteARow)
{
    db::Recordset rs;
    rs.open("select  top 1 * from AUX_ERR", erp.connection(), db::CursorType::Dynamic, db::LockType::Optimistic);
    rs.addNew();
    rs.field("Proceso").setValue("ImportaClientes");
    rs.field("Fecha").setValue(base::DateTime::fromParts(2026, 12, 10, 9, 15));
    rs.field("Error").setValue(2627);
    rs.field("SQL").setValue("INSERT INTO X VALUES ('O''Brien')");
    rs.update();
    rs.close();
    EXPECT_EQ(erp.rows("SELECT ID, Proceso, Fecha, Error, SQL, PC FROM AUX_ERR"),
              (std::vector<std::vector<std::string>>{
                  {"1", "ImportaClientes", "10/12/2026 09:15:00", "2627", "INSERT INTO X VALUES ('O''Brien')", "NULL"}}));
}

TEST_F(Recordsets, EditingTheCurrentRowWritesOnlyThatRow)
{
    db::Recordset rs;
    rs.open("SELECT * FROM TA_CONFIGURACION WHERE CLAVE >= 'B' ORDER BY CLAVE", erp.connection(),
            db::CursorType::Dynamic, db::LockType::Optimistic);
    rs.field("VALOR").setValue("22");
    rs.update();
    rs.moveNext();
    rs.field("VALOR").setValue("33");
    rs.moveFirst();  // moving away keeps the edit, as Update would
    EXPECT_EQ(erp.rows("SELECT CLAVE, VALOR FROM TA_CONFIGURACION ORDER BY CLAVE"),
              (std::vector<std::vector<std::string>>{{"A", "1"}, {"B", "22"}, {"C", "33"}}));
}

TEST_F(Recordsets, AFailedWriteIsReportedAndReadOnlyRecordsetsRefuseWrites)
{
    db::Recordset rs;
    rs.open("SELECT * FROM TA_CONFIGURACION", erp.connection(), db::CursorType::Dynamic, db::LockType::Optimistic);
    rs.addNew();
    rs.field("CLAVE").setValue("A");
    EXPECT_EQ(errorNumberOf([&] { rs.update(); }), db::hresult::kIntegrityViolation);
    EXPECT_EQ(erp.nativeErrors(), (std::vector<long>{2627, 3621}));
    rs.cancelUpdate();

    db::Recordset readOnly;
    readOnly.open("SELECT * FROM TA_CONFIGURACION", erp.connection());
    EXPECT_EQ(errorNumberOf([&] { readOnly.field("VALOR").setValue("x"); }), db::adoerror::kNotUpdatable);
    db::Recordset joined;
    EXPECT_EQ(errorNumberOf([&] {
                  joined.open("SELECT * FROM TA_CONFIGURACION, TA_USUARIOS", erp.connection(), db::CursorType::Dynamic,
                              db::LockType::Optimistic);
              }),
              db::adoerror::kNotUpdatable);
}

TEST_F(Recordsets, SchemaListsNameTablesViewsAndColumns)
{
    db::Recordset tables = erp.connection().openSchema(db::SchemaKind::Tables);
    std::map<std::string, std::string> types;
    for (; !tables.eof(); tables.moveNext())
        types[tables.field("TABLE_NAME").value().toText()] = tables.field("Table_Type").value().toText();
    EXPECT_EQ(types["MA_CUENTAS"], "TABLE");
    EXPECT_EQ(types["VT_CLIENTES"], "VIEW");
    EXPECT_EQ(types.count("sqlite_sequence"), 0u);

    db::Recordset columns =
        erp.connection().openSchema(db::SchemaKind::Columns, {"EMPRESA", base::Value(), "ta_configuracion", base::Value()});
    std::vector<std::string> names;
    for (; !columns.eof(); columns.moveNext()) names.push_back(columns.field("COLUMN_NAME").value().toText());
    EXPECT_EQ(names, (std::vector<std::string>{"CLAVE", "VALOR", "VALORAUX"}));
}

// On a client connection a recordset is read whole at open; kept on the server, a forward-only one reads its
// rows as it is walked and cannot tell how many there are.
TEST_F(Recordsets, ARecordsetKeptOnTheServerReadsAsItIsWalked)
{
    erp.connection().setCursorLocation(db::CursorLocation::Client);
    db::Recordset snapshot, streamed;
    streamed.cursorLocation = db::CursorLocation::Server;
    snapshot.open("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE", erp.connection());
    streamed.open("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE", erp.connection());
    EXPECT_EQ(snapshot.recordCount(), 3);
    EXPECT_EQ(streamed.recordCount(), -1);
    std::vector<std::string> keys;
    for (; !streamed.eof(); streamed.moveNext()) keys.push_back(streamed.field("clave").value().toText());
    EXPECT_EQ(keys, (std::vector<std::string>{"A", "B", "C"}));
}

// While a recordset is walked, the statements read meanwhile on its connection see what other connections
// commit, and both connections go on writing.
TEST_F(Recordsets, ReadsWhileWalkingSeeOtherConnectionsCommits)
{
    using Rows = std::vector<std::vector<std::string>>;
    erp.connection().setCursorLocation(db::CursorLocation::Client);
    db::Connection other;
    other.open(erp.connectionText());
    db::Recordset walked;
    walked.open("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE", erp.connection());
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"3"}}));
    other.execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('D', '4')");
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"4"}}));
    other.execute("UPDATE TA_CONFIGURACION SET VALOR = '5' WHERE CLAVE = 'D'");
    EXPECT_EQ(erp.rows("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'D'"), (Rows{{"5"}}));

    // This connection writes after the other one committed, and the other one after it.
    erp.connection().execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('E', '6')");
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"5"}}));
    other.execute("DELETE TA_CONFIGURACION WHERE CLAVE = 'A'");
    EXPECT_EQ(erp.rows("SELECT MIN(CLAVE) FROM TA_CONFIGURACION"), (Rows{{"B"}}));
    erp.connection().beginTrans();
    erp.connection().execute("DELETE TA_CONFIGURACION WHERE CLAVE = 'B'");
    erp.connection().commitTrans();

    // The walk itself keeps the rows it opened on.
    std::vector<std::string> keys;
    for (; !walked.eof(); walked.moveNext()) keys.push_back(walked.field("CLAVE").value().toText());
    EXPECT_EQ(keys, (std::vector<std::string>{"A", "B", "C"}));
    db::Recordset seen;
    seen.open("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE", other);
    keys.clear();
    for (; !seen.eof(); seen.moveNext()) keys.push_back(seen.field("CLAVE").value().toText());
    EXPECT_EQ(keys, (std::vector<std::string>{"C", "D", "E"}));
}

// Many rows, kept in blocks: each read back in place, walked both ways.
TEST_F(Recordsets, ManyRowsWalkBothWaysInPlace)
{
    erp.connection().setCursorLocation(db::CursorLocation::Client);
    std::string batch = "DELETE TA_CONFIGURACION\r";
    constexpr int kRows = 300;
    for (int i = 0; i < kRows; ++i)
        batch += "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('K" + std::to_string(1000 + i) + "', '" +
                 std::to_string(i) + "')\r";
    erp.connection().execute(batch);
    db::Recordset rs;
    rs.open("SELECT CLAVE, VALOR FROM TA_CONFIGURACION ORDER BY CLAVE", erp.connection());
    EXPECT_EQ(rs.recordCount(), kRows);
    int i = 0;
    for (; !rs.eof(); rs.moveNext(), ++i) {
        ASSERT_EQ(rs.field("CLAVE").value().toText(), "K" + std::to_string(1000 + i));
        ASSERT_EQ(rs.field(1).value().toText(), std::to_string(i));
    }
    EXPECT_EQ(i, kRows);
    rs.moveLast();
    for (i = kRows - 1; !rs.bof(); rs.movePrevious(), --i) ASSERT_EQ(rs.field("VALOR").value().toText(), std::to_string(i));
    EXPECT_EQ(i, -1);
}

}  // namespace
