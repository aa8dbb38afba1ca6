#pragma once
// One read of the database file kept open across statements (internal to the SQLite provider).
//
// Each statement run outside a transaction begins and ends a read of the file of its own: locks taken and
// given back, the file's size asked. A voucher's load makes a few small lookups per row it walks, and those
// reads cost more than the lookups. While the program walks rows it has read, the lookups share one read:
// a statement kept stepping holds it open.
//
// What the lookups see stays what a read begun at each of them would see. The shared read is let go before
// anything writes on the connection, and before a read once another connection has committed since it
// began (the WAL index's header, which every commit changes, tells): the next read begins anew. Without a
// WAL index (another journal mode) nothing is kept.

#include "platform/db/sqlite/SqliteHandle.h"

#include <array>
#include <memory>

struct sqlite3_stmt;

namespace db::sqlite {

class ReadPin {
public:
    explicit ReadPin(std::shared_ptr<Database> db) : db_(std::move(db)) {}
    ~ReadPin();
    ReadPin(const ReadPin&) = delete;
    ReadPin& operator=(const ReadPin&) = delete;

    // Whether reads are to be shared from now on; false lets go of the one held.
    void keep(bool wanted);
    // Before a statement that only reads: the shared read, begun when wanted and none is held, begun anew
    // when the database changed since it began.
    void beforeRead();
    // Before a statement that may write, or a transaction: no read is held.
    void release();

private:
    static constexpr std::size_t kHeader = 48;  // the WAL index header's first copy
    using Header = std::array<unsigned char, kHeader>;

    // The WAL index header as it is now; false when there is no WAL index.
    bool header(Header& out) const;
    bool walMode() const;

    std::shared_ptr<Database> db_;
    sqlite3_stmt* holder_ = nullptr;
    bool wanted_ = false;
    bool held_ = false;
    bool usable_ = true;  // false once the connection showed it keeps no WAL index
    Header begun_{};
};

}  // namespace db::sqlite
