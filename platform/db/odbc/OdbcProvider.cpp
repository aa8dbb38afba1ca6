#include "platform/db/odbc/OdbcProvider.h"

#include "platform/base/Error.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/SchemaLists.h"
#include "platform/db/odbc/OdbcCursor.h"
#include "platform/db/odbc/OdbcSession.h"
#include "platform/db/odbc/OdbcTypes.h"

#include <algorithm>
#include <deque>
#include <fmt/format.h>

namespace db::odbc {
namespace {

constexpr std::string_view kSource = "Connection";

ProviderError ownError(long number, std::string_view state, std::string description)
{
    return {number, 0, std::string(state), std::move(description), "ODBC"};
}

// Runs what SQLExecDirect (or a catalogue function) started to the end of its results: every result's
// errors into the list, the rows each statement affected added up. After a failing statement the server
// may go on with the batch, so the results are read on until the driver says there are no more.
long drainResults(Session& session, SQLHSTMT statement, SQLRETURN rc, ErrorList& errors)
{
    long affected = 0;
    for (;;) {
        if (rc == SQL_ERROR || rc == SQL_SUCCESS_WITH_INFO) session.report(SQL_HANDLE_STMT, statement, errors);
        if (SQL_SUCCEEDED(rc)) {
            SQLSMALLINT columns = 0;
            SQLNumResultCols(statement, &columns);
            SQLLEN rows = -1;
            if (columns == 0 && SQL_SUCCEEDED(SQLRowCount(statement, &rows)) && rows > 0) affected += static_cast<long>(rows);
        } else if (rc != SQL_ERROR && rc != SQL_NO_DATA) {
            break;  // a driver asking for data or still working: nothing this provider started
        }
        rc = SQLMoreResults(statement);
        if (rc == SQL_NO_DATA || rc == SQL_INVALID_HANDLE) break;
        if (rc == SQL_ERROR) {
            // The end of the batch: the last statement failed, or the server gave the batch up.
            session.report(SQL_HANDLE_STMT, statement, errors);
            break;
        }
    }
    return affected;
}

// Rows of a catalogue function, read whole: schema lists are small and the program walks them freely.
std::vector<Row> catalogRows(Session& session, Statement& statement, SQLRETURN rc, ErrorList& errors)
{
    if (!SQL_SUCCEEDED(rc)) {
        session.report(SQL_HANDLE_STMT, statement.get(), errors);
        if (errors.empty()) errors.add(ownError(hresult::kUnspecified, "HY000", "The driver could not list the catalogue."));
        return {};
    }
    std::vector<ColumnInfo> columns = describeResult(statement.get());
    OdbcCursor cursor(session, statement.release(), std::move(columns));
    std::vector<Row> rows;
    Row row;
    try {
        while (cursor.next(row)) rows.push_back(std::move(row));
    } catch (const base::Error& error) {
        errors.add(ownError(error.number(), "HY000", error.description()));
        return {};
    }
    return rows;
}

const base::Value& at(const Row& row, std::size_t index)
{
    static const base::Value null = base::Value::null();
    return index < row.size() ? row[index] : null;
}

std::string textOf(const base::Value& value) { return value.isNull() || value.isEmpty() ? std::string() : value.toText(); }

// A program value bound as a statement parameter; it lives until the statement has run.
struct Parameter {
    SQLSMALLINT cType = SQL_C_WCHAR;
    SQLSMALLINT sqlType = SQL_WVARCHAR;
    SQLULEN size = 1;
    SQLSMALLINT digits = 0;
    std::u16string text;
    SQLBIGINT integer = 0;
    double number = 0;
    unsigned char bit = 0;
    SQL_TIMESTAMP_STRUCT stamp{};
    SQLLEN indicator = 0;

    explicit Parameter(const base::Value& value)
    {
        using Kind = base::Value::Kind;
        switch (value.kind()) {
        case Kind::Empty:
        case Kind::Null: indicator = SQL_NULL_DATA; break;
        case Kind::Boolean:
            cType = SQL_C_BIT, sqlType = SQL_BIT, bit = value.asBoolean() ? 1 : 0;
            break;
        case Kind::Integer:
            cType = SQL_C_SBIGINT, sqlType = SQL_BIGINT, size = 19, integer = value.asInteger();
            break;
        case Kind::Double:
            cType = SQL_C_DOUBLE, sqlType = SQL_DOUBLE, size = 15, number = value.asDouble();
            break;
        case Kind::Currency: {
            // As exact text: four decimals, "." whatever the regional settings.
            const std::int64_t scaled = value.asCurrency().scaled();
            const std::uint64_t magnitude = scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
            text = toUtf16(fmt::format("{}{}.{:04}", scaled < 0 ? "-" : "", magnitude / 10000, magnitude % 10000));
            sqlType = SQL_DECIMAL, size = 19, digits = 4;
            indicator = static_cast<SQLLEN>(text.size() * sizeof(char16_t));
            break;
        }
        case Kind::Text:
            text = toUtf16(value.asText());
            size = std::max<SQLULEN>(text.size(), 1);
            if (size > 4000) sqlType = SQL_WLONGVARCHAR;
            indicator = static_cast<SQLLEN>(text.size() * sizeof(char16_t));
            break;
        case Kind::DateTime: {
            const base::DateTime date = value.asDateTime();
            stamp = {static_cast<SQLSMALLINT>(date.year()), static_cast<SQLUSMALLINT>(date.month()),
                     static_cast<SQLUSMALLINT>(date.day()), static_cast<SQLUSMALLINT>(date.hour()),
                     static_cast<SQLUSMALLINT>(date.minute()), static_cast<SQLUSMALLINT>(date.second()), 0};
            cType = SQL_C_TYPE_TIMESTAMP, sqlType = SQL_TYPE_TIMESTAMP, size = 19;
            break;
        }
        }
    }

    SQLPOINTER data()
    {
        switch (cType) {
        case SQL_C_BIT: return &bit;
        case SQL_C_SBIGINT: return &integer;
        case SQL_C_DOUBLE: return &number;
        case SQL_C_TYPE_TIMESTAMP: return &stamp;
        default: return text.data();
        }
    }
};

// Runs a statement with parameters; the rows it affected, or -1 after adding its errors.
long runWithParameters(Session& session, const std::string& sql, const std::vector<const base::Value*>& values,
                       ErrorList& errors)
{
    Statement statement(session);
    std::deque<Parameter> parameters;  // addresses stay put while more are added
    for (std::size_t i = 0; i < values.size(); ++i) {
        Parameter& p = parameters.emplace_back(*values[i]);
        const SQLRETURN rc =
            SQLBindParameter(statement.get(), static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, p.cType, p.sqlType, p.size,
                             p.digits, p.data(), static_cast<SQLLEN>(p.text.size() * sizeof(char16_t)), &p.indicator);
        if (!SQL_SUCCEEDED(rc)) {
            session.report(SQL_HANDLE_STMT, statement.get(), errors);
            return -1;
        }
    }
    std::u16string text = toUtf16(sql);
    const std::size_t before = errors.count();
    const long affected = drainResults(session, statement.get(), SQLExecDirectW(statement.get(), wide(text), SQL_NTS), errors);
    return errors.count() > before ? -1 : affected;
}

}  // namespace

std::unique_ptr<OdbcProvider> OdbcProvider::open(const std::string& connectionString, Dialect dialect,
                                                 std::string_view driver, std::string_view target)
{
    auto session = std::make_unique<Session>();
    session->dialect = dialect;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &session->env)) ||
        !SQL_SUCCEEDED(SQLSetEnvAttr(session->env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)) ||
        !SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, session->env, &session->dbc)))
        throw base::Error(adoerror::kProviderNotFound, "The ODBC driver manager (unixODBC) cannot be used.", std::string(kSource));

    std::u16string text = toUtf16(connectionString);
    const SQLRETURN rc = SQLDriverConnectW(session->dbc, nullptr, wide(text), SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        const std::vector<Diagnostic> records = readDiagnostics(SQL_HANDLE_DBC, session->dbc);
        const std::string where = fmt::format("ODBC driver \"{}\", {}", driver, target);
        if (records.empty())
            throw base::Error(hresult::kUnspecified, fmt::format("The connection could not be made ({}).", where),
                              std::string(kSource));
        // The driver manager reports a driver it cannot load as a warning (01000) beside the failure.
        auto failure = std::find_if(records.begin(), records.end(),
                                    [](const Diagnostic& d) { return !d.sqlState.starts_with("01"); });
        const bool driverMissing =
            std::any_of(records.begin(), records.end(), [](const Diagnostic& d) {
                return d.sqlState == "IM002" || d.sqlState == "IM003" || d.message.find("Can't open lib") != std::string::npos;
            });
        if (failure == records.end()) failure = records.begin();
        std::string description = fmt::format("{} ({})", splitVendorPrefix(failure->message).text, where);
        if (driverMissing)
            description += " odbcinst -q -d lists the installed drivers; MIGRA_ODBC_DRIVER (MIGRA_ODBC_ORACLE_DRIVER for "
                           "Oracle) names the one to use.";
        throw base::Error(numberByKind(failure->sqlState, failure->nativeError, dialect), description, std::string(kSource));
    }
    session->connected = true;

    return std::unique_ptr<OdbcProvider>(new OdbcProvider(std::move(session)));
}

OdbcProvider::OdbcProvider(std::unique_ptr<Session> session) : session_(std::move(session)) {}

OdbcProvider::~OdbcProvider()
{
    session_->settle();
    // A transaction left open when the connection goes is undone, as the server does for a lost session.
    if (inTransaction_) {
        SQLEndTran(SQL_HANDLE_DBC, session_->dbc, SQL_ROLLBACK);
        SQLSetConnectAttr(session_->dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    }
}

std::string OdbcProvider::identifier(std::string_view name) const
{
    // Oracle folds unquoted names to upper case and the program writes its names unquoted, so they go in
    // as written. SQL Server's go in brackets, which it reads whatever its QUOTED_IDENTIFIER setting.
    if (session_->dialect == Dialect::Oracle) return std::string(name);
    return "[" + base::replace(name, "]", "]]", base::Compare::Binary) + "]";
}

std::string OdbcProvider::catalogName(std::string_view name) const
{
    return session_->dialect == Dialect::Oracle ? base::toUpperCase(name) : std::string(name);
}

long OdbcProvider::execute(std::string_view batch, ErrorList& errors)
{
    Statement statement(*session_);
    std::u16string text = toUtf16(batch);
    return drainResults(*session_, statement.get(), SQLExecDirectW(statement.get(), wide(text), SQL_NTS), errors);
}

std::unique_ptr<RowCursor> OdbcProvider::query(std::string_view sql, ErrorList& errors)
{
    Statement statement(*session_);
    std::u16string text = toUtf16(sql);
    const std::size_t before = errors.count();
    SQLRETURN rc = SQLExecDirectW(statement.get(), wide(text), SQL_NTS);
    // The rows are those of the first result that has columns ("SET NOCOUNT ON" or an INSERT may come first).
    for (;;) {
        if (rc == SQL_ERROR || rc == SQL_SUCCESS_WITH_INFO) session_->report(SQL_HANDLE_STMT, statement.get(), errors);
        if (SQL_SUCCEEDED(rc)) {
            SQLSMALLINT columns = 0;
            SQLNumResultCols(statement.get(), &columns);
            if (columns > 0) break;
        } else if (rc != SQL_ERROR && rc != SQL_NO_DATA) {
            break;
        }
        rc = SQLMoreResults(statement.get());
        if (rc == SQL_ERROR) session_->report(SQL_HANDLE_STMT, statement.get(), errors);
        if (!SQL_SUCCEEDED(rc)) break;
    }
    if (errors.count() > before) return nullptr;
    if (!SQL_SUCCEEDED(rc)) {
        errors.add(ownError(hresult::kCommandErrors, "42000", "The statement returns no rows: " + std::string(sql)));
        return nullptr;
    }
    std::vector<ColumnInfo> columns = describeResult(statement.get());
    return std::make_unique<OdbcCursor>(*session_, statement.release(), std::move(columns));
}

void OdbcProvider::beginTransaction(ErrorList& errors)
{
    session_->settle();
    if (inTransaction_) {
        errors.add(ownError(hresult::kUnspecified, "25000", "A transaction is already open on this connection."));
        return;
    }
    if (!SQL_SUCCEEDED(SQLSetConnectAttr(session_->dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0))) {
        session_->report(SQL_HANDLE_DBC, session_->dbc, errors);
        return;
    }
    inTransaction_ = true;
}

void OdbcProvider::commitTransaction(ErrorList& errors)
{
    if (!inTransaction_) {
        errors.add(ownError(hresult::kUnspecified, "25000", "There is no open transaction to commit."));
        return;
    }
    endTransaction(true, errors);
}

void OdbcProvider::rollbackTransaction(ErrorList& errors)
{
    // Nothing open, nothing to undo: the program rolls back after failures that may have come before any begin.
    if (inTransaction_) endTransaction(false, errors);
}

void OdbcProvider::endTransaction(bool commit, ErrorList& errors)
{
    session_->settle();
    if (!SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, session_->dbc, commit ? SQL_COMMIT : SQL_ROLLBACK))) {
        session_->report(SQL_HANDLE_DBC, session_->dbc, errors);
        // A commit that fails leaves nothing half-written: the transaction is undone.
        if (commit) SQLEndTran(SQL_HANDLE_DBC, session_->dbc, SQL_ROLLBACK);
    }
    inTransaction_ = false;
    if (!SQL_SUCCEEDED(SQLSetConnectAttr(session_->dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0)))
        session_->report(SQL_HANDLE_DBC, session_->dbc, errors);
}

std::unique_ptr<RowCursor> OdbcProvider::tables(ErrorList& errors)
{
    Statement statement(*session_);
    std::u16string types = u"TABLE,VIEW";
    const SQLRETURN rc = SQLTablesW(statement.get(), nullptr, 0, nullptr, 0, nullptr, 0, wide(types), SQL_NTS);
    const std::size_t before = errors.count();
    std::vector<Row> found = catalogRows(*session_, statement, rc, errors);
    if (errors.count() > before) return nullptr;
    std::vector<Row> rows;
    for (const Row& row : found) rows.push_back({at(row, 0), at(row, 1), at(row, 2), at(row, 3)});
    return tableList(std::move(rows));
}

std::unique_ptr<RowCursor> OdbcProvider::columns(std::string_view table, ErrorList& errors)
{
    Statement statement(*session_);
    std::u16string name = toUtf16(catalogName(table));
    const SQLRETURN rc = SQLColumnsW(statement.get(), nullptr, 0, nullptr, 0, table.empty() ? nullptr : wide(name),
                                     table.empty() ? 0 : SQL_NTS, nullptr, 0);
    const std::size_t before = errors.count();
    std::vector<Row> found = catalogRows(*session_, statement, rc, errors);
    if (errors.count() > before) return nullptr;
    std::vector<Row> rows;
    for (const Row& row : found) {
        // The name is a search pattern, in which "_" stands for any character: MA_CUENTAS also finds
        // MAXCUENTAS. Only the table asked for counts.
        if (!table.empty() && !base::equalsIgnoringCase(textOf(at(row, 2)), table)) continue;
        const base::Value& sqlType = at(row, 4);
        const base::Value& size = at(row, 6);
        const ColumnInfo info = describeColumn(
            "", sqlType.isNull() ? 0 : static_cast<int>(sqlType.toInteger()),
            size.isNull() ? 0UL : static_cast<unsigned long>(std::max<std::int64_t>(size.toInteger(), 0)), textOf(at(row, 5)));
        rows.push_back({at(row, 0), at(row, 1), at(row, 2), at(row, 3), at(row, 16), static_cast<int>(info.type),
                        hasCharacterLength(info.type) ? base::Value(info.definedSize) : base::Value::null()});
    }
    return columnList(std::move(rows));
}

std::vector<std::string> OdbcProvider::primaryKey(std::string_view table)
{
    ErrorList ignored;
    Statement statement(*session_);
    std::u16string name = toUtf16(catalogName(table));
    const SQLRETURN rc = SQLPrimaryKeysW(statement.get(), nullptr, 0, nullptr, 0, wide(name), SQL_NTS);
    std::vector<Row> found = catalogRows(*session_, statement, rc, ignored);
    std::sort(found.begin(), found.end(), [](const Row& a, const Row& b) {
        const base::Value &x = at(a, 4), &y = at(b, 4);
        return (x.isNull() ? 0 : x.toInteger()) < (y.isNull() ? 0 : y.toInteger());
    });
    std::vector<std::string> key;
    for (const Row& row : found) key.push_back(textOf(at(row, 3)));
    return key;
}

bool OdbcProvider::insertRow(std::string_view table, const NamedValues& values, ErrorList& errors)
{
    std::string names, marks;
    std::vector<const base::Value*> parameters;
    for (const auto& [name, value] : values) {
        names += (names.empty() ? "" : ", ") + identifier(name);
        marks += marks.empty() ? "?" : ", ?";
        parameters.push_back(&value);
    }
    const std::string sql = values.empty() ? fmt::format("INSERT INTO {} DEFAULT VALUES", identifier(table))
                                           : fmt::format("INSERT INTO {} ({}) VALUES ({})", identifier(table), names, marks);
    return runWithParameters(*session_, sql, parameters, errors) >= 0;
}

bool OdbcProvider::updateRow(std::string_view table, const NamedValues& values, const NamedValues& key, ErrorList& errors)
{
    if (values.empty()) return true;
    std::string assignments, conditions;
    std::vector<const base::Value*> parameters;
    for (const auto& [name, value] : values) {
        assignments += (assignments.empty() ? "" : ", ") + identifier(name) + " = ?";
        parameters.push_back(&value);
    }
    for (const auto& [name, value] : key) {
        conditions += conditions.empty() ? "" : " AND ";
        if (value.isNull() || value.isEmpty()) {
            conditions += identifier(name) + " IS NULL";
        } else {
            conditions += identifier(name) + " = ?";
            parameters.push_back(&value);
        }
    }
    const long affected = runWithParameters(
        *session_, fmt::format("UPDATE {} SET {} WHERE {}", identifier(table), assignments, conditions), parameters, errors);
    if (affected < 0) return false;
    if (affected == 0) {
        errors.add({hresult::kUnspecified, 0, "HY000",
                    "Row cannot be located for updating. Some values may have been changed since it was last read.",
                    "Microsoft Cursor Engine"});
        return false;
    }
    return true;
}

std::string OdbcProvider::dateLiteral(const base::DateTime& value) const
{
    if (session_->dialect == Dialect::Oracle)
        return fmt::format("TO_DATE('{:04}-{:02}-{:02} {:02}:{:02}:{:02}','YYYY-MM-DD HH24:MI:SS')", value.year(),
                           value.month(), value.day(), value.hour(), value.minute(), value.second());
    return fmt::format("'{:04}{:02}{:02} {:02}:{:02}:{:02}'", value.year(), value.month(), value.day(), value.hour(),
                       value.minute(), value.second());
}

void OdbcProvider::setCommandTimeout(int seconds) { session_->queryTimeout = std::max(seconds, 0); }

void OdbcProvider::setIsolationLevel(long level)
{
    // A level the database does not offer (Oracle has no read uncommitted) leaves it at its own default:
    // readers there never wait for writers anyway, which is what the program asks the level for.
    if (const auto isolation = odbcIsolation(level)) {
        session_->settle();
        SQLSetConnectAttr(session_->dbc, SQL_ATTR_TXN_ISOLATION, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(*isolation)), 0);
    }
}

void OdbcProvider::setDefaultDatabase(std::string_view name)
{
    // Oracle has no catalogues: the data source chosen at log-in is the database.
    if (session_->dialect == Dialect::Oracle || name.empty()) return;
    session_->settle();
    std::u16string text = toUtf16(name);
    if (SQL_SUCCEEDED(SQLSetConnectAttrW(session_->dbc, SQL_ATTR_CURRENT_CATALOG, wide(text), SQL_NTS))) return;
    const std::vector<Diagnostic> records = readDiagnostics(SQL_HANDLE_DBC, session_->dbc);
    if (records.empty())
        throw base::Error(hresult::kUnspecified, fmt::format("The database \"{}\" cannot be made the default.", name),
                          std::string(kSource));
    throw base::Error(numberByKind(records.front().sqlState, records.front().nativeError, session_->dialect),
                      splitVendorPrefix(records.front().message).text, std::string(kSource));
}

}  // namespace db::odbc
