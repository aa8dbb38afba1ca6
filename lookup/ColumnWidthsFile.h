#pragma once
// "CONSULTASLEN.QVX" in the program folder: the column widths the list pick-list keeps per table. One
// line per table, two quoted fields separated by a comma: the table name and its width list, each
// column's width in twips followed by "|":
//     "VT_MA_ARTICULOS","4500|1200|"
// Table names compare without regard to case.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lookup {

class ColumnWidthsFile {
public:
    struct Line {
        std::string table;
        std::string widths;
    };

    // The file in `folder`.
    explicit ColumnWidthsFile(std::filesystem::path folder);
    // The file in the program folder.
    static ColumnWidthsFile inProgramFolder();

    std::filesystem::path path() const;          // CONSULTASLEN.QVX
    std::filesystem::path temporaryPath() const;  // CONSULTASLEN.AUX
    bool exists() const;

    // The width lists of the table's lines, in file order. Raises base::Error when the file cannot be read.
    std::vector<std::string> widthListsOf(std::string_view table) const;

    // The table's line becomes `widths`: the other tables' lines are kept in their order and the table's
    // line is written last. The new file is written beside the old one and then takes its place, so a
    // failure leaves the old file whole. Raises base::Error on a failure.
    void save(std::string_view table, std::string_view widths) const;

    // One line of the file: its two fields, or nothing for a line that does not hold two.
    static std::optional<Line> parseLine(std::string_view text);
    static std::string formatLine(const Line& line);

    // The widths as the file lists them: each followed by "|".
    static std::string widthList(const std::vector<long>& widths);

private:
    std::filesystem::path folder_;
};

}  // namespace lookup
