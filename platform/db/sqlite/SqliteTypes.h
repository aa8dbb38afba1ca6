#pragma once
// Between SQLite's storage classes and the program's values: a column's declared SQL Server type gives
// the field type and defined size the callers read, and decides how a stored value comes back (a bit as a
// boolean, money as currency, a datetime as a date).

#include "platform/base/Value.h"
#include "platform/db/Rows.h"

#include <string_view>

struct sqlite3_stmt;

namespace db::sqlite {

// The field type and size of a declared type such as "char(4)", "varchar(15)", "money", "datetime".
ColumnInfo describeDeclaredType(std::string_view name, std::string_view declaredType);

// The value of column `index` of the current row, read as the column's type says.
base::Value readColumn(sqlite3_stmt* statement, int index, AdoType type);

// Binds a program value to parameter `index` (1-based): dates as ISO text, booleans as 0/1.
int bindValue(sqlite3_stmt* statement, int index, const base::Value& value);

// The declared width of a text type ("char(4)" -> 4), or 0 when it has none.
long declaredTextWidth(std::string_view declaredType);
bool isDateType(std::string_view declaredType);

}  // namespace db::sqlite
