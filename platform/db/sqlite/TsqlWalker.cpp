#include "platform/db/sqlite/TsqlWalker.h"

#include "platform/db/sqlite/TsqlBatch.h"

#include <utility>

namespace db::sqlite::tsql {

namespace {

bool containsIgnoreCase(std::string_view haystack, std::string_view needle)
{
    for (std::size_t i = 0; i + needle.size() <= haystack.size(); ++i) {
        if (equalsIgnoreCase(haystack.substr(i, needle.size()), needle)) return true;
    }
    return false;
}

std::string_view unquoted(std::string_view name)
{
    if (name.size() >= 2 && (name.front() == '[' || name.front() == '"')) return name.substr(1, name.size() - 2);
    return name;
}

bool isWholeNumber(std::string_view text)
{
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Locking hints mean nothing to SQLite, which locks the whole database anyway.
bool isTableHint(std::string_view word)
{
    static constexpr std::string_view kHints[] = {
        "NOLOCK", "READUNCOMMITTED", "READCOMMITTED", "REPEATABLEREAD", "SERIALIZABLE",
        "UPDLOCK", "ROWLOCK", "PAGLOCK", "TABLOCK", "TABLOCKX", "HOLDLOCK", "XLOCK", "READPAST", "NOWAIT",
    };
    for (std::string_view hint : kHints) {
        if (equalsIgnoreCase(word, hint)) return true;
    }
    return false;
}

}  // namespace

bool isIdentifier(const Token& t)
{
    if (t.type == Tok::QuotedIdent) return true;
    if (t.type != Tok::Word) return false;
    // Words the lexer knows that T-SQL does not reserve, so they may name a table or a column.
    switch (t.kw) {
    case Kw::None: case Kw::Dbo: case Kw::Isnull: case Kw::Output: case Kw::Ties: case Kw::Work: return true;
    default: return false;
    }
}

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

bool isTextType(std::string_view typeName)
{
    typeName = unquoted(typeName);
    for (std::string_view type : {"CHAR", "VARCHAR", "NCHAR", "NVARCHAR", "TEXT", "NTEXT"}) {
        if (equalsIgnoreCase(typeName, type)) return true;
    }
    return false;
}

void Walker::fail(std::string why)
{
    if (error_.empty()) error_ = std::move(why);
}

void Walker::collation(const Token& name)
{
    const std::string_view text = unquoted(lx_.textOf(name));
    if (containsIgnoreCase(text, "_CS") || containsIgnoreCase(text, "_BIN")) {
        fail("case-sensitive collation " + std::string(text) + " is not supported");
    }
}

void Walker::walk(Writer& w, std::size_t begin, std::size_t end, const Rules& rules)
{
    end_ = end;
    scopes_.assign(1, Scope{});
    prev_ = prev2_ = Kw::None;
    prevType_ = Tok::Other;
    fromCount_ = 0;
    valuesSeen_ = false;

    for (std::size_t i = begin; i < end && !failed(); ++i) {
        const Token& t = tk_[i];
        bool invisible = false;
        switch (t.type) {
        case Tok::LParen: {
            // FROM t (NOLOCK), the old spelling of WITH (NOLOCK).
            if (prevType_ == Tok::Word || prevType_ == Tok::QuotedIdent) {
                if (const std::size_t close = hintListEnd(i); close != kNowhere) {
                    w.skip(t.spaceBefore);
                    i = close;
                    invisible = true;
                    break;
                }
            }
            const bool source = rules.lead == Kw::Insert && scopes_.size() == 1 && !valuesSeen_
                                && kwAt(i + 1) == Kw::Select;
            scopes_.push_back(Scope{{}, source, false});
            if (source) w.skip(t.spaceBefore);
            else w.token("(", t.spaceBefore);
            break;
        }
        case Tok::RParen: {
            if (scopes_.size() == 1) {
                fail("unbalanced parentheses: a ')' closes nothing");
                break;
            }
            const Scope scope = std::move(scopes_.back());
            scopes_.pop_back();
            closeScope(w, scope);
            if (scope.dropParen) w.skip(t.spaceBefore);
            else w.token(")", t.spaceBefore);
            break;
        }
        case Tok::String:
            if (!rules.collate || literalIsAlias()) {
                w.token(lx_.literalOf(t), t.spaceBefore);
                break;
            }
            w.parameter(lx_.literalOf(t), t.spaceBefore);
            if (kwAt(i + 1) != Kw::Collate) {
                w.append(" COLLATE ");
                w.append(kSqlServerCollation);
            }
            break;
        case Tok::QuotedIdent:
            if (isOwnerPrefix(i)) {
                w.skip(t.spaceBefore);
                ++i;
            } else {
                w.token(lx_.textOf(t), t.spaceBefore);
            }
            break;
        case Tok::Word: invisible = word(w, i, rules); break;
        default: w.token(lx_.textOf(t), t.spaceBefore); break;
        }
        if (!invisible) {
            prev2_ = prev_;
            prev_ = tk_[i].type == Tok::Word ? tk_[i].kw : Kw::None;
            prevType_ = tk_[i].type;
        }
    }
    if (failed()) return;
    if (scopes_.size() > 1) fail("unbalanced parentheses: a '(' is never closed");
    else closeScope(w, scopes_.front());
}

bool Walker::word(Writer& w, std::size_t& i, const Rules& rules)
{
    const Token& t = tk_[i];
    const std::string_view text = lx_.textOf(t);
    if (text.front() == '@') {
        fail("T-SQL variable " + std::string(text) + " is not supported");
        return false;
    }
    if (text.front() == '#') {
        fail("temporary table " + std::string(text) + " is not supported");
        return false;
    }
    const bool topLevel = scopes_.size() == 1;
    const bool changesRows = rules.lead == Kw::Insert || rules.lead == Kw::Update || rules.lead == Kw::Delete;
    switch (t.kw) {
    case Kw::Dbo:
        if (isOwnerPrefix(i)) {
            w.skip(t.spaceBefore);
            ++i;
            return false;
        }
        break;
    case Kw::Isnull:
        // ISNULL is an operator in SQLite; IFNULL is the same function under the name it knows.
        if (typeAt(i + 1) == Tok::LParen) {
            w.token("IFNULL", t.spaceBefore);
            return false;
        }
        break;
    case Kw::SystemUser:
        // Niladic in T-SQL; to SQLite only a call reaches the function the provider registers.
        if (typeAt(i + 1) != Tok::LParen) {
            w.token(text, t.spaceBefore);
            w.append("()");
            return false;
        }
        break;
    case Kw::Convert:
        if (typeAt(i + 1) == Tok::LParen) {
            convertType(w, i);
            return false;
        }
        break;
    case Kw::Top: top(w, i); return true;
    case Kw::Union: case Kw::Except: case Kw::Intersect:
        if (!scopes_.back().limit.empty()) {
            fail("TOP in a SELECT combined with " + upper(text) + " is not supported");
        }
        scopes_.back().compound = true;
        break;
    case Kw::Into:
        if (topLevel && rules.lead == Kw::Select) fail("SELECT ... INTO is not supported");
        break;
    case Kw::From:
        if (topLevel && rules.lead == Kw::Update) fail("UPDATE ... FROM is not supported");
        if (topLevel && rules.lead == Kw::Delete && ++fromCount_ > rules.fromAllowed) {
            fail("DELETE ... FROM ... JOIN is not supported");
        }
        break;
    case Kw::Values: valuesSeen_ = true; break;
    case Kw::Output:
        // A column may be called OUTPUT; the clause always names the inserted or deleted rows.
        if (topLevel && changesRows && typeAt(i + 1) == Tok::Word) {
            const std::string_view rows = lx_.textOf(tk_[i + 1]);
            if (equalsIgnoreCase(rows, "INSERTED") || equalsIgnoreCase(rows, "DELETED")) {
                fail("the OUTPUT clause is not supported");
            }
        }
        break;
    case Kw::Declare: case Kw::Exec: case Kw::Execute: fail(upper(text) + " is not supported"); break;
    case Kw::With:
        if (typeAt(i + 1) == Tok::LParen) {
            if (const std::size_t close = hintListEnd(i + 1); close != kNowhere) {
                w.skip(t.spaceBefore);
                i = close;
                return true;
            }
        }
        break;
    case Kw::Clustered: case Kw::Nonclustered:
        if (rules.dropClustered) {
            w.skip(t.spaceBefore);
            return false;
        }
        break;
    case Kw::Collate:
        if (typeAt(i + 1) != Tok::Word && typeAt(i + 1) != Tok::QuotedIdent) {
            fail("COLLATE without a collation name");
            return false;
        }
        collation(tk_[i + 1]);
        w.token(text, t.spaceBefore);
        w.word(kSqlServerCollation);
        ++i;
        return false;
    default: break;
    }
    w.token(text, t.spaceBefore);
    return false;
}

// SELECT [DISTINCT] TOP n | TOP (n): the count moves to a LIMIT at the end of this SELECT.
void Walker::top(Writer& w, std::size_t& i)
{
    const bool afterSelect =
        prev_ == Kw::Select || ((prev_ == Kw::Distinct || prev_ == Kw::All) && prev2_ == Kw::Select);
    if (!afterSelect) {
        fail("TOP outside a SELECT is not supported");
        return;
    }
    std::size_t next = i + 1;
    std::string_view count;
    if (typeAt(next) == Tok::Number) {
        count = lx_.textOf(tk_[next]);
        next += 1;
    } else if (typeAt(next) == Tok::LParen && typeAt(next + 1) == Tok::Number && typeAt(next + 2) == Tok::RParen) {
        count = lx_.textOf(tk_[next + 1]);
        next += 3;
    }
    if (!isWholeNumber(count)) {
        fail("TOP without a whole number of rows is not supported");
        return;
    }
    bool everyRow = false;
    if (kwAt(next) == Kw::Percent) {
        // TOP 100 PERCENT is how a view used to be allowed an ORDER BY: it keeps every row.
        const std::size_t digits = count.find_first_not_of('0');
        if (digits == std::string_view::npos || count.substr(digits) != "100") {
            fail("TOP ... PERCENT is not supported");
            return;
        }
        everyRow = true;
        ++next;
    }
    if (kwAt(next) == Kw::With && kwAt(next + 1) == Kw::Ties) {
        fail("TOP ... WITH TIES is not supported");
        return;
    }
    Scope& scope = scopes_.back();
    if (scope.compound) {
        fail("TOP in a SELECT combined with UNION, EXCEPT or INTERSECT is not supported");
        return;
    }
    if (!everyRow) scope.limit = std::string(count);
    w.skip(tk_[i].spaceBefore);
    i = next - 1;
}

// CONVERT(type, value[, style]): the type becomes the text the provider's convert() reads, written
// compactly ('NVARCHAR(10)', 'DECIMAL(18,2)') because it looks at what precedes the parenthesis.
void Walker::convertType(Writer& w, std::size_t& i)
{
    w.token(lx_.textOf(tk_[i]), tk_[i].spaceBefore);
    w.token("(", tk_[i + 1].spaceBefore);
    scopes_.emplace_back();
    std::string type = "'";
    bool lastWasWord = false;
    int depth = 0;
    std::size_t j = i + 2;
    for (; j < end_; ++j) {
        const Token& u = tk_[j];
        if (u.type == Tok::LParen) {
            ++depth;
        } else if (u.type == Tok::RParen) {
            if (depth == 0) break;
            --depth;
        } else if (u.type == Tok::Comma && depth == 0) {
            break;
        }
        const bool isWord = u.type == Tok::Word || u.type == Tok::QuotedIdent;
        if (isWord && lastWasWord) type += ' ';
        for (char c : u.type == Tok::QuotedIdent ? unquoted(lx_.textOf(u)) : lx_.textOf(u)) {
            type += c;
            if (c == '\'') type += '\'';
        }
        lastWasWord = isWord;
    }
    if (j == i + 2 || typeAt(j) != Tok::Comma) {
        fail("CONVERT without a type and a value");
        return;
    }
    type += '\'';
    w.token(type, tk_[i + 2].spaceBefore);
    i = j - 1;
}

bool Walker::isOwnerPrefix(std::size_t i) const
{
    const Token& t = tk_[i];
    const bool dbo = t.kw == Kw::Dbo
                     || (t.type == Tok::QuotedIdent && equalsIgnoreCase(unquoted(lx_.textOf(t)), "dbo"));
    return dbo && typeAt(i + 1) == Tok::Dot && i + 2 < end_ && isIdentifier(tk_[i + 2]);
}

// The ")" closing a list of locking hints whose "(" is at `open`, or kNowhere.
std::size_t Walker::hintListEnd(std::size_t open) const
{
    std::size_t i = open + 1;
    while (typeAt(i) == Tok::Word && isTableHint(lx_.textOf(tk_[i]))) {
        ++i;
        if (typeAt(i) == Tok::RParen) return i;
        if (typeAt(i) != Tok::Comma) break;
        ++i;
    }
    return kNowhere;
}

// A literal right after AS or after an operand is a column alias (SELECT x 'Name'), where SQLite takes no
// COLLATE. Keywords that take an operand after them are known to the lexer, so a plain word here is a name.
bool Walker::literalIsAlias() const
{
    if (prev_ == Kw::As || prev_ == Kw::End || prev_ == Kw::Null || prev_ == Kw::SystemUser) return true;
    switch (prevType_) {
    case Tok::QuotedIdent: case Tok::Number: case Tok::String: case Tok::RParen: return true;
    case Tok::Word: return prev_ == Kw::None;
    default: return false;
    }
}

void Walker::closeScope(Writer& w, const Scope& scope)
{
    if (scope.limit.empty()) return;
    w.append(" LIMIT ");
    w.append(scope.limit);
}

}  // namespace db::sqlite::tsql
