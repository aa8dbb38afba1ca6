#pragma once
// Statements of one shape rewritten once (internal to the SQLite provider).
//
// The program sends the same statements again and again with other values: the rows of a voucher, an
// INSERT per imported record. Two statements whose tokens differ only in the values of their literals, each
// literal of the same kind (text, N'text', whole number, decimal number), are rewritten alike: the same
// text, each literal going to the same parameter through the same column rule. The first statement of a
// shape is rewritten in full and remembered; the next ones only bring their own literals to their
// parameters, each checked by its column as the full rewrite checks it.
//
// Not remembered: a statement that keeps a literal in its text (TOP n, a type's size, an ORDER BY
// position), one a column refuses a value of, one that changes the schema or stores into a table the rules
// did not know, and one that could not be rewritten. A literal of a remembered shape that its column
// refuses sends that statement through the full rewrite, which says why.
//
// What is remembered holds the column rules it was made with: it is forgotten whenever they are.

#include "platform/db/sqlite/TsqlBatch.h"
#include "platform/db/sqlite/TsqlSplitter.h"
#include "platform/db/sqlite/TsqlWalker.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace db::sqlite {

class StatementShapes {
public:
    // The statement of `span` made as the remembered one of its shape was; false when there is none, or when
    // a column refuses one of its literals.
    bool replay(const tsql::Lexed& lx, tsql::Span span, TsqlStatement& statement);
    // Remembers how `statement`, just rewritten from `span`, was made: its parameters' sources, in order.
    void remember(const tsql::Lexed& lx, tsql::Span span, const TsqlStatement& statement,
                  const std::vector<tsql::ParameterSource>& sources,
                  const std::vector<tsql::ParameterSource>& conditionSources);
    void clear() { plans_.clear(); }

private:
    struct Parameter {
        std::size_t literal = 0;  // which literal of the statement, counted from 0
        const ColumnRule* rule = nullptr;
        bool negative = false;
    };
    struct Plan {
        TsqlStatement::Kind kind = TsqlStatement::Kind::Plain;
        std::string sql;
        std::string condition;
        bool negate = false;
        std::vector<Parameter> parameters;
        std::vector<Parameter> conditionParameters;
    };

    // Reads the shape of `span` into key_ and the token of each of its literals into literals_.
    void readShape(const tsql::Lexed& lx, tsql::Span span);
    bool planned(const std::vector<tsql::ParameterSource>& sources, std::vector<Parameter>& plan,
                 std::vector<bool>& used) const;
    bool made(const tsql::Lexed& lx, const std::vector<Parameter>& plan, std::vector<SqlParameter>& parameters) const;

    std::unordered_map<std::string, Plan> plans_;
    std::string key_;
    std::vector<std::size_t> literals_;
};

}  // namespace db::sqlite
