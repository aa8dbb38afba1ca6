#pragma once
// Rows of a prepared SELECT, read one step at a time. The first row is read at once so a failing query
// fails at open, and so columns that are expressions take their type from what they hold.

#include "platform/db/ErrorList.h"
#include "platform/db/Rows.h"
#include "platform/db/sqlite/SqliteHandle.h"
#include "platform/db/sqlite/TsqlBatch.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace db::sqlite {

using Columns = std::shared_ptr<const std::vector<ColumnInfo>>;

// A compiled SELECT's columns as its cursors describe them. Asking SQLite for each column's name and declared
// type, and reading the declaration, costs more than a lookup's own work on a wide table (SELECT * over fifty
// columns); the description is made once per compilation of the statement and kept with it, and made anew
// when SQLite has compiled the statement again (a table changed since). The cursors of a statement share it,
// and so do the recordsets they fill.
struct StatementColumns {
    int compilation = 0;  // how many times SQLite had compiled the statement again when it was described
    Columns columns;
    std::vector<std::size_t> expressions;  // the columns with no declared type: each run's first value tells
    Columns typed;  // the last description with its expressions typed by a first row, shared while they read alike
};

class SqliteCursor : public RowCursor {
public:
    // Nullptr after adding the error to `errors` when the first step fails. `values` are what the statement's
    // parameters were bound to in place: the cursor keeps them for as long as the statement may read them.
    static std::unique_ptr<SqliteCursor> start(Statement statement, std::vector<SqlParameter> values,
                                               const std::shared_ptr<Database>& db, ErrorList& errors);

    const std::vector<ColumnInfo>& columns() const override { return *columns_; }
    std::shared_ptr<const std::vector<ColumnInfo>> takeColumns() override { return columns_; }
    bool next(Row& row) override;

private:
    SqliteCursor(Statement statement, std::vector<SqlParameter> values, std::shared_ptr<Database> db);
    int step();
    void readRow(Row& row) const;
    // The statement's columns: the kept description, or one made now and kept.
    StatementColumns& described();
    // The columns of this run: the description, its expressions typed by the first row.
    Columns typedColumns(StatementColumns& described) const;

    std::vector<SqlParameter> values_;  // before the statement: it lets go of them before they go
    Statement statement_;
    std::shared_ptr<Database> db_;
    Columns columns_;
    bool rowWaiting_ = false;
    bool done_ = false;
};

}  // namespace db::sqlite
