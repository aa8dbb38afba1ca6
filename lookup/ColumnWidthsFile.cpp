#include "lookup/ColumnWidthsFile.h"

#include "platform/base/Error.h"
#include "platform/base/Utf8.h"
#include "platform/os/FileErrors.h"
#include "platform/os/ProgramFolder.h"
#include "platform/os/TextFile.h"

#include <fmt/format.h>

#include <algorithm>
#include <system_error>

namespace lookup {

namespace {

constexpr const char* kFileName = "CONSULTASLEN.QVX";
constexpr const char* kTemporaryName = "CONSULTASLEN.AUX";

// One field as the legacy runtime read it from a comma-separated line: a quoted text runs to its closing
// quote, anything else to the next comma; blanks around a field do not count.
std::optional<std::string> nextField(std::string_view text, std::size_t& at) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    if (at >= text.size()) return std::nullopt;
    std::string field;
    if (text[at] == '"') {
        const std::size_t close = text.find('"', at + 1);
        if (close == std::string_view::npos) return std::nullopt;
        field = std::string(text.substr(at + 1, close - at - 1));
        at = close + 1;
        while (at < text.size() && text[at] != ',') ++at;
    } else {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        field = std::string(text.substr(at, comma - at));
        while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.pop_back();
        at = comma;
    }
    if (at < text.size()) ++at;  // the comma
    return field;
}

[[noreturn]] void raise(const std::filesystem::path& file, const std::error_code& error) {
    throw base::Error(os::errors::kPathFileAccessError,
                      fmt::format("Path/File access error: {} ({})", file.string(), error.message()));
}

}  // namespace

ColumnWidthsFile::ColumnWidthsFile(std::filesystem::path folder) : folder_(std::move(folder)) {}

ColumnWidthsFile ColumnWidthsFile::inProgramFolder() {
    return ColumnWidthsFile(os::programFolder());
}

std::filesystem::path ColumnWidthsFile::path() const {
    return folder_ / kFileName;
}

std::filesystem::path ColumnWidthsFile::temporaryPath() const {
    return folder_ / kTemporaryName;
}

bool ColumnWidthsFile::exists() const {
    std::error_code error;
    return std::filesystem::is_regular_file(path(), error);
}

std::vector<std::string> ColumnWidthsFile::widthListsOf(std::string_view table) const {
    std::vector<std::string> lists;
    os::TextReader reader(path());
    while (auto text = reader.readLine()) {
        const auto line = parseLine(*text);
        if (line && base::equalsIgnoringCase(line->table, table)) lists.push_back(line->widths);
    }
    return lists;
}

void ColumnWidthsFile::save(std::string_view table, std::string_view widths) const {
    const std::filesystem::path temporary = temporaryPath();
    {
        os::TextWriter writer(temporary, os::TextWriter::Mode::Create);
        if (exists()) {
            os::TextReader reader(path());
            while (auto text = reader.readLine()) {
                const auto line = parseLine(*text);
                if (!line) {
                    // A line this program cannot read is somebody else's: it stays as it was.
                    if (!text->empty()) writer.writeLine(*text);
                } else if (!base::equalsIgnoringCase(line->table, table)) {
                    writer.writeLine(formatLine(*line));
                }
            }
        }
        writer.writeLine(formatLine({std::string(table), std::string(widths)}));
        writer.close();
    }
    // Renaming over the old file replaces it in one step: the widths of the other tables are never
    // missing, whatever fails.
    std::error_code error;
    std::filesystem::rename(temporary, path(), error);
    if (error) raise(path(), error);
}

std::optional<ColumnWidthsFile::Line> ColumnWidthsFile::parseLine(std::string_view text) {
    std::size_t at = 0;
    auto table = nextField(text, at);
    if (!table) return std::nullopt;
    auto widths = nextField(text, at);
    if (!widths) return std::nullopt;
    return Line{std::move(*table), std::move(*widths)};
}

std::string ColumnWidthsFile::formatLine(const Line& line) {
    return fmt::format("\"{}\",\"{}\"", line.table, line.widths);
}

std::string ColumnWidthsFile::widthList(const std::vector<long>& widths) {
    std::string list;
    for (long width : widths) list += fmt::format("{}|", width);
    return list;
}

}  // namespace lookup
