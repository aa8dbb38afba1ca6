#pragma once
// The ODBC connection string for the connection texts the program builds for the ERP database:
//   "PROVIDER=SQLOLEDB;Server=S;Database =D;UId=U;Pwd=P;"
//       -> "DRIVER={<SQL Server driver>};SERVER={S};DATABASE={D};UID={U};PWD={P};"
//   "Provider=OraOLEDB.Oracle.1;Data Source=D;User Id=U;Password=P;"
//       -> "DRIVER={<Oracle driver>};DBQ={D};UID={U};PWD={P};"
// Every value goes in braces (a "}" inside doubled), so a ";" or "=" in a password cannot add keys. Only
// these keys are carried, each from its first occurrence in the text: a password that ends the text with
// ";Database=other" cannot redirect the connection either.
//
// The environment names the drivers, as odbcinst.ini lists them or as the path of the driver library:
//   MIGRA_ODBC_DRIVER          the SQL Server driver (FreeTDS when unset)
//   MIGRA_ODBC_ORACLE_DRIVER   the Oracle driver (no default: without it an Oracle text cannot be opened)
//   MIGRA_ODBC_EXTRA_KEYS      keys for the driver, written as given ("Port=1433;TDS_Version=7.4;"); one the
//                              translation also writes replaces it in its place. The tests use it to point
//                              the SQLite ODBC driver at a file ("Database=/tmp/x/erp.db"), because that
//                              driver reads values without braces.

#include "platform/db/ConnectionText.h"

#include <string>
#include <string_view>

namespace db::odbc {

enum class Dialect { SqlServer, Oracle };

struct OdbcSettings {
    std::string sqlServerDriver = "FreeTDS";
    std::string oracleDriver;
    std::string extraKeys;

    static OdbcSettings fromEnvironment();
};

// "{value}" with every "}" doubled; an empty value stays empty.
std::string braceQuoted(std::string_view value);

// Raises base::Error (3706) for an Oracle text when no Oracle driver is named.
std::string odbcConnectionString(Dialect dialect, const ConnectionText& text, const OdbcSettings& settings);

// The driver a text goes to, for messages (the connection string itself holds the password).
std::string driverName(Dialect dialect, const OdbcSettings& settings);

}  // namespace db::odbc
