#include "platform/db/sqlite/SqliteHandle.h"

#include "platform/db/sqlite/StatementCache.h"

#include <sqlite3.h>

namespace db::sqlite {

Database::~Database() { sqlite3_close_v2(handle_); }

std::string Database::lastError() const { return sqlite3_errmsg(handle_); }
int Database::lastErrorCode() const { return sqlite3_extended_errcode(handle_); }

Statement::Statement(std::shared_ptr<StatementCache> cache, KeptStatement& kept)
    : handle_(kept.handle), cache_(std::move(cache)), kept_(&kept)
{
}

Statement::~Statement() { release(); }

void Statement::release()
{
    if (kept_) cache_->giveBack(*kept_);
    else if (handle_) sqlite3_finalize(handle_);
    handle_ = nullptr;
    kept_ = nullptr;
    cache_.reset();
}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        release();
        db_ = std::move(other.db_);
        handle_ = other.handle_;
        cache_ = std::move(other.cache_);
        kept_ = other.kept_;
        columns_ = std::move(other.columns_);
        other.handle_ = nullptr;
        other.kept_ = nullptr;
    }
    return *this;
}

const std::shared_ptr<StatementColumns>& Statement::columns() const { return kept_ ? kept_->columns : columns_; }

void Statement::keepColumns(std::shared_ptr<StatementColumns> columns)
{
    (kept_ ? kept_->columns : columns_) = std::move(columns);
}

sqlite3_stmt* compile(Database& db, std::string_view sql, int& code, std::string& message)
{
    sqlite3_stmt* handle = nullptr;
    const char* tail = nullptr;
    code = sqlite3_prepare_v2(db.get(), sql.data(), static_cast<int>(sql.size()), &handle, &tail);
    if (code != SQLITE_OK) {
        code = db.lastErrorCode();
        message = db.lastError();
        sqlite3_finalize(handle);
        return nullptr;
    }
    // One statement per text: what follows the first must be blank.
    if (tail && std::string_view(tail, static_cast<std::size_t>(sql.data() + sql.size() - tail)).find_first_not_of(" \t\r\n;") !=
                    std::string_view::npos) {
        sqlite3_finalize(handle);
        code = SQLITE_ERROR;
        message = "syntax error: more than one statement where one was expected";
        return nullptr;
    }
    if (!handle) {
        code = SQLITE_ERROR;
        message = "syntax error: an empty statement";
    }
    return handle;
}

Statement prepare(const std::shared_ptr<Database>& db, std::string_view sql, int& code, std::string& message)
{
    sqlite3_stmt* handle = compile(*db, sql, code, message);
    if (!handle) return {};
    return {db, handle};
}

}  // namespace db::sqlite
