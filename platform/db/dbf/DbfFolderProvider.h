#pragma once
// The legacy dBase folder as a database (connection text "Provider=MSDASQL.1;...SourceDB=<folder>;
// SourceType=DBF;...;Deleted=Yes;"): each .dbf file of the folder is a table, found by name without regard
// to case (FCLIENTE finds fcliente.DBF) the first time a statement names it, and read in place through a
// virtual table. Read-only; ordering is binary; text "=" ignores trailing blanks; deleted records are
// hidden unless the text says Deleted=No. A whole-table SELECT knows its row count before the first row.

#include "platform/db/dbf/DbfTable.h"
#include "platform/db/dbf/LegacySql.h"

#include <filesystem>
#include <map>
#include <memory>

namespace db::dbf {

class DbfModule;

class DbfFolderProvider : public LegacySqlProvider {
public:
    struct Options {
        bool includeDeleted = false;  // Deleted=No
    };

    // Raises base::Error naming the folder when it is not there. `shownName` is the folder as the
    // connection text gave it (a Windows path), for messages.
    static std::unique_ptr<DbfFolderProvider> open(const std::filesystem::path& folder, std::string_view shownName,
                                                   Options options);

    std::unique_ptr<RowCursor> tables(ErrorList& errors) override;
    std::unique_ptr<RowCursor> columns(std::string_view table, ErrorList& errors) override;

    const std::filesystem::path& folder() const { return folder_; }

protected:
    Found attach(const std::string& name, ErrorList& errors) override;
    long wholeTableCount(const std::string& name) override;

private:
    DbfFolderProvider(std::filesystem::path folder, std::string description, Options options);
    // The .dbf file of table `name`, or nothing when the folder has none.
    std::optional<std::filesystem::path> fileOf(std::string_view name) const;
    std::vector<std::filesystem::path> files() const;

    std::filesystem::path folder_;
    Options options_;
    DbfModule* module_;
    std::map<std::string, std::shared_ptr<const DbfTable>> attached_;  // by lower-case name
};

}  // namespace db::dbf
