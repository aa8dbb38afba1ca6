#pragma once
// The store rules of the database's tables, read from their declarations when a statement first stores into
// them and kept until the schema changes (by this connection or by any other on the same file).

#include "platform/db/sqlite/SqliteHandle.h"
#include "platform/db/sqlite/TsqlBatch.h"
#include "platform/db/sqlite/TsqlShapes.h"

#include <memory>

struct sqlite3_stmt;
#include <string>
#include <unordered_map>
#include <vector>

namespace db::sqlite {

class SchemaRules : public ColumnRules {
public:
    explicit SchemaRules(std::shared_ptr<Database> db) : db_(std::move(db)), shapes_(dateOrder) {}
    ~SchemaRules();
    SchemaRules(const SchemaRules&) = delete;
    SchemaRules& operator=(const SchemaRules&) = delete;

    const std::vector<ColumnRule>* columnsOf(std::string_view table) override;

    // Forgets what it read when the schema has changed since; call before rewriting a batch.
    void refresh();
    // Forgets what it read.
    void clear();

    // The statements rewritten with these rules, by their shape; forgotten with the rules.
    StatementShapes& shapes() { return shapes_; }

    // Why the last table's rules could not be read (SQLite's message), or nothing. A statement is not to run
    // without the checks of its table.
    const std::string& failure() const { return failure_; }

private:
    // Whether the schema version last read is known to hold without asking again.
    bool stillCurrent() const;

    std::shared_ptr<Database> db_;
    sqlite3_stmt* version_ = nullptr;  // PRAGMA schema_version, asked before a batch when not known to hold
    std::unordered_map<std::string, std::vector<ColumnRule>> tables_;  // by upper-case name
    long long schemaVersion_ = -1;
    unsigned int dataVersion_ = 0;  // the file's, when schemaVersion_ was read
    std::string failure_;
    StatementShapes shapes_;
};

}  // namespace db::sqlite
