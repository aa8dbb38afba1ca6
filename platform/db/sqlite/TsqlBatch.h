#pragma once
// Turns a SQL Server batch (the text one Execute carries) into the SQLite statements that do the same work.
//
// The ERP side writes T-SQL: several statements separated only by line breaks, SELECT TOP n, DELETE without
// FROM, TRUNCATE TABLE, IF [NOT] EXISTS (...) statement, INSERT ... (SELECT ...), and a few functions SQLite
// does not know. This splitter finds the statements (quote-aware: a literal may hold a line break) and
// rewrites each one into SQLite's dialect; it knows nothing of the database it will run on.

#include <string>
#include <string_view>
#include <vector>

namespace db::sqlite {

struct TsqlStatement {
    enum class Kind {
        Plain,               // run `sql`
        Conditional,         // run `sql` when `condition` yields a true first column (negated by `negate`)
        BeginTransaction,
        CommitTransaction,
        RollbackTransaction,
        NoOp,                // SET NOCOUNT ON and the like: accepted, nothing to run
        Unsupported,         // the rewriter cannot handle it: `error` says why; nothing may run for it
    };
    Kind kind = Kind::Plain;
    std::string original;   // the statement as written in the batch, trimmed
    std::string sql;        // SQLite text to run (Plain, Conditional)
    std::string condition;  // Conditional: a SELECT whose first column is 0 or 1
    // The string literals of `sql` and of `condition`, which hold ?1, ?2... in their place: a statement sent
    // again with other values has the same text and is not compiled again.
    std::vector<std::string> parameters;
    std::vector<std::string> conditionParameters;
    bool negate = false;    // Conditional: IF NOT EXISTS
    std::string error;      // Unsupported: what could not be rewritten
};

// The batch's statements in order. Empty statements (blank lines, stray ";") are dropped.
std::vector<TsqlStatement> splitBatch(std::string_view batch);

// The collation every string literal of a rewritten statement carries, so literals compare the way
// SQL Server's default collation does (case-insensitive, trailing blanks ignored) even against each other.
inline constexpr std::string_view kSqlServerCollation = "SQLSRV";

}  // namespace db::sqlite
