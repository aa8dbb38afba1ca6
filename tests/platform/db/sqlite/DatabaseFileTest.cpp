// Opening the embedded database: created from the schema when missing, clear errors when it cannot be used.

#include "platform/base/Error.h"
#include "platform/db/Connection.h"
#include "tests/support/ErpDatabase.h"
#include "tests/support/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using testing_support::TempFolder;

std::string textFor(const std::filesystem::path& folder, const std::string& database)
{
    return "PROVIDER=SQLOLEDB;Server=sqlite:" + folder.string() + ";Database =" + database + ";UId=sa;Pwd=secret;";
}

std::string openFailure(const std::string& text)
{
    db::Connection connection;
    try {
        connection.open(text);
    } catch (const base::Error& e) {
        EXPECT_EQ(connection.errors().count(), 1u);
        EXPECT_EQ(connection.state(), db::kStateClosed);
        return e.description();
    }
    return "opened";
}

TEST(EmbeddedDatabaseFile, IsCreatedFromTheSchemaOnceAndThenReused)
{
    TempFolder folder;
    {
        db::Connection connection;
        connection.open(textFor(folder.path() / "nested", "EMPRESA"));
        connection.execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PIVA', '21')");
    }
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "nested" / "EMPRESA.sqlite"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "nested" / "EMPRESA.sqlite.partial"));
    db::Connection again;
    again.open(textFor(folder.path() / "nested", "EMPRESA"));
    db::Recordset rs;
    rs.open("SELECT VALOR FROM TA_CONFIGURACION", again);
    EXPECT_EQ(rs.field("VALOR").value(), base::Value("21"));
}

TEST(EmbeddedDatabaseFile, WhatCannotBeOpenedIsAClearErrorWithoutThePassword)
{
    TempFolder folder;
    std::ofstream(folder.path() / "NOTADB.sqlite") << "this is a text file, not a database, and long enough to tell";
    std::ofstream(folder.path() / "plainfile") << "x";

    struct Case { std::string text; std::string mentions; };
    const Case cases[] = {
        {textFor(folder.path(), "NOTADB"), "NOTADB.sqlite"},
        {textFor(folder.path() / "plainfile" / "sub", "EMPRESA"), "plainfile"},
        {textFor(folder.path(), "../escape"), "../escape"},
        {textFor(folder.path(), ""), "not a database name"},
        {"PROVIDER=SQLOLEDB;Server=PRODUCCION;Database =EMPRESA;UId=sa;Pwd=secret;", "PRODUCCION"},
        {"Provider=Unknown;Pwd=\"unterminated", "Malformed"},
    };
    for (const Case& c : cases) {
        const std::string message = openFailure(c.text);
        EXPECT_NE(message.find(c.mentions), std::string::npos) << c.text << " -> " << message;
        EXPECT_EQ(message.find("secret"), std::string::npos) << message;
    }
    // The file that is not a database is left as it was.
    std::ifstream kept(folder.path() / "NOTADB.sqlite");
    std::string first;
    kept >> first;
    EXPECT_EQ(first, "this");
}

TEST(EmbeddedDatabaseFile, EveryTextColumnComparesTheServersWay)
{
    testing_support::ErpDatabase erp;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2((erp.folder() / "EMPRESA.sqlite").c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* columns = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT m.name, c.name, lower(c.type) FROM sqlite_master m, pragma_table_info(m.name) c "
                                 "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite%'",
                                 -1, &columns, nullptr),
              SQLITE_OK);
    int textColumns = 0;
    while (sqlite3_step(columns) == SQLITE_ROW) {
        const std::string table = reinterpret_cast<const char*>(sqlite3_column_text(columns, 0));
        const std::string column = reinterpret_cast<const char*>(sqlite3_column_text(columns, 1));
        const std::string type = reinterpret_cast<const char*>(sqlite3_column_text(columns, 2));
        // Dates are declared "text datetime" for their affinity; they are not text to compare.
        if (type.find("char") == std::string::npos && type.find("text") == std::string::npos) continue;
        if (type.find("date") != std::string::npos) continue;
        ++textColumns;
        const char* collation = nullptr;
        sqlite3_table_column_metadata(db, nullptr, table.c_str(), column.c_str(), nullptr, &collation, nullptr, nullptr,
                                      nullptr);
        EXPECT_STREQ(collation, "SQLSRV") << table << "." << column;
    }
    EXPECT_GT(textColumns, 50);
    sqlite3_finalize(columns);
    sqlite3_close(db);
}

}  // namespace
