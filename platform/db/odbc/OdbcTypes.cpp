#include "platform/db/odbc/OdbcTypes.h"

#include <cctype>
#include <sql.h>
#include <sqlext.h>
#include <string>

namespace db::odbc {
namespace {

// ADO's codes for what the program never asks about but a table may hold.
constexpr AdoType kGuid = static_cast<AdoType>(72);
constexpr AdoType kBinary = static_cast<AdoType>(128);
constexpr AdoType kVarBinary = static_cast<AdoType>(204);
constexpr AdoType kLongVarBinary = static_cast<AdoType>(205);

// "Money", "smallmoney", "decimal(12,2)" -> "money", "smallmoney", "decimal".
std::string baseTypeName(std::string_view typeName)
{
    std::string name;
    for (char c : typeName) {
        if (c == '(' || c == ' ') break;
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

long sizeOr(unsigned long columnSize, long fallback)
{
    return columnSize > 0 && columnSize <= 2147483647UL ? static_cast<long>(columnSize) : fallback;
}

}  // namespace

ColumnInfo describeColumn(std::string_view name, int sqlType, unsigned long columnSize, std::string_view typeName)
{
    ColumnInfo column{std::string(name), AdoType::VarChar, 0};
    auto set = [&](AdoType type, long size) { column.type = type; column.definedSize = size; };
    // ODBC has no money type: SQL Server reports money as a decimal (or the SQLite driver as text) and
    // names it, and the program treats money as currency.
    const std::string base = baseTypeName(typeName);
    if (base == "money" || base == "smallmoney") {
        set(AdoType::Currency, 8);
        return column;
    }
    switch (sqlType) {
    case SQL_CHAR: set(AdoType::Char, sizeOr(columnSize, 1)); break;
    case SQL_VARCHAR: set(AdoType::VarChar, sizeOr(columnSize, 255)); break;
    case SQL_LONGVARCHAR: set(AdoType::LongVarChar, 2147483647); break;
    case SQL_WCHAR: set(AdoType::WChar, sizeOr(columnSize, 1)); break;
    case SQL_WVARCHAR: set(AdoType::VarWChar, sizeOr(columnSize, 255)); break;
    case SQL_WLONGVARCHAR: set(AdoType::LongVarWChar, 1073741823); break;
    case SQL_INTEGER: set(AdoType::Integer, 4); break;
    case SQL_SMALLINT: set(AdoType::SmallInt, 2); break;
    case SQL_TINYINT: set(AdoType::UnsignedTinyInt, 1); break;  // SQL Server's tinyint has no sign
    case SQL_BIGINT: set(AdoType::BigInt, 8); break;
    case SQL_BIT: set(AdoType::Boolean, 2); break;
    case SQL_REAL: set(AdoType::Single, 4); break;
    case SQL_FLOAT:
    case SQL_DOUBLE: set(AdoType::Double, 8); break;
    case SQL_DECIMAL:
    case SQL_NUMERIC: set(AdoType::Numeric, 19); break;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP: set(AdoType::DBTimeStamp, 16); break;
    case SQL_TYPE_DATE:
    case SQL_DATE: set(AdoType::DBDate, 6); break;
    case SQL_TYPE_TIME:
    case SQL_TIME: set(AdoType::DBTime, 6); break;
    case SQL_GUID: set(kGuid, 16); break;
    case SQL_BINARY: set(kBinary, sizeOr(columnSize, 1)); break;
    case SQL_VARBINARY: set(kVarBinary, sizeOr(columnSize, 8000)); break;
    case SQL_LONGVARBINARY: set(kLongVarBinary, 2147483647); break;
    default: set(AdoType::VarChar, sizeOr(columnSize, 255)); break;
    }
    return column;
}

bool hasCharacterLength(AdoType type)
{
    switch (type) {
    case AdoType::Char:
    case AdoType::VarChar:
    case AdoType::LongVarChar:
    case AdoType::WChar:
    case AdoType::VarWChar:
    case AdoType::LongVarWChar: return true;
    default: return false;
    }
}

std::optional<long> odbcIsolation(long adoLevel)
{
    switch (adoLevel) {
    case 256: return SQL_TXN_READ_UNCOMMITTED;
    case 4096: return SQL_TXN_READ_COMMITTED;
    case 65536: return SQL_TXN_REPEATABLE_READ;
    case 1048576: return SQL_TXN_SERIALIZABLE;
    default: return std::nullopt;
    }
}

}  // namespace db::odbc
