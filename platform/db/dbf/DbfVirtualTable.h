#pragma once
// An SQLite virtual table over a DBF file: rows are read from the file as SQLite asks for them, a block of
// records at a time, so a query over a large table never copies it. Text columns use the PADDED collation
// (see LegacySql.h); numeric columns declare their scale so the cursor can give amounts back exactly.

#include "platform/db/Rows.h"
#include "platform/db/dbf/DbfTable.h"

#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace db::dbf {

// The module "dbf" on one SQLite connection, which owns it. Tables are declared with
// CREATE VIRTUAL TABLE <name> USING dbf(<key>), the key being what offer() returned.
class DbfModule {
public:
    // Registers the module on `db`; the returned object lives as long as the connection.
    static DbfModule& install(sqlite3* db);

    // Makes `table` available to a CREATE VIRTUAL TABLE; returns the key to declare it with.
    std::string offer(std::shared_ptr<const DbfTable> table, bool includeDeleted);

    struct Offered {
        std::shared_ptr<const DbfTable> table;
        bool includeDeleted;
    };
    const Offered* find(std::string_view key) const;

private:
    std::vector<Offered> tables_;
};

// The SQL type a field is declared with, and the field type and size a recordset shows for it.
std::string declaredType(const DbfField& field);
ColumnInfo columnOf(const DbfField& field);

}  // namespace db::dbf
