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
    // None is out: a lent statement keeps its cache alive.
    for (const KeptStatement& kept : kept_) sqlite3_finalize(kept.handle);
}

Statement StatementCache::prepare(std::string_view sql, int& code, std::string& message)
{
    const StatementText key(sql);
    if (const auto found = byText_.find(key); found != byText_.end()) {
        const Kept::iterator entry = found->second;
        if (entry->lent) return sqlite::prepare(db_, sql, code, message);
        kept_.splice(kept_.begin(), kept_, entry);
        entry->lent = true;
        return Statement(shared_from_this(), *entry);
    }
    sqlite3_stmt* handle = compile(*db_, sql, code, message);
    if (!handle) return {};
    KeptStatement& entry = kept_.emplace_front();
    entry.sql = std::string(sql);
    entry.hash = key.hash;
    entry.handle = handle;
    entry.lent = true;
    byText_.emplace(StatementText(entry.sql, key.hash), kept_.begin());
    if (kept_.size() > capacity_) trim();
    return Statement(shared_from_this(), entry);
}

void StatementCache::giveBack(KeptStatement& kept)
{
    sqlite3_reset(kept.handle);
    sqlite3_clear_bindings(kept.handle);
    kept.lent = false;
    if (kept_.size() > capacity_) trim();
}

void StatementCache::trim()
{
    for (auto entry = kept_.end(); kept_.size() > capacity_ && entry != kept_.begin();) {
        if ((--entry)->lent) continue;
        byText_.erase(StatementText(entry->sql, entry->hash));
        sqlite3_finalize(entry->handle);
        entry = kept_.erase(entry);
    }
}

}  // namespace db::sqlite
