#pragma once
// SQLite's failures told the way SQL Server tells them, because the program decides what to do by the
// native number: 2627 duplicate key, 547 reference or check, 515 null, 8152 too long, 241 bad date,
// 208 no such object, 207 no such column, 2714 already exists, 102 syntax, 50000 raised by a trigger.

#include "platform/db/ErrorList.h"

#include <string_view>

namespace db::sqlite {

// The messages the width and date checks of the schema raise, so the mapping can tell them apart.
inline constexpr std::string_view kTooLongMarker = "MIGRA-8152:";
inline constexpr std::string_view kBadDateMarker = "MIGRA-241:";

// The message of a check the engine's own functions raise: this prefix, SQL Server's number, ":", the text.
inline constexpr std::string_view kRaisedMarker = "MIGRA-";

ProviderError sqlServerError(int extendedCode, std::string_view message);

// A value a column refuses (see StoredValues.h), with SQL Server's number `native` and `message`.
ProviderError storeRefusal(long native, std::string message);

// The entry SQL Server adds after a statement it ended early because of `cause`.
ProviderError statementTerminated(const ProviderError& cause);

// A statement the dialect rewriter could not take: reported with its text, nothing runs.
ProviderError unsupportedStatement(std::string_view statement, std::string_view why);

// Errors after which SQL Server stops the rest of the batch (it could not compile the statement);
// after the others it ends only the failing statement and goes on.
bool stopsBatch(const ProviderError& error);

}  // namespace db::sqlite
