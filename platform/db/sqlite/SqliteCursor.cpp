#include "platform/db/sqlite/SqliteCursor.h"

#include "platform/base/Error.h"
#include "platform/db/sqlite/SqlServerErrors.h"
#include "platform/db/sqlite/SqliteTypes.h"

#include <functional>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace db::sqlite {
namespace {

// A schema declares a few dozen types, and every query names some of them for each of its columns: each
// declaration is read once.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

ColumnInfo typeDeclared(std::string_view declared)
{
    thread_local std::unordered_map<std::string, ColumnInfo, TextHash, std::equal_to<>> known;
    if (const auto found = known.find(declared); found != known.end()) return found->second;
    return known.emplace(std::string(declared), describeDeclaredType("", declared)).first->second;
}

// An expression's type and size as the value it holds tells them: a whole number, a floating one, or else
// what its description says.
std::pair<AdoType, long> typedBy(const ColumnInfo& column, int storage)
{
    switch (storage) {
    case SQLITE_INTEGER: return {AdoType::Integer, 4};
    case SQLITE_FLOAT: return {AdoType::Double, 8};
    default: return {column.type, column.definedSize};
    }
}

}  // namespace

SqliteCursor::SqliteCursor(Statement statement, std::vector<SqlParameter> values, std::shared_ptr<Database> db)
    : values_(std::move(values)), statement_(std::move(statement)), db_(std::move(db))
{
}

std::unique_ptr<SqliteCursor> SqliteCursor::start(Statement statement, std::vector<SqlParameter> values,
                                                  const std::shared_ptr<Database>& db, ErrorList& errors)
{
    std::unique_ptr<SqliteCursor> cursor(new SqliteCursor(std::move(statement), std::move(values), db));
    const int code = cursor->step();
    if (code != SQLITE_ROW && code != SQLITE_DONE) {
        const ProviderError error = sqlServerError(db->lastErrorCode(), db->lastError());
        errors.add(error);
        return nullptr;
    }
    cursor->rowWaiting_ = code == SQLITE_ROW;
    cursor->done_ = code == SQLITE_DONE;
    // Described after the first step: a statement compiled before a table changed is compiled again by that
    // step, and only then names the table's columns as they are now.
    cursor->columns_ = cursor->typedColumns(cursor->described());
    return cursor;
}

StatementColumns& SqliteCursor::described()
{
    sqlite3_stmt* s = statement_.get();
    const int compilation = sqlite3_stmt_status(s, SQLITE_STMTSTATUS_REPREPARE, 0);
    if (const std::shared_ptr<StatementColumns>& kept = statement_.columns(); kept && kept->compilation == compilation)
        return *kept;
    auto made = std::make_shared<StatementColumns>();
    made->compilation = compilation;
    const int count = sqlite3_column_count(s);
    auto columns = std::make_shared<std::vector<ColumnInfo>>();
    columns->reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const char* declared = sqlite3_column_decltype(s, i);
        ColumnInfo column = typeDeclared(declared ? declared : "");
        column.name = sqlite3_column_name(s, i);
        if (!declared) made->expressions.push_back(static_cast<std::size_t>(i));
        columns->push_back(std::move(column));
    }
    made->columns = std::move(columns);
    statement_.keepColumns(std::move(made));
    return *statement_.columns();
}

Columns SqliteCursor::typedColumns(StatementColumns& described) const
{
    // An expression has no declared type: its first value tells what it is.
    if (!rowWaiting_ || described.expressions.empty()) return described.columns;
    sqlite3_stmt* s = statement_.get();
    const std::vector<ColumnInfo>& declared = *described.columns;
    const auto typed = [&](std::size_t i) { return typedBy(declared[i], sqlite3_column_type(s, static_cast<int>(i))); };
    bool alike = described.typed != nullptr;
    for (std::size_t k = 0; alike && k < described.expressions.size(); ++k) {
        const std::size_t i = described.expressions[k];
        const ColumnInfo& last = (*described.typed)[i];
        alike = typed(i) == std::pair(last.type, last.definedSize);
    }
    if (alike) return described.typed;
    auto made = std::make_shared<std::vector<ColumnInfo>>(declared);
    for (const std::size_t i : described.expressions) std::tie((*made)[i].type, (*made)[i].definedSize) = typed(i);
    described.typed = made;
    return made;
}

int SqliteCursor::step() { return sqlite3_step(statement_.get()); }

void SqliteCursor::readRow(Row& row) const
{
    const std::vector<ColumnInfo>& columns = *columns_;
    row.resize(columns.size());
    sqlite3_stmt* s = statement_.get();
    for (std::size_t i = 0; i < columns.size(); ++i)
        readValue(sqlite3_column_value(s, static_cast<int>(i)), columns[i].type, row[i]);
}

bool SqliteCursor::next(Row& row)
{
    if (rowWaiting_) {
        readRow(row);
        rowWaiting_ = false;
        return true;
    }
    if (done_) return false;
    const int code = step();
    if (code == SQLITE_ROW) {
        readRow(row);
        return true;
    }
    done_ = true;
    if (code != SQLITE_DONE) {
        const ProviderError error = sqlServerError(db_->lastErrorCode(), db_->lastError());
        throw base::Error(error.number, error.description, error.source);
    }
    return false;
}

}  // namespace db::sqlite
