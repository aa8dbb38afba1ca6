#include "platform/db/sqlite/SqliteTypes.h"

#include <cctype>
#include <cstdlib>
#include <sqlite3.h>
#include <string>

namespace db::sqlite {
namespace {

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// "varchar(15)" -> ("varchar", 15); "decimal(12, 2)" -> ("decimal", 12).
std::pair<std::string, long> splitType(std::string_view declared)
{
    DeclaredType type = readDeclaredType(declared);
    return {std::move(type.name), type.first};
}

std::string_view valueText(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value))) : std::string_view();
}

}  // namespace

DeclaredType readDeclaredType(std::string_view declared)
{
    DeclaredType type;
    type.name = lower(declared);
    if (const auto open = type.name.find('('); open != std::string::npos) {
        type.first = static_cast<int>(std::strtol(type.name.c_str() + open + 1, nullptr, 10));
        type.unbounded = type.name.compare(open + 1, 3, "max") == 0;
        if (const auto comma = type.name.find(',', open); comma != std::string::npos)
            type.second = static_cast<int>(std::strtol(type.name.c_str() + comma + 1, nullptr, 10));
        type.name.erase(open);
    }
    while (!type.name.empty() && type.name.back() == ' ') type.name.pop_back();
    for (std::string_view word : {"real ", "text "}) {
        if (type.name.size() > word.size() && type.name.starts_with(word)
            && !affinityWord(std::string_view(type.name).substr(word.size())).empty())
            type.name.erase(0, word.size());
    }
    return type;
}

std::string_view affinityWord(std::string_view typeName)
{
    if (isExactType(typeName)) return "real";
    const std::string type = lower(typeName);
    if (type == "datetime" || type == "smalldatetime" || type == "date") return "text";
    return {};
}

bool isExactType(std::string_view typeName)
{
    const std::string type = lower(typeName);
    return type == "decimal" || type == "numeric" || type == "money" || type == "smallmoney";
}

ColumnInfo describeDeclaredType(std::string_view name, std::string_view declaredType)
{
    const auto [type, size] = splitType(declaredType);
    ColumnInfo column{std::string(name), AdoType::VarChar, size};
    auto set = [&](AdoType t, long s) { column.type = t; column.definedSize = s; };
    if (type == "char") set(AdoType::Char, size ? size : 1);
    else if (type == "varchar") set(AdoType::VarChar, size ? size : 1);
    else if (type == "nchar") set(AdoType::WChar, size ? size : 1);
    else if (type == "nvarchar") set(AdoType::VarWChar, size ? size : 1);
    else if (type == "text") set(AdoType::LongVarChar, 2147483647);
    else if (type == "ntext") set(AdoType::LongVarWChar, 1073741823);
    else if (type == "int" || type == "integer") set(AdoType::Integer, 4);
    else if (type == "smallint") set(AdoType::SmallInt, 2);
    else if (type == "tinyint") set(AdoType::UnsignedTinyInt, 1);
    else if (type == "bigint") set(AdoType::BigInt, 8);
    else if (type == "bit") set(AdoType::Boolean, 2);
    else if (type == "money" || type == "smallmoney") set(AdoType::Currency, 8);
    else if (type == "decimal" || type == "numeric") set(AdoType::Numeric, 19);
    else if (type == "float" || type == "double" || type == "real") set(AdoType::Double, 8);
    else if (type == "datetime" || type == "smalldatetime") set(AdoType::DBTimeStamp, 16);
    else if (type == "date") set(AdoType::DBDate, 6);
    else set(AdoType::VarChar, 255);  // expressions and undeclared columns: corrected from the first row
    return column;
}

long declaredTextWidth(std::string_view declaredType)
{
    const auto [type, size] = splitType(declaredType);
    return (type == "char" || type == "varchar" || type == "nchar" || type == "nvarchar") ? size : 0;
}

bool isDateType(std::string_view declaredType)
{
    const std::string type = splitType(declaredType).first;
    return type == "datetime" || type == "smalldatetime" || type == "date";
}

base::Value readColumn(sqlite3_stmt* statement, int index, AdoType type)
{
    base::Value value;
    readValue(sqlite3_column_value(statement, index), type, value);
    return value;
}

void readValue(sqlite3_value* value, AdoType type, base::Value& out)
{
    const int storage = sqlite3_value_type(value);
    if (storage == SQLITE_NULL) {
        out = base::Value::null();
        return;
    }
    switch (type) {
    case AdoType::Boolean:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) {
            out = sqlite3_value_int64(value) != 0;
            return;
        }
        break;
    case AdoType::Currency:
        if (storage == SQLITE_INTEGER) {
            out = base::Currency::fromInteger(sqlite3_value_int64(value));
            return;
        }
        if (auto exact = base::Currency::parse(valueText(value))) {
            out = *exact;
            return;
        }
        break;
    case AdoType::DBTimeStamp:
    case AdoType::DBDate:
        if (storage == SQLITE_TEXT)
            if (auto date = base::DateTime::parseIso(valueText(value))) {
                out = *date;
                return;
            }
        break;
    case AdoType::Numeric:
    case AdoType::Double:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) {
            out = sqlite3_value_double(value);
            return;
        }
        break;
    case AdoType::Char:
    case AdoType::VarChar:
    case AdoType::WChar:
    case AdoType::VarWChar:
    case AdoType::LongVarChar:
    case AdoType::LongVarWChar:
        out.assignText(valueText(value));
        return;
    default:
        break;
    }
    // A value its column's type does not describe (or an expression) comes back as stored.
    switch (storage) {
    case SQLITE_INTEGER: out = static_cast<long long>(sqlite3_value_int64(value)); break;
    case SQLITE_FLOAT: out = sqlite3_value_double(value); break;
    default: out.assignText(valueText(value)); break;
    }
}

int bindValue(sqlite3_stmt* statement, int index, const base::Value& value)
{
    using Kind = base::Value::Kind;
    switch (value.kind()) {
    case Kind::Empty:
    case Kind::Null: return sqlite3_bind_null(statement, index);
    case Kind::Boolean: return sqlite3_bind_int(statement, index, value.asBoolean() ? 1 : 0);
    case Kind::Integer: return sqlite3_bind_int64(statement, index, value.asInteger());
    case Kind::Double: return sqlite3_bind_double(statement, index, value.asDouble());
    case Kind::Currency: {
        const base::Currency amount = value.asCurrency();
        if (amount.scaled() % base::Currency::kScale == 0)
            return sqlite3_bind_int64(statement, index, amount.scaled() / base::Currency::kScale);
        return sqlite3_bind_double(statement, index, amount.toDouble());
    }
    case Kind::Text: {
        const std::string& text = value.asText();
        return sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    case Kind::DateTime: {
        const std::string text = value.asDateTime().toIso();
        return sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    }
    return SQLITE_MISUSE;
}

}  // namespace db::sqlite
