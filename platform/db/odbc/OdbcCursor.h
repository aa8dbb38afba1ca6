#pragma once
// The rows of one ODBC result, read a row at a time with each value in the kind its field type says (a bit
// as a boolean, money as currency, a timestamp as a date, text as UTF-8).

#include "platform/base/Error.h"
#include "platform/db/Rows.h"
#include "platform/db/odbc/OdbcSession.h"

#include <deque>
#include <optional>

namespace db::odbc {

// The description of the current result's columns.
std::vector<ColumnInfo> describeResult(SQLHSTMT statement);

class OdbcCursor : public RowCursor {
public:
    // Takes the statement handle, positioned on a result with columns, and becomes the session's live cursor.
    OdbcCursor(Session& session, SQLHSTMT statement, std::vector<ColumnInfo> columns);
    ~OdbcCursor() override;
    OdbcCursor(const OdbcCursor&) = delete;
    OdbcCursor& operator=(const OdbcCursor&) = delete;

    const std::vector<ColumnInfo>& columns() const override { return columns_; }
    bool next(Row& row) override;

    // Reads the rest of the rows into memory and lets the statement go, so the connection is free. A read
    // failure is kept and raised by next() after the rows read before it.
    void bufferRest();

private:
    bool fetch(Row& row);
    void finish();

    Session* session_;
    SQLHSTMT statement_;
    std::vector<ColumnInfo> columns_;
    std::deque<Row> buffered_;
    std::optional<base::Error> failure_;
};

}  // namespace db::odbc
