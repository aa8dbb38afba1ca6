#pragma once
// Turns a SQL Server batch (the text one Execute carries) into the SQLite statements that do the same work.
//
// The ERP side writes T-SQL: several statements separated only by line breaks, SELECT TOP n, DELETE without
// FROM, TRUNCATE TABLE, IF [NOT] EXISTS (...) statement, INSERT ... (SELECT ...), and a few functions SQLite
// does not know. This splitter finds the statements (quote-aware: a literal may hold a line break) and
// rewrites each one into SQLite's dialect; it knows nothing of the database it will run on.

#include "platform/db/sqlite/StoredValues.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace db::sqlite {

// A literal of the statement, passed to it as a parameter: statements that differ only in their literals
// read alike, and the database compiles such a statement once, not once per row.
struct SqlParameter {
    enum class Type : std::uint8_t { Text, Integer, Real };
    Type type = Type::Text;
    std::string value;  // the text without its quotes, or the number's digits as written; nothing when read
    // The number, when a column's rule has read it already: it is bound as it is, with no digits to read
    // again (a voucher's rows hold thousands).
    bool read = false;
    long long whole = 0;  // Integer
    double real = 0;      // Real

    // The value as a statement spells it: the text, or digits that read as the number.
    std::string spelled() const;
};

// What the rewriter needs to know of the database: the store rules of a table's columns, in their order.
class ColumnRules {
public:
    virtual ~ColumnRules() = default;
    // Null when there is no such table or view (yet).
    virtual const std::vector<ColumnRule>* columnsOf(std::string_view table) = 0;

    // The order in which the literals of the statements being rewritten read as dates: the session's, and
    // after a SET DATEFORMAT of the batch, the one it names.
    DateOrder dateOrder = DateOrder::DMY;
    // The table whose identity column may be given a value (SET IDENTITY_INSERT ... ON), upper case; none when empty.
    std::string identityInsert;
};

struct TsqlStatement {
    enum class Kind {
        Plain,               // run `sql`
        Conditional,         // run `sql` when `condition` yields a true first column (negated by `negate`)
        BeginTransaction,
        CommitTransaction,
        RollbackTransaction,
        NoOp,                // SET NOCOUNT ON and the like: accepted, nothing to run
        DateFormat,          // SET DATEFORMAT: the session reads dates in `dateOrder` from here on, or, with
                             // `storeError`, refuses an order it does not know
        IdentityInsert,      // SET IDENTITY_INSERT: `identityInsert` is the table that may be given identities
        Unsupported,         // the rewriter cannot handle it: `error` says why; nothing may run for it
    };
    Kind kind = Kind::Plain;
    std::string original;   // the statement as written in the batch, trimmed
    std::string sql;        // SQLite text to run (Plain, Conditional)
    std::string condition;  // Conditional: a SELECT whose first column is 0 or 1
    // The literals of `sql` and of `condition`, which hold ?1, ?2... in their place.
    std::vector<SqlParameter> parameters;
    std::vector<SqlParameter> conditionParameters;
    bool negate = false;    // Conditional: IF NOT EXISTS
    DateOrder dateOrder = DateOrder::DMY;  // DateFormat
    std::string identityInsert;            // IdentityInsert: the table, upper case; empty for OFF
    std::string error;      // Unsupported: what could not be rewritten
    // A literal the column it is stored into cannot take: the statement fails with this error when it runs
    // (SQL Server's number and message), and the batch goes on as it does after a conversion error.
    long storeError = 0;
    std::string storeErrorText;
    bool changesSchema = false;  // CREATE, ALTER, DROP: the column rules are to be read again after it
    bool rulesUnknown = false;   // it stores into a table the rules did not know: rewrite it once the table exists
};

class StatementShapes;

// The batch's statements in order. Empty statements (blank lines, stray ";") are dropped. With `rules`,
// values stored into a column are checked and brought to the form the column keeps (see StoredValues.h):
// literals here, expressions by a function around them. With `shapes`, a statement of a shape rewritten
// before is made from what was remembered of it (see TsqlShapes.h); `shapes` belongs to `rules`.
std::vector<TsqlStatement> splitBatch(std::string_view batch, ColumnRules* rules = nullptr,
                                      StatementShapes* shapes = nullptr);

// The collation every string literal of a rewritten statement carries, so literals compare the way
// SQL Server's default collation does (case-insensitive, trailing blanks ignored) even against each other.
inline constexpr std::string_view kSqlServerCollation = "SQLSRV";

}  // namespace db::sqlite
