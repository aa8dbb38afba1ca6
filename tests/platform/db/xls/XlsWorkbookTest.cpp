// The employee workbook as the import opens it: the Jet connection text, SELECT * FROM [MIG$], columns by
// name (blanks included), numbers, texts, dates, empty cells, a mixed column.

#include "platform/base/Error.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "tests/support/Failures.h"
#include "tests/support/LegacyFixtures.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

namespace {

using base::Value;
using testing_support::failureOf;

std::string connectionText(const std::string& file, std::string_view header = "Yes")
{
    return fmt::format("Provider=Microsoft.Jet.OLEDB.4.0;Data Source={};Extended Properties=\"Excel 8.0;HDR={};IMEX=1\"",
                       file, header);
}

std::string shown(const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::Null: return "Null";
    case Value::Kind::Double: return fmt::format("Double {:.17g}", value.asDouble());
    case Value::Kind::Text: return "Text '" + value.asText() + "'";
    case Value::Kind::DateTime: return "Date " + value.asDateTime().toIso();
    default: return "other " + value.toText();
    }
}

class XlsWorkbook : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::runFixtureScript("make_xls_fixtures.py", {file()});
        connection.open(connectionText(file()));
    }
    std::string file() const { return (folder.path() / "EMPLEADOSTEMO.xls").string(); }

    std::vector<std::vector<std::string>> all(std::string_view statement)
    {
        db::Recordset rs;
        rs.open(statement, connection);
        std::vector<std::vector<std::string>> rows;
        for (; !rs.eof(); rs.moveNext()) {
            rows.emplace_back();
            for (std::size_t i = 0; i < rs.fieldCount(); ++i) rows.back().push_back(shown(rs.field(i).value()));
        }
        return rows;
    }

    testing_support::TempFolder folder;
    db::Connection connection;
};

TEST_F(XlsWorkbook, TheSheetIsATableWithTheFirstRowAsColumnNames)
{
    db::Recordset rs;
    rs.open("SELECT * FROM [MIG$]", connection);
    struct Column { const char* name; db::AdoType type; };
    const Column columns[] = {{"LEGAJO", db::AdoType::Double},         {"APELLIDO Y NOMBRE", db::AdoType::VarWChar},
                              {"Direccion", db::AdoType::VarWChar},    {"cuil", db::AdoType::Double},
                              {"INGRESO", db::AdoType::DBTimeStamp},   {"MIXTA", db::AdoType::VarWChar},
                              {"F7", db::AdoType::VarWChar}};
    ASSERT_EQ(rs.fieldCount(), std::size(columns));
    for (std::size_t i = 0; i < std::size(columns); ++i) {
        EXPECT_EQ(rs.field(i).name(), columns[i].name);
        EXPECT_EQ(static_cast<int>(rs.field(i).type()), static_cast<int>(columns[i].type)) << columns[i].name;
    }
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.field("apellido y nombre").value(), Value("Pérez, Ñandú"));
}

TEST_F(XlsWorkbook, NumbersTextsDatesAndEmptyCellsComeBackAsTheyAre)
{
    // MIXTA holds 12, "abc" and 1.25: a mixed column reads as text. The empty rows below the data are not rows.
    EXPECT_EQ(all("SELECT * FROM [MIG$]"),
              (std::vector<std::vector<std::string>>{
                  {"Double 101", "Text 'Pérez, Ñandú'", "Text 'Av. Siempre Viva 742'", "Double 20123456789",
                   "Date 2005-08-15 00:00:00", "Text '12'", "Text 'sin título'"},
                  {"Null", "Text 'Sin legajo'", "Null", "Null", "Date 2005-08-15 10:30:00", "Text 'abc'", "Null"},
                  {"Double 102.5", "Null", "Null", "Null", "Null", "Text '1.25'", "Null"}}));
}

TEST_F(XlsWorkbook, ColumnsWithBlanksInTheirNamesAnswerSql)
{
    EXPECT_EQ(all("SELECT [APELLIDO Y NOMBRE], cuil FROM [mig$] WHERE LEGAJO = 101"),
              (std::vector<std::vector<std::string>>{{"Text 'Pérez, Ñandú'", "Double 20123456789"}}));
    EXPECT_EQ(all("SELECT * FROM [Otra$]"), (std::vector<std::vector<std::string>>{{"Text 'X1'"}}));
}

TEST_F(XlsWorkbook, WithoutAHeaderRowTheColumnsAreNumbered)
{
    db::Connection plain;
    plain.open(connectionText(file(), "No"));
    db::Recordset rs;
    rs.open("SELECT F1, F2 FROM [MIG$]", plain);
    EXPECT_EQ(rs.field("F1").value(), Value("LEGAJO"));  // the first row is data, so the column is mixed: text
    EXPECT_EQ(rs.field("F2").value(), Value("APELLIDO Y NOMBRE"));
}

TEST_F(XlsWorkbook, AMissingSheetIsError208NamingWorkbookAndSheet)
{
    const base::Error failure = failureOf([&] { all("SELECT * FROM [NOHAY$]"); });
    EXPECT_EQ(failure.number(), db::hresult::kNoSuchTable);
    EXPECT_EQ(connection.errors().item(0).nativeError, 208);
    EXPECT_NE(failure.description().find("NOHAY$"), std::string::npos) << failure.description();
    EXPECT_NE(failure.description().find(file()), std::string::npos) << failure.description();
    // A sheet is named with its "$".
    EXPECT_EQ(failureOf([&] { all("SELECT * FROM MIG"); }).number(), db::hresult::kNoSuchTable);
}

TEST_F(XlsWorkbook, WritesAreRefused)
{
    all("SELECT * FROM [MIG$]");
    for (const char* write : {"DELETE FROM [MIG$]", "UPDATE [MIG$] SET cuil = 1", "INSERT INTO [MIG$] (LEGAJO) VALUES (1)",
                              "CREATE TABLE T (A INT)"}) {
        const base::Error failure = failureOf([&] { connection.execute(write); });
        EXPECT_NE(failure.description().find("read-only"), std::string::npos) << write << ": " << failure.description();
    }
    EXPECT_EQ(all("SELECT * FROM [MIG$]").size(), 3u);
}

TEST(XlsWorkbookOpening, AMissingOrDamagedFileIsAnErrorNamingIt)
{
    testing_support::TempFolder folder;
    const std::string missing = (folder.path() / "NOHAY.xls").string();
    db::Connection connection;
    base::Error failure = failureOf([&] { connection.open(connectionText(missing)); });
    EXPECT_NE(failure.description().find(missing), std::string::npos) << failure.description();

    const std::string damaged = (folder.path() / "ROTO.xls").string();
    testing_support::writeBytes(damaged, "this is not a workbook");
    failure = failureOf([&] { connection.open(connectionText(damaged)); });
    EXPECT_NE(failure.description().find(damaged), std::string::npos) << failure.description();
    EXPECT_FALSE(connection.isOpen());
}

}  // namespace
