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
#include <optional>
#include <string>
#include <vector>

namespace db::sqlite {

class ReadPin;
class SchemaRules;
struct SessionSettings;
class StatementCache;
struct SqlParameter;
struct TsqlStatement;

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
    void keepReading(bool walking) override;

    const std::filesystem::path& file() const { return file_; }

private:
    SqliteProvider(std::shared_ptr<Database> db, std::unique_ptr<SessionSettings> session, std::filesystem::path file,
                   std::string catalog);

    // Runs a prepared statement to its end. False when it failed; the errors are in `errors`.
    bool run(Statement& statement, long& affected, ErrorList& errors);
    // `sql` prepared (or taken from the kept statements); on failure an empty statement, reported in `errors`.
    Statement prepareOrReport(std::string_view sql, ErrorList& errors);
    // Binds `parameters` to ?1, ?2... where they are: they are to outlive the statement's reads of them (its
    // run, or its cursor). False, with the error reported, when one cannot be bound.
    bool bind(Statement& statement, const std::vector<SqlParameter>& parameters, ErrorList& errors);
    // False, with the error reported, when an sqlite3_bind_... call answered `code` other than SQLITE_OK.
    bool bound(int code, ErrorList& errors);
    bool runText(std::string_view sql, ErrorList& errors);
    // Rewrites, compiles and runs the batch; nothing, with the reason in `errors`, when it is refused before
    // any of it runs.
    std::optional<long> runBatch(std::string_view batch, ErrorList& errors);
    // Runs the batch's statement `statement` with `body` (and `condition`), prepared and bound here.
    enum class Outcome { Next, StopBatch };
    Outcome runStatement(const TsqlStatement& statement, Statement& body, Statement& condition, long& affected,
                         ErrorList& errors);
    // The values of a row the program writes, checked and brought to their columns' forms.
    bool storeValues(std::string_view table, const NamedValues& values, std::vector<base::Value>& stored,
                     ErrorList& errors);
    void reportFailure(ErrorList& errors);
    // Rolls back the transaction SQLite has open, if any; a rollback that fails is reported.
    void undoOpenTransaction(ErrorList& errors);
    void syncTransactionCount();

    std::shared_ptr<Database> db_;
    std::shared_ptr<StatementCache> statements_;
    std::unique_ptr<SchemaRules> rules_;
    std::unique_ptr<ReadPin> reads_;
    std::unique_ptr<SessionSettings> session_;  // the database's functions read it by address
    std::filesystem::path file_;
    std::string catalog_;
    int transactionCount_ = 0;
};

}  // namespace db::sqlite
