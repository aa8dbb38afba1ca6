#pragma once
// What the engine's SQL functions share (internal to the SQLite provider): reading arguments, answering
// text, raising an error SqlServerErrors maps to SQL Server's number, and the groups each file registers.

#include "platform/db/sqlite/SqlServerErrors.h"
#include "platform/db/sqlite/StoredValues.h"

#include <fmt/format.h>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace db::sqlite {

inline std::string_view textArgument(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value))) : std::string_view();
}

inline void resultText(sqlite3_context* context, std::string_view text)
{
    // An empty view may have no data at all; SQLite would take that for Null.
    sqlite3_result_text(context, text.data() ? text.data() : "", static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// Ends the statement with SQL Server's error `native`.
inline void raise(sqlite3_context* context, long native, std::string_view message)
{
    const std::string text = fmt::format("{}{}:{}", kRaisedMarker, native, message);
    sqlite3_result_error(context, text.c_str(), static_cast<int>(text.size()));
}

inline void define(sqlite3* db, const char* name, int args, void (*function)(sqlite3_context*, int, sqlite3_value**),
                   void* data = nullptr, bool deterministic = true)
{
    const int flags = SQLITE_UTF8 | (deterministic ? SQLITE_DETERMINISTIC : 0);
    sqlite3_create_function_v2(db, name, args, flags, data, function, nullptr, nullptr, nullptr);
}

// The order in which the calling connection reads dates (the function's data is its SessionSettings).
inline DateOrder sessionDateOrder(sqlite3_context* context)
{
    const auto* session = static_cast<const SessionSettings*>(sqlite3_user_data(context));
    return session ? session->dateOrder : DateOrder::DMY;
}

// + - * / SUM AVG and the store checks (SqlServerArithmetic.cpp).
void registerArithmetic(sqlite3* db, const SessionSettings* session);
// GETDATE YEAR MONTH DAY DATEADD DATEDIFF DATEPART (SqlServerDateFunctions.cpp).
void registerDateFunctions(sqlite3* db, const SessionSettings* session);

}  // namespace db::sqlite
