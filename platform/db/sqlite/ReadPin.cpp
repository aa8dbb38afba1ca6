#include "platform/db/sqlite/ReadPin.h"

#include <sqlite3.h>

namespace db::sqlite {

ReadPin::~ReadPin()
{
    if (holder_) sqlite3_finalize(holder_);
}

void ReadPin::keep(bool wanted)
{
    wanted_ = wanted;
    if (!wanted) release();
}

void ReadPin::release()
{
    if (!held_) return;
    sqlite3_reset(holder_);
    held_ = false;
}

bool ReadPin::header(Header& out) const
{
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db_->get(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file
        || !file->pMethods || file->pMethods->iVersion < 2 || !file->pMethods->xShmMap)
        return false;
    volatile void* region = nullptr;
    // Region 0 is mapped already while the connection reads in WAL mode; nothing is created here.
    if (file->pMethods->xShmMap(file, 0, 32768, 0, &region) != SQLITE_OK || !region) return false;
    // Read while another connection may be writing it: a torn copy only differs, and lets the read go.
    const volatile unsigned char* bytes = static_cast<const volatile unsigned char*>(region);
    for (std::size_t i = 0; i < kHeader; ++i) out[i] = bytes[i];
    return true;
}

bool ReadPin::walMode() const
{
    sqlite3_stmt* mode = nullptr;
    bool wal = false;
    if (sqlite3_prepare_v2(db_->get(), "PRAGMA journal_mode", -1, &mode, nullptr) == SQLITE_OK
        && sqlite3_step(mode) == SQLITE_ROW) {
        const unsigned char* name = sqlite3_column_text(mode, 0);
        wal = name && sqlite3_stricmp(reinterpret_cast<const char*>(name), "wal") == 0;
    }
    sqlite3_finalize(mode);
    return wal;
}

void ReadPin::beforeRead()
{
    if (held_) {
        Header now;
        if (header(now) && now == begun_) return;
        release();
    }
    // Inside a transaction the transaction holds the read; an explicit one is not to be joined.
    if (!wanted_ || !usable_ || !sqlite3_get_autocommit(db_->get())) return;
    if (!holder_) {
        usable_ = walMode()
                  && sqlite3_prepare_v2(db_->get(), "SELECT count(*) FROM sqlite_master", -1, &holder_, nullptr) == SQLITE_OK;
        if (!usable_) return;
    }
    // The header is read before the read begins: a commit in between shows as a change, never the reverse.
    Header before;
    if (!header(before)) {
        usable_ = false;
        return;
    }
    if (sqlite3_step(holder_) != SQLITE_ROW) {
        sqlite3_reset(holder_);
        return;
    }
    begun_ = before;
    held_ = true;
}

}  // namespace db::sqlite
