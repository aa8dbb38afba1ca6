#pragma once
// Prepared statements kept by their text. The program sends the same statements again and again with other
// values (one or two per imported record); compiling each one anew, with the checks the tables' triggers
// add to it, costs more than the work the statement does. Literals travel as parameters (see TsqlBatch.h),
// so such statements read alike and are compiled once.
//
// A kept statement is lent where it stays: it is the borrower's alone until the borrower lets go of it, and
// is then reset, with its values cleared, for the next statement of the same text. A text asked for while
// its statement is out (a statement of a batch run again inside it, two recordsets open on one query) gets
// a statement of its own, finalized when done. The least recently used go when more than `capacity` are
// kept; one out is not taken from its borrower, but goes once handed back. A change of a table's
// definition does not make a kept statement wrong: SQLite compiles it again when it next runs. What a
// cursor learnt of a statement's columns is kept with it.

#include "platform/db/sqlite/SqliteHandle.h"

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace db::sqlite {

// A statement's text as a key, with its hash. Texts run to hundreds of bytes and a statement is looked up
// several times each time it runs: the hash is made of the text's length and words spread over all of it,
// once per key, and two texts of one hash are told apart by a full comparison.
struct StatementText {
    explicit StatementText(std::string_view sql);
    StatementText(std::string_view sql, std::size_t hashed) : text(sql), hash(hashed) {}
    bool operator==(const StatementText& other) const { return hash == other.hash && text == other.text; }
    struct Hash {
        std::size_t operator()(const StatementText& key) const noexcept { return key.hash; }
    };

    std::string_view text;
    std::size_t hash;
};

struct KeptStatement {
    std::string sql;
    std::size_t hash = 0;
    sqlite3_stmt* handle = nullptr;
    std::shared_ptr<StatementColumns> columns;
    bool lent = false;
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
    void giveBack(KeptStatement& kept);
    // Lets the least recently used go, down to the capacity when no more than that are out.
    void trim();

    using Kept = std::list<KeptStatement>;  // most recently used first; a lent entry stays where it is

    std::shared_ptr<Database> db_;
    std::size_t capacity_;
    Kept kept_;
    std::unordered_map<StatementText, Kept::iterator, StatementText::Hash> byText_;  // views into kept_'s texts
};

}  // namespace db::sqlite
