#include "platform/db/odbc/OdbcSession.h"

#include "platform/base/Error.h"
#include "platform/base/Utf8.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/odbc/OdbcCursor.h"

namespace db::odbc {

std::u16string toUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = base::nextCodePoint(text, i);
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string fromUtf16(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = base::kReplacementCharacter;
        }
        base::appendUtf8(out, c);
    }
    return out;
}

std::vector<Diagnostic> readDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle)
{
    std::vector<Diagnostic> records;
    for (SQLSMALLINT index = 1;; ++index) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        std::u16string message(1024, u'\0');
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRecW(handleType, handle, index, state, &native, wide(message),
                                      static_cast<SQLSMALLINT>(message.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
            message.assign(static_cast<std::size_t>(length) + 1, u'\0');
            rc = SQLGetDiagRecW(handleType, handle, index, state, &native, wide(message),
                                static_cast<SQLSMALLINT>(message.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc)) break;
        message.resize(std::min<std::size_t>(static_cast<std::size_t>(length), message.size()));
        records.push_back({fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(state), 5)),
                           static_cast<long>(native), fromUtf16(message)});
    }
    return records;
}

Session::~Session()
{
    settle();
    if (connected) SQLDisconnect(dbc);
    if (dbc != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    if (env != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, env);
}

void Session::settle()
{
    if (live) live->bufferRest();
}

void Session::report(SQLSMALLINT handleType, SQLHANDLE handle, ErrorList& errors) const
{
    for (ProviderError& error : providerErrors(readDiagnostics(handleType, handle), dialect)) errors.add(std::move(error));
}

Statement::Statement(Session& session)
{
    session.settle();
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, session.dbc, &handle_))) {
        std::vector<Diagnostic> records = readDiagnostics(SQL_HANDLE_DBC, session.dbc);
        handle_ = SQL_NULL_HSTMT;
        const std::string why = records.empty() ? std::string("the driver gave no statement handle")
                                                : splitVendorPrefix(records.front().message).text;
        throw base::Error(records.empty() ? hresult::kUnspecified
                                          : numberByKind(records.front().sqlState, records.front().nativeError, session.dialect),
                          "The connection cannot run statements: " + why, "Connection");
    }
    if (session.queryTimeout > 0)
        SQLSetStmtAttr(handle_, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(session.queryTimeout)), 0);
}

Statement::~Statement()
{
    if (handle_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
}

SQLHSTMT Statement::release()
{
    SQLHSTMT handle = handle_;
    handle_ = SQL_NULL_HSTMT;
    return handle;
}

}  // namespace db::odbc
