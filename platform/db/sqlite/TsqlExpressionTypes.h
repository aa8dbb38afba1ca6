#pragma once
// The declared exact type (money, decimal(p,s)) of an expression of a statement, where the schema tells it
// (internal to the SQLite provider).
//
// The database keeps money and decimals as floating values, so a value alone no longer says how many
// decimals its text has: CONVERT(varchar, PRECIO) of a money column is '1.00' on the server, not '1'. The
// rewriter asks here for the type of what it converts to text and hands it to the conversion. Only what
// can be known for certain is answered: a column of a table the statement reads ([alias.]column), ISNULL,
// COALESCE, SUM, MIN, MAX, AVG or ABS of one, and CAST/CONVERT to an exact type.

#include "platform/db/sqlite/TsqlBatch.h"
#include "platform/db/sqlite/TsqlLexer.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace db::sqlite::tsql {

class ExpressionTypes {
public:
    explicit ExpressionTypes(const Lexed& lx) : lx_(lx), tk_(lx.tokens) {}

    // The statement whose expressions are asked about: tokens [first, last) and the rules of its tables.
    void reset(ColumnRules* rules, std::size_t first, std::size_t last);

    // 'money', 'decimal(18,4)'... for tokens [begin, end), or nothing when the type is not exact or not known.
    std::optional<std::string> exactTypeOf(std::size_t begin, std::size_t end);

    // A table the statement reads was not known to the rules: once it exists, the answer may differ.
    bool tableUnknown() const { return tableUnknown_; }

private:
    struct TableName {
        std::string_view name;
        std::string_view alias;
    };

    std::optional<std::string> columnType(std::string_view alias, std::string_view column);
    std::optional<std::string> typeNamed(std::size_t begin, std::size_t end) const;
    void readTables();
    std::size_t readTable(std::size_t i);
    std::size_t closingParen(std::size_t open, std::size_t end) const;
    bool isName(std::size_t i) const;

    const Lexed& lx_;
    const std::vector<Token>& tk_;
    ColumnRules* rules_ = nullptr;
    std::size_t first_ = 0;
    std::size_t last_ = 0;
    bool tablesRead_ = false;
    bool tableUnknown_ = false;
    std::vector<TableName> tables_;
};

}  // namespace db::sqlite::tsql
