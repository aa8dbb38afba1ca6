#include "platform/db/odbc/OdbcErrors.h"

#include "platform/db/AdoCodes.h"

#include <algorithm>

namespace db::odbc {
namespace {

bool informational(std::string_view sqlState) { return sqlState.starts_with("01"); }

}  // namespace

long numberByKind(std::string_view sqlState, long nativeError, Dialect dialect)
{
    // SQL Server's own numbers say more than the SQL states some drivers give them (FreeTDS reports many
    // server errors as HY000 or 42000).
    if (dialect == Dialect::SqlServer) {
        switch (nativeError) {
        case 2627: case 2601: case 547: case 515: return hresult::kIntegrityViolation;
        case 208: return hresult::kNoSuchTable;
        case 8152: case 2628: return hresult::kDataOverflow;
        case 241: case 242: case 245: case 8114: return hresult::kCannotConvert;
        case 50000: case 102: case 207: case 2714: case 1913: return hresult::kCommandErrors;
        default: break;
        }
    }
    if (sqlState.starts_with("23")) return hresult::kIntegrityViolation;
    if (sqlState == "42S02") return hresult::kNoSuchTable;
    if (sqlState.starts_with("42") || sqlState == "37000") return hresult::kCommandErrors;
    if (sqlState == "22001" || sqlState == "22003") return hresult::kDataOverflow;
    if (sqlState == "22005" || sqlState == "22007" || sqlState == "22008" || sqlState == "22018")
        return hresult::kCannotConvert;
    return hresult::kUnspecified;
}

SplitMessage splitVendorPrefix(std::string_view message)
{
    std::size_t end = 0;
    while (end < message.size() && message[end] == '[') {
        const auto close = message.find(']', end);
        if (close == std::string_view::npos) break;
        end = close + 1;
    }
    return {std::string(message.substr(0, end)), std::string(message.substr(end))};
}

std::vector<ProviderError> providerErrors(const std::vector<Diagnostic>& records, Dialect dialect)
{
    std::vector<ProviderError> entries;
    const auto failure = std::find_if(records.begin(), records.end(),
                                      [](const Diagnostic& d) { return !informational(d.sqlState); });
    if (failure == records.end()) return entries;
    long number = numberByKind(failure->sqlState, failure->nativeError, dialect);
    for (const Diagnostic& record : records) {
        if (!informational(record.sqlState)) number = numberByKind(record.sqlState, record.nativeError, dialect);
        SplitMessage message = splitVendorPrefix(record.message);
        entries.push_back({number, record.nativeError, record.sqlState, std::move(message.text),
                           message.source.empty() ? std::string("ODBC") : std::move(message.source)});
    }
    return entries;
}

}  // namespace db::odbc
