#include "platform/db/sqlite/SqliteCursor.h"

#include "platform/base/Error.h"
#include "platform/db/sqlite/SqlServerErrors.h"
#include "platform/db/sqlite/SqliteTypes.h"

#include <functional>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <unordered_map>

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

}  // namespace

SqliteCursor::SqliteCursor(Statement statement, std::shared_ptr<Database> db)
    : statement_(std::move(statement)), db_(std::move(db))
{
}

std::unique_ptr<SqliteCursor> SqliteCursor::start(Statement statement, const std::shared_ptr<Database>& db,
                                                  ErrorList& errors)
{
    std::unique_ptr<SqliteCursor> cursor(new SqliteCursor(std::move(statement), db));
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
    const StatementColumns& described = cursor->described();
    cursor->columns_ = described.columns;
    // An expression has no declared type: its first value tells what it is.
    sqlite3_stmt* s = cursor->statement_.get();
    for (std::size_t k = 0; cursor->rowWaiting_ && k < described.expressions.size(); ++k) {
        const std::size_t i = described.expressions[k];
        ColumnInfo& column = cursor->columns_[i];
        switch (sqlite3_column_type(s, static_cast<int>(i))) {
        case SQLITE_INTEGER: column.type = AdoType::Integer; column.definedSize = 4; break;
        case SQLITE_FLOAT: column.type = AdoType::Double; column.definedSize = 8; break;
        default: break;
        }
    }
    cursor->types_.reserve(cursor->columns_.size());
    for (const ColumnInfo& column : cursor->columns_) cursor->types_.push_back(column.type);
    return cursor;
}

const StatementColumns& SqliteCursor::described()
{
    sqlite3_stmt* s = statement_.get();
    const int compilation = sqlite3_stmt_status(s, SQLITE_STMTSTATUS_REPREPARE, 0);
    if (const std::shared_ptr<const StatementColumns>& kept = statement_.columns(); kept && kept->compilation == compilation)
        return *kept;
    auto made = std::make_shared<StatementColumns>();
    made->compilation = compilation;
    const int count = sqlite3_column_count(s);
    made->columns.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const char* declared = sqlite3_column_decltype(s, i);
        ColumnInfo column = typeDeclared(declared ? declared : "");
        column.name = sqlite3_column_name(s, i);
        if (!declared) made->expressions.push_back(static_cast<std::size_t>(i));
        made->columns.push_back(std::move(column));
    }
    statement_.keepColumns(std::move(made));
    return *statement_.columns();
}

int SqliteCursor::step() { return sqlite3_step(statement_.get()); }

void SqliteCursor::readRow(Row& row) const
{
    row.resize(types_.size());
    for (std::size_t i = 0; i < types_.size(); ++i) row[i] = readColumn(statement_.get(), static_cast<int>(i), types_[i]);
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
