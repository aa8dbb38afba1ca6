// The translation of the program's connection texts into ODBC connection strings.

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/ConnectionText.h"
#include "platform/db/odbc/OdbcConnectionString.h"

#include <gtest/gtest.h>

namespace {

using db::ConnectionText;
using db::odbc::Dialect;
using db::odbc::OdbcSettings;

OdbcSettings settings(std::string sqlServer = "FreeTDS", std::string oracle = {}, std::string extra = {})
{
    OdbcSettings s;
    s.sqlServerDriver = std::move(sqlServer);
    s.oracleDriver = std::move(oracle);
    s.extraKeys = std::move(extra);
    return s;
}

TEST(OdbcConnectionString, TranslatesTheProgramsTextsWithEveryValueInBraces)
{
    struct Case {
        const char* what;
        Dialect dialect;
        std::string text;
        OdbcSettings settings;
        std::string odbc;
    };
    const Case cases[] = {
        {"the text the program builds", Dialect::SqlServer,
         "PROVIDER=SQLOLEDB;Server=SRVERP;Database =EMPRESA;UId=sa;Pwd=clave;", settings(),
         "DRIVER={FreeTDS};SERVER={SRVERP};DATABASE={EMPRESA};UID={sa};PWD={clave};"},
        {"an empty password", Dialect::SqlServer, "PROVIDER=SQLOLEDB;Server=SRV\\SQL2005;Database =E;UId=u;Pwd=;",
         settings(), "DRIVER={FreeTDS};SERVER={SRV\\SQL2005};DATABASE={E};UID={u};PWD=;"},
        {"a password holding ';' and '=' (quoted in the text)", Dialect::SqlServer,
         "PROVIDER=SQLOLEDB;Server=S;Database =E;UId=u;Pwd=\"a;DATABASE=master;b=c\";", settings(),
         "DRIVER={FreeTDS};SERVER={S};DATABASE={E};UID={u};PWD={a;DATABASE=master;b=c};"},
        {"a password holding braces", Dialect::SqlServer, "PROVIDER=SQLOLEDB;Server=S;Database =E;UId=u;Pwd={x}}y{z};",
         settings(), "DRIVER={FreeTDS};SERVER={S};DATABASE={E};UID={u};PWD={x}}y{z};"},
        {"keys after the password do not redirect the connection", Dialect::SqlServer,
         "PROVIDER=SQLOLEDB;Server=S;Database =E;UId=u;Pwd=x;Database=master;Driver={Otro};Trusted_Connection=yes;",
         settings(), "DRIVER={FreeTDS};SERVER={S};DATABASE={E};UID={u};PWD={x};"},
        {"the driver named in the environment", Dialect::SqlServer, "PROVIDER=SQLOLEDB;Server=S;Database =E;UId=u;Pwd=p;",
         settings("ODBC Driver 18 for SQL Server"),
         "DRIVER={ODBC Driver 18 for SQL Server};SERVER={S};DATABASE={E};UID={u};PWD={p};"},
        {"extra keys replace in place or are added", Dialect::SqlServer,
         "PROVIDER=SQLOLEDB;Server=S;Database =E;UId=u;Pwd=p;",
         settings("FreeTDS", {}, "Database=/tmp/erp.db; Port=1433;TDS_Version={7.4};junk;"),
         "DRIVER={FreeTDS};SERVER={S};Database=/tmp/erp.db;UID={u};PWD={p};Port=1433;TDS_Version={7.4};"},
        {"the Oracle text", Dialect::Oracle, "Provider=OraOLEDB.Oracle.1;Data Source=ERPDB;User Id=U1;Password=p=1;",
         settings("FreeTDS", "Oracle 19 ODBC driver"),
         "DRIVER={Oracle 19 ODBC driver};DBQ={ERPDB};UID={U1};PWD={p=1};"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(db::odbc::odbcConnectionString(c.dialect, ConnectionText::parse(c.text), c.settings), c.odbc) << c.what;
    }
}

TEST(OdbcConnectionString, AQuotedValueReadsBackExactlyWhateverItHolds)
{
    const char* passwords[] = {"a;b", "x=y", "}", "{", "a}};PWD={b", "ñandú;=}", " blanks "};
    for (const char* password : passwords) {
        const std::string odbc = "PWD=" + db::odbc::braceQuoted(password) + ";UID={u};";
        const ConnectionText back = ConnectionText::parse(odbc);
        EXPECT_EQ(back.value("PWD"), password);
        EXPECT_EQ(back.value("UID"), "u") << password;
        EXPECT_EQ(back.entries().size(), 2u) << password;
    }
    EXPECT_EQ(db::odbc::braceQuoted(""), "");
    EXPECT_EQ(db::odbc::braceQuoted("a}b"), "{a}}b}");
}

TEST(OdbcConnectionString, OracleWithoutADriverIsAClearError)
{
    try {
        db::odbc::odbcConnectionString(
            Dialect::Oracle, ConnectionText::parse("Provider=OraOLEDB.Oracle.1;Data Source=D;User Id=U;Password=secreto;"),
            settings());
        FAIL() << "an Oracle text without a driver opened";
    } catch (const base::Error& error) {
        EXPECT_EQ(error.number(), db::adoerror::kProviderNotFound);
        EXPECT_NE(error.description().find("MIGRA_ODBC_ORACLE_DRIVER"), std::string::npos) << error.description();
        EXPECT_EQ(error.description().find("secreto"), std::string::npos);
    }
}

TEST(OdbcConnectionString, SettingsComeFromTheEnvironment)
{
    unsetenv("MIGRA_ODBC_DRIVER");
    unsetenv("MIGRA_ODBC_ORACLE_DRIVER");
    unsetenv("MIGRA_ODBC_EXTRA_KEYS");
    const OdbcSettings defaults = OdbcSettings::fromEnvironment();
    EXPECT_EQ(defaults.sqlServerDriver, "FreeTDS");
    EXPECT_EQ(defaults.oracleDriver, "");
    EXPECT_EQ(defaults.extraKeys, "");

    setenv("MIGRA_ODBC_DRIVER", "ODBC Driver 18 for SQL Server", 1);
    setenv("MIGRA_ODBC_ORACLE_DRIVER", "Oracle 19 ODBC driver", 1);
    setenv("MIGRA_ODBC_EXTRA_KEYS", "Port=1433;", 1);
    const OdbcSettings named = OdbcSettings::fromEnvironment();
    EXPECT_EQ(named.sqlServerDriver, "ODBC Driver 18 for SQL Server");
    EXPECT_EQ(named.oracleDriver, "Oracle 19 ODBC driver");
    EXPECT_EQ(named.extraKeys, "Port=1433;");
    unsetenv("MIGRA_ODBC_DRIVER");
    unsetenv("MIGRA_ODBC_ORACLE_DRIVER");
    unsetenv("MIGRA_ODBC_EXTRA_KEYS");
}

}  // namespace
