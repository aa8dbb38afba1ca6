#include "platform/db/sqlite/TsqlLexer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace db::sqlite::tsql {

namespace {

using Spelling = std::pair<std::string_view, Kw>;

// Sorted by spelling (checked below) so a word is found by binary search.
constexpr std::array kKeywords{
    Spelling{"ADD", Kw::Add}, Spelling{"ALL", Kw::All}, Spelling{"ALTER", Kw::Alter}, Spelling{"AND", Kw::And},
    Spelling{"ANY", Kw::Any}, Spelling{"AS", Kw::As}, Spelling{"BEGIN", Kw::Begin},
    Spelling{"BETWEEN", Kw::Between}, Spelling{"BY", Kw::By}, Spelling{"CASE", Kw::Case},
    Spelling{"CHECK", Kw::Check}, Spelling{"CLUSTERED", Kw::Clustered}, Spelling{"COLLATE", Kw::Collate},
    Spelling{"COLUMN", Kw::Column}, Spelling{"COMMIT", Kw::Commit}, Spelling{"CONSTRAINT", Kw::Constraint},
    Spelling{"CONVERT", Kw::Convert}, Spelling{"CREATE", Kw::Create}, Spelling{"DBO", Kw::Dbo},
    Spelling{"DECLARE", Kw::Declare}, Spelling{"DEFAULT", Kw::Default}, Spelling{"DELETE", Kw::Delete},
    Spelling{"DENY", Kw::Deny}, Spelling{"DISTINCT", Kw::Distinct}, Spelling{"DISTRIBUTED", Kw::Distributed},
    Spelling{"DROP", Kw::Drop}, Spelling{"ELSE", Kw::Else}, Spelling{"END", Kw::End},
    Spelling{"ESCAPE", Kw::Escape}, Spelling{"EXCEPT", Kw::Except}, Spelling{"EXEC", Kw::Exec},
    Spelling{"EXECUTE", Kw::Execute}, Spelling{"EXISTS", Kw::Exists}, Spelling{"FOREIGN", Kw::Foreign},
    Spelling{"FROM", Kw::From}, Spelling{"FUNCTION", Kw::Function}, Spelling{"GRANT", Kw::Grant},
    Spelling{"GROUP", Kw::Group}, Spelling{"HAVING", Kw::Having}, Spelling{"IDENTITY", Kw::Identity},
    Spelling{"IF", Kw::If}, Spelling{"IN", Kw::In}, Spelling{"INDEX", Kw::Index}, Spelling{"INSERT", Kw::Insert},
    Spelling{"INTERSECT", Kw::Intersect}, Spelling{"INTO", Kw::Into}, Spelling{"IS", Kw::Is},
    Spelling{"ISNULL", Kw::Isnull}, Spelling{"LIKE", Kw::Like}, Spelling{"MERGE", Kw::Merge},
    Spelling{"NONCLUSTERED", Kw::Nonclustered}, Spelling{"NOT", Kw::Not}, Spelling{"NULL", Kw::Null},
    Spelling{"ON", Kw::On}, Spelling{"OR", Kw::Or}, Spelling{"ORDER", Kw::Order}, Spelling{"OUTPUT", Kw::Output},
    Spelling{"PERCENT", Kw::Percent}, Spelling{"PRIMARY", Kw::Primary}, Spelling{"PRINT", Kw::Print},
    Spelling{"PROC", Kw::Proc}, Spelling{"PROCEDURE", Kw::Procedure}, Spelling{"RAISERROR", Kw::Raiserror},
    Spelling{"REFERENCES", Kw::References}, Spelling{"RETURN", Kw::Return}, Spelling{"REVOKE", Kw::Revoke},
    Spelling{"ROLLBACK", Kw::Rollback}, Spelling{"SAVE", Kw::Save}, Spelling{"SELECT", Kw::Select},
    Spelling{"SET", Kw::Set}, Spelling{"SOME", Kw::Some}, Spelling{"SYSTEM_USER", Kw::SystemUser},
    Spelling{"TABLE", Kw::Table}, Spelling{"THEN", Kw::Then}, Spelling{"TIES", Kw::Ties}, Spelling{"TO", Kw::To},
    Spelling{"TOP", Kw::Top}, Spelling{"TRAN", Kw::Tran}, Spelling{"TRANSACTION", Kw::Transaction},
    Spelling{"TRIGGER", Kw::Trigger}, Spelling{"TRUNCATE", Kw::Truncate}, Spelling{"UNION", Kw::Union},
    Spelling{"UNIQUE", Kw::Unique}, Spelling{"UPDATE", Kw::Update}, Spelling{"USE", Kw::Use},
    Spelling{"VALUES", Kw::Values}, Spelling{"VIEW", Kw::View}, Spelling{"WHEN", Kw::When},
    Spelling{"WHERE", Kw::Where}, Spelling{"WHILE", Kw::While}, Spelling{"WITH", Kw::With},
    Spelling{"WORK", Kw::Work},
};
static_assert(std::is_sorted(kKeywords.begin(), kKeywords.end(),
                             [](const Spelling& a, const Spelling& b) { return a.first < b.first; }));

constexpr std::size_t kLongestKeyword = 12;

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Where the keywords of each initial letter begin in kKeywords (and those of the next letter end).
constexpr std::array<std::uint8_t, 27> kByInitial = [] {
    std::array<std::uint8_t, 27> starts{};
    for (int letter = 0; letter <= 26; ++letter) {
        std::size_t k = 0;
        while (k < kKeywords.size() && kKeywords[k].first[0] < 'A' + letter) ++k;
        starts[static_cast<std::size_t>(letter)] = static_cast<std::uint8_t>(k);
    }
    return starts;
}();

Kw keywordOf(std::string_view word)
{
    // Most words of a statement name columns: they are told apart from the few keywords of their initial.
    if (word.size() < 2 || word.size() > kLongestKeyword) return Kw::None;
    const char initial = upper(word[0]);
    if (initial < 'A' || initial > 'Z') return Kw::None;
    std::array<char, kLongestKeyword> buffer{};
    for (std::size_t i = 0; i < word.size(); ++i) buffer[i] = upper(word[i]);
    const std::string_view key(buffer.data(), word.size());
    const auto letter = static_cast<std::size_t>(initial - 'A');
    for (std::size_t k = kByInitial[letter]; k < kByInitial[letter + 1]; ++k)
        if (kKeywords[k].first == key) return kKeywords[k].second;
    return Kw::None;
}

// What each byte can be, looked up once per byte: the whole of a batch passes through these tests.
enum ByteClass : std::uint8_t { kSpace = 1, kDigit = 2, kLetter = 4, kStartsWord = 8, kContinuesWord = 16 };

constexpr std::array<std::uint8_t, 256> kByteClasses = [] {
    std::array<std::uint8_t, 256> classes{};
    for (int c = 0; c < 256; ++c) {
        std::uint8_t k = 0;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') k |= kSpace;
        if (c >= '0' && c <= '9') k |= kDigit;
        // Bytes above 127 are taken as letters: the ERP's column names carry Ñ and accents.
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80) k |= kLetter;
        if ((k & kLetter) || c == '_' || c == '@' || c == '#') k |= kStartsWord;
        if ((k & (kStartsWord | kDigit)) || c == '$') k |= kContinuesWord;
        classes[static_cast<std::size_t>(c)] = k;
    }
    return classes;
}();

bool is(unsigned char c, ByteClass k) { return (kByteClasses[c] & k) != 0; }
bool isSpace(unsigned char c) { return is(c, kSpace); }
bool isDigit(unsigned char c) { return is(c, kDigit); }
bool isLetter(unsigned char c) { return is(c, kLetter); }
bool startsWord(unsigned char c) { return is(c, kStartsWord); }
bool continuesWord(unsigned char c) { return is(c, kContinuesWord); }

// The end of a quoted run opened at `open`, whose closing character is doubled to stand for itself;
// npos when it never closes.
std::size_t closeQuoted(std::string_view s, std::size_t open, char close)
{
    for (std::size_t i = open + 1; i < s.size(); ++i) {
        if (s[i] != close) continue;
        if (i + 1 < s.size() && s[i + 1] == close) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return std::string_view::npos;
}

}  // namespace

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

std::optional<Token> literalAt(std::string_view s, std::size_t at)
{
    if (at >= s.size()) return std::nullopt;
    const auto c = static_cast<unsigned char>(s[at]);
    const unsigned char next = at + 1 < s.size() ? static_cast<unsigned char>(s[at + 1]) : 0;
    Token t;
    t.begin = at;
    if (c == '\'' || ((c == 'N' || c == 'n') && next == '\'')) {
        const std::size_t quote = c == '\'' ? at : at + 1;
        const std::size_t end = closeQuoted(s, quote, '\'');
        if (end == std::string_view::npos) return std::nullopt;
        t.type = Tok::String;
        t.national = quote != at;
        t.end = end;
        return t;
    }
    if (!isDigit(c) && !(c == '.' && isDigit(next))) return std::nullopt;
    // Digits, a decimal point, an exponent with its sign, or the letters of 0x... binary.
    std::size_t i = at;
    while (i < s.size()) {
        const auto d = static_cast<unsigned char>(s[i]);
        if ((d == 'e' || d == 'E') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
            i += 2;
        } else if (isDigit(d) || isLetter(d) || d == '.') {
            ++i;
        } else {
            break;
        }
    }
    t.type = Tok::Number;
    t.end = i;
    return t;
}

std::optional<Token> wordAt(std::string_view s, std::size_t at)
{
    if (at >= s.size() || !startsWord(static_cast<unsigned char>(s[at]))) return std::nullopt;
    std::size_t i = at;
    while (i < s.size() && continuesWord(static_cast<unsigned char>(s[i]))) ++i;
    Token t;
    t.type = Tok::Word;
    t.kw = keywordOf(s.substr(at, i - at));
    t.begin = at;
    t.end = i;
    return t;
}

std::size_t blanksEnd(std::string_view s, std::size_t at)
{
    while (at < s.size() && isSpace(static_cast<unsigned char>(s[at]))) ++at;
    return at;
}

Lexed tokenize(std::string_view s) { return tokenize(s, {}); }

Lexed tokenize(std::string_view s, std::vector<Token>&& tokens, std::size_t from)
{
    Lexed lx;
    lx.text = s;
    lx.tokens = std::move(tokens);
    lx.tokens.clear();
    lx.tokens.reserve((s.size() - std::min(from, s.size())) / 4 + 4);
    const std::size_t n = s.size();
    bool space = false;
    auto push = [&](Token t) {
        t.spaceBefore = space;
        space = false;
        lx.tokens.push_back(t);
    };
    auto fail = [&](std::size_t begin, std::string_view why) {
        Token t;
        t.type = Tok::Error;
        t.begin = begin;
        t.end = n;
        push(t);
        lx.error = why;
    };

    std::size_t i = from;
    while (i < n) {
        const auto c = static_cast<unsigned char>(s[i]);
        const unsigned char next = i + 1 < n ? static_cast<unsigned char>(s[i + 1]) : 0;
        if (isSpace(c)) {
            space = true;
            ++i;
        } else if (c == '-' && next == '-') {
            while (i < n && s[i] != '\r' && s[i] != '\n') ++i;
            space = true;
        } else if (c == '/' && next == '*') {
            // T-SQL block comments nest.
            const std::size_t open = i;
            int depth = 0;
            while (i < n) {
                if (s[i] == '/' && i + 1 < n && s[i + 1] == '*') {
                    ++depth;
                    i += 2;
                } else if (s[i] == '*' && i + 1 < n && s[i + 1] == '/') {
                    i += 2;
                    if (--depth == 0) break;
                } else {
                    ++i;
                }
            }
            if (depth > 0) {
                fail(open, "unterminated comment");
                break;
            }
            space = true;
        } else if (c == '[' || c == '"') {
            const std::size_t end = closeQuoted(s, i, c == '[' ? ']' : '"');
            if (end == std::string_view::npos) {
                fail(i, c == '[' ? "unterminated [identifier]" : "unterminated \"identifier\"");
                break;
            }
            Token t;
            t.type = Tok::QuotedIdent;
            t.begin = i;
            t.end = end;
            push(t);
            i = end;
        } else if (const auto literal = literalAt(s, i)) {
            push(*literal);
            i = literal->end;
        } else if (c == '\'' || ((c == 'N' || c == 'n') && next == '\'')) {
            fail(i, "unterminated string literal");
            break;
        } else if (const auto word = wordAt(s, i)) {
            push(*word);
            i = word->end;
        } else {
            Token t;
            switch (c) {
            case '(': t.type = Tok::LParen; break;
            case ')': t.type = Tok::RParen; break;
            case ',': t.type = Tok::Comma; break;
            case '.': t.type = Tok::Dot; break;
            case ';': t.type = Tok::Semicolon; break;
            default: t.type = Tok::Other; break;
            }
            t.begin = i;
            t.end = i + 1;
            push(t);
            ++i;
        }
    }
    return lx;
}

}  // namespace db::sqlite::tsql
