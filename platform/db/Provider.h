#pragma once
// One database engine behind a connection. Failures of the database are reported the way the program
// expects to read them: entries appended to the connection's error list. A provider never throws for a
// failed statement; it throws base::Error only when it cannot work at all (an unreadable file, a lost link).

#include "platform/base/DateTime.h"
#include "platform/db/ErrorList.h"
#include "platform/db/Rows.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace db {

class ConnectionText;

using NamedValues = std::vector<std::pair<std::string, base::Value>>;

class Provider {
public:
    virtual ~Provider() = default;

    // Runs a batch of one or many statements; returns the rows affected. A failing statement adds its
    // errors and the batch goes on where the database would go on.
    virtual long execute(std::string_view batch, ErrorList& errors) = 0;
    // Opens a cursor on a statement that yields rows; nullptr after adding errors when it fails.
    virtual std::unique_ptr<RowCursor> query(std::string_view statement, ErrorList& errors) = 0;

    virtual void beginTransaction(ErrorList& errors) = 0;
    virtual void commitTransaction(ErrorList& errors) = 0;
    virtual void rollbackTransaction(ErrorList& errors) = 0;

    // Schema lists: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE ("TABLE" or "VIEW"); and
    // TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME, ORDINAL_POSITION, DATA_TYPE, CHARACTER_MAXIMUM_LENGTH.
    virtual std::unique_ptr<RowCursor> tables(ErrorList& errors) = 0;
    virtual std::unique_ptr<RowCursor> columns(std::string_view table, ErrorList& errors) = 0;

    // Writes behind an updatable recordset. `key` names the row to change (columns and their values as
    // read); both return false after adding errors.
    virtual std::vector<std::string> primaryKey(std::string_view table) = 0;
    virtual bool insertRow(std::string_view table, const NamedValues& values, ErrorList& errors) = 0;
    virtual bool updateRow(std::string_view table, const NamedValues& values, const NamedValues& key,
                           ErrorList& errors) = 0;

    // The literal that writes a date in this database's dialect.
    virtual std::string dateLiteral(const base::DateTime& value) const = 0;

    // Whether the program is walking rows it read on this connection: the reads it makes meanwhile may
    // share one read of the database, as long as each still sees what a read of its own would see.
    virtual void keepReading(bool /*walking*/) {}

    virtual void setCommandTimeout(int /*seconds*/) {}
    virtual void setIsolationLevel(long /*level*/) {}
    virtual void setDefaultDatabase(std::string_view /*name*/) {}
    virtual bool readOnly() const { return false; }
};

// Chooses and opens the provider for a connection text; raises a clear error when no provider serves it
// or the database cannot be opened.
std::unique_ptr<Provider> openProvider(const ConnectionText& text);

}  // namespace db
