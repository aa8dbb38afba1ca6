#pragma once
// Rows a statement yields, walked the way the program's code walks them: BOF/EOF, move first, next, last,
// fields by name (case-insensitive; of two columns with one name the later one answers) or by position.
// On a client-side connection, and whenever the cursor is not forward-only, the rows are a snapshot taken
// at open: deleting them from the table while walking does not disturb the walk. Opened with an
// optimistic lock on a single-table SELECT, the recordset writes: AddNew, assign, Update; or assign on the
// current row, Update.

#include "platform/base/Value.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/Rows.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db {

class Connection;
class Recordset;

class Field {
public:
    const std::string& name() const;
    AdoType type() const;
    long definedSize() const;
    // Raises 3021 when there is no current row (BOF or EOF).
    const base::Value& value() const;
    // Raises 3251 on a read-only recordset.
    void setValue(base::Value value);

private:
    friend class Recordset;
    Field(Recordset& recordset, std::size_t index) : recordset_(&recordset), index_(index) {}
    Recordset* recordset_;
    std::size_t index_;
};

class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;

    // The cursor and lock types used when open() is given none.
    CursorType cursorType = CursorType::ForwardOnly;
    LockType lockType = LockType::ReadOnly;
    // Where the rows are kept; unset, the connection's. A forward-only read-only recordset kept on the server
    // reads its rows as it is walked: one that only wants its first row reads no other.
    std::optional<CursorLocation> cursorLocation;

    // Clears the connection's error list first; raises base::Error with the failure in that list.
    void open(std::string_view statement, Connection& connection, std::optional<CursorType> cursor = {},
              std::optional<LockType> lock = {}, long options = -1);
    // Opens on rows already produced (schema lists): a read-only snapshot.
    void openRows(std::unique_ptr<RowCursor> rows);
    int state() const;
    void close();

    bool bof() const;  // true when closed
    bool eof() const;  // true when closed
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    // The number of rows; -1 when a forward-only walk over a source that cannot count them.
    long recordCount() const;

    std::size_t fieldCount() const;
    Field field(std::size_t index);              // raises 3265 out of range
    Field field(std::string_view name);          // raises 3265 for a name not among the columns
    Field operator[](std::string_view name) { return field(name); }

    // Up to `count` rows from the current one (all when negative), moving past them.
    std::vector<Row> getRows(long count = -1);

    void addNew();
    void update();
    void cancelUpdate();

private:
    friend class Field;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace db
