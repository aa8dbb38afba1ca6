// The DBF reader against tables python3-dbf wrote, read directly and through SQL, and against the same
// tables damaged byte by byte.

#include "platform/base/Error.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/dbf/DbfTable.h"
#include "tests/support/Failures.h"
#include "tests/support/LegacyFixtures.h"

#include <filesystem>
#include <fmt/format.h>
#include <functional>
#include <gtest/gtest.h>

namespace {

using base::Value;
using db::dbf::DbfRecords;
using db::dbf::DbfTable;
using testing_support::DbfFixtures;
using testing_support::ScopedEnvironment;
using testing_support::failureOf;
using testing_support::fieldOffset;

// A value with its kind, so "3" the integer and "3" the text never compare equal.
std::string shown(const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::Empty: return "Empty";
    case Value::Kind::Null: return "Null";
    case Value::Kind::Boolean: return value.asBoolean() ? "Boolean true" : "Boolean false";
    case Value::Kind::Integer: return fmt::format("Integer {}", value.asInteger());
    case Value::Kind::Double: return fmt::format("Double {:.17g}", value.asDouble());
    case Value::Kind::Currency: return "Currency " + value.asCurrency().toText();
    case Value::Kind::Text: return "Text '" + value.asText() + "'";
    case Value::Kind::DateTime: return "Date " + value.asDateTime().toIso();
    }
    return "?";
}

using Rows = std::vector<std::vector<std::string>>;

Rows shownRows(const std::vector<std::vector<Value>>& rows)
{
    Rows result;
    for (const auto& row : rows) {
        result.emplace_back();
        for (const Value& value : row) result.back().push_back(shown(value));
    }
    return result;
}

Value money(std::string_view text) { return *base::Currency::parse(text); }
Value day(int year, int month, int d) { return base::DateTime::fromParts(year, month, d); }
Value null() { return Value::null(); }

// A text padded with blanks to `width` characters, as a character field stores it.
Value padded(std::string_view text, std::size_t width)
{
    std::size_t characters = 0;
    for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
    return std::string(text) + std::string(width - characters, ' ');
}

std::vector<std::vector<Value>> readAll(const std::filesystem::path& file, bool includeDeleted = false)
{
    DbfRecords records(DbfTable::open(file), includeDeleted);
    std::vector<std::vector<Value>> rows;
    while (records.next()) {
        rows.emplace_back();
        for (std::size_t i = 0; i < records.table().fields().size(); ++i) rows.back().push_back(records.value(i));
    }
    return rows;
}

std::vector<std::vector<Value>> selectAll(db::Connection& connection, const std::string& statement)
{
    db::Recordset rs;
    rs.open(statement, connection);
    std::vector<std::vector<Value>> rows;
    for (; !rs.eof(); rs.moveNext()) {
        rows.emplace_back();
        for (std::size_t i = 0; i < rs.fieldCount(); ++i) rows.back().push_back(rs.field(i).value());
    }
    return rows;
}

struct Fixture {
    const char* file;
    const char* table;
    std::vector<std::string> columns;
    std::vector<std::vector<Value>> rows;
};

std::vector<Fixture> fixtures()
{
    return {
        {"DB3MEMO.dbf", "db3memo", {"CODI", "NOMB", "PREC", "CANT", "FECH", "ACTI", "OBSE"},
         {{"000001", padded("Ñandú", 20), money("12.5"), 3, day(2005, 8, 15), true, "Primera línea\r\nsegunda"},
          {"000002", padded("Blanco", 20), null(), null(), null(), null(), ""},
          {"000004", padded("Negativo", 20), money("-0.5"), -42, day(1999, 12, 31), false, "x"}}},
        {"FoxMemo.DBF", "FOXMEMO", {"CODI", "NOMB", "PESO", "PREC", "OBSE"},
         {{padded("A1", 6), padded("Ñandú", 20), money("2.5"), money("1234.5678"), "memo de fox"},
          {padded("A2", 6), padded("Çedilla", 20), money("-0.001"), money("0"), ""}}},
        {"vfpnulls.dbf", "VfpNulls", {"NOMB", "ALTA", "FECH", "PREC", "OBSE", "ID", "SALDO", "PESO", "ACTI"},
         {{padded("Ñandú", 10), base::DateTime::fromParts(2005, 8, 15, 10, 20, 30), day(2001, 1, 2), money("3.25"),
           "memo de vfp", 7, money("12.3456"), 1.5, true},
          {null(), null(), null(), null(), null(), -1, money("-98765432109.8765"), -0.25, false},
          {padded("Vacío", 10), null(), null(), null(), "", 0, money("0"), 0.0, null()}}},
        {"PLAIN.dbf", "plain", {"CODI", "IMPO", "FECH", "ACTI"},
         {{padded("P1", 4), money("100.25"), day(2010, 2, 28), true}, {padded("P2", 4), money("-3"), null(), false}}},
    };
}

TEST(DbfReader, ReadsEveryValueOfEachFormatDirectlyAndThroughSql)
{
    DbfFixtures files;
    db::Connection connection;
    connection.open(files.connectionText());
    for (const Fixture& fixture : fixtures()) {
        SCOPED_TRACE(fixture.file);
        const auto table = DbfTable::open(files.file(fixture.file));
        std::vector<std::string> names;
        for (const auto& field : table->fields()) names.push_back(field.name);
        EXPECT_EQ(names, fixture.columns);
        EXPECT_EQ(shownRows(readAll(files.file(fixture.file))), shownRows(fixture.rows));
        EXPECT_EQ(shownRows(selectAll(connection, fmt::format("SELECT * FROM {}", fixture.table))),
                  shownRows(fixture.rows));
    }
}

TEST(DbfReader, FormatsAreTheOnesTheFixturesWereWrittenIn)
{
    // Guards the fixtures themselves: each format the reader must read is among them.
    DbfFixtures files;
    EXPECT_EQ(DbfTable::open(files.file("DB3MEMO.dbf"))->version(), 0x83);
    EXPECT_EQ(DbfTable::open(files.file("FoxMemo.DBF"))->version(), 0xF5);
    EXPECT_EQ(DbfTable::open(files.file("vfpnulls.dbf"))->version(), 0x30);
    EXPECT_EQ(DbfTable::open(files.file("PLAIN.dbf"))->version(), 0x03);
}

TEST(DbfReader, DeletedRecordsAreHiddenUnlessAskedFor)
{
    DbfFixtures files;
    const auto table = DbfTable::open(files.file("DB3MEMO.dbf"));
    EXPECT_EQ(table->recordCount(), 4u);
    EXPECT_EQ(table->liveRecordCount(), 3u);

    DbfRecords all(table, true);
    std::vector<std::pair<std::uint32_t, bool>> seen;
    while (all.next()) seen.emplace_back(all.recordNumber(), all.deleted());
    EXPECT_EQ(seen, (std::vector<std::pair<std::uint32_t, bool>>{{1, false}, {2, false}, {3, true}, {4, false}}));

    DbfRecords live(table);
    std::vector<std::uint32_t> numbers;
    while (live.next()) numbers.push_back(live.recordNumber());
    live.rewind();
    while (live.next()) numbers.push_back(live.recordNumber());
    EXPECT_EQ(numbers, (std::vector<std::uint32_t>{1, 2, 4, 1, 2, 4}));
}

TEST(DbfReader, EveryVersionByteReadsTheSameRecords)
{
    const auto expected = shownRows(fixtures()[3].rows);
    for (int version : {0x02, 0x03, 0x04, 0x05, 0x30, 0x31, 0x83, 0x8B, 0xF5, 0xFB}) {
        SCOPED_TRACE(fmt::format("version 0x{:02X}", version));
        DbfFixtures files;
        testing_support::patchBytes(files.file("PLAIN.dbf"), 0, std::string(1, static_cast<char>(version)));
        EXPECT_EQ(shownRows(readAll(files.file("PLAIN.dbf"))), expected);
    }
}

TEST(DbfReader, VfpNullBitsCountOnlyTheNullableFields)
{
    // VFPBITS has ID I then NOMB C(6) NULL: NOMB's null bit is bit 0 of _NullFlags, the last byte.
    struct Case { char flags; Value nomb; };
    const Case cases[] = {{'\x00', padded("dos", 6)}, {'\x01', null()}, {'\x02', padded("dos", 6)}};
    for (const Case& c : cases) {
        DbfFixtures files;
        const auto file = files.file("VFPBITS.dbf");
        const auto table = DbfTable::open(file);
        testing_support::patchBytes(file, table->headerLength() + 2ull * table->recordLength() - 1, std::string(1, c.flags));
        const auto rows = readAll(file);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(shown(rows[1][1]), shown(c.nomb)) << "flags " << int(c.flags);
        EXPECT_EQ(shown(rows[0][1]), shown(padded("uno", 6)));
    }
}

// How each field type's bytes read, byte-edited into record 1 of a fixture.
TEST(DbfReader, FieldBytesDecodeExactlyOrFailNamingRecordAndField)
{
    struct Case { const char* file; const char* field; std::string bytes; std::optional<Value> expected; };
    const std::string nuls(9, '\0');
    const Case cases[] = {
        // N(9,2): exact amounts, Null when blank.
        {"PLAIN.dbf", "IMPO", "   100.25", money("100.25")},
        {"PLAIN.dbf", "IMPO", "  -100.25", money("-100.25")},
        {"PLAIN.dbf", "IMPO", "      -.5", money("-0.5")},
        {"PLAIN.dbf", "IMPO", "       +7", money("7")},
        {"PLAIN.dbf", "IMPO", "   1.2345", money("1.2345")},
        {"PLAIN.dbf", "IMPO", "  1.23456", 1.23456},
        {"PLAIN.dbf", "IMPO", "  1.5E+03", 1500.0},
        {"PLAIN.dbf", "IMPO", "         ", null()},
        {"PLAIN.dbf", "IMPO", nuls, null()},
        {"PLAIN.dbf", "IMPO", "    12a.4", std::nullopt},
        {"PLAIN.dbf", "IMPO", "    1.2.3", std::nullopt},
        {"PLAIN.dbf", "IMPO", "        -", std::nullopt},
        {"PLAIN.dbf", "IMPO", "        .", std::nullopt},
        {"PLAIN.dbf", "IMPO", "      1 2", std::nullopt},
        {"PLAIN.dbf", "IMPO", "*********", std::nullopt},
        {"PLAIN.dbf", "IMPO", "      1E ", std::nullopt},
        // N(6,0): integers.
        {"DB3MEMO.dbf", "CANT", "    42", 42},
        {"DB3MEMO.dbf", "CANT", "000007", 7},
        {"DB3MEMO.dbf", "CANT", "    -0", 0},
        {"DB3MEMO.dbf", "CANT", "  12.5", 12.5},
        {"DB3MEMO.dbf", "CANT", "  12.0", 12},
        // D: dates; blank and zeros are Null.
        {"PLAIN.dbf", "FECH", "99991231", day(9999, 12, 31)},
        {"PLAIN.dbf", "FECH", "        ", null()},
        {"PLAIN.dbf", "FECH", "00000000", null()},
        {"PLAIN.dbf", "FECH", "20100229", std::nullopt},
        {"PLAIN.dbf", "FECH", "20051340", std::nullopt},
        {"PLAIN.dbf", "FECH", "2010022 ", std::nullopt},
        {"PLAIN.dbf", "FECH", "00500101", std::nullopt},
        // L: logicals.
        {"PLAIN.dbf", "ACTI", "t", true},
        {"PLAIN.dbf", "ACTI", "Y", true},
        {"PLAIN.dbf", "ACTI", "n", false},
        {"PLAIN.dbf", "ACTI", "?", null()},
        {"PLAIN.dbf", "ACTI", " ", null()},
        {"PLAIN.dbf", "ACTI", "X", std::nullopt},
        // T (VFP): Julian day and milliseconds; the nearest second.
        {"vfpnulls.dbf", "ALTA", std::string("\x59\x68\x25\x00\xf4\x01\x00\x00", 8), base::DateTime::fromParts(2000, 1, 1, 0, 0, 1)},
        {"vfpnulls.dbf", "ALTA", std::string(8, '\0'), null()},
        {"vfpnulls.dbf", "ALTA", std::string("\x59\x68\x25\x00\x00\x5c\x26\x05", 8), std::nullopt},
        {"vfpnulls.dbf", "ALTA", std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(fmt::format("{} {} \"{}\"", c.file, c.field, c.bytes));
        DbfFixtures files;
        const auto file = files.file(c.file);
        testing_support::patchBytes(file, fieldOffset(file, 1, c.field), c.bytes);
        const auto table = DbfTable::open(file);
        DbfRecords records(table);
        ASSERT_TRUE(records.next());
        std::size_t index = 0;
        while (table->fields()[index].name != c.field) ++index;
        if (c.expected) {
            EXPECT_EQ(shown(records.value(index)), shown(*c.expected));
        } else {
            const std::string failure = failureOf([&] { (void)records.value(index); }).description();
            EXPECT_NE(failure.find(file.string()), std::string::npos) << failure;
            EXPECT_NE(failure.find(std::string("record 1, field ") + c.field), std::string::npos) << failure;
        }
    }
}

struct Damage {
    const char* what;
    const char* file;
    const char* table;
    std::function<void(const DbfFixtures&)> edit;
    std::vector<std::string> mentions;
};

std::string littleEndian32(std::uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

// The block where record 1's memo starts, from its ten digits.
std::uint64_t firstMemoBlock(const std::filesystem::path& file)
{
    const std::string bytes = testing_support::readBytes(file).substr(fieldOffset(file, 1, "OBSE"), 10);
    return std::stoull(bytes);
}

std::vector<Damage> damages()
{
    using testing_support::patchBytes;
    return {
        {"truncated header", "PLAIN.dbf", "PLAIN",
         [](const DbfFixtures& f) { std::filesystem::resize_file(f.file("PLAIN.dbf"), 20); },
         {"PLAIN.dbf", "header is truncated"}},
        {"header cut inside the field descriptions", "PLAIN.dbf", "PLAIN",
         [](const DbfFixtures& f) { std::filesystem::resize_file(f.file("PLAIN.dbf"), 50); },
         {"PLAIN.dbf", "header is truncated"}},
        {"truncated last record", "PLAIN.dbf", "PLAIN",
         [](const DbfFixtures& f) {
             const auto table = DbfTable::open(f.file("PLAIN.dbf"));
             const auto end = table->headerLength() + 2ull * table->recordLength();
             std::filesystem::resize_file(f.file("PLAIN.dbf"), end - 3);
         },
         {"PLAIN.dbf", "record 2", "truncated"}},
        {"record count larger than the file", "PLAIN.dbf", "PLAIN",
         [](const DbfFixtures& f) { patchBytes(f.file("PLAIN.dbf"), 4, littleEndian32(5)); },
         {"PLAIN.dbf", "counts 5 records", "record 3 is missing"}},
        {"record count smaller than the file", "PLAIN.dbf", "PLAIN",
         [](const DbfFixtures& f) { patchBytes(f.file("PLAIN.dbf"), 4, littleEndian32(1)); },
         {"PLAIN.dbf", "record count is wrong"}},
        {"memo pointer past the end of the .dbt", "DB3MEMO.dbf", "DB3MEMO",
         [](const DbfFixtures& f) {
             patchBytes(f.file("DB3MEMO.dbf"), fieldOffset(f.file("DB3MEMO.dbf"), 1, "OBSE"), "      9999");
         },
         {"DB3MEMO.dbf", "record 1, field OBSE", "past the end", "DB3MEMO.dbt"}},
        {"memo pointer past the end of the .fpt", "FoxMemo.DBF", "FOXMEMO",
         [](const DbfFixtures& f) {
             patchBytes(f.file("FoxMemo.DBF"), fieldOffset(f.file("FoxMemo.DBF"), 1, "OBSE"), "      9999");
         },
         {"FoxMemo.DBF", "record 1, field OBSE", "past the end", "FoxMemo.fpt"}},
        {"memo longer than the .fpt", "FoxMemo.DBF", "FOXMEMO",
         [](const DbfFixtures& f) {
             const std::string memo = testing_support::readBytes(f.file("FoxMemo.fpt"));
             const std::uint64_t blockSize = (static_cast<unsigned char>(memo[6]) << 8) | static_cast<unsigned char>(memo[7]);
             patchBytes(f.file("FoxMemo.fpt"), firstMemoBlock(f.file("FoxMemo.DBF")) * blockSize + 4, "\x7f\xff\xff\xff");
         },
         {"FoxMemo.DBF", "record 1, field OBSE", "runs past the end"}},
        {"dBase III memo without its end mark", "DB3MEMO.dbf", "DB3MEMO",
         [](const DbfFixtures& f) {
             // The last memo (record 4's) loses its end marks and what follows them.
             const std::string memo = testing_support::readBytes(f.file("DB3MEMO.dbt"));
             testing_support::writeBytes(f.file("DB3MEMO.dbt"), memo.substr(0, memo.rfind('x') + 1));
         },
         {"DB3MEMO.dbf", "record 4, field OBSE", "no end marker"}},
        {"missing memo file", "DB3MEMO.dbf", "DB3MEMO",
         [](const DbfFixtures& f) { std::filesystem::remove(f.file("DB3MEMO.dbt")); },
         {"DB3MEMO.dbf", "memo file", "missing"}},
        {"N field holding 12a.4", "PLAIN.dbf", "PLAIN",
         [](const DbfFixtures& f) { patchBytes(f.file("PLAIN.dbf"), fieldOffset(f.file("PLAIN.dbf"), 1, "IMPO"), "    12a.4"); },
         {"PLAIN.dbf", "record 1, field IMPO", "12a.4"}},
        {"impossible date in a later record", "PLAIN.dbf", "PLAIN",
         [](const DbfFixtures& f) { patchBytes(f.file("PLAIN.dbf"), fieldOffset(f.file("PLAIN.dbf"), 2, "FECH"), "20051340"); },
         {"PLAIN.dbf", "record 2, field FECH", "20051340"}},
        {"record out of place", "PLAIN.dbf", "PLAIN",
         [](const DbfFixtures& f) { patchBytes(f.file("PLAIN.dbf"), fieldOffset(f.file("PLAIN.dbf"), 2, "CODI") - 1, "Z"); },
         {"PLAIN.dbf", "record 2", "deletion flag"}},
        {"not a dBase table", "PLAIN.dbf", "PLAIN", [](const DbfFixtures& f) { patchBytes(f.file("PLAIN.dbf"), 0, "\x43"); },
         {"PLAIN.dbf", "version byte 0x43"}},
        {"integer field of the wrong width", "vfpnulls.dbf", "VFPNULLS",
         [](const DbfFixtures& f) { patchBytes(f.file("vfpnulls.dbf"), 32 + 5 * 32 + 16, "\x05"); },
         {"vfpnulls.dbf", "field ID", "width 5"}},
    };
}

TEST(DbfCorruptFiles, EachDamageIsAClearErrorNamingFileRecordAndField)
{
    for (const Damage& damage : damages()) {
        SCOPED_TRACE(damage.what);
        DbfFixtures files;
        damage.edit(files);
        const std::string direct = failureOf([&] { readAll(files.file(damage.file)); }).description();
        db::Connection connection;
        connection.open(files.connectionText());
        const std::string throughSql =
            failureOf([&] { selectAll(connection, fmt::format("SELECT * FROM {}", damage.table)); }).description();
        for (const std::string& mention : damage.mentions) {
            EXPECT_NE(direct.find(mention), std::string::npos) << "reader: " << direct;
            EXPECT_NE(throughSql.find(mention), std::string::npos) << "SQL: " << throughSql;
        }
    }
}

TEST(DbfCodePages, TheHeaderByteDecidesAndZeroMeansCp850)
{
    struct Case { int driver; const char* nomb; };
    const Case cases[] = {{0x02, "Ñandú"}, {0x00, "Ñandú"}, {0x01, "Ñandú"}, {0x64, "ąandú"},
                          {0x03, "¥and£"}, {0xC8, "ĄandŁ"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.driver);
        DbfFixtures files;
        testing_support::patchBytes(files.file("DB3MEMO.dbf"), 29, std::string(1, static_cast<char>(c.driver)));
        EXPECT_EQ(shown(readAll(files.file("DB3MEMO.dbf"))[0][1]), shown(padded(c.nomb, 20)));
    }
}

TEST(DbfCodePages, TheEnvironmentOverridesALyingHeader)
{
    DbfFixtures files;
    {
        ScopedEnvironment page("MIGRA_DBF_CODEPAGE", "1252");
        EXPECT_EQ(shown(readAll(files.file("DB3MEMO.dbf"))[0][1]), shown(padded("¥and£", 20)));
        db::Connection connection;
        connection.open(files.connectionText());
        EXPECT_EQ(shown(selectAll(connection, "SELECT NOMB FROM DB3MEMO WHERE CODI = '000001'")[0][0]),
                  shown(padded("¥and£", 20)));
    }
    {
        ScopedEnvironment page("MIGRA_DBF_CODEPAGE", "cp850");
        EXPECT_EQ(shown(readAll(files.file("FoxMemo.DBF"))[0][1]), shown(padded("Ðand·", 20)));
    }
    {
        ScopedEnvironment page("MIGRA_DBF_CODEPAGE", "klingon");
        const std::string failure = failureOf([&] { readAll(files.file("FoxMemo.DBF")); }).description();
        EXPECT_NE(failure.find("MIGRA_DBF_CODEPAGE"), std::string::npos) << failure;
        EXPECT_NE(failure.find("klingon"), std::string::npos) << failure;
    }
}

TEST(DbfCodePages, AnUnknownLanguageDriverNeedsTheEnvironment)
{
    DbfFixtures files;
    testing_support::patchBytes(files.file("DB3MEMO.dbf"), 29, "\x26");  // CP866, which the legacy files never used
    {
        ScopedEnvironment page("MIGRA_DBF_CODEPAGE", std::nullopt);
        const std::string failure = failureOf([&] { readAll(files.file("DB3MEMO.dbf")); }).description();
        EXPECT_NE(failure.find("0x26"), std::string::npos) << failure;
        EXPECT_NE(failure.find("MIGRA_DBF_CODEPAGE"), std::string::npos) << failure;
    }
    ScopedEnvironment page("MIGRA_DBF_CODEPAGE", "850");
    EXPECT_EQ(shown(readAll(files.file("DB3MEMO.dbf"))[0][1]), shown(padded("Ñandú", 20)));
}

}  // namespace
