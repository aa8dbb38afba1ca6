#include "platform/db/sqlite/SchemaRules.h"

#include <cctype>
#include <sqlite3.h>

namespace db::sqlite {
namespace {

std::string upperCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

SchemaRules::~SchemaRules() { sqlite3_finalize(version_); }

// Inside a transaction the file is read as of one moment, which only this connection's own statements move
// on: no other connection's change is seen until the transaction ends. The schema version read once in it
// holds, then, until the file's data version says the file is no longer the one it was read from (another
// connection's commit, seen when a read began since) or one of this connection's statements changed the
// schema (which clears the rules).
bool SchemaRules::stillCurrent() const
{
    if (schemaVersion_ < 0 || sqlite3_txn_state(db_->get(), "main") == SQLITE_TXN_NONE) return false;
    unsigned int dataVersion = 0;
    return sqlite3_file_control(db_->get(), "main", SQLITE_FCNTL_DATA_VERSION, &dataVersion) == SQLITE_OK
           && dataVersion == dataVersion_;
}

void SchemaRules::refresh()
{
    failure_.clear();
    if (stillCurrent()) return;
    long long version = -1;
    if (version_ || sqlite3_prepare_v2(db_->get(), "PRAGMA schema_version", -1, &version_, nullptr) == SQLITE_OK) {
        if (sqlite3_step(version_) == SQLITE_ROW) version = sqlite3_column_int64(version_, 0);
        sqlite3_reset(version_);
    }
    if (version != schemaVersion_ || version < 0) {
        tables_.clear();
        shapes_.clear();
    }
    schemaVersion_ = version;
    if (sqlite3_file_control(db_->get(), "main", SQLITE_FCNTL_DATA_VERSION, &dataVersion_) != SQLITE_OK)
        schemaVersion_ = -1;
}

void SchemaRules::clear()
{
    tables_.clear();
    shapes_.clear();
    schemaVersion_ = -1;
}

const std::vector<ColumnRule>* SchemaRules::columnsOf(std::string_view table)
{
    std::string key = upperCase(table);
    if (const auto found = tables_.find(key); found != tables_.end()) return &found->second;
    sqlite3_stmt* statement = nullptr;
    std::vector<ColumnRule> columns;
    int code = sqlite3_prepare_v2(db_->get(), "SELECT name, type FROM pragma_table_info(?1)", -1, &statement, nullptr);
    if (code == SQLITE_OK) code = sqlite3_bind_text(statement, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
    while (code == SQLITE_OK && (code = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        columns.push_back(columnRule(table, name ? name : "", type ? type : ""));
        code = SQLITE_OK;
    }
    if (code != SQLITE_DONE) failure_ = "The columns of " + std::string(table) + " cannot be read: " + db_->lastError();
    sqlite3_finalize(statement);
    // No columns: no such table (yet); asked again next time.
    if (columns.empty()) return nullptr;
    return &tables_.emplace(std::move(key), std::move(columns)).first->second;
}

}  // namespace db::sqlite
