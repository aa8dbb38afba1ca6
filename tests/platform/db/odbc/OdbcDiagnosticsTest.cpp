// What a driver reports, as the program reads it: numbers by kind, the database's own words, warnings
// kept out of the error list; and the field types of result columns.

#include "platform/db/AdoCodes.h"
#include "platform/db/odbc/OdbcErrors.h"
#include "platform/db/odbc/OdbcTypes.h"

#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>

namespace {

using db::odbc::Diagnostic;
using db::odbc::Dialect;
namespace hresult = db::hresult;

TEST(OdbcErrors, EachRecordGetsTheNumberOfItsKind)
{
    struct Case { const char* state; long native; Dialect dialect; long number; };
    const Case cases[] = {
        {"23000", 2627, Dialect::SqlServer, hresult::kIntegrityViolation},
        {"HY000", 2627, Dialect::SqlServer, hresult::kIntegrityViolation},  // FreeTDS's state for many server errors
        {"23000", 547, Dialect::SqlServer, hresult::kIntegrityViolation},
        {"23000", 515, Dialect::SqlServer, hresult::kIntegrityViolation},
        {"42S02", 208, Dialect::SqlServer, hresult::kNoSuchTable},
        {"HY000", 208, Dialect::SqlServer, hresult::kNoSuchTable},
        {"42S22", 207, Dialect::SqlServer, hresult::kCommandErrors},
        {"42000", 102, Dialect::SqlServer, hresult::kCommandErrors},
        {"42000", 50000, Dialect::SqlServer, hresult::kCommandErrors},
        {"22001", 8152, Dialect::SqlServer, hresult::kDataOverflow},
        {"22007", 241, Dialect::SqlServer, hresult::kCannotConvert},
        {"08S01", 0, Dialect::SqlServer, hresult::kUnspecified},
        {"HY000", 19, Dialect::SqlServer, hresult::kUnspecified},
        {"23000", 1, Dialect::Oracle, hresult::kIntegrityViolation},   // ORA-00001
        {"42S02", 942, Dialect::Oracle, hresult::kNoSuchTable},        // ORA-00942
        {"HY000", 208, Dialect::Oracle, hresult::kUnspecified},        // SQL Server's numbers mean nothing there
        {"42000", 900, Dialect::Oracle, hresult::kCommandErrors},
        {"22018", 1722, Dialect::Oracle, hresult::kCannotConvert},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db::odbc::numberByKind(c.state, c.native, c.dialect), c.number) << c.state << " " << c.native;
}

TEST(OdbcErrors, TheDatabasesWordsWithoutTheDriversPrefix)
{
    struct Case { const char* message; const char* source; const char* text; };
    const Case cases[] = {
        {"[FreeTDS][SQL Server]Invalid object name 'X'.", "[FreeTDS][SQL Server]", "Invalid object name 'X'."},
        {"[SQLite]UNIQUE constraint failed: T.A (19)", "[SQLite]", "UNIQUE constraint failed: T.A (19)"},
        {"No prefix [at all]", "", "No prefix [at all]"},
        {"[unterminated", "", "[unterminated"},
    };
    for (const Case& c : cases) {
        const auto split = db::odbc::splitVendorPrefix(c.message);
        EXPECT_EQ(split.source, c.source) << c.message;
        EXPECT_EQ(split.text, c.text) << c.message;
    }
}

TEST(OdbcErrors, WarningsAloneAreNoFailureAndBesideOneTheyTakeItsNumber)
{
    const std::vector<Diagnostic> warnings{{"01000", 5701, "[FreeTDS][SQL Server]Changed database context to 'E'."},
                                           {"01003", 8153, "[FreeTDS][SQL Server]Warning: Null value is eliminated."}};
    EXPECT_TRUE(db::odbc::providerErrors(warnings, Dialect::SqlServer).empty());

    const std::vector<Diagnostic> duplicate{
        {"23000", 2627, "[FreeTDS][SQL Server]Violation of PRIMARY KEY constraint 'PK_T'."},
        {"01000", 3621, "[FreeTDS][SQL Server]The statement has been terminated."}};
    const auto entries = db::odbc::providerErrors(duplicate, Dialect::SqlServer);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].number, hresult::kIntegrityViolation);
    EXPECT_EQ(entries[0].nativeError, 2627);
    EXPECT_EQ(entries[0].sqlState, "23000");
    EXPECT_EQ(entries[0].description, "Violation of PRIMARY KEY constraint 'PK_T'.");
    EXPECT_EQ(entries[0].source, "[FreeTDS][SQL Server]");
    EXPECT_EQ(entries[1].number, hresult::kIntegrityViolation);
    EXPECT_EQ(entries[1].nativeError, 3621);
    EXPECT_EQ(entries[1].description, "The statement has been terminated.");

    // A warning the server sent before the failure in the same call still goes in, with the failure's kind.
    const auto mixed = db::odbc::providerErrors(
        {{"01000", 0, "note"}, {"42S02", 208, "Invalid object name 'X'."}, {"23000", 547, "conflict"}}, Dialect::SqlServer);
    ASSERT_EQ(mixed.size(), 3u);
    EXPECT_EQ(mixed[0].number, hresult::kNoSuchTable);
    EXPECT_EQ(mixed[1].number, hresult::kNoSuchTable);
    EXPECT_EQ(mixed[2].number, hresult::kIntegrityViolation);
    EXPECT_EQ(mixed[0].source, "ODBC");
}

TEST(OdbcTypes, ResultColumnsGetTheFieldTypesAndSizesTheProgramReads)
{
    using db::AdoType;
    struct Case { int sqlType; unsigned long size; const char* typeName; AdoType type; long definedSize; };
    const Case cases[] = {
        {SQL_CHAR, 4, "char", AdoType::Char, 4},
        {SQL_VARCHAR, 15, "varchar", AdoType::VarChar, 15},
        {SQL_WVARCHAR, 40, "nvarchar", AdoType::VarWChar, 40},
        {SQL_WCHAR, 2, "nchar", AdoType::WChar, 2},
        {SQL_LONGVARCHAR, 2147483647, "text", AdoType::LongVarChar, 2147483647},
        {SQL_WLONGVARCHAR, 1073741823, "ntext", AdoType::LongVarWChar, 1073741823},
        {SQL_INTEGER, 10, "int", AdoType::Integer, 4},
        {SQL_SMALLINT, 5, "smallint", AdoType::SmallInt, 2},
        {SQL_TINYINT, 3, "tinyint", AdoType::UnsignedTinyInt, 1},
        {SQL_BIGINT, 19, "bigint", AdoType::BigInt, 8},
        {SQL_BIT, 1, "bit", AdoType::Boolean, 2},
        {SQL_REAL, 7, "real", AdoType::Single, 4},
        {SQL_FLOAT, 53, "float", AdoType::Double, 8},
        {SQL_DOUBLE, 15, "float", AdoType::Double, 8},
        {SQL_DECIMAL, 18, "decimal", AdoType::Numeric, 19},
        {SQL_NUMERIC, 10, "numeric", AdoType::Numeric, 19},
        {SQL_DECIMAL, 19, "money", AdoType::Currency, 8},
        {SQL_DECIMAL, 10, "smallmoney", AdoType::Currency, 8},
        {SQL_VARCHAR, 255, "Money", AdoType::Currency, 8},  // the SQLite driver's report of a money column
        {SQL_TYPE_TIMESTAMP, 23, "datetime", AdoType::DBTimeStamp, 16},
        {SQL_TYPE_DATE, 10, "date", AdoType::DBDate, 6},
        {SQL_TYPE_TIME, 8, "time", AdoType::DBTime, 6},
        {SQL_VARCHAR, 0, "", AdoType::VarChar, 255},
        {SQL_VARBINARY, 50, "varbinary", static_cast<AdoType>(204), 50},
        {SQL_GUID, 36, "uniqueidentifier", static_cast<AdoType>(72), 16},
    };
    for (const Case& c : cases) {
        const db::ColumnInfo info = db::odbc::describeColumn("C", c.sqlType, c.size, c.typeName);
        EXPECT_EQ(info.name, "C");
        EXPECT_EQ(static_cast<int>(info.type), static_cast<int>(c.type)) << c.sqlType << " " << c.typeName;
        EXPECT_EQ(info.definedSize, c.definedSize) << c.sqlType << " " << c.typeName;
    }
}

TEST(OdbcTypes, IsolationLevelsOfTheProgramBecomeOdbcs)
{
    EXPECT_EQ(db::odbc::odbcIsolation(256), SQL_TXN_READ_UNCOMMITTED);
    EXPECT_EQ(db::odbc::odbcIsolation(4096), SQL_TXN_READ_COMMITTED);
    EXPECT_EQ(db::odbc::odbcIsolation(65536), SQL_TXN_REPEATABLE_READ);
    EXPECT_EQ(db::odbc::odbcIsolation(1048576), SQL_TXN_SERIALIZABLE);
    EXPECT_FALSE(db::odbc::odbcIsolation(-1).has_value());
}

}  // namespace
