#include "platform/db/dbf/DbfFolderProvider.h"

#include "platform/base/Error.h"
#include "platform/db/SchemaLists.h"
#include "platform/db/dbf/DbfVirtualTable.h"
#include "platform/os/PathMapping.h"

#include <algorithm>
#include <cctype>
#include <fmt/format.h>

namespace db::dbf {
namespace {

constexpr std::string_view kErrorSource = "Microsoft Visual FoxPro Driver";

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isDbf(const std::filesystem::path& file) { return lower(file.extension().string()) == ".dbf"; }

}  // namespace

std::unique_ptr<DbfFolderProvider> DbfFolderProvider::open(const std::filesystem::path& folder,
                                                           std::string_view shownName, Options options)
{
    const std::string shown = shownName.empty() || shownName == folder.string()
                                  ? folder.string()
                                  : fmt::format("{} ({})", shownName, folder.string());
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        throw base::Error(hresult::kUnspecified, fmt::format("The dBase folder {} does not exist", shown),
                          std::string(kErrorSource));
    return std::unique_ptr<DbfFolderProvider>(
        new DbfFolderProvider(folder, fmt::format("the dBase folder {}", shown), options));
}

DbfFolderProvider::DbfFolderProvider(std::filesystem::path folder, std::string description, Options options)
    : LegacySqlProvider(std::move(description), std::string(kErrorSource)), folder_(std::move(folder)),
      options_(options), module_(&DbfModule::install(database()->get()))
{
}

std::optional<std::filesystem::path> DbfFolderProvider::fileOf(std::string_view name) const
{
    // A table name is a file name in this folder, never a path out of it.
    if (name.empty() || name.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos || name == "." ||
        name == "..")
        return std::nullopt;
    const std::filesystem::path file = os::findIgnoringCase(folder_, std::string(name) + ".dbf");
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    return file;
}

LegacySqlProvider::Found DbfFolderProvider::attach(const std::string& name, ErrorList& errors)
{
    const auto file = fileOf(name);
    if (!file) return Found::Missing;
    try {
        auto table = DbfTable::open(*file);
        const std::string key = module_->offer(table, options_.includeDeleted);
        runOwn(fmt::format("CREATE VIRTUAL TABLE {} USING dbf({})", quoted(name), key));
        attached_[lower(name)] = std::move(table);
        return Found::Attached;
    } catch (const base::Error& e) {
        errors.add(error(e.number(), 0, "HY000", e.description()));
        return Found::Failed;
    }
}

long DbfFolderProvider::wholeTableCount(const std::string& name)
{
    const auto found = attached_.find(lower(name));
    if (found == attached_.end()) return -1;
    if (options_.includeDeleted) return static_cast<long>(found->second->recordCount());
    try {
        return static_cast<long>(found->second->liveRecordCount());
    } catch (const base::Error&) {
        return -1;  // the scan itself reports the damage when it reaches it
    }
}

std::vector<std::filesystem::path> DbfFolderProvider::files() const
{
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error))
        if (isDbf(entry.path()) && entry.is_regular_file(error)) found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

std::unique_ptr<RowCursor> DbfFolderProvider::tables(ErrorList&)
{
    std::vector<Row> rows;
    for (const auto& file : files())
        rows.push_back({folder_.string(), base::Value::null(), file.stem().string(), "TABLE"});
    return tableList(std::move(rows));
}

std::unique_ptr<RowCursor> DbfFolderProvider::columns(std::string_view table, ErrorList& errors)
{
    std::vector<std::filesystem::path> chosen;
    if (table.empty()) {
        chosen = files();
    } else if (auto file = fileOf(table)) {
        chosen.push_back(*file);
    }
    std::vector<Row> rows;
    for (const auto& file : chosen) {
        try {
            const auto dbf = DbfTable::open(file);
            long position = 0;
            for (const DbfField& field : dbf->fields()) {
                const ColumnInfo column = columnOf(field);
                rows.push_back({folder_.string(), base::Value::null(), file.stem().string(), field.name, ++position,
                                static_cast<int>(column.type),
                                column.type == AdoType::Char ? base::Value(column.definedSize) : base::Value::null()});
            }
        } catch (const base::Error& e) {
            errors.add(error(e.number(), 0, "HY000", e.description()));
            return nullptr;
        }
    }
    return columnList(std::move(rows));
}

}  // namespace db::dbf
