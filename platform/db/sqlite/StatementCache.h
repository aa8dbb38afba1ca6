#pragma once
// Prepared statements kept by their text. The program sends the same statements again and again with other
// values (one or two per imported record); compiling each one anew, with the checks the tables' triggers
// add to it, costs more than the work the statement does. Literals travel as parameters (see TsqlBatch.h),
// so such statements read alike and are compiled once.
//
// A statement taken from the cache is the caller's alone until it goes out of scope; it then comes back,
// reset and with its values cleared, for the next statement of the same text. The least recently used go
// when more than `capacity` are kept. A change of a table's definition does not make a kept statement wrong:
// SQLite compiles it again when it next runs. What a cursor learnt of a statement's columns is kept with it.

#include "platform/db/sqlite/SqliteHandle.h"

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace db::sqlite {

// Statements' texts run to hundreds of bytes, and the program's are alike for long stretches: a text is
// hashed by its length and bytes spread over all of it, and told apart from another of the same hash by a
// full comparison.
struct StatementTextHash {
    std::size_t operator()(std::string_view text) const noexcept
    {
        constexpr std::size_t kSpread = 24;
        std::size_t hash = text.size();
        if (text.empty()) return hash;
        const std::size_t last = text.size() - 1;
        for (std::size_t i = 0; i <= kSpread; ++i)
            hash = hash * 1099511628211u ^ static_cast<unsigned char>(text[last * i / kSpread]);
        return hash;
    }
};

class StatementCache : public std::enable_shared_from_this<StatementCache> {
public:
    StatementCache(std::shared_ptr<Database> db, std::size_t capacity);
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // A statement for `sql`: a kept one, or one prepared now. On failure an empty statement, with `code` and
    // `message` set as prepare() sets them.
    Statement prepare(std::string_view sql, int& code, std::string& message);

private:
    friend class Statement;
    void giveBack(std::string sql, sqlite3_stmt* handle, std::shared_ptr<const StatementColumns> columns);

    struct Entry {
        std::string sql;
        sqlite3_stmt* handle;
        std::shared_ptr<const StatementColumns> columns;
    };
    using Kept = std::list<Entry>;  // most recently used first

    std::shared_ptr<Database> db_;
    std::size_t capacity_;
    Kept kept_;
    std::unordered_map<std::string_view, Kept::iterator, StatementTextHash> byText_;  // views into kept_'s texts
};

}  // namespace db::sqlite
