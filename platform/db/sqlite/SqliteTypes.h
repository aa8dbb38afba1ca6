#pragma once
// Between SQLite's storage classes and the program's values: a column's declared SQL Server type gives
// the field type and defined size the callers read, and decides how a stored value comes back (a bit as a
// boolean, money as currency, a datetime as a date).

#include "platform/base/Value.h"
#include "platform/db/Rows.h"

#include <string>
#include <string_view>

struct sqlite3_stmt;
struct sqlite3_value;

namespace db::sqlite {

// A declared type read apart: "decimal(18, 4)" -> {"decimal", 18, 4}; "varchar(max)" is unbounded.
struct DeclaredType {
    std::string name;  // lower case, without the word that only gives the column its SQLite affinity
    int first = 0;
    int second = 0;
    bool unbounded = false;
};
DeclaredType readDeclaredType(std::string_view declaredType);

// Exact numbers (decimal, numeric, money) are declared to SQLite with "real" before their SQL Server type:
// it gives the column floating affinity, so a stored 7 stays 7.0 and divides as SQL Server's decimal does.
// Dates are declared with "text" before theirs: a date compared with '20240229' then compares with that
// text (as a date, through the collation) rather than with the number SQLite would make of it.
// The word to put before `typeName`, or nothing.
std::string_view affinityWord(std::string_view typeName);
bool isExactType(std::string_view typeName);

// The field type and size of a declared type such as "char(4)", "varchar(15)", "money", "datetime".
ColumnInfo describeDeclaredType(std::string_view name, std::string_view declaredType);

// The value of column `index` of the current row, read as the column's type says.
base::Value readColumn(sqlite3_stmt* statement, int index, AdoType type);
// A column's value read into `out` as readColumn reads it; a text takes the room of the text `out` held.
void readValue(sqlite3_value* value, AdoType type, base::Value& out);

// Binds a program value to parameter `index` (1-based): dates as ISO text, booleans as 0/1.
int bindValue(sqlite3_stmt* statement, int index, const base::Value& value);

// The declared width of a text type ("char(4)" -> 4), or 0 when it has none.
long declaredTextWidth(std::string_view declaredType);
bool isDateType(std::string_view declaredType);

}  // namespace db::sqlite
