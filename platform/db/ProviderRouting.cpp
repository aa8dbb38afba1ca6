// Which engine serves a connection text: the embedded database for a SQL Server text whose server is
// "sqlite:<folder>", ODBC for a SQL Server text with any other server and for an Oracle text; the legacy
// dBase folder for an MSDASQL text with SourceType=DBF; the employee workbook for a Jet text whose extended
// properties name Excel.

#include "platform/base/Error.h"
#include "platform/base/Utf8.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/ConnectionText.h"
#include "platform/db/Provider.h"
#include "platform/db/dbf/DbfFolderProvider.h"
#include "platform/db/odbc/OdbcConnectionString.h"
#include "platform/db/odbc/OdbcProvider.h"
#include "platform/db/sqlite/SqliteProvider.h"
#include "platform/db/xls/WorkbookProvider.h"
#include "platform/os/PathMapping.h"
#include "platform/os/ProgramFolder.h"

#include <fmt/format.h>

namespace db {
namespace {

constexpr std::string_view kEmbeddedPrefix = "sqlite:";

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string firstOf(const ConnectionText& text, std::initializer_list<std::string_view> keys)
{
    for (std::string_view key : keys)
        if (auto value = text.get(key)) return *value;
    return {};
}

// The value of `key` among the extended properties "Excel 8.0;HDR=Yes;IMEX=1", which are not a
// connection text of their own (their first part has no "=").
std::string extendedProperty(std::string_view properties, std::string_view key)
{
    while (!properties.empty()) {
        const auto semicolon = properties.find(';');
        const std::string_view part = properties.substr(0, semicolon);
        if (const auto equals = part.find('='); equals != std::string_view::npos) {
            std::string_view name = part.substr(0, equals);
            while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
            while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
            if (equalsIgnoringCase(name, key)) {
                std::string_view value = part.substr(equals + 1);
                while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
                while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
                return std::string(value);
            }
        }
        if (semicolon == std::string_view::npos) break;
        properties.remove_prefix(semicolon + 1);
    }
    return {};
}

}  // namespace

std::unique_ptr<Provider> openProvider(const ConnectionText& text)
{
    const std::string provider = text.value("Provider");
    const std::string server = firstOf(text, {"Server", "Data Source"});
    if (equalsIgnoringCase(provider, "SQLOLEDB") && startsWithIgnoringCase(server, kEmbeddedPrefix)) {
        const std::string folder = server.substr(kEmbeddedPrefix.size());
        return sqlite::SqliteProvider::open(folder.empty() ? os::programFolder() : std::filesystem::path(folder),
                                            firstOf(text, {"Database", "Initial Catalog"}),
                                            firstOf(text, {"UId", "User ID", "User Id"}));
    }
    const bool oracle = startsWithIgnoringCase(provider, "OraOLEDB.Oracle");
    if (oracle || equalsIgnoringCase(provider, "SQLOLEDB")) {
        const auto dialect = oracle ? odbc::Dialect::Oracle : odbc::Dialect::SqlServer;
        const odbc::OdbcSettings settings = odbc::OdbcSettings::fromEnvironment();
        return odbc::OdbcProvider::open(odbc::odbcConnectionString(dialect, text, settings), dialect,
                                        odbc::driverName(dialect, settings),
                                        fmt::format("{} \"{}\"", oracle ? "data source" : "server", server));
    }
    if (startsWithIgnoringCase(provider, "MSDASQL") && equalsIgnoringCase(text.value("SourceType"), "DBF")) {
        const std::string folder = text.value("SourceDB");
        dbf::DbfFolderProvider::Options options;
        options.includeDeleted = equalsIgnoringCase(text.value("Deleted"), "No");
        return dbf::DbfFolderProvider::open(os::mapWindowsPath(folder), folder, options);
    }
    if (startsWithIgnoringCase(provider, "Microsoft.Jet.OLEDB") &&
        base::findIgnoringCase(text.value("Extended Properties"), "Excel") != std::string_view::npos) {
        const std::string file = text.value("Data Source");
        const std::string header = extendedProperty(text.value("Extended Properties"), "HDR");
        xls::WorkbookProvider::Options options;
        options.firstRowNamesColumns = !equalsIgnoringCase(header, "No");
        return xls::WorkbookProvider::open(os::mapWindowsPath(file), file, options);
    }
    // The text may hold a password: the message names only what identifies the database.
    throw base::Error(adoerror::kProviderNotFound,
                      fmt::format("No database provider serves provider \"{}\" on server \"{}\".", provider, server),
                      "Connection");
}

}  // namespace db
