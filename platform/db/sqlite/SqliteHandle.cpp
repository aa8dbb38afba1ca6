#include "platform/db/sqlite/SqliteHandle.h"

#include "platform/db/sqlite/StatementCache.h"

#include <sqlite3.h>

namespace db::sqlite {

Database::~Database() { sqlite3_close_v2(handle_); }

std::string Database::lastError() const { return sqlite3_errmsg(handle_); }
int Database::lastErrorCode() const { return sqlite3_extended_errcode(handle_); }

Statement::~Statement() { release(); }

void Statement::release()
{
    if (!handle_) return;
    if (const std::shared_ptr<StatementCache> cache = cache_.lock()) cache->giveBack(std::move(text_), handle_, std::move(columns_));
    else sqlite3_finalize(handle_);
    handle_ = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        release();
        db_ = std::move(other.db_);
        handle_ = other.handle_;
        cache_ = std::move(other.cache_);
        text_ = std::move(other.text_);
        columns_ = std::move(other.columns_);
        other.handle_ = nullptr;
    }
    return *this;
}

Statement prepare(const std::shared_ptr<Database>& db, std::string_view sql, int& code, std::string& message)
{
    sqlite3_stmt* handle = nullptr;
    const char* tail = nullptr;
    code = sqlite3_prepare_v2(db->get(), sql.data(), static_cast<int>(sql.size()), &handle, &tail);
    if (code != SQLITE_OK) {
        code = db->lastErrorCode();
        message = db->lastError();
        sqlite3_finalize(handle);
        return {};
    }
    // One statement per text: what follows the first must be blank.
    if (tail && std::string_view(tail, static_cast<std::size_t>(sql.data() + sql.size() - tail)).find_first_not_of(" \t\r\n;") !=
                    std::string_view::npos) {
        sqlite3_finalize(handle);
        code = SQLITE_ERROR;
        message = "syntax error: more than one statement where one was expected";
        return {};
    }
    if (!handle) {
        code = SQLITE_ERROR;
        message = "syntax error: an empty statement";
        return {};
    }
    return {db, handle};
}

}  // namespace db::sqlite
