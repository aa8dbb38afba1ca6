#include "platform/db/dbf/MemoFile.h"

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"

#include <algorithm>
#include <array>
#include <fmt/format.h>

namespace db::dbf {
namespace {

constexpr std::uint64_t kFptHeaderSize = 512;
constexpr char kDbtEnd = '\x1A';

std::uint32_t bigEndian32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

std::uint32_t littleEndian32(const unsigned char* p)
{
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}

}  // namespace

MemoFile::MemoFile(std::unique_ptr<ByteSource> source, Kind kind) : source_(std::move(source)), kind_(kind)
{
    std::array<unsigned char, 32> header{};
    const std::size_t got = source_->read(0, header.data(), header.size());
    if (kind_ == Kind::Fpt) {
        if (got < 8)
            throw base::Error(hresult::kUnspecified,
                              fmt::format("Memo file {} is truncated: {} bytes, too short for its header", name(), got),
                              "dBase");
        blockSize_ = (std::uint32_t{header[6]} << 8) | header[7];
        // FoxPro stores 0 when memos are allocated byte by byte.
        if (blockSize_ == 0) blockSize_ = 1;
    } else {
        if (got < 4)
            throw base::Error(hresult::kUnspecified,
                              fmt::format("Memo file {} is truncated: {} bytes, too short for its header", name(), got),
                              "dBase");
        // dBase IV writes its block size at byte 20; dBase III leaves it zero and always uses 512.
        const std::uint32_t declared = got >= 22 ? (std::uint32_t{header[21]} << 8) | header[20] : 0;
        blockSize_ = declared >= 32 ? declared : 512;
    }
}

std::string MemoFile::read(std::uint64_t block) const
{
    if (block == 0) return {};
    const std::uint64_t offset = block * blockSize_;
    if (offset >= source_->size())
        throw Unreadable{fmt::format("memo block {} lies past the end of memo file {} ({} bytes)", block, name(),
                                     source_->size())};
    return kind_ == Kind::Fpt ? readFpt(block, offset) : readDbt(block, offset);
}

std::string MemoFile::readFpt(std::uint64_t block, std::uint64_t offset) const
{
    if (offset < kFptHeaderSize)
        throw Unreadable{fmt::format("memo block {} points into the header of memo file {}", block, name())};
    unsigned char head[8];
    if (source_->read(offset, head, sizeof head) < sizeof head)
        throw Unreadable{fmt::format("memo block {} is cut short at the end of memo file {}", block, name())};
    const std::uint64_t length = bigEndian32(head + 4);
    if (offset + 8 + length > source_->size())
        throw Unreadable{fmt::format("the memo in block {} ({} bytes) runs past the end of memo file {}", block, length,
                                     name())};
    std::string bytes(static_cast<std::size_t>(length), '\0');
    source_->read(offset + 8, bytes.data(), bytes.size());
    return bytes;
}

std::string MemoFile::readDbt(std::uint64_t block, std::uint64_t offset) const
{
    unsigned char head[8];
    const std::size_t got = source_->read(offset, head, sizeof head);
    // A dBase IV memo starts with FF FF 08 00 and its length, which counts those eight bytes.
    if (got == sizeof head && head[0] == 0xFF && head[1] == 0xFF && head[2] == 0x08 && head[3] == 0x00) {
        const std::uint64_t length = littleEndian32(head + 4);
        if (length < 8 || offset + length > source_->size())
            throw Unreadable{fmt::format("the memo in block {} ({} bytes) runs past the end of memo file {}", block,
                                         length, name())};
        std::string bytes(static_cast<std::size_t>(length - 8), '\0');
        source_->read(offset + 8, bytes.data(), bytes.size());
        return bytes;
    }
    // dBase III: the memo runs to its end marker.
    std::string bytes;
    char chunk[512];
    for (std::uint64_t at = offset; at < source_->size(); at += sizeof chunk) {
        const std::size_t count = source_->read(at, chunk, sizeof chunk);
        const char* end = std::find(chunk, chunk + count, kDbtEnd);
        bytes.append(chunk, static_cast<std::size_t>(end - chunk));
        if (end != chunk + count) return bytes;
    }
    throw Unreadable{fmt::format("the memo in block {} has no end marker before the end of memo file {}", block,
                                 name())};
}

}  // namespace db::dbf
