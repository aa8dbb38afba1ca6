#pragma once
// Rows of a prepared SELECT, read one step at a time. The first row is read at once so a failing query
// fails at open, and so columns that are expressions take their type from what they hold.

#include "platform/db/ErrorList.h"
#include "platform/db/Rows.h"
#include "platform/db/sqlite/SqliteHandle.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace db::sqlite {

// A compiled SELECT's columns as its cursors describe them. Asking SQLite for each column's name and declared
// type, and reading the declaration, costs more than a lookup's own work on a wide table (SELECT * over fifty
// columns); the description is made once per compilation of the statement and kept with it, and made anew
// when SQLite has compiled the statement again (a table changed since).
struct StatementColumns {
    int compilation = 0;  // how many times SQLite had compiled the statement again when it was described
    std::vector<ColumnInfo> columns;
    std::vector<std::size_t> expressions;  // the columns with no declared type: each run's first value tells
};

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
    // The statement's columns: the kept description, or one made now and kept.
    const StatementColumns& described();

    Statement statement_;
    std::shared_ptr<Database> db_;
    std::vector<ColumnInfo> columns_;
    std::vector<AdoType> types_;  // each column's, as its values are read
    bool rowWaiting_ = false;
    bool done_ = false;
};

}  // namespace db::sqlite
