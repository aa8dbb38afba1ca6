#pragma once
// Between ODBC's descriptions and the data-access layer's: a result column's SQL type, size and the
// database's name for its type give the ADO field type and defined size the program reads (a char(4) is
// 129 with size 4, an int 3 with size 4, money 6); ADO's isolation levels become ODBC's.

#include "platform/db/Rows.h"

#include <optional>
#include <string_view>

namespace db::odbc {

// `sqlType` is the SQL_* code SQLDescribeCol gives, `columnSize` its column size, `typeName` the
// database's own name of the type (SQL_DESC_TYPE_NAME: "money", "varchar", "decimal(12,2)"...).
ColumnInfo describeColumn(std::string_view name, int sqlType, unsigned long columnSize, std::string_view typeName);

// Whether a field of this type has a character length (CHARACTER_MAXIMUM_LENGTH in the column list).
bool hasCharacterLength(AdoType type);

// The SQL_TXN_* value for an ADO isolation level (256 read uncommitted, 4096 read committed, 65536
// repeatable read, 1048576 serializable); nothing for a level ODBC cannot ask for.
std::optional<long> odbcIsolation(long adoLevel);

}  // namespace db::odbc
