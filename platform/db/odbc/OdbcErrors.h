#pragma once
// What an ODBC driver reports (SQL state, native number, message per diagnostic record) turned into the
// connection's error list. The program branches on the number by kind (integrity, no such table, errors in
// the command ...) and on SQL Server's native numbers, so the entries carry both. Informational records
// alone (a changed database context, "Null value is eliminated by an aggregate", PRINT output) are not
// failures and stay out of the list; beside a failure (SQL Server's "The statement has been terminated.")
// they go in with the failure's number.

#include "platform/db/ErrorList.h"
#include "platform/db/odbc/OdbcConnectionString.h"

#include <string>
#include <string_view>
#include <vector>

namespace db::odbc {

struct Diagnostic {
    std::string sqlState;
    long nativeError = 0;
    std::string message;
};

// The number by kind (see hresult::) of one record.
long numberByKind(std::string_view sqlState, long nativeError, Dialect dialect);

// "[FreeTDS][SQL Server]Invalid object name 'X'." -> source "[FreeTDS][SQL Server]", text "Invalid object
// name 'X'.": the operator reads the database's words, as the OLE DB provider gave them.
struct SplitMessage {
    std::string source;
    std::string text;
};
SplitMessage splitVendorPrefix(std::string_view message);

// The entries for the records of one call: none when all of them are informational.
std::vector<ProviderError> providerErrors(const std::vector<Diagnostic>& records, Dialect dialect);

}  // namespace db::odbc
