#include "platform/db/sqlite/SqliteProvider.h"

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/SchemaLists.h"
#include "platform/db/sqlite/DatabaseFile.h"
#include "platform/db/sqlite/SqlQuoting.h"
#include "platform/db/sqlite/SqlServerErrors.h"
#include "platform/db/sqlite/SqliteCursor.h"
#include "platform/db/sqlite/SqliteTypes.h"
#include "platform/db/sqlite/StatementCache.h"
#include "platform/db/sqlite/TsqlBatch.h"

#include <fmt/format.h>
#include <sqlite3.h>
#include <tuple>

namespace db::sqlite {
namespace {

// Enough for every statement an import sends per record and the lookups around it.
constexpr std::size_t kKeptStatements = 64;

ProviderError commandError(long native, std::string_view state, std::string description)
{
    return {hresult::kCommandErrors, native, std::string(state), std::move(description),
            "Microsoft OLE DB Provider for SQL Server"};
}

}  // namespace

std::unique_ptr<SqliteProvider> SqliteProvider::open(const std::filesystem::path& folder, std::string_view database,
                                                     std::string_view user)
{
    auto userName = std::make_unique<std::string>(user);
    const std::filesystem::path path = databasePath(folder, database);
    auto db = openDatabaseFile(path, userName.get());
    return std::unique_ptr<SqliteProvider>(new SqliteProvider(std::move(db), std::move(userName), path, std::string(database)));
}

SqliteProvider::SqliteProvider(std::shared_ptr<Database> db, std::unique_ptr<std::string> user,
                               std::filesystem::path file, std::string catalog)
    : db_(std::move(db)),
      statements_(std::make_shared<StatementCache>(db_, kKeptStatements)),
      user_(std::move(user)),
      file_(std::move(file)),
      catalog_(std::move(catalog))
{
}

SqliteProvider::~SqliteProvider()
{
    // A transaction left open when the connection goes is rolled back, as the server does for a lost session.
    if (!sqlite3_get_autocommit(db_->get())) sqlite3_exec(db_->get(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteProvider::reportFailure(ErrorList& errors)
{
    const ProviderError error = sqlServerError(db_->lastErrorCode(), db_->lastError());
    errors.add(error);
    if (!stopsBatch(error)) errors.add(statementTerminated(error));
}

Statement SqliteProvider::prepare(std::string_view sql, const std::vector<std::string>& parameters, int& code,
                                  std::string& message)
{
    Statement statement = statements_->prepare(sql, code, message);
    for (std::size_t i = 0; statement && i < parameters.size(); ++i)
        sqlite3_bind_text(statement.get(), static_cast<int>(i + 1), parameters[i].data(),
                          static_cast<int>(parameters[i].size()), SQLITE_TRANSIENT);
    return statement;
}

Statement SqliteProvider::prepareOrReport(std::string_view sql, const std::vector<std::string>& parameters,
                                          ErrorList& errors)
{
    int code = 0;
    std::string message;
    Statement statement = prepare(sql, parameters, code, message);
    if (!statement) errors.add(sqlServerError(code, message));
    return statement;
}

bool SqliteProvider::run(Statement& statement, long& affected, ErrorList& errors)
{
    sqlite3_stmt* s = statement.get();
    // Counted over all changes, so rows written through a view's INSTEAD OF trigger count as the server counts them.
    const sqlite3_int64 before = sqlite3_total_changes64(db_->get());
    int code;
    while ((code = sqlite3_step(s)) == SQLITE_ROW) {
    }
    if (code != SQLITE_DONE) {
        reportFailure(errors);
        sqlite3_reset(s);
        return false;
    }
    if (!sqlite3_stmt_readonly(s)) affected += static_cast<long>(sqlite3_total_changes64(db_->get()) - before);
    return true;
}

bool SqliteProvider::runText(std::string_view sql, ErrorList& errors)
{
    Statement statement = prepareOrReport(sql, errors);
    long ignored = 0;
    return statement && run(statement, ignored, errors);
}

void SqliteProvider::syncTransactionCount()
{
    // SQLite may end a transaction on its own (a disk error); the count follows it.
    if (transactionCount_ > 0 && sqlite3_get_autocommit(db_->get())) transactionCount_ = 0;
}

long SqliteProvider::execute(std::string_view batch, ErrorList& errors)
{
    const std::vector<TsqlStatement> statements = splitBatch(batch);

    // Like the server, which compiles a whole batch before running it, nothing runs when a statement
    // cannot be read. A statement that names a table a previous one creates is prepared when its turn comes.
    std::vector<Statement> bodies(statements.size()), conditions(statements.size());
    for (std::size_t i = 0; i < statements.size(); ++i) {
        const TsqlStatement& statement = statements[i];
        if (statement.kind == TsqlStatement::Kind::Unsupported) {
            errors.add(unsupportedStatement(statement.original, statement.error));
            return 0;
        }
        if (statement.kind != TsqlStatement::Kind::Plain && statement.kind != TsqlStatement::Kind::Conditional) continue;
        for (auto [sql, parameters, slot] : {std::tuple{&statement.sql, &statement.parameters, &bodies[i]},
                                              std::tuple{&statement.condition, &statement.conditionParameters, &conditions[i]}}) {
            if (sql->empty()) continue;
            int code = 0;
            std::string message;
            *slot = prepare(*sql, *parameters, code, message);
            if (!*slot && sqlServerError(code, message).nativeError == 102) {
                ProviderError error = sqlServerError(code, message);
                error.description += " in: " + statement.original;
                errors.add(std::move(error));
                return 0;
            }
        }
    }

    long affected = 0;
    for (std::size_t i = 0; i < statements.size(); ++i) {
        const TsqlStatement& statement = statements[i];
        syncTransactionCount();
        switch (statement.kind) {
        case TsqlStatement::Kind::BeginTransaction:
            if (transactionCount_ == 0 && !runText("BEGIN", errors)) return affected;
            ++transactionCount_;
            break;
        case TsqlStatement::Kind::CommitTransaction:
            if (transactionCount_ == 0) {
                errors.add(commandError(3902, "25000",
                                        "The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION."));
            } else if (transactionCount_ == 1) {
                transactionCount_ = 0;
                if (!runText("COMMIT", errors)) {
                    // A commit that fails leaves nothing half-written: undo the transaction.
                    sqlite3_exec(db_->get(), "ROLLBACK", nullptr, nullptr, nullptr);
                    return affected;
                }
            } else {
                --transactionCount_;
            }
            break;
        case TsqlStatement::Kind::RollbackTransaction:
            if (transactionCount_ > 0) {
                transactionCount_ = 0;
                runText("ROLLBACK", errors);
            }
            break;
        case TsqlStatement::Kind::NoOp:
        case TsqlStatement::Kind::Unsupported:
            break;
        case TsqlStatement::Kind::Conditional: {
            if (!conditions[i] && !(conditions[i] = prepareOrReport(statement.condition, statement.conditionParameters, errors)))
                return affected;
            const int code = sqlite3_step(conditions[i].get());
            if (code != SQLITE_ROW && code != SQLITE_DONE) {
                reportFailure(errors);
                if (stopsBatch(errors.item(errors.count() - 1))) return affected;
                break;
            }
            const bool holds = code == SQLITE_ROW && sqlite3_column_int(conditions[i].get(), 0) != 0;
            if (holds == statement.negate) break;
            [[fallthrough]];
        }
        case TsqlStatement::Kind::Plain:
            if (!bodies[i] && !(bodies[i] = prepareOrReport(statement.sql, statement.parameters, errors))) return affected;
            if (!run(bodies[i], affected, errors) && stopsBatch(errors.item(errors.count() - 1))) return affected;
            break;
        }
    }
    return affected;
}

std::unique_ptr<RowCursor> SqliteProvider::query(std::string_view statement, ErrorList& errors)
{
    const std::vector<TsqlStatement> statements = splitBatch(statement);
    const TsqlStatement* select = nullptr;
    for (const TsqlStatement& s : statements) {
        if (s.kind == TsqlStatement::Kind::NoOp) continue;
        if (s.kind == TsqlStatement::Kind::Unsupported) {
            errors.add(unsupportedStatement(s.original, s.error));
            return nullptr;
        }
        if (select || s.kind != TsqlStatement::Kind::Plain) {
            errors.add(commandError(102, "42000", "A recordset opens on one SELECT statement: " + std::string(statement)));
            return nullptr;
        }
        select = &s;
    }
    if (!select) {
        errors.add(commandError(102, "42000", "A recordset needs a SELECT statement: " + std::string(statement)));
        return nullptr;
    }
    Statement prepared = prepareOrReport(select->sql, select->parameters, errors);
    if (!prepared) return nullptr;
    return SqliteCursor::start(std::move(prepared), db_, errors);
}

void SqliteProvider::beginTransaction(ErrorList& errors) { execute("BEGIN TRANSACTION", errors); }
void SqliteProvider::commitTransaction(ErrorList& errors) { execute("COMMIT TRANSACTION", errors); }
void SqliteProvider::rollbackTransaction(ErrorList& errors) { execute("ROLLBACK TRANSACTION", errors); }

std::unique_ptr<RowCursor> SqliteProvider::tables(ErrorList& errors)
{
    Statement statement = prepareOrReport(
        "SELECT name, upper(type) FROM sqlite_master WHERE type IN ('table', 'view') "
        "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name",
        errors);
    if (!statement) return nullptr;
    std::vector<Row> rows;
    while (sqlite3_step(statement.get()) == SQLITE_ROW)
        rows.push_back({catalog_, "dbo", readColumn(statement.get(), 0, AdoType::VarChar),
                        readColumn(statement.get(), 1, AdoType::VarChar)});
    return tableList(std::move(rows));
}

std::unique_ptr<RowCursor> SqliteProvider::columns(std::string_view table, ErrorList& errors)
{
    Statement statement = prepareOrReport(
        "SELECT m.name, c.name, c.cid + 1, c.type FROM sqlite_master m, pragma_table_info(m.name) c "
        "WHERE m.type IN ('table', 'view') AND m.name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "AND (?1 = '' OR m.name = ?1 COLLATE SQLSRV) ORDER BY m.name, c.cid",
        errors);
    if (!statement) return nullptr;
    sqlite3_bind_text(statement.get(), 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
    std::vector<Row> rows;
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        const auto* declared = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 3));
        const ColumnInfo info = describeDeclaredType("", declared ? declared : "");
        rows.push_back({catalog_, "dbo", readColumn(statement.get(), 0, AdoType::VarChar),
                        readColumn(statement.get(), 1, AdoType::VarChar),
                        static_cast<long long>(sqlite3_column_int64(statement.get(), 2)), static_cast<int>(info.type),
                        declaredTextWidth(declared ? declared : "") > 0 ? base::Value(info.definedSize)
                                                                         : base::Value::null()});
    }
    return columnList(std::move(rows));
}

std::vector<std::string> SqliteProvider::primaryKey(std::string_view table)
{
    std::vector<std::string> key;
    int code = 0;
    std::string message;
    Statement statement = prepare("SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk", {}, code, message);
    if (!statement) return key;
    sqlite3_bind_text(statement.get(), 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
    while (sqlite3_step(statement.get()) == SQLITE_ROW)
        key.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
    return key;
}

bool SqliteProvider::insertRow(std::string_view table, const NamedValues& values, ErrorList& errors)
{
    std::string names, marks;
    for (const auto& [name, value] : values) {
        names += (names.empty() ? "" : ", ") + quoteIdentifier(name);
        marks += marks.empty() ? "?" : ", ?";
    }
    const std::string sql = values.empty() ? fmt::format("INSERT INTO {} DEFAULT VALUES", quoteIdentifier(table))
                                           : fmt::format("INSERT INTO {} ({}) VALUES ({})", quoteIdentifier(table), names, marks);
    Statement statement = prepareOrReport(sql, errors);
    if (!statement) return false;
    for (std::size_t i = 0; i < values.size(); ++i) bindValue(statement.get(), static_cast<int>(i + 1), values[i].second);
    long affected = 0;
    return run(statement, affected, errors);
}

bool SqliteProvider::updateRow(std::string_view table, const NamedValues& values, const NamedValues& key,
                               ErrorList& errors)
{
    if (values.empty()) return true;
    std::string assignments, conditions;
    for (const auto& [name, value] : values) assignments += (assignments.empty() ? "" : ", ") + quoteIdentifier(name) + " = ?";
    for (const auto& [name, value] : key) conditions += (conditions.empty() ? "" : " AND ") + quoteIdentifier(name) + " IS ?";
    Statement statement =
        prepareOrReport(fmt::format("UPDATE {} SET {} WHERE {}", quoteIdentifier(table), assignments, conditions), errors);
    if (!statement) return false;
    int index = 1;
    for (const auto& entry : values) bindValue(statement.get(), index++, entry.second);
    for (const auto& entry : key) bindValue(statement.get(), index++, entry.second);
    long affected = 0;
    if (!run(statement, affected, errors)) return false;
    if (affected == 0) {
        errors.add({hresult::kUnspecified, 0, "HY000",
                    "Row cannot be located for updating. Some values may have been changed since it was last read.",
                    "Microsoft Cursor Engine"});
        return false;
    }
    return true;
}

std::string SqliteProvider::dateLiteral(const base::DateTime& value) const { return "'" + value.toIso() + "'"; }

void SqliteProvider::setCommandTimeout(int seconds)
{
    // The time-out bounds waiting for a lock held by another program on the same file.
    sqlite3_busy_timeout(db_->get(), seconds > 0 ? seconds * 1000 : 0);
}

}  // namespace db::sqlite
