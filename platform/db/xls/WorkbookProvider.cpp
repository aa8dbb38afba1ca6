#include "platform/db/xls/WorkbookProvider.h"

#include "platform/base/Error.h"
#include "platform/db/SchemaLists.h"
#include "platform/db/sqlite/SqliteTypes.h"

#include <algorithm>
#include <cctype>
#include <fmt/format.h>
#include <sqlite3.h>

namespace db::xls {
namespace {

constexpr std::string_view kErrorSource = "Microsoft JET Database Engine";
constexpr std::size_t kShortText = 255;

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The declared type of a sheet column: what the driver reported, double for numbers, a date, and text of
// up to 255 characters or a longer one.
std::string declaredType(const Sheet& sheet, std::size_t column)
{
    switch (sheet.kinds[column]) {
    case Sheet::Kind::Number: return "float";
    case Sheet::Kind::Date: return "datetime";
    case Sheet::Kind::Text: break;
    }
    const bool longText = std::any_of(sheet.rows.begin(), sheet.rows.end(), [&](const std::vector<base::Value>& row) {
        return !row[column].isNull() && row[column].asText().size() > kShortText;
    });
    return longText ? "ntext" : "nvarchar(255)";
}

}  // namespace

std::unique_ptr<WorkbookProvider> WorkbookProvider::open(const std::filesystem::path& file, std::string_view shownName,
                                                         Options options)
{
    const std::string shown = shownName.empty() || shownName == file.string()
                                  ? file.string()
                                  : fmt::format("{} ({})", shownName, file.string());
    std::unique_ptr<Workbook> workbook;
    try {
        workbook = Workbook::open(file);
    } catch (const base::Error& e) {
        throw base::Error(e.number(), shown == file.string() ? e.description() : e.description() + " (" + std::string(shownName) + ")",
                          e.source());
    }
    return std::unique_ptr<WorkbookProvider>(
        new WorkbookProvider(std::move(workbook), fmt::format("the workbook {}", shown), options));
}

WorkbookProvider::WorkbookProvider(std::unique_ptr<Workbook> workbook, std::string description, Options options)
    : LegacySqlProvider(std::move(description), std::string(kErrorSource)), workbook_(std::move(workbook)),
      options_(options)
{
}

std::optional<std::size_t> WorkbookProvider::sheetOf(std::string_view table) const
{
    // "[MIG$]" is the sheet MIG; a name without "$" would be a named range, which the workbook does not use.
    if (table.size() < 2 || table.back() != '$') return std::nullopt;
    const std::string wanted = lower(table.substr(0, table.size() - 1));
    const auto& names = workbook_->sheetNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (lower(names[i]) == wanted) return i;
    return std::nullopt;
}

dbf::LegacySqlProvider::Found WorkbookProvider::attach(const std::string& name, ErrorList& errors)
{
    const auto index = sheetOf(name);
    if (!index) return Found::Missing;
    try {
        const Sheet sheet = workbook_->sheet(*index, options_.firstRowNamesColumns);
        std::string columns, marks;
        for (std::size_t c = 0; c < sheet.columns.size(); ++c) {
            columns += (c ? ", " : "") + quoted(sheet.columns[c]) + " " + declaredType(sheet, c);
            marks += c ? ", ?" : "?";
        }
        if (sheet.columns.empty()) columns = quoted("F1") + " nvarchar(255)";
        runOwn(fmt::format("CREATE TABLE {} ({})", quoted(name), columns));
        if (!sheet.columns.empty()) {
            OwnStatements own(*this);
            runOwn("BEGIN");
            sqlite::Statement insert = prepareOwn(fmt::format("INSERT INTO {} VALUES ({})", quoted(name), marks));
            for (const auto& row : sheet.rows) {
                for (std::size_t c = 0; c < row.size(); ++c)
                    sqlite::bindValue(insert.get(), static_cast<int>(c + 1), row[c]);
                if (sqlite3_step(insert.get()) != SQLITE_DONE) {
                    const std::string why = database()->lastError();
                    sqlite3_reset(insert.get());
                    runOwn("ROLLBACK");
                    throw base::Error(hresult::kUnspecified,
                                      fmt::format("Cannot load sheet {} of {}: {}", sheet.name, description(), why),
                                      std::string(kErrorSource));
                }
                sqlite3_reset(insert.get());
            }
            runOwn("COMMIT");
        }
        loaded_[lower(name)] = static_cast<long>(sheet.rows.size());
        return Found::Attached;
    } catch (const base::Error& e) {
        errors.add(error(e.number(), 0, "HY000", e.description()));
        return Found::Failed;
    }
}

long WorkbookProvider::wholeTableCount(const std::string& name)
{
    const auto found = loaded_.find(lower(name));
    return found == loaded_.end() ? -1 : found->second;
}

std::unique_ptr<RowCursor> WorkbookProvider::tables(ErrorList&)
{
    std::vector<Row> rows;
    for (const std::string& sheet : workbook_->sheetNames())
        rows.push_back({workbook_->file(), base::Value::null(), sheet + "$", "TABLE"});
    return tableList(std::move(rows));
}

std::unique_ptr<RowCursor> WorkbookProvider::columns(std::string_view table, ErrorList& errors)
{
    std::vector<std::size_t> chosen;
    if (table.empty()) {
        for (std::size_t i = 0; i < workbook_->sheetNames().size(); ++i) chosen.push_back(i);
    } else if (auto index = sheetOf(table)) {
        chosen.push_back(*index);
    }
    std::vector<Row> rows;
    for (std::size_t index : chosen) {
        try {
            const Sheet sheet = workbook_->sheet(index, options_.firstRowNamesColumns);
            for (std::size_t c = 0; c < sheet.columns.size(); ++c) {
                const ColumnInfo column = sqlite::describeDeclaredType(sheet.columns[c], declaredType(sheet, c));
                const bool text = column.type == AdoType::VarWChar || column.type == AdoType::LongVarWChar;
                rows.push_back({workbook_->file(), base::Value::null(), sheet.name + "$", sheet.columns[c],
                                static_cast<long>(c + 1), static_cast<int>(column.type),
                                text ? base::Value(column.definedSize) : base::Value::null()});
            }
        } catch (const base::Error& e) {
            errors.add(error(e.number(), 0, "HY000", e.description()));
            return nullptr;
        }
    }
    return columnList(std::move(rows));
}

}  // namespace db::xls
