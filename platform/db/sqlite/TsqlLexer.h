#pragma once
// The tokenizer under the T-SQL batch rewriter (internal to the SQLite provider).
//
// One pass over the batch turns it into tokens that point back into the text. Whitespace and comments are
// not tokens; a token only remembers whether something separated it from the one before, which is all the
// rewriter needs to write the statement back out. The words the splitter and rewriter decide on are
// recognised here once, so neither has to compare text again.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace db::sqlite::tsql {

// Keep in step with the spelling table in TsqlLexer.cpp.
enum class Kw : std::uint8_t {
    None,  // an identifier or a word nothing here decides on
    Add, All, Alter, And, Any, As, Begin, Between, By, Case, Check, Clustered, Collate, Column, Commit,
    Constraint, Convert, Create, Dbo, Declare, Default, Delete, Deny, Distinct, Distributed, Drop, Else, End,
    Escape, Except, Exec, Execute, Exists, Foreign, From, Function, Grant, Group, Having, Identity, If, In,
    Index, Insert, Intersect, Into, Is, Isnull, Like, Merge, Nonclustered, Not, Null, On, Or, Order, Output,
    Percent, Primary, Print, Proc, Procedure, Raiserror, References, Return, Revoke, Rollback, Save, Select,
    Set, Some, SystemUser, Table, Then, Ties, To, Top, Tran, Transaction, Trigger, Truncate, Union, Unique,
    Update, Use, Values, View, When, Where, While, With, Work,
};

enum class Tok : std::uint8_t {
    Word,         // keyword or plain identifier; may start with @ or # (T-SQL variables, temporary tables)
    QuotedIdent,  // [name] or "name"
    String,       // '...' or N'...'
    Number,
    LParen,
    RParen,
    Comma,
    Dot,
    Semicolon,
    Other,        // an operator character
    Error,        // an unterminated literal, identifier or comment: runs to the end of the batch
};

struct Token {
    Tok type = Tok::Other;
    Kw kw = Kw::None;
    bool spaceBefore = false;  // whitespace or a comment separates it from the previous token
    bool national = false;     // N'...'
    std::size_t begin = 0;     // offsets into the batch text
    std::size_t end = 0;
};

struct Lexed {
    std::string_view text;
    std::vector<Token> tokens;
    std::string_view error;  // why the last token is Tok::Error

    std::string_view textOf(const Token& t) const { return text.substr(t.begin, t.end - t.begin); }
    // The literal as SQLite writes it: without the N of N'...'.
    std::string_view literalOf(const Token& t) const
    {
        return t.national ? text.substr(t.begin + 1, t.end - t.begin - 1) : textOf(t);
    }
};

Lexed tokenize(std::string_view batch);
// The same from byte `from` on, into `tokens`' room (cleared first), which a caller keeps from batch to batch.
Lexed tokenize(std::string_view batch, std::vector<Token>&& tokens, std::size_t from = 0);

// The one token that begins at `at`, read as tokenize reads it (spaceBefore unset); nullopt when no such
// token begins there, or a literal does not end.
std::optional<Token> literalAt(std::string_view text, std::size_t at);  // '...', N'...' or a number
std::optional<Token> wordAt(std::string_view text, std::size_t at);
// The end of the whitespace that begins at `at`.
std::size_t blanksEnd(std::string_view text, std::size_t at);

// Case-insensitive ASCII comparison; the words that matter here are all ASCII.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace db::sqlite::tsql
