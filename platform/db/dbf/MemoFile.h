#pragma once
// The memo file beside a table: dBase's .dbt (dBase III memos end at a 0x1A byte, dBase IV memos carry
// their length) and FoxPro's .fpt (big-endian block size and lengths). A record holds the memo's first
// block number; block 0 is the file's header, so a pointer 0 means "no memo".

#include "platform/db/dbf/ByteSource.h"

#include <cstdint>
#include <memory>
#include <string>

namespace db::dbf {

// A value the reader cannot make sense of. The table turns it into an error naming file, record and field.
struct Unreadable {
    std::string what;
};

class MemoFile {
public:
    enum class Kind { Dbt, Fpt };

    // Reads the header; raises base::Error naming the file when it is too short to hold one.
    MemoFile(std::unique_ptr<ByteSource> source, Kind kind);

    const std::string& name() const { return source_->name(); }
    Kind kind() const { return kind_; }
    std::uint32_t blockSize() const { return blockSize_; }

    // The bytes of the memo that starts at `block` ("" for block 0). Throws Unreadable for a block past the
    // end of the file or a memo that runs past it.
    std::string read(std::uint64_t block) const;

private:
    std::string readDbt(std::uint64_t block, std::uint64_t offset) const;
    std::string readFpt(std::uint64_t block, std::uint64_t offset) const;

    std::unique_ptr<ByteSource> source_;
    Kind kind_;
    std::uint32_t blockSize_ = 512;
};

}  // namespace db::dbf
