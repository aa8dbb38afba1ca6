#include "platform/db/xls/Workbook.h"

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"

#include <algorithm>
#include <cctype>
#include <fmt/format.h>
#include <freexl.h>
#include <optional>

namespace db::xls {
namespace {

constexpr std::string_view kSource = "Microsoft JET Database Engine";

[[noreturn]] void fail(std::string what) { throw base::Error(hresult::kUnspecified, std::move(what), std::string(kSource)); }

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// One cell as FreeXL gives it: a number, a date (FreeXL recognises date formats), a text, or nothing.
struct Cell {
    Sheet::Kind kind = Sheet::Kind::Text;
    base::Value value = base::Value::null();
};

std::optional<Cell> readCell(const FreeXL_CellValue& cell)
{
    switch (cell.type) {
    case FREEXL_CELL_NULL: return Cell{Sheet::Kind::Text, base::Value::null()};
    case FREEXL_CELL_INT: return Cell{Sheet::Kind::Number, static_cast<double>(cell.value.int_value)};
    case FREEXL_CELL_DOUBLE: return Cell{Sheet::Kind::Number, cell.value.double_value};
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: return Cell{Sheet::Kind::Text, std::string(cell.value.text_value ? cell.value.text_value : "")};
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        std::string text = cell.value.text_value ? cell.value.text_value : "";
        if (cell.type == FREEXL_CELL_TIME) text = "1899-12-30 " + text;  // a time lies on day zero
        if (auto date = base::DateTime::parseIso(text)) return Cell{Sheet::Kind::Date, *date};
        return std::nullopt;
    }
    default: return std::nullopt;
    }
}

// A number or date in a text column reads as the text the program would show for it.
base::Value asText(const base::Value& value)
{
    if (value.isNull() || value.kind() == base::Value::Kind::Text) return value;
    return value.toText();
}

}  // namespace

std::unique_ptr<Workbook> Workbook::open(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) fail(fmt::format("The workbook {} does not exist", file.string()));
    const void* handle = nullptr;
    const int code = freexl_open(file.c_str(), &handle);
    if (code != FREEXL_OK) {
        if (handle) freexl_close(handle);
        fail(fmt::format("The workbook {} cannot be read: it is not an Excel 97-2003 workbook, or it is damaged "
                         "(FreeXL error {})",
                         file.string(), code));
    }
    std::unique_ptr<Workbook> workbook(new Workbook(handle, file.string()));
    unsigned int count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        fail(fmt::format("The workbook {} does not say how many sheets it has", workbook->file_));
    for (unsigned int i = 0; i < count; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(i), &name) != FREEXL_OK || !name)
            fail(fmt::format("The workbook {} has a sheet without a name (sheet {})", workbook->file_, i + 1));
        workbook->sheets_.emplace_back(name);
    }
    return workbook;
}

Workbook::Workbook(const void* handle, std::string file) : handle_(handle), file_(std::move(file)) {}

Workbook::~Workbook() { freexl_close(handle_); }

Sheet Workbook::sheet(std::size_t index, bool firstRowNamesColumns) const
{
    Sheet sheet;
    sheet.name = sheets_.at(index);
    const auto broken = [&](std::string what) { fail(fmt::format("Workbook {}, sheet {}: {}", file_, sheet.name, what)); };
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle_, static_cast<unsigned short>(index)) != FREEXL_OK ||
        freexl_worksheet_dimensions(handle_, &rows, &columns) != FREEXL_OK)
        broken("its size cannot be read");

    std::vector<std::vector<Cell>> cells;
    for (unsigned int r = 0; r < rows; ++r) {
        std::vector<Cell> row(columns);
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value{};
            if (freexl_get_cell_value(handle_, r, c, &value) != FREEXL_OK) broken(fmt::format("cell ({}, {}) cannot be read", r + 1, c + 1));
            auto cell = readCell(value);
            if (!cell) broken(fmt::format("cell ({}, {}) holds a value of an unknown kind", r + 1, c + 1));
            row[c] = std::move(*cell);
        }
        cells.push_back(std::move(row));
    }
    // Rows at the end with nothing in them are formatting, not data.
    while (!cells.empty() && std::all_of(cells.back().begin(), cells.back().end(),
                                         [](const Cell& cell) { return cell.value.isNull(); }))
        cells.pop_back();

    std::size_t firstData = 0;
    for (unsigned short c = 0; c < columns; ++c) {
        std::string name;
        if (firstRowNamesColumns && !cells.empty()) name = asText(cells[0][c].value).isNull() ? "" : asText(cells[0][c].value).asText();
        const bool taken = std::any_of(sheet.columns.begin(), sheet.columns.end(),
                                       [&](const std::string& earlier) { return sameIgnoringCase(earlier, name); });
        // A column without a name, or with one already taken, gets the driver's name for it: F and its number.
        if (name.empty() || taken) name = fmt::format("F{}", c + 1);
        sheet.columns.push_back(std::move(name));
    }
    if (firstRowNamesColumns && !cells.empty()) firstData = 1;

    for (unsigned short c = 0; c < columns; ++c) {
        std::optional<Sheet::Kind> kind;
        for (std::size_t r = firstData; r < cells.size(); ++r) {
            const Cell& cell = cells[r][c];
            if (cell.value.isNull()) continue;
            if (!kind) kind = cell.kind;
            else if (*kind != cell.kind) kind = Sheet::Kind::Text;
        }
        sheet.kinds.push_back(kind.value_or(Sheet::Kind::Text));
    }
    for (std::size_t r = firstData; r < cells.size(); ++r) {
        std::vector<base::Value> row;
        for (unsigned short c = 0; c < columns; ++c)
            row.push_back(sheet.kinds[c] == Sheet::Kind::Text ? asText(cells[r][c].value) : cells[r][c].value);
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

}  // namespace db::xls
