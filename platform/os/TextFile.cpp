#include "platform/os/TextFile.h"

#include "platform/base/Error.h"
#include "platform/os/FileErrors.h"

#include <fmt/format.h>

namespace os {
namespace {

[[noreturn]] void raise(long number, std::string_view what, const std::filesystem::path& file)
{
    throw base::Error(number, fmt::format("{}: {}", what, file.string()));
}

}  // namespace

TextReader::TextReader(const std::filesystem::path& file, base::CodePage codePage) : codePage_(codePage)
{
    std::error_code error;
    if (!std::filesystem::exists(file, error)) raise(errors::kFileNotFound, "File not found", file);
    stream_.open(file, std::ios::binary);
    if (!stream_) raise(errors::kPathFileAccessError, "Path/File access error", file);
}

std::optional<std::string> TextReader::readLine()
{
    std::streambuf* buffer = stream_.rdbuf();
    using Traits = std::streambuf::traits_type;
    Traits::int_type c = buffer->sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) return std::nullopt;
    std::string bytes;
    while (!Traits::eq_int_type(c, Traits::eof()) && c != '\r' && c != '\n') {
        bytes += Traits::to_char_type(c);
        c = buffer->sbumpc();
    }
    if (c == '\r' && buffer->sgetc() == '\n') buffer->sbumpc();
    return base::toUtf8(bytes, codePage_);
}

bool TextReader::atEnd()
{
    using Traits = std::streambuf::traits_type;
    return Traits::eq_int_type(stream_.rdbuf()->sgetc(), Traits::eof());
}

TextWriter::TextWriter(const std::filesystem::path& file, Mode mode, base::CodePage codePage)
    : codePage_(codePage), file_(file)
{
    std::error_code error;
    const std::filesystem::path folder = file.parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, error))
        raise(errors::kPathNotFound, "Path not found", file);
    stream_.open(file, std::ios::binary | (mode == Mode::Append ? std::ios::app : std::ios::trunc));
    if (!stream_) raise(errors::kPathFileAccessError, "Path/File access error", file);
}

void TextWriter::writeLine(std::string_view text)
{
    stream_ << base::fromUtf8(text, codePage_) << "\r\n";
    if (!stream_) raise(errors::kDeviceIoError, "Device I/O error", file_);
}

void TextWriter::close()
{
    if (!stream_.is_open()) return;
    stream_.close();
    if (!stream_) raise(errors::kDeviceIoError, "Device I/O error", file_);
}

}  // namespace os
