#include "platform/db/odbc/OdbcCursor.h"

#include "platform/db/AdoCodes.h"
#include "platform/db/odbc/OdbcTypes.h"

#include <cstdlib>
#include <string>

namespace db::odbc {
namespace {

[[noreturn]] void readFailure(SQLHSTMT statement, Dialect dialect)
{
    const std::vector<Diagnostic> records = readDiagnostics(SQL_HANDLE_STMT, statement);
    if (records.empty()) throw base::Error(hresult::kUnspecified, "The driver could not read the row.", "Recordset");
    const Diagnostic& first = records.front();
    throw base::Error(numberByKind(first.sqlState, first.nativeError, dialect), splitVendorPrefix(first.message).text,
                      "Recordset");
}

// A value of variable length (text or bytes), read in pieces; nothing for Null.
template <typename Unit>
std::optional<std::basic_string<Unit>> readLong(SQLHSTMT statement, SQLUSMALLINT index, SQLSMALLINT cType,
                                                Dialect dialect)
{
    constexpr std::size_t kPiece = 2048;
    const std::size_t terminator = cType == SQL_C_BINARY ? 0 : 1;
    std::basic_string<Unit> value;
    std::basic_string<Unit> piece(kPiece, Unit{});
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(statement, index, cType, piece.data(),
                                        static_cast<SQLLEN>(piece.size() * sizeof(Unit)), &indicator);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) readFailure(statement, dialect);
        if (indicator == SQL_NULL_DATA) return std::nullopt;
        const std::size_t room = piece.size() - terminator;
        std::size_t units = room;
        if (indicator != SQL_NO_TOTAL && static_cast<std::size_t>(indicator) / sizeof(Unit) < room)
            units = static_cast<std::size_t>(indicator) / sizeof(Unit);
        value.append(piece.data(), units);
        if (rc == SQL_SUCCESS) break;  // with info: the value goes on in the next piece
    }
    return value;
}

template <typename Fixed>
std::optional<Fixed> readFixed(SQLHSTMT statement, SQLUSMALLINT index, SQLSMALLINT cType, Dialect dialect)
{
    Fixed value{};
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(statement, index, cType, &value, sizeof value, &indicator);
    if (!SQL_SUCCEEDED(rc)) readFailure(statement, dialect);
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    return value;
}

base::Value readText(SQLHSTMT statement, SQLUSMALLINT index, Dialect dialect)
{
    const auto text = readLong<char16_t>(statement, index, SQL_C_WCHAR, dialect);
    return text ? base::Value(fromUtf16(*text)) : base::Value::null();
}

base::Value readValue(SQLHSTMT statement, SQLUSMALLINT index, AdoType type, Dialect dialect)
{
    switch (type) {
    case AdoType::Boolean: {
        const auto bit = readFixed<unsigned char>(statement, index, SQL_C_BIT, dialect);
        return bit ? base::Value(*bit != 0) : base::Value::null();
    }
    case AdoType::SmallInt:
    case AdoType::Integer:
    case AdoType::TinyInt:
    case AdoType::UnsignedTinyInt:
    case AdoType::BigInt: {
        const auto number = readFixed<SQLBIGINT>(statement, index, SQL_C_SBIGINT, dialect);
        return number ? base::Value(static_cast<long long>(*number)) : base::Value::null();
    }
    case AdoType::Single:
    case AdoType::Double:
    case AdoType::Numeric:
    case AdoType::Decimal: {
        const auto number = readFixed<double>(statement, index, SQL_C_DOUBLE, dialect);
        return number ? base::Value(*number) : base::Value::null();
    }
    case AdoType::Currency: {
        // Read as text so the four decimals arrive exact.
        base::Value text = readText(statement, index, dialect);
        if (text.isNull()) return text;
        if (auto amount = base::Currency::parse(text.asText())) return *amount;
        return std::strtod(text.asText().c_str(), nullptr);
    }
    case AdoType::DBTimeStamp: {
        const auto stamp = readFixed<SQL_TIMESTAMP_STRUCT>(statement, index, SQL_C_TYPE_TIMESTAMP, dialect);
        if (!stamp) return base::Value::null();
        return base::DateTime::fromParts(stamp->year, stamp->month, stamp->day, stamp->hour, stamp->minute, stamp->second);
    }
    case AdoType::DBDate: {
        const auto date = readFixed<SQL_DATE_STRUCT>(statement, index, SQL_C_TYPE_DATE, dialect);
        if (!date) return base::Value::null();
        return base::DateTime::fromParts(date->year, date->month, date->day);
    }
    case AdoType::DBTime: {
        const auto time = readFixed<SQL_TIME_STRUCT>(statement, index, SQL_C_TYPE_TIME, dialect);
        if (!time) return base::Value::null();
        return base::DateTime::fromSeconds(time->hour * 3600 + time->minute * 60 + time->second);
    }
    default:
        break;
    }
    if (static_cast<int>(type) == 128 || static_cast<int>(type) == 204 || static_cast<int>(type) == 205) {
        const auto bytes = readLong<char>(statement, index, SQL_C_BINARY, dialect);
        return bytes ? base::Value(*bytes) : base::Value::null();
    }
    return readText(statement, index, dialect);
}

}  // namespace

std::vector<ColumnInfo> describeResult(SQLHSTMT statement)
{
    SQLSMALLINT count = 0;
    SQLNumResultCols(statement, &count);
    std::vector<ColumnInfo> columns;
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
        std::u16string name(256, u'\0');
        SQLSMALLINT nameLength = 0, sqlType = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        SQLDescribeColW(statement, i, wide(name), static_cast<SQLSMALLINT>(name.size()), &nameLength, &sqlType, &size,
                        &digits, &nullable);
        name.resize(std::min<std::size_t>(static_cast<std::size_t>(std::max<SQLSMALLINT>(nameLength, 0)), name.size() - 1));
        std::u16string typeName(128, u'\0');
        SQLSMALLINT typeNameBytes = 0;
        if (!SQL_SUCCEEDED(SQLColAttributeW(statement, i, SQL_DESC_TYPE_NAME, wide(typeName),
                                            static_cast<SQLSMALLINT>(typeName.size() * sizeof(char16_t)), &typeNameBytes,
                                            nullptr)))
            typeNameBytes = 0;
        typeName.resize(std::min<std::size_t>(static_cast<std::size_t>(std::max<SQLSMALLINT>(typeNameBytes, 0)) / sizeof(char16_t),
                                              typeName.size() - 1));
        columns.push_back(describeColumn(fromUtf16(name), sqlType, static_cast<unsigned long>(size), fromUtf16(typeName)));
    }
    return columns;
}

OdbcCursor::OdbcCursor(Session& session, SQLHSTMT statement, std::vector<ColumnInfo> columns)
    : session_(&session), statement_(statement), columns_(std::move(columns))
{
    session.settle();
    session.live = this;
}

OdbcCursor::~OdbcCursor() { finish(); }

bool OdbcCursor::next(Row& row)
{
    if (!buffered_.empty()) {
        row = std::move(buffered_.front());
        buffered_.pop_front();
        return true;
    }
    if (failure_) {
        const base::Error failure = *failure_;
        failure_.reset();
        throw failure;
    }
    return statement_ != SQL_NULL_HSTMT && fetch(row);
}

bool OdbcCursor::fetch(Row& row)
{
    const SQLRETURN rc = SQLFetch(statement_);
    if (rc == SQL_NO_DATA) {
        finish();
        return false;
    }
    try {
        if (!SQL_SUCCEEDED(rc)) readFailure(statement_, session_->dialect);
        row.assign(columns_.size(), base::Value::null());
        for (std::size_t i = 0; i < columns_.size(); ++i)
            row[i] = readValue(statement_, static_cast<SQLUSMALLINT>(i + 1), columns_[i].type, session_->dialect);
    } catch (const base::Error&) {
        finish();
        throw;
    }
    return true;
}

void OdbcCursor::bufferRest()
{
    Row row;
    try {
        while (statement_ != SQL_NULL_HSTMT && fetch(row)) buffered_.push_back(std::move(row));
    } catch (const base::Error& error) {
        failure_ = error;
    }
    finish();
}

void OdbcCursor::finish()
{
    if (statement_ != SQL_NULL_HSTMT) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement_);
        statement_ = SQL_NULL_HSTMT;
    }
    if (session_ && session_->live == this) session_->live = nullptr;
    session_ = nullptr;
}

}  // namespace db::odbc
