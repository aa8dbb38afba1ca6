#pragma once
// A connection to one database, in the shape the program's data-access code was written against: open
// with a connection text, execute statement texts, read the error list the last command left, schema lists.
// Every execute and every recordset open starts with an empty error list, so what the list holds always
// belongs to the last command.

#include "platform/base/DateTime.h"
#include "platform/base/Value.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/ErrorList.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace db {

class Provider;
class Recordset;

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The text last set or opened with, read back exactly as given.
    const std::string& connectionString() const;
    void setConnectionString(std::string text);

    CursorLocation cursorLocation() const;
    void setCursorLocation(CursorLocation location);
    int commandTimeout() const;
    void setCommandTimeout(int seconds);
    long isolationLevel() const;
    void setIsolationLevel(long level);
    const std::string& defaultDatabase() const;
    void setDefaultDatabase(std::string name);

    // Opens with `text` (or the text already set). Raises base::Error with the failure in the error list
    // when no provider serves the text or the database cannot be opened, and when already open.
    void open(std::string_view text = {}, std::string_view user = {}, std::string_view password = {},
              long options = -1);
    void close();
    int state() const;
    bool isOpen() const { return state() == kStateOpen; }

    // Runs a text of one or many statements. Raises base::Error (the number of the first failure's kind)
    // when any statement failed; the error list keeps every entry.
    long execute(std::string_view text, long options = -1);

    void beginTrans();
    void commitTrans();
    void rollbackTrans();

    // TABLE_NAME and TABLE_TYPE per table; COLUMN_NAME per column of the table named in the third
    // restriction (catalog, schema, table, column).
    Recordset openSchema(SchemaKind kind, const std::vector<base::Value>& restrictions = {});

    ErrorList& errors();
    const ErrorList& errors() const;

    // The literal that writes a date for this connection's database.
    std::string dateLiteral(const base::DateTime& value) const;

    struct State;  // shared with the recordsets opened on this connection

private:
    friend class Recordset;
    std::shared_ptr<State> state_;
};

}  // namespace db
