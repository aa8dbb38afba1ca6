#include "platform/db/sqlite/StatementCache.h"

#include <sqlite3.h>

namespace db::sqlite {

StatementCache::StatementCache(std::shared_ptr<Database> db, std::size_t capacity)
    : db_(std::move(db)), capacity_(capacity)
{
}

StatementCache::~StatementCache()
{
    for (auto& [sql, handle] : kept_) sqlite3_finalize(handle);
}

Statement StatementCache::prepare(std::string_view sql, int& code, std::string& message)
{
    if (const auto found = byText_.find(sql); found != byText_.end()) {
        const Kept::iterator entry = found->second;
        byText_.erase(found);
        Statement statement(db_, entry->second);
        statement.lend(weak_from_this(), std::move(entry->first));
        kept_.erase(entry);
        return statement;
    }
    Statement statement = sqlite::prepare(db_, sql, code, message);
    if (statement) statement.lend(weak_from_this(), std::string(sql));
    return statement;
}

void StatementCache::giveBack(std::string sql, sqlite3_stmt* handle)
{
    sqlite3_reset(handle);
    sqlite3_clear_bindings(handle);
    // Two statements of one text were out at once (a batch that repeats a statement): one is kept.
    if (byText_.count(sql)) {
        sqlite3_finalize(handle);
        return;
    }
    kept_.emplace_front(std::move(sql), handle);
    byText_.emplace(kept_.front().first, kept_.begin());
    if (kept_.size() > capacity_) {
        byText_.erase(kept_.back().first);
        sqlite3_finalize(kept_.back().second);
        kept_.pop_back();
    }
}

}  // namespace db::sqlite
