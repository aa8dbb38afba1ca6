#pragma once
// Writes a run of T-SQL tokens back out in SQLite's dialect (internal to the SQLite provider).
//
// Everything that can be rewritten token by token lives here, whatever statement the tokens belong to:
// owner prefixes, the functions SQLite lacks or spells differently, N'...' literals, the collation on
// literals, locking hints, and SELECT TOP n, which becomes a LIMIT at the end of its own SELECT.
// The statement-level rewrites (INSERT INTO, DELETE FROM, IF EXISTS ...) are made by the caller around it.

#include "platform/db/sqlite/TsqlBatch.h"
#include "platform/db/sqlite/TsqlExpressionTypes.h"
#include "platform/db/sqlite/TsqlLexer.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace db::sqlite::tsql {

inline constexpr std::size_t kNowhere = static_cast<std::size_t>(-1);

// Where a parameter's value was read: its literal token (the digits of a signed number), and the column rule
// it was stored through with the sign in front of it, when it was. Statements of one shape make their
// parameters the same way from their own literals (see TsqlShapes.h).
struct ParameterSource {
    std::size_t token = kNowhere;
    const ColumnRule* rule = nullptr;
    bool negative = false;
};

// Builds the rewritten text. Gaps between tokens come out as one blank, so dropping a token (TOP n, dbo.)
// leaves no stray whitespace and a comment can never swallow text appended after it.
class Writer {
public:
    Writer() = default;
    explicit Writer(std::size_t expected) { out_.reserve(expected); }
    void token(std::string_view text, bool spaceBefore)
    {
        // A blank left by a dropped token is not wanted before a closing parenthesis or a comma.
        const bool closes = text == ")" || text == ",";
        if (!atStart_ && (spaceBefore || (pendingSpace_ && !closes))) out_ += ' ';
        atStart_ = false;
        pendingSpace_ = false;
        out_ += text;
    }
    // A word of our own between two of the statement's tokens.
    void word(std::string_view text) { token(text, true); }
    // A token left out: the gap in front of it still separates what surrounds it.
    void skip(bool spaceBefore) { pendingSpace_ = pendingSpace_ || spaceBefore; }
    // A string literal ('O''Brien', quotes included) that the statement takes as a parameter: the text
    // gets a numbered mark and the literal's value goes to the parameters. Statements that differ only in
    // their literals then read alike, and the database compiles such a statement once, not once per row.
    void parameter(std::string_view literal, bool spaceBefore, std::size_t source)
    {
        value({SqlParameter::Type::Text, unquotedLiteral(literal)}, spaceBefore, {source});
    }
    // A number the statement takes as a parameter, when it is one SQLite reads as a value.
    void number(std::string_view digits, bool spaceBefore, std::size_t source)
    {
        const auto type = numberType(digits);
        if (!type) token(digits, spaceBefore);
        else value({*type, std::string(digits)}, spaceBefore, {source});
    }
    void value(SqlParameter parameter, bool spaceBefore, ParameterSource source)
    {
        if (parameters_.size() >= kMostParameters) {
            token(spelledLiteral(parameter), spaceBefore);
            return;
        }
        parameters_.push_back(std::move(parameter));
        sources_.push_back(source);
        char mark[16] = "?";
        const auto written = std::to_chars(mark + 1, mark + sizeof mark, parameters_.size());
        token(std::string_view(mark, static_cast<std::size_t>(written.ptr - mark)), spaceBefore);
    }
    // Text glued to what was written last (" COLLATE SQLSRV", "()").
    void append(std::string_view text) { out_ += text; }
    // Text the next token follows without a blank: "SELECT EXISTS (".
    void open(std::string_view text)
    {
        out_ += text;
        atStart_ = true;
    }
    std::string take() { return std::move(out_); }
    // The values of the marks ?1, ?2... in the order of their numbers.
    std::vector<SqlParameter> takeParameters() { return std::move(parameters_); }
    // Where each of them was read, in the same order.
    std::vector<ParameterSource> takeSources() { return std::move(sources_); }

    static std::string unquotedLiteral(std::string_view literal);
    // Integer for digits, Real for a decimal point or an exponent; nothing for 0x... and other spellings.
    static std::optional<SqlParameter::Type> numberType(std::string_view digits);
    static std::string spelledLiteral(const SqlParameter& parameter);

private:
    // Every database takes this many; a statement with more literals keeps the rest in its text.
    static constexpr std::size_t kMostParameters = 999;

    std::string out_;
    std::vector<SqlParameter> parameters_;
    std::vector<ParameterSource> sources_;
    bool atStart_ = true;
    bool pendingSpace_ = false;
};

// What may appear where in the tokens being written.
struct Rules {
    bool collate = false;        // DML and conditions: every literal compares the way the server's do,
                                 // and goes to the statement as a parameter
    Kw lead = Kw::None;          // SELECT / INSERT / UPDATE / DELETE: what the top level may hold
    int fromAllowed = 0;         // DELETE: top-level FROMs that are its own (DELETE FROM t)
    bool dropClustered = false;  // CREATE TABLE / INDEX: SQLite has no clustered indexes
};

class Walker {
public:
    explicit Walker(const Lexed& lx) : lx_(lx), tk_(lx.tokens), types_(lx) {}

    // The statement being rewritten (tokens [first, last)) and the rules of its tables, which tell the
    // exact type of what it converts to text; without rules, nothing is known of it.
    void knowTypes(ColumnRules* rules, std::size_t first, std::size_t last) { types_.reset(rules, first, last); }
    // A table it reads was unknown when the types were asked for.
    bool typesUnknown() const { return types_.tableUnknown(); }

    // Writes tokens [begin, end) to `w`. After the first thing it cannot rewrite, error() says what and
    // the text written is not to be used.
    void walk(Writer& w, std::size_t begin, std::size_t end, const Rules& rules);
    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }
    void fail(std::string why);

    // Checks a COLLATE name: SQLite only has ours, which stands for the server's case-insensitive ones.
    void collation(const Token& name);

private:
    // One level of parentheses: a TOP found in it becomes a LIMIT before its ")".
    struct Scope {
        std::string limit;
        bool dropParen = false;  // INSERT ... (SELECT ...): SQLite takes the SELECT without them
        bool compound = false;   // a UNION / EXCEPT / INTERSECT at this level
        bool positions = false;  // in ORDER BY / GROUP BY, where SQLite reads a number as a column's position
        std::size_t castAs = kNowhere;  // CAST (x AS type): the AS, skipped with the type up to the ")"
        std::size_t castClose = kNowhere;
        bool collated = false;   // the arguments of a text function whose result compares as its column does
        std::string lastArguments;  // CONVERT to text: the style and the converted value's exact type
    };

    // Where arithmetic becomes calls of the functions that compute as SQL Server does (exact decimals,
    // integer division, `+` joining texts): "a + b * c - d" -> "sqlsrv_sub(sqlsrv_add(a, sqlsrv_mul(b, c)), d)".
    // Indexes are relative to the walk.
    struct OperatorPlan {
        std::vector<std::vector<std::pair<std::size_t, std::string_view>>> opens;  // before the token: (last, function)
        std::vector<std::uint8_t> closes;  // calls closed after the token
        std::vector<bool> comma;           // an operator written as its call's comma
    };

    Kw kwAt(std::size_t i) const { return i < end_ && tk_[i].type == Tok::Word ? tk_[i].kw : Kw::None; }
    Tok typeAt(std::size_t i) const { return i < end_ ? tk_[i].type : Tok::Error; }
    bool isOwnerPrefix(std::size_t i) const;
    std::size_t hintListEnd(std::size_t open) const;
    bool literalIsAlias() const;
    bool keepsCollation(std::size_t open) const;
    // The column a blank text literal at `literal` is compared with ([alias.]column), as [first, last); nothing
    // when it is not one.
    std::optional<std::pair<std::size_t, std::size_t>> blankComparedWith(std::size_t literal) const;
    std::size_t columnStart(std::size_t last) const;
    void closeScope(Writer& w, const Scope& scope);

    // Each writes token i (and what it consumes after it, advancing i). word() answers true when what it
    // consumed is to be invisible to the tokens after it (TOP n, a locking hint).
    bool word(Writer& w, std::size_t& i, const Rules& rules);
    void top(Writer& w, std::size_t& i);
    void convertType(Writer& w, std::size_t& i);
    void castToConvert(Writer& w, std::size_t& i);
    std::string typeText(std::size_t begin, std::size_t end) const;
    std::string exactSource(std::size_t valueBegin, std::size_t valueEnd, bool styled);

    void planOperators(std::size_t begin, std::size_t end);
    bool isOperandWord(const Token& t) const;
    bool endsOperand(std::size_t i) const;
    bool isBinary(std::size_t i, std::size_t begin) const;
    std::size_t leftOperandStart(std::size_t op, std::size_t begin, bool additive) const;
    std::size_t rightOperandEnd(std::size_t op, bool additive) const;
    std::size_t closingParen(std::size_t open) const;
    std::size_t openingParen(std::size_t close, std::size_t begin) const;
    std::size_t caseEnd(std::size_t caseWord) const;
    std::size_t caseStart(std::size_t endWord, std::size_t begin) const;

    const Lexed& lx_;
    const std::vector<Token>& tk_;
    ExpressionTypes types_;
    std::string error_;
    std::vector<Scope> scopes_;
    OperatorPlan operators_;
    std::size_t datePart_ = kNowhere;  // the date part word of DATEADD / DATEDIFF / DATEPART, written as text
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    Kw prev_ = Kw::None;
    Kw prev2_ = Kw::None;
    Tok prevType_ = Tok::Other;
    int fromCount_ = 0;
    bool valuesSeen_ = false;
    bool selectSeen_ = false;  // a SELECT at the top level: parentheses after it hold no INSERT's source
};

// Token helpers shared with the statement rewriter.
bool isIdentifier(const Token& t);
std::string upper(std::string_view s);
bool isTextType(std::string_view typeName);
std::string_view unquotedName(std::string_view name);  // [name] or "name" -> name

}  // namespace db::sqlite::tsql
