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
// A literal the statement keeps in its text (TOP n, a type's size, an ORDER BY position) belongs to the shape
// as written: a statement with another one there is rewritten in full.
//
// Not remembered: a statement one of whose values a column refuses, one that changes the schema or stores
// into a table the rules did not know, and one that could not be rewritten. A literal of a remembered shape
// that its column refuses sends that statement through the full rewrite, which says why.
//
// What is remembered holds the column rules it was made with: it is forgotten whenever they are.
//
// A batch of rows repeats a few statements byte for byte but for their values. A remembered statement keeps
// its text around its literals, so the next one like it is read straight from the batch: its text compared,
// its literals read, no tokens made. Where it ends is taken as the statement splitter takes it: the batch's
// end, a ";", or a word that ended a statement of that shape before (the splitter decides on the words
// alone, and the words are the same).

#include "platform/db/sqlite/TsqlBatch.h"
#include "platform/db/sqlite/TsqlSplitter.h"
#include "platform/db/sqlite/TsqlWalker.h"

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace db::sqlite {

class StatementShapes {
public:
    // Literals stored into dates are read in `dateOrder` (which belongs to the rules the shapes were made with).
    explicit StatementShapes(const DateOrder& dateOrder) : dateOrder_(dateOrder) {}

    // The statement of `span` made as the remembered one of its shape was; false when there is none, or when
    // a column refuses one of its literals.
    bool replay(const tsql::Lexed& lx, tsql::Span span, TsqlStatement& statement);
    // Remembers how `statement`, just rewritten from `span`, was made: its parameters' sources, in order.
    void remember(const tsql::Lexed& lx, tsql::Span span, const TsqlStatement& statement,
                  const std::vector<tsql::ParameterSource>& sources,
                  const std::vector<tsql::ParameterSource>& conditionSources);
    // The statement of a remembered shape that begins at `at` in `batch` (after blanks and ";"), read from the
    // text alone; `at` moves past it. False, `at` unmoved but for the blanks, when none begins there, or a
    // column refuses one of its literals.
    bool replayText(std::string_view batch, std::size_t& at, TsqlStatement& statement);
    // The statement last replayed or remembered was followed by `next`: a word there ended it.
    void endedBy(const tsql::Token& next);
    void clear();

private:
    struct Parameter {
        std::size_t literal = 0;  // which literal of the statement, counted from 0
        const ColumnRule* rule = nullptr;
        bool negative = false;
        // The literal last brought to this parameter, as written, the date order it was read in, and what it
        // made: a column of a batch's rows repeats its values (a date, a code), and the same literal through
        // the same rule makes the same parameter.
        std::string lastLiteral;
        DateOrder lastOrder = DateOrder::DMY;
        SqlParameter lastMade;
        std::uint8_t changes = 0;  // the uses running that found another literal than the last
        std::uint8_t resting = 0;  // the uses left that make the parameter without looking at the last
    };
    struct Plan {
        TsqlStatement::Kind kind = TsqlStatement::Kind::Plain;
        std::string sql;
        std::string condition;
        bool negate = false;
        std::vector<Parameter> parameters;
        std::vector<Parameter> conditionParameters;
        // The statement's text around its literals: text[cuts[2k], cuts[2k + 1]) comes before literal k (whose
        // kind is kinds[k]), the last piece after the last literal.
        std::string text;
        std::vector<std::size_t> cuts;
        std::string kinds;
        std::vector<std::string> kept;  // per literal: its text when the statement keeps it, else empty
        std::bitset<256> closers;  // the words (their Kw) that ended a statement of this shape
        // The plan of the statement that came after one of this plan last time: a unit of work sends its
        // statements in the same order row after row, so it is the one to try first.
        Plan* next = nullptr;
    };

    // Reads the shape of `span` into key_ and the token of each of its literals into literals_.
    void readShape(const tsql::Lexed& lx, tsql::Span span);
    // The text of `span` around the literals readShape found.
    void keepText(const tsql::Lexed& lx, tsql::Span span, Plan& plan) const;
    // Where the statement of `plan` that begins at `at` ends, its literals read into literalTokens_; npos
    // when the text there is not of its shape, or what follows does not end it.
    std::size_t matches(const Plan& plan, std::string_view batch, std::size_t at);
    static bool endsThere(const Plan& plan, std::string_view batch, std::size_t end);
    void markUsed(Plan* plan);
    // Files `plan` in openings_ under the opening of its text.
    void index(Plan& plan);
    // `statement`, of `original`'s text, made as `plan` was made; its parameters are already in place.
    void take(Plan& plan, std::string_view original, TsqlStatement& statement);
    bool planned(const std::vector<tsql::ParameterSource>& sources, std::vector<Parameter>& plan,
                 std::vector<bool>& used) const;
    // Whether the literals the plan keeps in its text are the same in `lx`'s statement.
    bool keepsAlike(const tsql::Lexed& lx, const Plan& plan) const;
    bool made(const tsql::Lexed& lx, std::vector<Parameter>& plan, std::vector<SqlParameter>& parameters) const;
    // The statement of `plan` that begins at `at`, as replayText makes it; false when it is not of that shape,
    // or, with `refused` set, when a column refuses one of its literals.
    bool replayedAs(Plan& plan, std::string_view batch, std::size_t& at, TsqlStatement& statement, bool& refused);

    const DateOrder& dateOrder_;
    std::unordered_map<std::string, Plan> plans_;
    // The plans by the opening of their text (at most kOpening bytes, none past their first literal): text
    // read from a batch is compared only with the plans that open as it does.
    struct OpeningHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view opening) const { return std::hash<std::string_view>{}(opening); }
    };
    std::unordered_map<std::string, std::vector<Plan*>, OpeningHash, std::equal_to<>> openings_;
    std::vector<std::size_t> openingSizes_;  // the sizes of the openings of openings_, each once
    Plan* last_ = nullptr;       // the plan of the statement last replayed or remembered
    Plan* before_ = nullptr;     // the plan last used, kept across batches
    std::string key_;
    std::vector<std::size_t> literals_;
    std::vector<tsql::Token> literalTokens_;
};

}  // namespace db::sqlite
