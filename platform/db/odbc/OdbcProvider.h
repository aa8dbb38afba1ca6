#pragma once
// SQL Server and Oracle through unixODBC. The server does the work: a batch goes to it as one command and
// it reports, per statement, rows affected and errors, which land in the connection's error list with
// their native numbers and SQL states (SQL Server keeps running a batch after most statement errors and
// says so itself). Transactions begun with BEGIN TRANSACTION in one execute and ended in a later one are
// the server's business too; beginTransaction / commitTransaction / rollbackTransaction switch the
// connection out of autocommit and back.

#include "platform/db/Provider.h"
#include "platform/db/odbc/OdbcConnectionString.h"

#include <memory>
#include <string>

namespace db::odbc {

struct Session;

class OdbcProvider : public Provider {
public:
    // Connects with an ODBC connection string. Raises base::Error with the driver's message when it cannot,
    // naming the driver and `target` (the server or data source) rather than the string, which holds the
    // password.
    static std::unique_ptr<OdbcProvider> open(const std::string& connectionString, Dialect dialect,
                                              std::string_view driver, std::string_view target);
    ~OdbcProvider() override;

    long execute(std::string_view batch, ErrorList& errors) override;
    std::unique_ptr<RowCursor> query(std::string_view statement, ErrorList& errors) override;
    void beginTransaction(ErrorList& errors) override;
    void commitTransaction(ErrorList& errors) override;
    void rollbackTransaction(ErrorList& errors) override;
    std::unique_ptr<RowCursor> tables(ErrorList& errors) override;
    std::unique_ptr<RowCursor> columns(std::string_view table, ErrorList& errors) override;
    std::vector<std::string> primaryKey(std::string_view table) override;
    bool insertRow(std::string_view table, const NamedValues& values, ErrorList& errors) override;
    bool updateRow(std::string_view table, const NamedValues& values, const NamedValues& key,
                   ErrorList& errors) override;
    // SQL Server: '20050815 10:30:00', read the same whatever the server's language; Oracle:
    // TO_DATE('2005-08-15 10:30:00','YYYY-MM-DD HH24:MI:SS').
    std::string dateLiteral(const base::DateTime& value) const override;
    void setCommandTimeout(int seconds) override;
    void setIsolationLevel(long level) override;
    // Raises base::Error when the server refuses the database.
    void setDefaultDatabase(std::string_view name) override;

private:
    explicit OdbcProvider(std::unique_ptr<Session> session);

    std::string identifier(std::string_view name) const;
    // The name as the catalogue keeps it: Oracle keeps unquoted names in upper case.
    std::string catalogName(std::string_view name) const;
    void endTransaction(bool commit, ErrorList& errors);

    std::unique_ptr<Session> session_;
    bool inTransaction_ = false;
};

}  // namespace db::odbc
