// A stored value read back as its column's type says, into a value that held another one before.

#include "platform/db/sqlite/SqliteTypes.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using db::AdoType;

TEST(ColumnValues, EachStorageReadsAsItsColumnsTypeSaysWhateverTheValueHeldBefore)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    sqlite3_stmt* row = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT NULL, X'414243', 'a text longer than the room of a short one', 12, 1.5, "
                                 "'2005-08-15 10:30:00', '12.3456', 'short', 0",
                                 -1, &row, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(row), SQLITE_ROW);
    enum Column { Null, Blob, LongText, Whole, Real, Date, Decimal, ShortText, Zero };

    struct Case { Column column; AdoType type; base::Value expected; };
    const Case cases[] = {
        {Null, AdoType::VarChar, base::Value::null()},
        {Null, AdoType::Integer, base::Value::null()},
        {Blob, AdoType::VarChar, "ABC"},
        {Blob, AdoType::Integer, "ABC"},  // as stored
        {LongText, AdoType::Char, "a text longer than the room of a short one"},
        {ShortText, AdoType::VarWChar, "short"},  // in the room of the longer text
        {Whole, AdoType::VarChar, "12"},
        {Whole, AdoType::Integer, 12},
        {Whole, AdoType::Boolean, true},
        {Zero, AdoType::Boolean, false},
        {Real, AdoType::Boolean, true},
        {Whole, AdoType::Currency, base::Currency::fromInteger(12)},
        {Decimal, AdoType::Currency, *base::Currency::parse("12.3456")},
        {Whole, AdoType::Numeric, 12.0},
        {Real, AdoType::Double, 1.5},
        {Real, AdoType::Integer, 1.5},  // as stored
        {Real, AdoType::VarChar, "1.5"},
        {Date, AdoType::DBTimeStamp, base::DateTime::fromParts(2005, 8, 15, 10, 30, 0)},
        {ShortText, AdoType::DBTimeStamp, "short"},  // not a date: as stored
        {LongText, AdoType::VarChar, "a text longer than the room of a short one"},
    };
    base::Value value = "a text held before any was read";
    for (const Case& c : cases) {
        db::sqlite::readValue(sqlite3_column_value(row, c.column), c.type, value);
        EXPECT_EQ(value, c.expected) << "column " << c.column << " as type " << static_cast<int>(c.type);
        EXPECT_EQ(db::sqlite::readColumn(row, c.column, c.type), c.expected) << "column " << c.column;
    }
    sqlite3_finalize(row);
    sqlite3_close(db);
}

}  // namespace
