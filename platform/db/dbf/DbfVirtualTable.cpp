#include "platform/db/dbf/DbfVirtualTable.h"

#include "platform/base/Error.h"
#include "platform/db/dbf/LegacySql.h"

#include <charconv>
#include <cstdlib>
#include <fmt/format.h>
#include <sqlite3.h>

namespace db::dbf {
namespace {

// Amounts whose scaled value stays below this pass through a double exactly (15 significant digits).
constexpr std::int64_t kExactDoubleLimit = 1'000'000'000'000'000;

struct Table : sqlite3_vtab {
    std::shared_ptr<const DbfTable> dbf;
    bool includeDeleted = false;
};

struct Cursor : sqlite3_vtab_cursor {
    explicit Cursor(const Table& table) : records(table.dbf, table.includeDeleted) {}
    DbfRecords records;
    bool atEnd = true;
};

// "yyyy-mm-dd hh:mm:ss", the form dates take in SQL here; written by hand because a scan writes one per
// date field per record.
void isoText(const base::DateTime& value, char (&out)[19])
{
    const auto put = [&](int at, int number, int digits) {
        for (int i = digits - 1; i >= 0; --i, number /= 10) out[at + i] = static_cast<char>('0' + number % 10);
    };
    put(0, value.year(), 4);
    out[4] = '-';
    put(5, value.month(), 2);
    out[7] = '-';
    put(8, value.day(), 2);
    out[10] = ' ';
    const auto second = static_cast<int>(value.seconds() - value.dateOnly().seconds());
    put(11, second / 3600, 2);
    out[13] = ':';
    put(14, second / 60 % 60, 2);
    out[16] = ':';
    put(17, second % 60, 2);
}

char* copyForSqlite(const std::string& text) { return sqlite3_mprintf("%s", text.c_str()); }

std::string quotedName(std::string_view name)
{
    std::string out = "\"";
    for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

int connect(sqlite3* db, void* aux, int argc, const char* const* argv, sqlite3_vtab** result, char** error)
{
    const auto* module = static_cast<DbfModule*>(aux);
    const DbfModule::Offered* offered = argc > 3 ? module->find(argv[3]) : nullptr;
    if (!offered) {
        *error = sqlite3_mprintf("no DBF file was offered for this table");
        return SQLITE_ERROR;
    }
    std::string declaration = "CREATE TABLE x(";
    bool first = true;
    for (const DbfField& field : offered->table->fields()) {
        declaration += (first ? "" : ", ") + quotedName(field.name) + " " + declaredType(field);
        first = false;
    }
    declaration += ")";
    if (const int code = sqlite3_declare_vtab(db, declaration.c_str()); code != SQLITE_OK) {
        *error = sqlite3_mprintf("cannot declare the columns of %s: %s", offered->table->name().c_str(),
                                 sqlite3_errmsg(db));
        return code;
    }
    auto* table = new Table();
    table->dbf = offered->table;
    table->includeDeleted = offered->includeDeleted;
    *result = table;
    return SQLITE_OK;
}

int disconnect(sqlite3_vtab* table)
{
    delete static_cast<Table*>(table);
    return SQLITE_OK;
}

int bestIndex(sqlite3_vtab* table, sqlite3_index_info* info)
{
    // Every plan is a scan in file order; SQLite applies the WHERE clause to the rows itself.
    const double records = static_cast<double>(static_cast<Table*>(table)->dbf->recordCount());
    info->estimatedCost = records + 1;
    info->estimatedRows = static_cast<sqlite3_int64>(records) + 1;
    return SQLITE_OK;
}

int openCursor(sqlite3_vtab* table, sqlite3_vtab_cursor** result)
{
    try {
        *result = new Cursor(*static_cast<Table*>(table));
        return SQLITE_OK;
    } catch (const std::exception& e) {
        table->zErrMsg = copyForSqlite(e.what());
        return SQLITE_ERROR;
    }
}

int closeCursor(sqlite3_vtab_cursor* cursor)
{
    delete static_cast<Cursor*>(cursor);
    return SQLITE_OK;
}

int advance(sqlite3_vtab_cursor* base)
{
    auto* cursor = static_cast<Cursor*>(base);
    try {
        cursor->atEnd = !cursor->records.next();
        return SQLITE_OK;
    } catch (const std::exception& e) {
        cursor->atEnd = true;
        sqlite3_free(base->pVtab->zErrMsg);
        base->pVtab->zErrMsg = copyForSqlite(e.what());
        return SQLITE_ERROR;
    }
}

int filter(sqlite3_vtab_cursor* base, int, const char*, int, sqlite3_value**)
{
    static_cast<Cursor*>(base)->records.rewind();
    return advance(base);
}

int atEnd(sqlite3_vtab_cursor* cursor) { return static_cast<Cursor*>(cursor)->atEnd ? 1 : 0; }

void setResult(sqlite3_context* context, const base::Value& value)
{
    using Kind = base::Value::Kind;
    switch (value.kind()) {
    case Kind::Empty:
    case Kind::Null: sqlite3_result_null(context); return;
    case Kind::Boolean: sqlite3_result_int(context, value.asBoolean() ? 1 : 0); return;
    case Kind::Integer: sqlite3_result_int64(context, value.asInteger()); return;
    case Kind::Double: sqlite3_result_double(context, value.asDouble()); return;
    case Kind::Currency: {
        // As a number, so SQL compares it as one; the cursor turns it back into the exact amount.
        const base::Currency amount = value.asCurrency();
        if (amount.scaled() > -kExactDoubleLimit && amount.scaled() < kExactDoubleLimit) {
            sqlite3_result_double(context, amount.toDouble());
        } else {
            const std::string text = amount.toText();
            sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
        return;
    }
    case Kind::Text: {
        const std::string& text = value.asText();
        sqlite3_result_text64(context, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        return;
    }
    case Kind::DateTime: {
        char text[19];
        isoText(value.asDateTime(), text);
        sqlite3_result_text(context, text, sizeof text, SQLITE_TRANSIENT);
        return;
    }
    }
}

int column(sqlite3_vtab_cursor* base, sqlite3_context* context, int index)
{
    auto* cursor = static_cast<Cursor*>(base);
    try {
        setResult(context, cursor->records.value(static_cast<std::size_t>(index)));
    } catch (const std::exception& e) {
        sqlite3_result_error(context, e.what(), -1);
    }
    return SQLITE_OK;
}

int rowid(sqlite3_vtab_cursor* base, sqlite3_int64* result)
{
    *result = static_cast<Cursor*>(base)->records.recordNumber();
    return SQLITE_OK;
}

const sqlite3_module& module()
{
    static const sqlite3_module instance = [] {
        sqlite3_module m{};
        m.iVersion = 1;
        m.xCreate = connect;
        m.xConnect = connect;
        m.xBestIndex = bestIndex;
        m.xDisconnect = disconnect;
        m.xDestroy = disconnect;
        m.xOpen = openCursor;
        m.xClose = closeCursor;
        m.xFilter = filter;
        m.xNext = advance;
        m.xEof = atEnd;
        m.xColumn = column;
        m.xRowid = rowid;
        // No xUpdate: SQLite itself refuses to write into these tables.
        return m;
    }();
    return instance;
}

}  // namespace

DbfModule& DbfModule::install(sqlite3* db)
{
    auto* data = new DbfModule();
    const int code = sqlite3_create_module_v2(db, "dbf", &module(), data,
                                              [](void* p) { delete static_cast<DbfModule*>(p); });
    if (code != SQLITE_OK)
        throw base::Error(hresult::kUnspecified, fmt::format("Cannot register the DBF reader: {}", sqlite3_errmsg(db)),
                          "dBase");
    return *data;
}

std::string DbfModule::offer(std::shared_ptr<const DbfTable> table, bool includeDeleted)
{
    tables_.push_back({std::move(table), includeDeleted});
    return std::to_string(tables_.size() - 1);
}

const DbfModule::Offered* DbfModule::find(std::string_view key) const
{
    std::size_t index = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), index);
    if (error != std::errc() || end != key.data() + key.size() || index >= tables_.size()) return nullptr;
    return &tables_[index];
}

std::string declaredType(const DbfField& field)
{
    const std::string padded = std::string(" COLLATE ") + kPaddedCollation;
    switch (field.type) {
    case 'C': return fmt::format("CHAR({}){}", field.length, padded);
    case 'N':
    case 'F': return fmt::format("NUMERIC({},{})", field.length, field.decimals);
    case 'D': return "DATE";
    case 'T': return "DATETIME";
    case 'L': return "BIT";
    case 'M': return "TEXT" + padded;
    case 'I': return "INT";
    case 'Y': return "MONEY";
    case 'B': return "FLOAT";
    default: return "TEXT";
    }
}

ColumnInfo columnOf(const DbfField& field)
{
    switch (field.type) {
    case 'C': return {field.name, AdoType::Char, static_cast<long>(field.length)};
    case 'N':
    case 'F': return {field.name, AdoType::Numeric, static_cast<long>(field.length)};
    case 'D': return {field.name, AdoType::DBDate, 6};
    case 'T': return {field.name, AdoType::DBTimeStamp, 16};
    case 'L': return {field.name, AdoType::Boolean, 2};
    case 'I': return {field.name, AdoType::Integer, 4};
    case 'Y': return {field.name, AdoType::Currency, 8};
    case 'B': return {field.name, AdoType::Double, 8};
    default: return {field.name, AdoType::LongVarChar, 2147483647};
    }
}

}  // namespace db::dbf
