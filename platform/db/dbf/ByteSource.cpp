#include "platform/db/dbf/ByteSource.h"

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

namespace db::dbf {
namespace {

[[noreturn]] void failSystem(const std::string& what, const std::string& name)
{
    throw base::Error(hresult::kUnspecified, fmt::format("{} {}: {}", what, name, std::strerror(errno)), "dBase");
}

class FileSource : public ByteSource {
public:
    explicit FileSource(const std::filesystem::path& file) : name_(file.string())
    {
        fd_ = ::open(name_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) failSystem("Cannot open", name_);
        struct stat status {};
        if (::fstat(fd_, &status) != 0) {
            const int saved = errno;
            ::close(fd_);
            errno = saved;
            failSystem("Cannot read the size of", name_);
        }
        if (S_ISDIR(status.st_mode)) {
            ::close(fd_);
            throw base::Error(hresult::kUnspecified, fmt::format("{} is a folder, not a file", name_), "dBase");
        }
        size_ = static_cast<std::uint64_t>(status.st_size);
        // Tables are read from start to end; tell the kernel so it reads ahead generously.
        ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    ~FileSource() override { ::close(fd_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    const std::string& name() const override { return name_; }
    std::uint64_t size() const override { return size_; }

    std::size_t read(std::uint64_t offset, void* buffer, std::size_t length) const override
    {
        auto* out = static_cast<char*>(buffer);
        std::size_t done = 0;
        while (done < length) {
            const ssize_t got = ::pread(fd_, out + done, length - done, static_cast<off_t>(offset + done));
            if (got < 0) {
                if (errno == EINTR) continue;
                failSystem("Cannot read", name_);
            }
            if (got == 0) break;
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

private:
    std::string name_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(std::string name, std::string_view bytes) : name_(std::move(name)), bytes_(bytes) {}
    const std::string& name() const override { return name_; }
    std::uint64_t size() const override { return bytes_.size(); }
    std::size_t read(std::uint64_t offset, void* buffer, std::size_t length) const override
    {
        if (offset >= bytes_.size()) return 0;
        const std::size_t count = std::min<std::uint64_t>(length, bytes_.size() - offset);
        std::memcpy(buffer, bytes_.data() + offset, count);
        return count;
    }

private:
    std::string name_;
    std::string_view bytes_;
};

}  // namespace

std::unique_ptr<ByteSource> openFile(const std::filesystem::path& file) { return std::make_unique<FileSource>(file); }

std::unique_ptr<ByteSource> memoryBytes(std::string name, std::string_view bytes)
{
    return std::make_unique<MemorySource>(std::move(name), bytes);
}

}  // namespace db::dbf
