#pragma once
// The two schema lists every provider answers Connection::openSchema with, in the layout ADO gives them:
// a row per table (catalog, schema, name, type) and a row per column (catalog, schema, table, column,
// position, data type, character length or Null).

#include "platform/db/Rows.h"

#include <memory>
#include <utility>
#include <vector>

namespace db {

inline std::unique_ptr<RowCursor> tableList(std::vector<Row> rows)
{
    return std::make_unique<MemoryRows>(
        std::vector<ColumnInfo>{{"TABLE_CATALOG", AdoType::VarWChar, 128}, {"TABLE_SCHEMA", AdoType::VarWChar, 128},
                                {"TABLE_NAME", AdoType::VarWChar, 128}, {"TABLE_TYPE", AdoType::VarWChar, 32}},
        std::move(rows));
}

inline std::unique_ptr<RowCursor> columnList(std::vector<Row> rows)
{
    return std::make_unique<MemoryRows>(
        std::vector<ColumnInfo>{{"TABLE_CATALOG", AdoType::VarWChar, 128}, {"TABLE_SCHEMA", AdoType::VarWChar, 128},
                                {"TABLE_NAME", AdoType::VarWChar, 128}, {"COLUMN_NAME", AdoType::VarWChar, 128},
                                {"ORDINAL_POSITION", AdoType::Integer, 4}, {"DATA_TYPE", AdoType::SmallInt, 2},
                                {"CHARACTER_MAXIMUM_LENGTH", AdoType::Integer, 4}},
        std::move(rows));
}

}  // namespace db
