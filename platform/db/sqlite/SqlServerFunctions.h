#pragma once
// What SQLite needs to compare and compute the way SQL Server does for the ERP's statements: the collation
// SQLSRV (case-insensitive for Spanish letters too, trailing blanks ignored, leading blanks significant),
// LIKE with the same case rules and SQL Server's [set] patterns, LTRIM/RTRIM that leave numbers numbers,
// LEN, GETDATE, CHARINDEX, CONVERT and SYSTEM_USER.

#include <string>
#include <string_view>

struct sqlite3;

namespace db::sqlite {

// Registers everything on `db`. `user` is what SYSTEM_USER answers; it must outlive the connection.
void registerSqlServerFunctions(sqlite3* db, const std::string* user);

// The collation's comparison, exposed for tests and for code that must agree with the database.
int compareSqlServer(std::string_view a, std::string_view b);

}  // namespace db::sqlite
