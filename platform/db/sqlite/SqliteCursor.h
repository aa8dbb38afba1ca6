#pragma once
// Rows of a prepared SELECT, read one step at a time. The first row is read at once so a failing query
// fails at open, and so columns that are expressions take their type from what they hold.

#include "platform/db/ErrorList.h"
#include "platform/db/Rows.h"
#include "platform/db/sqlite/SqliteHandle.h"

#include <memory>

namespace db::sqlite {

class SqliteCursor : public RowCursor {
public:
    // Nullptr after adding the error to `errors` when the first step fails.
    static std::unique_ptr<SqliteCursor> start(Statement statement, const std::shared_ptr<Database>& db,
                                               ErrorList& errors);

    const std::vector<ColumnInfo>& columns() const override { return columns_; }
    std::vector<ColumnInfo> takeColumns() override { return std::move(columns_); }
    bool next(Row& row) override;

private:
    SqliteCursor(Statement statement, std::shared_ptr<Database> db);
    int step();
    void readRow(Row& row) const;

    Statement statement_;
    std::shared_ptr<Database> db_;
    std::vector<ColumnInfo> columns_;
    std::vector<AdoType> types_;  // each column's, as its values are read
    bool rowWaiting_ = false;
    bool done_ = false;
};

}  // namespace db::sqlite
