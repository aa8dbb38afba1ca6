#pragma once
// Text files of the legacy kind: bytes in a single-byte code page (Windows 1252 unless told otherwise),
// turned into UTF-8 as they are read and back as they are written. A line read ends at CR LF, LF or CR
// alone, so files from any system read alike; a line written ends with CR LF, as the legacy files did.

#include "platform/base/CodePages.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace os {

class TextReader {
public:
    // Raises file not found (53) for a missing file, path/file access error (75) for one that cannot be read.
    explicit TextReader(const std::filesystem::path& file, base::CodePage codePage = base::CodePage::Cp1252);

    // The next line without its end, or nothing at the end of the file. A last line without an end is a
    // line; a file that ends with a line end has no empty line after it.
    std::optional<std::string> readLine();
    bool atEnd();

private:
    std::ifstream stream_;
    base::CodePage codePage_;
};

class TextWriter {
public:
    enum class Mode { Create, Append };  // Create empties an existing file; Append adds to it

    // Raises path not found (76) when the folder does not exist, path/file access error (75) otherwise.
    TextWriter(const std::filesystem::path& file, Mode mode, base::CodePage codePage = base::CodePage::Cp1252);

    // Characters the code page cannot hold are written as "?". Raises device I/O error (57) on a failed write.
    void writeLine(std::string_view text);
    // Writes what is pending; raises like writeLine. The destructor closes too, silently.
    void close();

private:
    std::ofstream stream_;
    base::CodePage codePage_;
    std::filesystem::path file_;
};

}  // namespace os
