#include "platform/db/sqlite/SqlServerErrors.h"

#include "platform/db/AdoCodes.h"

#include <charconv>
#include <fmt/format.h>
#include <sqlite3.h>
#include <string>

namespace db::sqlite {
namespace {

constexpr std::string_view kSource = "Microsoft OLE DB Provider for SQL Server";

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

ProviderError make(long number, long native, std::string_view state, std::string description)
{
    return {number, native, std::string(state), std::move(description), std::string(kSource)};
}

}  // namespace

ProviderError storeRefusal(long native, std::string message)
{
    switch (native) {
    case 8152: return make(hresult::kDataOverflow, native, "22001", std::move(message));
    case 241: return make(hresult::kCannotConvert, native, "22007", std::move(message));
    case 242: return make(hresult::kDataOverflow, native, "22008", std::move(message));
    case 245: case 8114: return make(hresult::kCannotConvert, native, "22018", std::move(message));
    case 8115: case 8134: return make(hresult::kDataOverflow, native, "22003", std::move(message));
    case 195: case 174: return make(hresult::kCommandErrors, native, "42000", std::move(message));
    default: return make(hresult::kCommandErrors, native, "42000", std::move(message));
    }
}

ProviderError sqlServerError(int extendedCode, std::string_view message)
{
    const std::string text(message);
    if (message.starts_with(kRaisedMarker)) {
        // A check of the engine's functions: "MIGRA-8152:String or binary data would be truncated ..."
        long native = 0;
        const auto digits = message.substr(kRaisedMarker.size());
        const auto read = std::from_chars(digits.data(), digits.data() + digits.size(), native);
        if (read.ec == std::errc() && read.ptr < digits.data() + digits.size() && *read.ptr == ':')
            return storeRefusal(native, std::string(read.ptr + 1, digits.data() + digits.size()));
    }
    switch (extendedCode) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
        return make(hresult::kIntegrityViolation, 2627, "23000",
                    "Violation of PRIMARY KEY or UNIQUE KEY constraint. Cannot insert duplicate key (" + text + ").");
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return make(hresult::kIntegrityViolation, 547, "23000",
                    "The statement conflicted with a FOREIGN KEY constraint (" + text + ").");
    case SQLITE_CONSTRAINT_CHECK:
        return make(hresult::kIntegrityViolation, 547, "23000",
                    "The statement conflicted with a CHECK constraint (" + text + ").");
    case SQLITE_CONSTRAINT_NOTNULL:
        return make(hresult::kIntegrityViolation, 515, "23000",
                    "Cannot insert the value NULL into a column that does not allow nulls (" + text + ").");
    case SQLITE_CONSTRAINT_TRIGGER:
        if (message.starts_with(kTooLongMarker))
            return make(hresult::kDataOverflow, 8152, "22001",
                        "String or binary data would be truncated (" + text.substr(kTooLongMarker.size()) + ").");
        if (message.starts_with(kBadDateMarker))
            return make(hresult::kCannotConvert, 241, "22007",
                        "Conversion failed when converting date and/or time from character string (" +
                            text.substr(kBadDateMarker.size()) + ").");
        return make(hresult::kCommandErrors, 50000, "42000", text);
    default:
        break;
    }
    if (contains(message, "no such table") || contains(message, "no such view"))
        return make(hresult::kNoSuchTable, 208, "42S02", "Invalid object name (" + text + ").");
    if (contains(message, "no such column") || contains(message, "has no column named"))
        return make(hresult::kCommandErrors, 207, "42S22", "Invalid column name (" + text + ").");
    if (contains(message, "no such function"))
        return make(hresult::kCommandErrors, 195, "42000",
                    "'" + text.substr(text.rfind(' ') + 1) + "' is not a recognized built-in function name.");
    if (contains(message, "wrong number of arguments to function"))
        return make(hresult::kCommandErrors, 174, "42000", "The function requires another number of arguments (" + text + ").");
    if (contains(message, "index") && contains(message, "already exists"))
        return make(hresult::kCommandErrors, 1913, "42S11", "The operation failed because an index exists (" + text + ").");
    if (contains(message, "already exists"))
        return make(hresult::kCommandErrors, 2714, "42S01", "There is already an object with that name (" + text + ").");
    if (contains(message, "syntax error") || contains(message, "incomplete input") || contains(message, "unrecognized token"))
        return make(hresult::kCommandErrors, 102, "42000", "Incorrect syntax (" + text + ").");
    if ((extendedCode & 0xFF) == SQLITE_ERROR && contains(message, "Conversion failed"))
        return make(hresult::kCannotConvert, 245, "22018", text);
    if ((extendedCode & 0xFF) == SQLITE_CONSTRAINT) return make(hresult::kIntegrityViolation, 547, "23000", text);
    return make(hresult::kUnspecified, 0, "HY000", text);
}

ProviderError statementTerminated(const ProviderError& cause)
{
    return make(cause.number, 3621, "01000", "The statement has been terminated.");
}

ProviderError unsupportedStatement(std::string_view statement, std::string_view why)
{
    return make(hresult::kCommandErrors, 102, "42000",
                fmt::format("Statement not supported by the embedded database ({}): {}", why, statement));
}

bool stopsBatch(const ProviderError& error)
{
    switch (error.nativeError) {
    case 102: case 155: case 174: case 195: case 207: case 208: return true;
    default: return false;
    }
}

}  // namespace db::sqlite
