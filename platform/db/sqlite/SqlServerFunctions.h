#pragma once
// What SQLite needs to compare and compute the way SQL Server does for the ERP's statements: the collation
// SQLSRV (SqlServerCollation.h), LIKE with the same case rules and SQL Server's [set] patterns, LTRIM/RTRIM
// that leave numbers numbers, LEN, DATALENGTH, CHARINDEX, CONVERT, LEFT, RIGHT, STR, UPPER, LOWER and
// SYSTEM_USER, the arithmetic and the store checks (SqlServerArithmetic.cpp) and the date functions
// (SqlServerDateFunctions.cpp).

#include "platform/db/sqlite/SqlServerCollation.h"
#include "platform/db/sqlite/StoredValues.h"

#include <string>
#include <string_view>

struct sqlite3;

namespace db::sqlite {

// Registers everything on `db`. `session` says what SYSTEM_USER answers and how texts read as dates; it
// must outlive the connection.
void registerSqlServerFunctions(sqlite3* db, const SessionSettings* session);

}  // namespace db::sqlite
