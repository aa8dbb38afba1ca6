// The dBase folder as the imports open it: the legacy connection text, their SELECT statements exactly as
// they write them, the record count of a whole table, the types of the fields, and every write refused.

#include "platform/base/Error.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/dbf/LegacySql.h"
#include "tests/support/Failures.h"
#include "tests/support/LegacyFixtures.h"

#include <gtest/gtest.h>

namespace {

using testing_support::DbfFixtures;
using testing_support::failureOf;
using Texts = std::vector<std::vector<std::string>>;

// The rows of a statement, the chosen columns as their text forms ("NULL" for Null).
Texts rows(db::Connection& connection, std::string_view statement, const std::vector<std::string>& columns)
{
    db::Recordset rs;
    rs.open(statement, connection);
    Texts result;
    for (; !rs.eof(); rs.moveNext()) {
        result.emplace_back();
        for (const std::string& column : columns) {
            const base::Value& value = rs.field(column).value();
            result.back().push_back(value.isNull() ? "NULL" : value.toText());
        }
    }
    return result;
}

class DbfFolder : public ::testing::Test {
protected:
    void SetUp() override { connection.open(files.connectionText()); }
    DbfFixtures files;
    db::Connection connection;
};

TEST_F(DbfFolder, CustomersUpToACodeCompareAsText)
{
    // '4999  ' and '00499A' are above '004999' as texts; the deleted 000002 is not there at all.
    EXPECT_EQ(rows(connection, "SELECT * FROM FCLIENTE WHERE CODI_FCL <= '004999'", {"CODI_FCL", "NOMB_FCL"}),
              (Texts{{"000001", "Cliente uno                   "}, {"004999", "Cliente límite                "}}));
}

TEST_F(DbfFolder, CityLookupsMatchValuesReadWithTheirPadding)
{
    // The imports put the customer's fields, as read, into the lookup: CODP_FCL is C(4) and CODC_FCL C(5),
    // one blank wider than CODP_FCI C(3) and CODI_FCI C(4).
    db::Recordset customers;
    customers.open("SELECT * FROM FCLIENTE WHERE CODI_FCL <= '004999'", connection);
    std::vector<std::string> cities;
    for (; !customers.eof(); customers.moveNext()) {
        db::Recordset city;
        city.open("SELECT * FROM fciudade where CODP_FCI = '" + customers.field("CODP_FCL").value().asText() +
                      "' AND CODI_FCI = '" + customers.field("CODC_FCL").value().asText() + "'",
                  connection);
        ASSERT_FALSE(city.eof());
        cities.push_back(city.field("NOMB_FCI").value().asText());
        city.moveNext();
        EXPECT_TRUE(city.eof());
    }
    EXPECT_EQ(cities, (std::vector<std::string>{"Capital Federal          ", "Córdoba                  "}));

    // Leading blanks count; trailing ones do not, however many.
    EXPECT_EQ(rows(connection, "SELECT * FROM fciudade where CODP_FCI  = ' BA' AND CODI_FCI = '1000'", {"NOMB_FCI"}), Texts{});
    EXPECT_EQ(rows(connection, "SELECT * FROM FCIUDADE WHERE CODP_FCI = 'BA         ' AND CODI_FCI = '1001'", {"NOMB_FCI"}),
              (Texts{{"Otra                     "}}));
}

TEST_F(DbfFolder, OpenOrderLinesSortInMachineOrder)
{
    // Binary order puts the lower-case 'a' after the capitals; NUMS_FOD sorts as a number; 'c' is not 'C'.
    EXPECT_EQ(rows(connection, "SELECT * FROM FDEORCOM WHERE ESTA_FOD='C' ORDER BY NUME_FOD,NUMS_FOD ",
                   {"NUME_FOD", "NUMS_FOD", "CANT_FOD"}),
              (Texts{{"A0000002", "1", "4"}, {"B0000001", "9", "3.125"}, {"B0000001", "10", "1.5"}, {"a0000001", "1", "2"}}));
}

TEST_F(DbfFolder, ArticlesWithoutOrdersFindTheirCostsByTheirPaddedCode)
{
    db::Recordset articles;
    articles.open("SELECT * FROM FARTICUL where ped1_far = 'N' and ped2_far = 'N' and  ped3_far = 'N' and  ped4_far = "
                  "'N' and  ped5_far = 'N' and  ped6_far = 'N' ",
                  connection);
    std::vector<std::pair<std::string, std::string>> costs;
    for (; !articles.eof(); articles.moveNext()) {
        const std::string code = articles.field("CODI_FAR").value().asText();  // 25 wide; CODI_FCO is 20
        const auto found = rows(connection, "SELECT * FROM FCOSTEOS WHERE CODI_FCO = '" + code + "'", {"COST_FCO"});
        ASSERT_EQ(found.size(), 1u) << code;
        costs.emplace_back(code.substr(0, 4), found[0][0]);
    }
    EXPECT_EQ(costs, (std::vector<std::pair<std::string, std::string>>{{"ART1", "10.5"}, {"ART3", "0.0001"}}));
}

TEST_F(DbfFolder, TableAndColumnNamesAreFoundWithoutRegardToCase)
{
    // The files are FCLIENTE.DBF, fciudade.dbf and FoxMemo.DBF.
    for (const char* statement : {"select codi_fcl from fcliente", "SELECT CODI_FCL FROM FCLIENTE", "Select Codi_Fcl From FCliente"})
        EXPECT_EQ(rows(connection, statement, {"CODI_FCL"}).size(), 5u) << statement;
    EXPECT_EQ(rows(connection, "SELECT * FROM FCIUDADE", {"codp_fci"}).size(), 3u);
    EXPECT_EQ(rows(connection, "SELECT codi FROM foxmemo", {"CODI"}).size(), 2u);
}

TEST_F(DbfFolder, AWholeTableKnowsItsRecordCountAndStreamsIt)
{
    db::Recordset whole;
    whole.open("Select * from FCLIENTE ", connection);
    EXPECT_EQ(whole.recordCount(), 5);  // six records, one deleted
    long walked = 0;
    for (; !whole.eof(); whole.moveNext()) ++walked;
    EXPECT_EQ(walked, 5);
    // Forward-only: the rows were streamed, not kept.
    EXPECT_THROW(whole.moveLast(), base::Error);

    db::Recordset filtered;
    filtered.open("SELECT * FROM FCLIENTE WHERE CODI_FCL <= '004999'", connection);
    EXPECT_EQ(filtered.recordCount(), -1);

    db::Connection withDeleted;
    withDeleted.open(files.connectionText("Deleted=No;"));
    db::Recordset all;
    all.open("SELECT * FROM FCLIENTE", withDeleted);
    EXPECT_EQ(all.recordCount(), 6);
}

TEST_F(DbfFolder, FieldTypesAreTheDataAccessCodesWithTheFieldWidths)
{
    struct Case { const char* table; const char* field; db::AdoType type; long size; };
    const Case cases[] = {
        {"FCLIENTE", "CODI_FCL", db::AdoType::Char, 6},         {"FCLIENTE", "SALD_FCL", db::AdoType::Numeric, 12},
        {"DB3MEMO", "FECH", db::AdoType::DBDate, 6},            {"DB3MEMO", "ACTI", db::AdoType::Boolean, 2},
        {"DB3MEMO", "OBSE", db::AdoType::LongVarChar, 2147483647}, {"VFPNULLS", "ALTA", db::AdoType::DBTimeStamp, 16},
        {"VFPNULLS", "ID", db::AdoType::Integer, 4},            {"VFPNULLS", "SALDO", db::AdoType::Currency, 8},
        {"VFPNULLS", "PESO", db::AdoType::Double, 8},           {"FoxMemo", "PESO", db::AdoType::Numeric, 10},
    };
    for (const Case& c : cases) {
        db::Recordset rs;
        rs.open(std::string("SELECT * FROM ") + c.table, connection);
        EXPECT_EQ(static_cast<int>(rs.field(c.field).type()), static_cast<int>(c.type)) << c.table << "." << c.field;
        EXPECT_EQ(rs.field(c.field).definedSize(), c.size) << c.table << "." << c.field;
    }
}

TEST_F(DbfFolder, SchemaListsNameTheTablesAndTheirColumns)
{
    db::Recordset tables = connection.openSchema(db::SchemaKind::Tables);
    std::vector<std::string> names;
    for (; !tables.eof(); tables.moveNext()) names.push_back(tables.field("TABLE_NAME").value().asText());
    EXPECT_EQ(names, (std::vector<std::string>{"DB3MEMO", "FARTICUL", "FCLIENTE", "FCOSTEOS", "FDEORCOM", "FoxMemo",
                                               "PLAIN", "VFPBITS", "fciudade", "vfpnulls"}));

    db::Recordset columns = connection.openSchema(db::SchemaKind::Columns, {base::Value(), base::Value(), "fcliente"});
    Texts found;
    for (; !columns.eof(); columns.moveNext())
        found.push_back({columns.field("COLUMN_NAME").value().asText(), columns.field("DATA_TYPE").value().toText(),
                         columns.field("CHARACTER_MAXIMUM_LENGTH").value().isNull()
                             ? "NULL"
                             : columns.field("CHARACTER_MAXIMUM_LENGTH").value().toText()});
    EXPECT_EQ(found, (Texts{{"CODI_FCL", "129", "6"}, {"NOMB_FCL", "129", "30"}, {"CODP_FCL", "129", "4"},
                            {"CODC_FCL", "129", "5"}, {"SALD_FCL", "131", "NULL"}}));
}

TEST_F(DbfFolder, EveryWriteIsRefusedAndTheFilesStayAsTheyWere)
{
    const std::string before = testing_support::readBytes(files.file("FCLIENTE.DBF"));
    const std::string attach = "ATTACH DATABASE '" + (files.folder() / "otra.db").string() + "' AS otra";
    const std::string writes[] = {
        "DELETE FROM FCLIENTE",
        "UPDATE FCLIENTE SET NOMB_FCL = 'x'",
        "INSERT INTO FCLIENTE (CODI_FCL) VALUES ('999999')",
        "CREATE TABLE NUEVA (A INT)",
        "DROP TABLE FCLIENTE",
        attach,
        "PRAGMA writable_schema = 1",
    };
    rows(connection, "SELECT * FROM FCLIENTE", {"CODI_FCL"});  // the table is declared before the writes
    for (const std::string& write : writes) {
        const base::Error failure = failureOf([&] { connection.execute(write); });
        EXPECT_NE(failure.description().find("read-only"), std::string::npos) << write << ": " << failure.description();
        EXPECT_NE(failure.description().find(files.folder().string()), std::string::npos) << failure.description();
        EXPECT_EQ(connection.errors().count(), 1u) << write;
        EXPECT_THROW({ db::Recordset rs; rs.open(write, connection); }, base::Error) << write;
    }
    db::Recordset updatable;
    EXPECT_EQ(failureOf([&] {
                  updatable.open("SELECT * FROM FCLIENTE", connection, db::CursorType::Dynamic, db::LockType::Optimistic);
              }).number(),
              db::adoerror::kNotUpdatable);
    EXPECT_EQ(testing_support::readBytes(files.file("FCLIENTE.DBF")), before);
    EXPECT_FALSE(std::filesystem::exists(files.folder() / "otra.db"));
}

TEST_F(DbfFolder, AMissingTableIsError208NamingFolderAndTable)
{
    const base::Error failure = failureOf([&] { db::Recordset rs; rs.open("SELECT * FROM NOHAY", connection); });
    EXPECT_EQ(failure.number(), db::hresult::kNoSuchTable);
    ASSERT_EQ(connection.errors().count(), 1u);
    EXPECT_EQ(connection.errors().item(0).nativeError, 208);
    EXPECT_NE(failure.description().find("NOHAY"), std::string::npos) << failure.description();
    EXPECT_NE(failure.description().find(files.folder().string()), std::string::npos) << failure.description();
    // A name is never a way out of the folder.
    EXPECT_EQ(failureOf([&] { db::Recordset rs; rs.open("SELECT * FROM [../FCLIENTE]", connection); }).number(),
              db::hresult::kNoSuchTable);
}

TEST_F(DbfFolder, ARecordThatCannotBeReadIsRaisedAndPutInTheErrorList)
{
    // Record 2 of 3 holds an impossible date: the first record reads, the walk stops at the second.
    testing_support::patchBytes(files.file("PLAIN.dbf"), testing_support::fieldOffset(files.file("PLAIN.dbf"), 2, "FECH"),
                                "20051340");
    const auto expectReported = [&](const base::Error& failure) {
        EXPECT_NE(failure.description().find("record 2, field FECH"), std::string::npos) << failure.description();
        ASSERT_EQ(connection.errors().count(), 1u);
        EXPECT_EQ(connection.errors().item(0).description, failure.description());
        EXPECT_EQ(connection.errors().item(0).number, failure.number());
    };

    db::Recordset streamed;
    streamed.open("SELECT * FROM PLAIN", connection);
    ASSERT_FALSE(streamed.eof());
    EXPECT_TRUE(connection.errors().empty());
    expectReported(failureOf([&] { streamed.moveNext(); }));

    // Read whole at open, as a client cursor reads it.
    connection.errors().clear();
    expectReported(failureOf([&] { db::Recordset rs; rs.open("SELECT * FROM PLAIN", connection, db::CursorType::Static); }));

    // A failure of an earlier walk does not linger: the next statement starts with an empty list.
    EXPECT_EQ(rows(connection, "SELECT CODI FROM PLAIN WHERE 1 = 0", {"CODI"}).size(), 0u);
    EXPECT_TRUE(connection.errors().empty());
}

TEST(DbfFolderOpening, AMissingFolderIsAnErrorNamingIt)
{
    testing_support::TempFolder drives;
    db::Connection connection;
    const base::Error failure = failureOf([&] {
        connection.open(testing_support::connectionTextForDbfFolder(drives.path().string() + "/NOHAY/"));
    });
    EXPECT_NE(failure.description().find("NOHAY"), std::string::npos) << failure.description();
    EXPECT_FALSE(connection.isOpen());
}

TEST(DbfFolderOpening, AWindowsFolderIsFoundUnderTheDrivesRoot)
{
    DbfFixtures files;
    testing_support::TempFolder drives;
    std::filesystem::create_directories(drives.path() / "z" / "vorira" / "migrar");
    std::filesystem::copy(files.file("FCLIENTE.DBF"), drives.path() / "z" / "vorira" / "migrar" / "fcliente.dbf");
    testing_support::ScopedEnvironment root("MIGRA_DRIVES", drives.path().string());
    db::Connection connection;
    connection.open(testing_support::connectionTextForDbfFolder("Z:\\VORIRA\\MIGRAR\\"));
    EXPECT_EQ(rows(connection, "SELECT * FROM FCLIENTE WHERE CODI_FCL = '000001'", {"NOMB_FCL"}),
              (Texts{{"Cliente uno                   "}}));
}

TEST(LegacyCollation, TextsCompareAsIfPaddedWithBlanks)
{
    struct Case { std::string a, b; int sign; };
    const Case cases[] = {
        {"BA", "BA   ", 0},  {"BA ", "BA", 0},   {"", "   ", 0},     {" BA", "BA", -1},  {"BA\t", "BA", -1},
        {"BA", "BA\t", 1},   {"BA", "BAZ", -1},  {"a", "B", 1},      {"B", "a", -1},     {"Ñ", "Z", 1},
        {"004999", "005000", -1},
    };
    for (const Case& c : cases) {
        const int result = db::dbf::comparePadded(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << "'" << c.a << "' vs '" << c.b << "'";
    }
}

TEST(LegacyCollation, OnlyPlainSelectsOfOneTableReadItWhole)
{
    struct Case { const char* statement; std::optional<std::string> table; };
    const Case cases[] = {
        {"SELECT * FROM FCOSTEOS ", "FCOSTEOS"},
        {"Select * from SALDCLIE ", "SALDCLIE"},
        {"SELECT * FROM [MIG$]", "MIG$"},
        {"select a, b from T;", "T"},
        {"SELECT * FROM T WHERE A = 1", std::nullopt},
        {"SELECT COUNT(*) FROM T", std::nullopt},
        {"SELECT * FROM A, B", std::nullopt},
        {"SELECT * FROM T ORDER BY A", std::nullopt},
        {"SELECTED * FROM T", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(db::dbf::wholeTableRead(c.statement), c.table) << c.statement;
}

}  // namespace
