#pragma once
// The employee workbook as a database (connection text "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=
// <file>.xls;Extended Properties=\"Excel 8.0;HDR=Yes;IMEX=1\""): each sheet is the table "[Name$]". A sheet
// is small, so the first statement naming it copies it into the in-memory session; after that it answers
// SQL like any table. Read-only.

#include "platform/db/dbf/LegacySql.h"
#include "platform/db/xls/Workbook.h"

#include <filesystem>
#include <map>
#include <memory>

namespace db::xls {

class WorkbookProvider : public dbf::LegacySqlProvider {
public:
    struct Options {
        bool firstRowNamesColumns = true;  // HDR=Yes
    };

    // Raises base::Error naming the file when it is missing or unreadable. `shownName` is the file as the
    // connection text gave it, for messages.
    static std::unique_ptr<WorkbookProvider> open(const std::filesystem::path& file, std::string_view shownName,
                                                  Options options);

    std::unique_ptr<RowCursor> tables(ErrorList& errors) override;
    std::unique_ptr<RowCursor> columns(std::string_view table, ErrorList& errors) override;

protected:
    Found attach(const std::string& name, ErrorList& errors) override;
    long wholeTableCount(const std::string& name) override;

private:
    WorkbookProvider(std::unique_ptr<Workbook> workbook, std::string description, Options options);
    // The sheet a table name "Name$" stands for.
    std::optional<std::size_t> sheetOf(std::string_view table) const;

    std::unique_ptr<Workbook> workbook_;
    Options options_;
    std::map<std::string, long> loaded_;  // rows per loaded table, by lower-case name
};

}  // namespace db::xls
