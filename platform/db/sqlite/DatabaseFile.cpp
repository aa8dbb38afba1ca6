#include "platform/db/sqlite/DatabaseFile.h"

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/sqlite/SqlQuoting.h"
#include "platform/db/sqlite/SqlServerErrors.h"
#include "platform/db/sqlite/SqlServerFunctions.h"
#include "platform/db/sqlite/SqliteTypes.h"
#include "platform/db/sqlite/TsqlBatch.h"
#include "platform/db/sqlite/TsqlStore.h"

#include <fmt/format.h>
#include <sqlite3.h>
#include <vector>

// The ERP schema scripts, in the order they run (generated from schema/*.sql).
std::vector<std::pair<std::string_view, std::string_view>> erpSchemaScripts();

namespace db::sqlite {
namespace {

constexpr std::string_view kSource = "Embedded database";

[[noreturn]] void fail(std::string description)
{
    throw base::Error(hresult::kUnspecified, std::move(description), std::string(kSource));
}

void exec(sqlite3* db, const std::string& sql, std::string_view what)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        fail(fmt::format("{}: {}", what, text));
    }
}

// The order of the SQLSRV collation the file's indexes were built with, kept in its user_version. Files
// made before the collation ordered accents and Ñ as Spanish does have their indexes rebuilt once.
constexpr int kCollationVersion = 2;

int userVersion(sqlite3* db)
{
    sqlite3_stmt* statement = nullptr;
    int version = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &statement, nullptr) == SQLITE_OK
        && sqlite3_step(statement) == SQLITE_ROW)
        version = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    return version;
}

std::shared_ptr<Database> openHandle(const std::filesystem::path& path, int flags, const SessionSettings* session)
{
    sqlite3* handle = nullptr;
    // A connection is used by one thread at a time, so SQLite need not lock it around every call.
    const int code = sqlite3_open_v2(path.c_str(), &handle, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    auto db = std::make_shared<Database>(handle);
    if (code != SQLITE_OK) fail(fmt::format("The database file {} cannot be opened: {}", path.string(), db->lastError()));
    sqlite3_extended_result_codes(handle, 1);
    registerSqlServerFunctions(handle, session);
    return db;
}

void createFromSchema(const std::filesystem::path& path, const SessionSettings* session)
{
    const std::filesystem::path partial = path.string() + ".partial";
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    try {
        auto db = openHandle(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, session);
        exec(db->get(), "BEGIN", "Starting the new database");
        // Exact-number and date columns are declared as the engine's CREATE TABLE declares them.
        for (const auto& [name, script] : erpSchemaScripts())
            exec(db->get(), tsql::withSqlServerAffinity(script), fmt::format("Schema script {}", name));
        exec(db->get(), fmt::format("PRAGMA user_version = {}", kCollationVersion), "Marking the new database");
        exec(db->get(), "COMMIT", "Writing the new database");
    } catch (...) {
        std::filesystem::remove(partial, ignored);
        throw;
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::filesystem::remove(partial, ignored);
        fail(fmt::format("The database file {} cannot be created: {}", path.string(), error.message()));
    }
}

}  // namespace

std::filesystem::path databasePath(const std::filesystem::path& folder, std::string_view database)
{
    const std::string name(database);
    if (name.empty() || name.find_first_of("/\\:") != std::string::npos || name == "." || name == "..")
        fail(fmt::format("\"{}\" is not a database name the embedded database can use as a file name.", name));
    return folder / (name + ".sqlite");
}

std::shared_ptr<Database> openDatabaseFile(const std::filesystem::path& path, const SessionSettings* session)
{
    const std::filesystem::path folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder))
        fail(fmt::format("The database folder {} cannot be used: {}", folder.string(),
                         error ? error.message() : "it is not a folder"));
    if (!std::filesystem::exists(path)) createFromSchema(path, session);

    auto db = openHandle(path, SQLITE_OPEN_READWRITE, session);
    // WAL keeps one transaction per imported record cheap; the first statement also proves the file is ours.
    // The work tables of a statement (an IN list, a view updated through its trigger) stay in memory: on a
    // temporary file each costs more than the rows it holds.
    char* message = nullptr;
    if (sqlite3_exec(db->get(),
                     "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON; "
                     "PRAGMA temp_store=MEMORY;",
                     nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : db->lastError();
        sqlite3_free(message);
        fail(fmt::format("The file {} is not a usable database: {}", path.string(), text));
    }
    const int version = userVersion(db->get());
    if (version < 0) fail(fmt::format("The file {} is not a usable database: {}", path.string(), db->lastError()));
    if (version < kCollationVersion) {
        exec(db->get(),
             fmt::format("BEGIN; REINDEX {}; PRAGMA user_version = {}; COMMIT;", kSqlServerCollation, kCollationVersion),
             fmt::format("Rebuilding the indexes of {}", path.string()));
    }
    return db;
}

}  // namespace db::sqlite
