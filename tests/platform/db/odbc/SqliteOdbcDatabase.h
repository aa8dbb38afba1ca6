#pragma once
// The ODBC provider exercised in CI through Debian's SQLite ODBC driver (package libsqliteodbc), on the
// same path a SQL Server text takes: MIGRA_ODBC_DRIVER names the driver by its library's path (no
// odbcinst.ini entry needed), and MIGRA_ODBC_EXTRA_KEYS gives the driver the database file in the form it
// reads ("Database=<file>", without braces). The environment is put back when the test ends
// (ScopedEnvironment of the legacy fixtures).
//
// The SQLite driver has no UTF-16 entry points, so the driver manager converts the provider's UTF-16 text
// for it in the character set of the process's locale. The program runs under the user's locale (Qt sets
// it at start); the tests take C.UTF-8 for the life of the fixture.

#include "platform/db/Connection.h"
#include "tests/support/LegacyFixtures.h"
#include "tests/support/TempFolder.h"

#include <clocale>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace testing_support {

inline constexpr const char* kSqliteOdbcDriver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";

class ScopedUtf8Locale {
public:
    ScopedUtf8Locale() : previous_(std::setlocale(LC_CTYPE, nullptr)) { std::setlocale(LC_CTYPE, "C.UTF-8"); }
    ~ScopedUtf8Locale() { std::setlocale(LC_CTYPE, previous_.c_str()); }
    ScopedUtf8Locale(const ScopedUtf8Locale&) = delete;
    ScopedUtf8Locale& operator=(const ScopedUtf8Locale&) = delete;

private:
    std::string previous_;
};

class SqliteOdbcTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(kSqliteOdbcDriver))
            << kSqliteOdbcDriver << " is missing: install the package libsqliteodbc";
    }

    // The text the program builds for a SQL Server whose name is not "sqlite:...".
    static std::string sqlServerText() { return "PROVIDER=SQLOLEDB;Server=ci-server;Database =EMPRESA;UId=tester;Pwd=;"; }
    static std::string oracleText() { return "Provider=OraOLEDB.Oracle.1;Data Source=ERPDB;User Id=tester;Password=;"; }

    // Opens `target` on the test's database file through the program's connection text.
    void openSqlServer(db::Connection& target, db::CursorLocation location = db::CursorLocation::Client)
    {
        target.setCursorLocation(location);
        target.open(sqlServerText());
    }

    ScopedUtf8Locale locale;
    TempFolder folder;
    std::filesystem::path file = folder.path() / "erp.db";
    ScopedEnvironment driver{"MIGRA_ODBC_DRIVER", kSqliteOdbcDriver};
    ScopedEnvironment oracleDriver{"MIGRA_ODBC_ORACLE_DRIVER", kSqliteOdbcDriver};
    ScopedEnvironment keys{"MIGRA_ODBC_EXTRA_KEYS", "Database=" + file.string() + ";"};
};

}  // namespace testing_support
