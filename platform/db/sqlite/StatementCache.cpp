#include "platform/db/sqlite/StatementCache.h"

#include <cstdint>
#include <cstring>
#include <sqlite3.h>

namespace db::sqlite {

StatementText::StatementText(std::string_view sql) : text(sql)
{
    constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15ULL;
    std::uint64_t mixed = sql.size() * kMix;
    if (sql.size() < sizeof(std::uint64_t)) {
        for (const char c : sql) mixed = (mixed ^ static_cast<unsigned char>(c)) * kMix;
    } else {
        constexpr std::size_t kWords = 8;
        const std::size_t step = (sql.size() - sizeof(std::uint64_t)) / (kWords - 1);
        for (std::size_t i = 0; i < kWords; ++i) {
            std::uint64_t word;
            std::memcpy(&word, sql.data() + i * step, sizeof word);
            mixed = (mixed ^ word) * kMix;
        }
    }
    hash = static_cast<std::size_t>(mixed ^ (mixed >> 32));
}

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
    if (const auto found = byText_.find(StatementText(sql)); found != byText_.end()) {
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
    StatementText key(sql);
    if (byText_.count(key)) {
        sqlite3_finalize(handle);
        return;
    }
    kept_.push_front({std::move(sql), handle, std::move(columns)});
    key.text = kept_.front().sql;  // the kept copy's, of the same hash
    byText_.emplace(key, kept_.begin());
    if (kept_.size() > capacity_) {
        byText_.erase(StatementText(kept_.back().sql));
        sqlite3_finalize(kept_.back().handle);
        kept_.pop_back();
    }
}

}  // namespace db::sqlite
