#pragma once
// Writes the INSERT and UPDATE statements of a batch so that every value stored into a column passes its
// column's rule (internal to the SQLite provider; see StoredValues.h for the rules).
//
// A literal is brought to the column's form here, once, and goes to the statement as a parameter: the row
// costs nothing more to store. An expression is wrapped in the function that applies the rule when the
// statement runs: sqlsrv_store(expression, 'kind', width or precision, scale, 'TABLE.COLUMN').
// INSERT ... SELECT reads its rows through a common table expression whose columns are wrapped the same way.

#include "platform/db/sqlite/TsqlBatch.h"
#include "platform/db/sqlite/TsqlWalker.h"

#include <cstddef>
#include <optional>
#include <string>

namespace db::sqlite::tsql {

class StoreRewriter {
public:
    StoreRewriter(const Lexed& lx, std::size_t first, std::size_t last, Walker& walker, ColumnRules& rules);

    // Each writes the whole statement to `w` and answers true, or answers false, having written nothing, when
    // the statement's table has no column with a rule, or has a shape the caller writes better as it stands
    // (SQLite then reports a missing column, a count of values that does not match, and the like).
    bool insert(Writer& w);
    bool update(Writer& w);

    // The statement stores into a table the rules do not know (yet).
    bool tableUnknown() const { return tableUnknown_; }
    // The first literal its column refuses, when there is one.
    const StoreRefusal& refusal() const { return refusal_; }

private:
    Kw kwAt(std::size_t i) const { return i < last_ && tk_[i].type == Tok::Word ? tk_[i].kw : Kw::None; }
    Tok typeAt(std::size_t i) const { return i < last_ ? tk_[i].type : Tok::Error; }
    bool isName(std::size_t i) const;
    std::size_t nameEnd(std::size_t i) const;
    std::size_t matching(std::size_t open) const;
    // Where the top-level list starting at `from` ends: at `close` or at a word that ends the list.
    std::size_t listItemEnd(std::size_t from, std::size_t close) const;

    const std::vector<ColumnRule>* tableRules(std::size_t nameBegin, std::size_t nameEnd);
    const ColumnRule* ruleOf(const std::vector<ColumnRule>& table, std::size_t nameToken, std::size_t& hint) const;
    void storeValue(Writer& w, std::size_t begin, std::size_t end, const ColumnRule* rule);
    bool storeLiteral(Writer& w, std::size_t begin, std::size_t end, const ColumnRule& rule);

    bool insertValues(Writer& w, std::size_t valuesWord, const std::vector<const ColumnRule*>& targets);
    bool insertSelect(Writer& w, std::size_t target, std::size_t columnsEnd, const std::vector<const ColumnRule*>& targets,
                      bool columnList);

    // The value of the identity column for the row `row` (from 0) of an INSERT, or for each row of its SELECT.
    std::string nextIdentity(std::string_view row) const;
    // "(A, B, ID)": the columns of `targets` and the identity column the database numbers.
    std::string numberedColumns(const std::vector<const ColumnRule*>& targets) const;

    const Lexed& lx_;
    const std::vector<Token>& tk_;
    std::size_t first_;
    std::size_t last_;
    Walker& walker_;
    ColumnRules& rules_;
    bool tableUnknown_ = false;
    const ColumnRule* numbered_ = nullptr;  // the identity column the INSERT leaves to the database
    std::string table_;
    std::size_t tableEnd_ = 0;
    StoreRefusal refusal_;
};

// The parameter a literal token (the digits of a number, negated when `negative`) goes to its statement as
// once stored through `rule`; nothing, with `refused` saying why, when the column cannot take it.
std::optional<SqlParameter> storedParameter(const Lexed& lx, const Token& literal, bool negative, const ColumnRule& rule,
                                            DateOrder order, StoreRefusal& refused);

// The call that applies `rule` to the value `expression` when the statement runs; `expression` itself
// when the column has no rule.
std::string storeCall(const ColumnRule& rule, std::string_view expression);

// DDL text (the schema scripts) with the affinity word before every exact-number and date type, as CREATE
// TABLE writes them (see SqliteTypes.h).
std::string withSqlServerAffinity(std::string_view ddl);

}  // namespace db::sqlite::tsql
