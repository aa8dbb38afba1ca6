#pragma once
// Finding, creating and opening the embedded database's file. A new database is built from the ERP schema
// in a side file and moved into place only when complete, so a failed creation leaves nothing behind.

#include "platform/db/sqlite/SqliteHandle.h"
#include "platform/db/sqlite/StoredValues.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace db::sqlite {

// `<folder>/<database>.sqlite`; raises base::Error for a name that is not a plain file name.
std::filesystem::path databasePath(const std::filesystem::path& folder, std::string_view database);

// Opens the file with the SQL Server functions registered for `*session` (what SYSTEM_USER answers, how
// texts read as dates), creating it from the schema when it does not exist. Raises base::Error naming the
// file when it cannot.
std::shared_ptr<Database> openDatabaseFile(const std::filesystem::path& path, const SessionSettings* session);

}  // namespace db::sqlite
