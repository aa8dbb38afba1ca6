#include "platform/db/sqlite/StatementCache.h"

#include <sqlite3.h>

namespace db::sqlite {

StatementCache::StatementCache(std::shared_ptr<Database> db, std::size_t capacity)
    : db_(std::move(db)), capacity_(capacity)
{
}

StatementCache::~StatementCache()
{
    for (const Entry& entry : kept_) sqlite3_finalize(entry.handle);
}

Statement StatementCache::prepare(std::string_view sql, int& code, std::string& message)
{
    if (const auto found = byText_.find(sql); found != byText_.end()) {
        const Kept::iterator entry = found->second;
        byText_.erase(found);
        Statement statement(db_, entry->handle);
        statement.lend(weak_from_this(), std::move(entry->sql), std::move(entry->columns));
        kept_.erase(entry);
        return statement;
    }
    Statement statement = sqlite::prepare(db_, sql, code, message);
    if (statement) statement.lend(weak_from_this(), std::string(sql), nullptr);
    return statement;
}

void StatementCache::giveBack(std::string sql, sqlite3_stmt* handle, std::shared_ptr<const StatementColumns> columns)
{
    sqlite3_reset(handle);
    sqlite3_clear_bindings(handle);
    // Two statements of one text were out at once (a batch that repeats a statement): one is kept.
    if (byText_.count(sql)) {
        sqlite3_finalize(handle);
        return;
    }
    kept_.push_front({std::move(sql), handle, std::move(columns)});
    byText_.emplace(kept_.front().sql, kept_.begin());
    if (kept_.size() > capacity_) {
        byText_.erase(kept_.back().sql);
        sqlite3_finalize(kept_.back().handle);
        kept_.pop_back();
    }
}

}  // namespace db::sqlite
