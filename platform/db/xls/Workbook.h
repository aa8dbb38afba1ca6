#pragma once
// An Excel 97-2003 workbook (.xls, BIFF) read with FreeXL, sheet by sheet, the way the legacy data-access
// driver showed a sheet as a table: the first row gives the column names (or F1, F2 ... without it); a
// column whose cells are all numbers is a number column, all dates a date column; any other column, mixed
// or empty, is text, with its numbers and dates in their text forms. An empty cell is Null.

#include "platform/base/Value.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace db::xls {

struct Sheet {
    enum class Kind { Number, Date, Text };
    std::string name;
    std::vector<std::string> columns;
    std::vector<Kind> kinds;
    std::vector<std::vector<base::Value>> rows;  // each value already of its column's kind, or Null
};

class Workbook {
public:
    // Raises base::Error naming the file when it is missing or not a workbook FreeXL can read.
    static std::unique_ptr<Workbook> open(const std::filesystem::path& file);
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    const std::string& file() const { return file_; }
    const std::vector<std::string>& sheetNames() const { return sheets_; }
    // Raises base::Error naming file and sheet when its cells cannot be read.
    Sheet sheet(std::size_t index, bool firstRowNamesColumns) const;

private:
    Workbook(const void* handle, std::string file);
    const void* handle_;
    std::string file_;
    std::vector<std::string> sheets_;
};

}  // namespace db::xls
