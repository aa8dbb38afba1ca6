#pragma once
// Where a table's or a memo file's bytes come from: a file on disk, read at offsets so several scans of one
// table can run at once without sharing a file position; or bytes already in memory (the fuzzer feeds the
// reader that way, without touching the disk).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace db::dbf {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // The name the reader's error messages give the source: the file's path.
    virtual const std::string& name() const = 0;
    virtual std::uint64_t size() const = 0;
    // Copies up to `length` bytes from `offset` into `buffer`; fewer only past the end. Raises base::Error
    // when the file cannot be read.
    virtual std::size_t read(std::uint64_t offset, void* buffer, std::size_t length) const = 0;
};

// Opens a file for reading; raises base::Error naming it when it cannot be opened.
std::unique_ptr<ByteSource> openFile(const std::filesystem::path& file);

// A view of `bytes`, which must outlive the source.
std::unique_ptr<ByteSource> memoryBytes(std::string name, std::string_view bytes);

}  // namespace db::dbf
