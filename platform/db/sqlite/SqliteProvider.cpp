#include "platform/db/sqlite/SqliteProvider.h"

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/SchemaLists.h"
#include "platform/db/sqlite/DatabaseFile.h"
#include "platform/db/sqlite/ReadPin.h"
#include "platform/db/sqlite/SchemaRules.h"
#include "platform/db/sqlite/SqlQuoting.h"
#include "platform/db/sqlite/SqlServerErrors.h"
#include "platform/db/sqlite/SqliteCursor.h"
#include "platform/db/sqlite/SqliteTypes.h"
#include "platform/db/sqlite/StatementCache.h"
#include "platform/db/sqlite/TsqlBatch.h"
#include "platform/db/sqlite/TsqlLexer.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fmt/format.h>
#include <iterator>
#include <sqlite3.h>

namespace db::sqlite {
namespace {

// Enough for every statement an import sends per record and the lookups around it.
constexpr std::size_t kKeptStatements = 64;

ProviderError commandError(long native, std::string_view state, std::string description)
{
    return {hresult::kCommandErrors, native, std::string(state), std::move(description),
            "Microsoft OLE DB Provider for SQL Server"};
}

// The number was read, and nothing of its text is left over.
bool readAll(std::from_chars_result read, const char* last) { return read.ec == std::errc() && read.ptr == last; }

// A SELECT is written without the column rules, so it needs no look at the schema first: in autocommit
// that look is a read transaction of its own, as dear as a lookup. A statement that begins otherwise (a
// comment, an INSERT opened as a recordset) is checked as a batch is.
bool readsOnly(std::string_view statement)
{
    const std::optional<tsql::Token> first = tsql::wordAt(statement, tsql::blanksEnd(statement, 0));
    return first && first->kw == tsql::Kw::Select;
}

// The batch begins with BEGIN TRAN[SACTION].
bool opensTransaction(std::string_view batch)
{
    const std::optional<tsql::Token> begin = tsql::wordAt(batch, tsql::blanksEnd(batch, 0));
    if (!begin || begin->kw != tsql::Kw::Begin) return false;
    const std::optional<tsql::Token> tran = tsql::wordAt(batch, tsql::blanksEnd(batch, begin->end));
    return tran && (tran->kw == tsql::Kw::Tran || tran->kw == tsql::Kw::Transaction);
}

}  // namespace

bool SqliteProvider::bound(int code, ErrorList& errors)
{
    if (code == SQLITE_OK) return true;
    errors.add(sqlServerError(code, "a value cannot be bound: " + db_->lastError()));
    return false;
}

std::unique_ptr<SqliteProvider> SqliteProvider::open(const std::filesystem::path& folder, std::string_view database,
                                                     std::string_view user)
{
    auto session = std::make_unique<SessionSettings>();
    session->user = std::string(user);
    const std::filesystem::path path = databasePath(folder, database);
    auto db = openDatabaseFile(path, session.get());
    return std::unique_ptr<SqliteProvider>(new SqliteProvider(std::move(db), std::move(session), path, std::string(database)));
}

SqliteProvider::SqliteProvider(std::shared_ptr<Database> db, std::unique_ptr<SessionSettings> session,
                               std::filesystem::path file, std::string catalog)
    : db_(std::move(db)),
      statements_(std::make_shared<StatementCache>(db_, kKeptStatements)),
      rules_(std::make_unique<SchemaRules>(db_)),
      reads_(std::make_unique<ReadPin>(db_)),
      session_(std::move(session)),
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

void SqliteProvider::undoOpenTransaction(ErrorList& errors)
{
    if (!sqlite3_get_autocommit(db_->get()) && sqlite3_exec(db_->get(), "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK)
        reportFailure(errors);
}

Statement SqliteProvider::prepareOrReport(std::string_view sql, ErrorList& errors)
{
    int code = 0;
    std::string message;
    Statement statement = statements_->prepare(sql, code, message);
    if (!statement) errors.add(sqlServerError(code, message));
    return statement;
}

bool SqliteProvider::bind(Statement& statement, const std::vector<SqlParameter>& parameters, ErrorList& errors)
{
    sqlite3_stmt* s = statement.get();
    sqlite3_reset(s);
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const SqlParameter& parameter = parameters[i];
        const int index = static_cast<int>(i + 1);
        const std::string& value = parameter.value;
        const char* const last = value.data() + value.size();
        int code = SQLITE_OK;
        switch (parameter.type) {
        case SqlParameter::Type::Text:
            code = sqlite3_bind_text(s, index, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
            break;
        case SqlParameter::Type::Integer:
            if (parameter.read) {
                code = sqlite3_bind_int64(s, index, parameter.whole);
                break;
            }
            if (long long whole = 0; readAll(std::from_chars(value.data(), last, whole), last)) {
                code = sqlite3_bind_int64(s, index, whole);
                break;
            }
            [[fallthrough]];  // beyond 64 bits: SQL Server reads it as a decimal too
        case SqlParameter::Type::Real:
            if (parameter.read)
                code = sqlite3_bind_double(s, index, parameter.real);
            else if (double real = 0; readAll(std::from_chars(value.data(), last, real), last))
                code = sqlite3_bind_double(s, index, real);
            else
                code = sqlite3_bind_double(s, index, std::strtod(value.c_str(), nullptr));  // as the C library reads it
            break;
        }
        if (code != SQLITE_OK) {
            errors.add(sqlServerError(code, fmt::format("the value of parameter {} cannot be bound: {}", index,
                                                        db_->lastError())));
            return false;
        }
    }
    return true;
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

SqliteProvider::Outcome SqliteProvider::runStatement(const TsqlStatement& statement, Statement& body,
                                                     Statement& condition, long& affected, ErrorList& errors)
{
    if (statement.kind == TsqlStatement::Kind::Conditional) {
        if (!condition && !(condition = prepareOrReport(statement.condition, errors))) return Outcome::StopBatch;
        if (!bind(condition, statement.conditionParameters, errors)) return Outcome::Next;
        const int code = sqlite3_step(condition.get());
        if (code != SQLITE_ROW && code != SQLITE_DONE) {
            reportFailure(errors);
            sqlite3_reset(condition.get());
            return stopsBatch(errors.item(errors.count() - 1)) ? Outcome::StopBatch : Outcome::Next;
        }
        const bool holds = code == SQLITE_ROW && sqlite3_column_int(condition.get(), 0) != 0;
        sqlite3_reset(condition.get());
        if (holds == statement.negate) return Outcome::Next;
    }
    if (statement.storeError != 0) {
        const ProviderError error = storeRefusal(statement.storeError, statement.storeErrorText);
        errors.add(error);
        errors.add(statementTerminated(error));
        return Outcome::Next;
    }
    if (!body && !(body = prepareOrReport(statement.sql, errors))) return Outcome::StopBatch;
    if (!bind(body, statement.parameters, errors)) return Outcome::Next;
    if (!run(body, affected, errors) && stopsBatch(errors.item(errors.count() - 1))) return Outcome::StopBatch;
    return Outcome::Next;
}

void SqliteProvider::syncTransactionCount()
{
    // SQLite may end a transaction on its own (a disk error); the count follows it.
    if (transactionCount_ > 0 && sqlite3_get_autocommit(db_->get())) transactionCount_ = 0;
}

long SqliteProvider::execute(std::string_view batch, ErrorList& errors)
{
    // A unit of work opens its transaction first. Opened before the look at the schema, the transaction
    // takes that look under its own lock, where in autocommit it would be a read transaction of its own. It
    // takes the write lock at once, so that the look and the batch's writes see the file as one.
    reads_->release();
    syncTransactionCount();
    const bool opensHere = transactionCount_ == 0 && sqlite3_get_autocommit(db_->get()) && opensTransaction(batch);
    if (opensHere && !runText("BEGIN IMMEDIATE", errors)) return 0;
    const std::optional<long> affected = runBatch(batch, errors);
    // A batch refused before it ran leaves no transaction open, as the server leaves none.
    if (!affected && opensHere) undoOpenTransaction(errors);
    return affected.value_or(0);
}

std::optional<long> SqliteProvider::runBatch(std::string_view batch, ErrorList& errors)
{
    rules_->refresh();
    rules_->dateOrder = session_->dateOrder;
    if (rules_->identityInsert != session_->identityInsert) {
        rules_->identityInsert = session_->identityInsert;
        rules_->shapes().clear();
    }
    std::vector<TsqlStatement> statements = splitBatch(batch, rules_.get(), &rules_->shapes());
    if (!rules_->failure().empty()) {
        errors.add(sqlServerError(db_->lastErrorCode(), rules_->failure()));
        return std::nullopt;
    }

    // Like the server, which compiles a whole batch before running it, nothing runs when a statement
    // cannot be read or names a column or a function there is none of. A statement that names a table a
    // previous one creates is prepared when its turn comes. Statements of the same text (rows that differ
    // only in their values) share one compiled statement. A batch holds few texts, most of them again and
    // again: the texts compiled so far are looked through rather than hashed into a table of their own.
    std::vector<Statement> compiled;
    std::vector<StatementText> compiledTexts;  // each compiled statement's, in the same order
    compiled.reserve(2 * statements.size());
    compiledTexts.reserve(2 * statements.size());
    constexpr std::size_t kNotCompiled = static_cast<std::size_t>(-1);
    std::vector<std::size_t> bodyOf(statements.size(), kNotCompiled), conditionOf(statements.size(), kNotCompiled);
    for (std::size_t i = 0; i < statements.size(); ++i) {
        const TsqlStatement& statement = statements[i];
        if (statement.kind == TsqlStatement::Kind::Unsupported) {
            errors.add(unsupportedStatement(statement.original, statement.error));
            return std::nullopt;
        }
        if (statement.kind != TsqlStatement::Kind::Plain && statement.kind != TsqlStatement::Kind::Conditional) continue;
        for (auto [sql, slot] : {std::pair{&statement.sql, &bodyOf[i]}, std::pair{&statement.condition, &conditionOf[i]}}) {
            if (sql->empty()) continue;
            const StatementText key(*sql);
            if (const auto known = std::find(compiledTexts.begin(), compiledTexts.end(), key); known != compiledTexts.end()) {
                *slot = static_cast<std::size_t>(known - compiledTexts.begin());
                continue;
            }
            int code = 0;
            std::string message;
            Statement prepared = statements_->prepare(*sql, code, message);
            if (!prepared) {
                ProviderError error = sqlServerError(code, message);
                if (!stopsBatch(error) || error.nativeError == 208) continue;
                error.description += " in: " + statement.original;
                errors.add(std::move(error));
                return std::nullopt;
            }
            *slot = compiled.size();
            compiledTexts.push_back(key);
            compiled.push_back(std::move(prepared));
        }
    }

    long affected = 0;
    bool schemaChanged = false;
    for (std::size_t i = 0; i < statements.size(); ++i) {
        TsqlStatement& statement = statements[i];
        syncTransactionCount();
        switch (statement.kind) {
        case TsqlStatement::Kind::BeginTransaction:
            if (transactionCount_ == 0 && sqlite3_get_autocommit(db_->get()) && !runText("BEGIN", errors))
                return affected;
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
                    undoOpenTransaction(errors);
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
        case TsqlStatement::Kind::IdentityInsert: session_->identityInsert = statement.identityInsert; break;
        case TsqlStatement::Kind::DateFormat:
            if (statement.storeError != 0) errors.add(storeRefusal(statement.storeError, statement.storeErrorText));
            else session_->dateOrder = statement.dateOrder;
            break;
        case TsqlStatement::Kind::NoOp:
        case TsqlStatement::Kind::Unsupported:
            break;
        case TsqlStatement::Kind::Conditional:
        case TsqlStatement::Kind::Plain: {
            Statement bodyHere, conditionHere;
            if (statement.rulesUnknown && schemaChanged) {
                // Its table was created by an earlier statement of this batch: its values now get its rules.
                rules_->dateOrder = session_->dateOrder;
                rules_->identityInsert = session_->identityInsert;
                std::vector<TsqlStatement> again = splitBatch(statement.original, rules_.get());
                if (again.size() == 1) {
                    statement = std::move(again.front());
                    bodyOf[i] = conditionOf[i] = kNotCompiled;
                }
            }
            Statement& body = bodyOf[i] != kNotCompiled ? compiled[bodyOf[i]] : bodyHere;
            Statement& condition = conditionOf[i] != kNotCompiled ? compiled[conditionOf[i]] : conditionHere;
            const Outcome outcome = runStatement(statement, body, condition, affected, errors);
            if (statement.changesSchema) {
                rules_->clear();
                schemaChanged = true;
            }
            if (outcome == Outcome::StopBatch) return affected;
            break;
        }
        }
    }
    return affected;
}

std::unique_ptr<RowCursor> SqliteProvider::query(std::string_view statement, ErrorList& errors)
{
    const bool checked = !readsOnly(statement);
    if (checked) {
        reads_->release();
        rules_->refresh();
    } else {
        reads_->beforeRead();
    }
    rules_->dateOrder = session_->dateOrder;
    if (rules_->identityInsert != session_->identityInsert) {
        rules_->identityInsert = session_->identityInsert;
        rules_->shapes().clear();
    }
    std::vector<TsqlStatement> statements = splitBatch(statement, rules_.get(), &rules_->shapes());
    if (checked && !rules_->failure().empty()) {
        errors.add(sqlServerError(db_->lastErrorCode(), rules_->failure()));
        return nullptr;
    }
    TsqlStatement* select = nullptr;
    for (TsqlStatement& s : statements) {
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
    // A store opened as a recordset is refused by its values as a batch's would be.
    if (select->storeError != 0) {
        const ProviderError error = storeRefusal(select->storeError, select->storeErrorText);
        errors.add(error);
        errors.add(statementTerminated(error));
        return nullptr;
    }
    Statement prepared = prepareOrReport(select->sql, errors);
    if (!prepared) return nullptr;
    // The literals go with the cursor, which keeps them while the statement reads them: they are bound where
    // they are, not copied.
    std::vector<SqlParameter> values = std::move(select->parameters);
    if (!bind(prepared, values, errors)) return nullptr;
    // A SELECT that writes (SELECT ... INTO) writes on a read of its own.
    if (!sqlite3_stmt_readonly(prepared.get())) reads_->release();
    std::unique_ptr<RowCursor> cursor = SqliteCursor::start(std::move(prepared), std::move(values), db_, errors);
    if (select->changesSchema) rules_->clear();
    return cursor;
}

void SqliteProvider::beginTransaction(ErrorList& errors) { execute("BEGIN TRANSACTION", errors); }
void SqliteProvider::commitTransaction(ErrorList& errors) { execute("COMMIT TRANSACTION", errors); }
void SqliteProvider::rollbackTransaction(ErrorList& errors) { execute("ROLLBACK TRANSACTION", errors); }

std::unique_ptr<RowCursor> SqliteProvider::tables(ErrorList& errors)
{
    reads_->beforeRead();
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
    reads_->beforeRead();
    Statement statement = prepareOrReport(
        "SELECT m.name, c.name, c.cid + 1, c.type FROM sqlite_master m, pragma_table_info(m.name) c "
        "WHERE m.type IN ('table', 'view') AND m.name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "AND (?1 = '' OR m.name = ?1 COLLATE SQLSRV) ORDER BY m.name, c.cid",
        errors);
    if (!statement
        || !bound(sqlite3_bind_text(statement.get(), 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT),
                  errors))
        return nullptr;
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
    reads_->beforeRead();
    std::vector<std::string> key;
    int code = 0;
    std::string message;
    Statement statement = statements_->prepare("SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk", code, message);
    if (!statement
        || sqlite3_bind_text(statement.get(), 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        return key;
    while (sqlite3_step(statement.get()) == SQLITE_ROW)
        key.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
    return key;
}

bool SqliteProvider::storeValues(std::string_view table, const NamedValues& values, std::vector<base::Value>& stored,
                                 ErrorList& errors)
{
    rules_->refresh();
    const std::vector<ColumnRule>* rules = rules_->columnsOf(table);
    stored.clear();
    for (const auto& [name, value] : values) {
        const ColumnRule* rule = nullptr;
        for (std::size_t i = 0; rules && i < rules->size() && !rule; ++i)
            if (tsql::equalsIgnoreCase((*rules)[i].column, name)) rule = &(*rules)[i];
        if (!rule) {
            stored.push_back(value);
            continue;
        }
        using Kind = base::Value::Kind;
        StoredValue v;
        switch (value.kind()) {
        case Kind::Empty: case Kind::Null: break;
        case Kind::Boolean: v = StoredValue::ofInteger(value.asBoolean() ? 1 : 0); break;
        case Kind::Integer: v = StoredValue::ofInteger(value.asInteger()); break;
        case Kind::Double: v = StoredValue::ofReal(value.asDouble()); break;
        case Kind::Currency: v = StoredValue::ofReal(value.asCurrency().toDouble()); break;
        case Kind::Text: v = StoredValue::ofText(value.asText()); break;
        case Kind::DateTime: v = StoredValue::ofText(value.asDateTime().toIso()); break;
        }
        if (const StoreRefusal refused = storeInto(*rule, v, session_->dateOrder); refused.native != 0) {
            const ProviderError error = storeRefusal(refused.native, refused.message);
            errors.add(error);
            errors.add(statementTerminated(error));
            return false;
        }
        switch (v.kind) {
        case StoredValue::Kind::Null: stored.push_back(value); break;
        case StoredValue::Kind::Integer: stored.emplace_back(v.integer); break;
        case StoredValue::Kind::Real: stored.emplace_back(v.real); break;
        case StoredValue::Kind::Text: stored.emplace_back(std::move(v.text)); break;
        }
    }
    return true;
}

bool SqliteProvider::insertRow(std::string_view table, const NamedValues& values, ErrorList& errors)
{
    reads_->release();
    std::vector<base::Value> stored;
    if (!storeValues(table, values, stored, errors)) return false;
    std::string names, marks;
    for (const auto& [name, value] : values) {
        names += (names.empty() ? "" : ", ") + quoteIdentifier(name);
        marks += marks.empty() ? "?" : ", ?";
    }
    const std::string sql = values.empty() ? fmt::format("INSERT INTO {} DEFAULT VALUES", quoteIdentifier(table))
                                           : fmt::format("INSERT INTO {} ({}) VALUES ({})", quoteIdentifier(table), names, marks);
    Statement statement = prepareOrReport(sql, errors);
    if (!statement) return false;
    for (std::size_t i = 0; i < stored.size(); ++i)
        if (!bound(bindValue(statement.get(), static_cast<int>(i + 1), stored[i]), errors)) return false;
    long affected = 0;
    return run(statement, affected, errors);
}

bool SqliteProvider::updateRow(std::string_view table, const NamedValues& values, const NamedValues& key,
                               ErrorList& errors)
{
    if (values.empty()) return true;
    reads_->release();
    std::vector<base::Value> stored;
    if (!storeValues(table, values, stored, errors)) return false;
    std::string assignments, conditions;
    for (const auto& [name, value] : values) assignments += (assignments.empty() ? "" : ", ") + quoteIdentifier(name) + " = ?";
    for (const auto& [name, value] : key) conditions += (conditions.empty() ? "" : " AND ") + quoteIdentifier(name) + " IS ?";
    Statement statement =
        prepareOrReport(fmt::format("UPDATE {} SET {} WHERE {}", quoteIdentifier(table), assignments, conditions), errors);
    if (!statement) return false;
    int index = 1;
    for (const base::Value& value : stored)
        if (!bound(bindValue(statement.get(), index++, value), errors)) return false;
    for (const auto& entry : key)
        if (!bound(bindValue(statement.get(), index++, entry.second), errors)) return false;
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

// The form every language of the server reads alike, whatever the session's date order. An import writes
// a few per record: the digits are put in place by hand, as fmt would write them.
std::string SqliteProvider::dateLiteral(const base::DateTime& value) const
{
    const int parts[] = {value.year(), value.month(), value.day(), value.hour(), value.minute(), value.second()};
    const bool fits = parts[0] >= 0 && parts[0] <= 9999
                      && std::all_of(parts + 1, std::end(parts), [](int part) { return part >= 0 && part <= 99; });
    if (fits) {
        std::string text = "'yyyymmdd hh:mm:ss'";
        const auto put = [&](std::size_t at, int part, std::size_t digits) {
            for (std::size_t i = digits; i-- > 0; part /= 10) text[at + i] = static_cast<char>('0' + part % 10);
        };
        put(1, parts[0], 4);
        put(5, parts[1], 2);
        put(7, parts[2], 2);
        put(10, parts[3], 2);
        put(13, parts[4], 2);
        put(16, parts[5], 2);
        return text;
    }
    return fmt::format("'{:04}{:02}{:02} {:02}:{:02}:{:02}'", value.year(), value.month(), value.day(), value.hour(),
                       value.minute(), value.second());
}

void SqliteProvider::setCommandTimeout(int seconds)
{
    // The time-out bounds waiting for a lock held by another program on the same file.
    sqlite3_busy_timeout(db_->get(), seconds > 0 ? seconds * 1000 : 0);
}

void SqliteProvider::keepReading(bool walking) { reads_->keep(walking); }

}  // namespace db::sqlite
