// Which engine serves a connection text: the embedded database for a SQL Server text whose server is
// "sqlite:<folder>"; the other engines join here as they are built.

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/ConnectionText.h"
#include "platform/db/Provider.h"
#include "platform/db/sqlite/SqliteProvider.h"
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
    // The text may hold a password: the message names only what identifies the database.
    throw base::Error(adoerror::kProviderNotFound,
                      fmt::format("No database provider serves provider \"{}\" on server \"{}\".", provider, server),
                      "Connection");
}

}  // namespace db
