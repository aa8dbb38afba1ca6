#pragma once
// The embedded ERP database: an SQLite file that answers the ERP's SQL Server statements the way SQL
// Server would (see TsqlBatch.h for the dialect, SqlServerFunctions.h for comparisons, SqlServerErrors.h for
// error numbers). A batch runs statement by statement: a failing statement reports its error and the
// statement-terminated entry and the batch goes on; a transaction begun by one execute is ended by a later
// one; ROLLBACK with nothing open does nothing.

#include "platform/db/Provider.h"
#include "platform/db/sqlite/SqliteHandle.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace db::sqlite {

class StatementCache;

class SqliteProvider : public Provider {
public:
    // Opens `<folder>/<database>.sqlite`, creating it from the ERP schema when there is no such file.
    // Raises base::Error for a folder that cannot be written, a file that is not a database, a bad name.
    static std::unique_ptr<SqliteProvider> open(const std::filesystem::path& folder, std::string_view database,
                                                std::string_view user);
    ~SqliteProvider() override;

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
    std::string dateLiteral(const base::DateTime& value) const override;
    void setCommandTimeout(int seconds) override;

    const std::filesystem::path& file() const { return file_; }

private:
    SqliteProvider(std::shared_ptr<Database> db, std::unique_ptr<std::string> user, std::filesystem::path file,
                   std::string catalog);

    // Runs a prepared statement to its end. False when it failed; the errors are in `errors`.
    bool run(Statement& statement, long& affected, ErrorList& errors);
    // `sql` prepared (or taken from the kept statements) with `parameters` bound to ?1, ?2...; on failure
    // an empty statement, and `code`/`message` say why.
    Statement prepare(std::string_view sql, const std::vector<std::string>& parameters, int& code, std::string& message);
    // The same, reporting a failure into `errors`.
    Statement prepareOrReport(std::string_view sql, const std::vector<std::string>& parameters, ErrorList& errors);
    Statement prepareOrReport(std::string_view sql, ErrorList& errors) { return prepareOrReport(sql, {}, errors); }
    bool runText(std::string_view sql, ErrorList& errors);
    void reportFailure(ErrorList& errors);
    void syncTransactionCount();

    std::shared_ptr<Database> db_;
    std::shared_ptr<StatementCache> statements_;
    std::unique_ptr<std::string> user_;  // SYSTEM_USER reads it by address
    std::filesystem::path file_;
    std::string catalog_;
    int transactionCount_ = 0;
};

}  // namespace db::sqlite
