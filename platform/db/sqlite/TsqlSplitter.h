#pragma once
// Where one statement of a T-SQL batch ends and the next begins (internal to the SQLite provider).
//
// The ERP program rarely writes ";": statements follow one another separated by line breaks or blanks,
// so a statement ends where a word that can only begin a new one appears at the top level. The rules
// below keep together what SQL Server's parser keeps together (an INSERT and its SELECT, an UPDATE and
// its SET, IF and the statement it guards, a BEGIN ... END block, a procedure body).

#include "platform/db/sqlite/TsqlLexer.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace db::sqlite::tsql {

struct Span {
    std::size_t first = 0;  // tokens [first, last) of Lexed::tokens
    std::size_t last = 0;
};

// The statements of the batch in order, each non-empty; ";" tokens belong to none.
std::vector<Span> findStatements(const Lexed& lx);

enum class SessionOption {
    None,            // not a SET option word
    Harmless,        // nothing SQLite must do to behave the same (SET NOCOUNT ON)
    ChangesResults,  // would change what later statements return (SET ROWCOUNT 10)
};
SessionOption sessionOption(std::string_view word);

}  // namespace db::sqlite::tsql
