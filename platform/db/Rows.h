#pragma once
// What a provider hands back for a query: the columns' descriptions and a cursor over the rows.

#include "platform/base/Value.h"
#include "platform/db/AdoCodes.h"

#include <memory>
#include <string>
#include <vector>

namespace db {

struct ColumnInfo {
    std::string name;
    AdoType type = AdoType::VarChar;
    long definedSize = 0;
};

using Row = std::vector<base::Value>;

class RowCursor {
public:
    virtual ~RowCursor() = default;
    virtual const std::vector<ColumnInfo>& columns() const = 0;
    // The columns' descriptions for a reader that keeps them; a source that keeps them itself shares them.
    virtual std::shared_ptr<const std::vector<ColumnInfo>> takeColumns()
    {
        return std::make_shared<const std::vector<ColumnInfo>>(columns());
    }
    // Fills `row` with the next row; false at the end. Raises base::Error on a read failure.
    virtual bool next(Row& row) = 0;
    // The number of rows when the source knows it before reading them; -1 otherwise.
    virtual long knownCount() const { return -1; }
};

// Rows already in memory: schema lists and snapshots.
class MemoryRows : public RowCursor {
public:
    MemoryRows(std::vector<ColumnInfo> columns, std::vector<Row> rows)
        : columns_(std::move(columns)), rows_(std::move(rows)) {}
    const std::vector<ColumnInfo>& columns() const override { return columns_; }
    bool next(Row& row) override
    {
        if (position_ >= rows_.size()) return false;
        row = std::move(rows_[position_++]);
        return true;
    }
    long knownCount() const override { return static_cast<long>(rows_.size()); }

private:
    std::vector<ColumnInfo> columns_;
    std::vector<Row> rows_;
    std::size_t position_ = 0;
};

}  // namespace db
