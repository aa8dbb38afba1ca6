#include "platform/db/sqlite/TsqlWalker.h"

#include "platform/db/sqlite/TsqlBatch.h"

#include <algorithm>
#include <utility>

namespace db::sqlite::tsql {

namespace {

void appendCollation(Writer& w)
{
    w.append(" COLLATE ");
    w.append(kSqlServerCollation);
}

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

bool isArithmetic(std::string_view op, std::string_view among)
{
    return op.size() == 1 && among.find(op[0]) != std::string_view::npos;
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

std::string_view unquotedName(std::string_view name) { return unquoted(name); }

bool isTextType(std::string_view typeName)
{
    typeName = unquoted(typeName);
    for (std::string_view type : {"CHAR", "VARCHAR", "NCHAR", "NVARCHAR", "TEXT", "NTEXT"}) {
        if (equalsIgnoreCase(typeName, type)) return true;
    }
    return false;
}

std::string Writer::unquotedLiteral(std::string_view literal)
{
    if (literal.size() < 2) return {};
    const std::string_view inner = literal.substr(1, literal.size() - 2);
    // Most literals hold no apostrophe: they are taken whole, not byte by byte.
    std::size_t quote = inner.find('\'');
    if (quote == std::string_view::npos) return std::string(inner);
    std::string value;
    value.reserve(inner.size());
    std::size_t from = 0;
    for (; quote != std::string_view::npos; quote = inner.find('\'', from)) {
        value.append(inner, from, quote + 1 - from);  // up to the first of a doubled apostrophe
        from = quote + 1 < inner.size() && inner[quote + 1] == '\'' ? quote + 2 : quote + 1;
        if (from >= inner.size()) break;
    }
    if (from < inner.size()) value.append(inner, from);
    return value;
}

std::optional<SqlParameter::Type> Writer::numberType(std::string_view digits)
{
    bool fraction = false;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const char c = digits[i];
        if (c >= '0' && c <= '9') continue;
        if (c == '.' || ((c == 'e' || c == 'E') && i > 0)) {
            fraction = true;
            continue;
        }
        if ((c == '+' || c == '-') && i > 0 && (digits[i - 1] == 'e' || digits[i - 1] == 'E')) continue;
        return std::nullopt;
    }
    if (!fraction && digits.size() > 18) return SqlParameter::Type::Real;
    return fraction ? SqlParameter::Type::Real : SqlParameter::Type::Integer;
}

std::string Writer::spelledLiteral(const SqlParameter& parameter)
{
    if (parameter.type != SqlParameter::Type::Text) return parameter.spelled();
    std::string quoted = "'";
    for (char c : parameter.value) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + "'";
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
    begin_ = begin;
    end_ = end;
    scopes_.assign(1, Scope{});
    prev_ = prev2_ = Kw::None;
    prevType_ = Tok::Other;
    fromCount_ = 0;
    valuesSeen_ = false;
    selectSeen_ = false;
    operators_ = {};
    datePart_ = kNowhere;
    if (rules.collate) planOperators(begin, end);

    for (std::size_t i = begin; i < end && !failed(); ++i) {
        const std::size_t first = i;
        if (scopes_.back().castAs == i) {
            i = scopes_.back().castClose - 1;
            continue;
        }
        const Token& t = tk_[i];
        bool invisible = false;
        if (!operators_.opens.empty()) {
            for (const auto& [last, function] : operators_.opens[i - begin]) {
                w.token(std::string(function) + "(", t.spaceBefore);
                w.skip(false);
            }
        }
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
            const bool source = rules.lead == Kw::Insert && scopes_.size() == 1 && !valuesSeen_ && !selectSeen_
                                && kwAt(i + 1) == Kw::Select;
            Scope scope;
            scope.dropParen = source;
            scope.collated = rules.collate && keepsCollation(i);
            scopes_.push_back(std::move(scope));
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
            w.append(scope.lastArguments);
            if (scope.dropParen) w.skip(t.spaceBefore);
            else w.token(")", t.spaceBefore);
            if (scope.collated && kwAt(i + 1) != Kw::Collate) appendCollation(w);
            break;
        }
        case Tok::String:
            if (!rules.collate || literalIsAlias()) {
                w.token(lx_.literalOf(t), t.spaceBefore);
                break;
            }
            if (const auto column = blankComparedWith(i)) {
                // The server converts the blank text to the column's type: 0 beside a number.
                const std::string_view name =
                    lx_.text.substr(tk_[column->first].begin, tk_[column->second - 1].end - tk_[column->first].begin);
                w.token("sqlsrv_blank(" + std::string(name) + ")", t.spaceBefore);
            } else {
                w.parameter(lx_.literalOf(t), t.spaceBefore, i);
            }
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
        case Tok::Number:
            if (rules.collate && !scopes_.back().positions) w.number(lx_.textOf(t), t.spaceBefore, i);
            else w.token(lx_.textOf(t), t.spaceBefore);
            break;
        case Tok::Other:
            if (!operators_.comma.empty() && operators_.comma[i - begin]) w.token(",", false);
            else w.token(lx_.textOf(t), t.spaceBefore);
            break;
        default: w.token(lx_.textOf(t), t.spaceBefore); break;
        }
        if (!operators_.closes.empty()) {
            for (std::size_t k = first; k <= i && k < end; ++k)
                for (int n = operators_.closes[k - begin]; n > 0; --n) {
                    // A text joined by + compares as the texts it was made of; a number is not concerned.
                    w.append(")");
                    appendCollation(w);
                }
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
    if (i == datePart_) {
        w.token("'" + upper(text) + "'", t.spaceBefore);
        return false;
    }
    const bool topLevel = scopes_.size() == 1;
    const bool changesRows = rules.lead == Kw::Insert || rules.lead == Kw::Update || rules.lead == Kw::Delete;
    if (t.kw == Kw::By && (prev_ == Kw::Order || prev_ == Kw::Group)) scopes_.back().positions = true;
    if (t.kw == Kw::Having || t.kw == Kw::Select || t.kw == Kw::Union || t.kw == Kw::Except || t.kw == Kw::Intersect)
        scopes_.back().positions = false;
    if (rules.collate && t.kw == Kw::None && typeAt(i + 1) == Tok::LParen) {
        if (equalsIgnoreCase(text, "CAST")) {
            castToConvert(w, i);
            return false;
        }
        // LEFT and RIGHT are join words to SQLite; the functions go by other names.
        if (equalsIgnoreCase(text, "LEFT") || equalsIgnoreCase(text, "RIGHT")) {
            w.token(equalsIgnoreCase(text, "LEFT") ? "tsql_left" : "tsql_right", t.spaceBefore);
            return false;
        }
        // The date part is a word to T-SQL (DATEADD(day, 1, x)); SQLite would read it as a column.
        if ((equalsIgnoreCase(text, "DATEADD") || equalsIgnoreCase(text, "DATEDIFF") || equalsIgnoreCase(text, "DATEPART"))
            && typeAt(i + 2) == Tok::Word && typeAt(i + 3) == Tok::Comma) {
            datePart_ = i + 2;
        }
    }
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
    case Kw::Select: selectSeen_ = selectSeen_ || topLevel; break;
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
    if (const std::size_t close = closingParen(i + 1); close != kNowhere && isTextType(lx_.textOf(tk_[i + 2]))) {
        std::size_t valueEnd = j + 1;
        for (int level = 0; valueEnd < close && (level > 0 || tk_[valueEnd].type != Tok::Comma); ++valueEnd) {
            if (tk_[valueEnd].type == Tok::LParen) ++level;
            else if (tk_[valueEnd].type == Tok::RParen) --level;
        }
        scopes_.back().lastArguments = exactSource(j + 1, valueEnd, valueEnd < close);
    }
    i = j - 1;
}

// CAST(value AS type) -> CONVERT('TYPE', value): the provider's CONVERT checks and rounds as the server does.
void Walker::castToConvert(Writer& w, std::size_t& i)
{
    const std::size_t open = i + 1;
    const std::size_t close = closingParen(open);
    std::size_t as = kNowhere;
    int depth = 0;
    for (std::size_t j = open + 1; j < close && close != kNowhere; ++j) {
        if (tk_[j].type == Tok::LParen) ++depth;
        else if (tk_[j].type == Tok::RParen) --depth;
        else if (depth == 0 && kwAt(j) == Kw::As) as = j;
    }
    if (as == kNowhere || as + 1 >= close) {
        fail("CAST without AS and a type");
        return;
    }
    w.token("CONVERT", tk_[i].spaceBefore);
    w.token("(", false);
    w.token(typeText(as + 1, close), false);
    w.token(",", false);
    Scope scope;
    scope.castAs = as;
    scope.castClose = close;
    if (isTextType(lx_.textOf(tk_[as + 1]))) scope.lastArguments = exactSource(open + 1, as, false);
    scopes_.push_back(std::move(scope));
    i = open;
}

// A money or decimal value converted to text is written with its type's decimals, which its floating form
// has lost: the conversion is told the type (after the style, 0 when the statement gives none).
std::string Walker::exactSource(std::size_t valueBegin, std::size_t valueEnd, bool styled)
{
    const auto type = types_.exactTypeOf(valueBegin, valueEnd);
    if (!type) return {};
    return (styled ? ", '" : ", 0, '") + *type + "'";
}

// The type name of tokens [begin, end) as the provider's CONVERT reads it: 'DECIMAL(18,2)'.
std::string Walker::typeText(std::size_t begin, std::size_t end) const
{
    std::string type = "'";
    bool lastWasWord = false;
    for (std::size_t j = begin; j < end; ++j) {
        const Token& u = tk_[j];
        const bool isWord = u.type == Tok::Word || u.type == Tok::QuotedIdent;
        if (isWord && lastWasWord) type += ' ';
        for (char c : u.type == Tok::QuotedIdent ? unquoted(lx_.textOf(u)) : lx_.textOf(u)) {
            type += c;
            if (c == '\'') type += '\'';
        }
        lastWasWord = isWord;
    }
    return type + "'";
}

std::size_t Walker::closingParen(std::size_t open) const
{
    int depth = 0;
    for (std::size_t i = open; i < end_; ++i) {
        if (tk_[i].type == Tok::LParen) ++depth;
        else if (tk_[i].type == Tok::RParen && --depth == 0) return i;
    }
    return kNowhere;
}

std::size_t Walker::openingParen(std::size_t close, std::size_t begin) const
{
    int depth = 0;
    for (std::size_t i = close + 1; i-- > begin;) {
        if (tk_[i].type == Tok::RParen) ++depth;
        else if (tk_[i].type == Tok::LParen && --depth == 0) return i;
    }
    return kNowhere;
}

std::size_t Walker::caseEnd(std::size_t caseWord) const
{
    int depth = 0;
    for (std::size_t i = caseWord; i < end_; ++i) {
        if (kwAt(i) == Kw::Case) ++depth;
        else if (kwAt(i) == Kw::End && --depth == 0) return i;
    }
    return kNowhere;
}

std::size_t Walker::caseStart(std::size_t endWord, std::size_t begin) const
{
    int depth = 0;
    for (std::size_t i = endWord + 1; i-- > begin;) {
        if (kwAt(i) == Kw::End) ++depth;
        else if (kwAt(i) == Kw::Case && --depth == 0) return i;
    }
    return kNowhere;
}

bool Walker::isOperandWord(const Token& t) const
{
    if (t.type == Tok::QuotedIdent) return true;
    if (t.type != Tok::Word || lx_.textOf(t).front() == '@') return false;
    return isIdentifier(t) || t.kw == Kw::Null || t.kw == Kw::SystemUser || t.kw == Kw::Convert;
}

// Whether token i can end an operand, which makes a `+` after it the binary one.
bool Walker::endsOperand(std::size_t i) const
{
    const Token& t = tk_[i];
    return t.type == Tok::Number || t.type == Tok::String || t.type == Tok::RParen || isOperandWord(t)
           || t.kw == Kw::End;
}

// A + or - after an operand is the binary one; elsewhere it is a sign.
bool Walker::isBinary(std::size_t i, std::size_t begin) const
{
    return i > begin && endsOperand(i - 1);
}

std::size_t Walker::leftOperandStart(std::size_t op, std::size_t begin, bool additive) const
{
    std::size_t start = op;
    while (start > begin) {
        const std::size_t k = start - 1;
        const Token& t = tk_[k];
        std::size_t from = k;
        if (t.type == Tok::RParen) {
            from = openingParen(k, begin);
            if (from == kNowhere) return kNowhere;
            if (from > begin && isOperandWord(tk_[from - 1])) --from;
        } else if (t.kw == Kw::End && t.type == Tok::Word) {
            from = caseStart(k, begin);
            if (from == kNowhere) return kNowhere;
        } else if (t.type == Tok::Other && isArithmetic(lx_.textOf(t), "+-")) {
            if (!additive && isBinary(k, begin)) break;
        } else if (!(t.type == Tok::Number || t.type == Tok::String || t.type == Tok::Dot || isOperandWord(t)
                     || (t.type == Tok::Other && isArithmetic(lx_.textOf(t), "*/%")))) {
            break;
        }
        start = from;
    }
    return start == op ? kNowhere : start;
}

std::size_t Walker::rightOperandEnd(std::size_t op, bool additive) const
{
    std::size_t j = op + 1;
    while (true) {
        while (j < end_ && tk_[j].type == Tok::Other && isArithmetic(lx_.textOf(tk_[j]), "+-")) ++j;
        if (j >= end_) return kNowhere;
        const Token& t = tk_[j];
        if (t.type == Tok::LParen) {
            j = closingParen(j);
        } else if (t.kw == Kw::Case && t.type == Tok::Word) {
            j = caseEnd(j);
        } else if (isOperandWord(t) || t.type == Tok::Number || t.type == Tok::String) {
            if (isOperandWord(t) && typeAt(j + 1) == Tok::LParen) {
                j = closingParen(j + 1);
            } else {
                while (typeAt(j + 1) == Tok::Dot && j + 2 < end_ && isOperandWord(tk_[j + 2])) j += 2;
            }
        } else {
            return kNowhere;
        }
        if (j == kNowhere) return kNowhere;
        if (additive && typeAt(j + 1) == Tok::Other && isArithmetic(lx_.textOf(tk_[j + 1]), "*/%")) {
            j += 2;
            continue;
        }
        return j;
    }
}

void Walker::planOperators(std::size_t begin, std::size_t end)
{
    auto function = [&](std::size_t i) -> std::string_view {
        if (tk_[i].type != Tok::Other || !isBinary(i, begin)) return {};
        const std::string_view op = lx_.textOf(tk_[i]);
        if (op == "+") return "sqlsrv_add";
        if (op == "-") return "sqlsrv_subtract";
        if (op == "*") return "sqlsrv_multiply";
        if (op == "/") return "sqlsrv_divide";
        return {};
    };
    bool any = false;
    for (std::size_t i = begin + 1; i < end && !any; ++i) any = !function(i).empty();
    if (!any) return;
    const std::size_t n = end - begin;
    operators_.opens.assign(n, {});
    operators_.closes.assign(n, 0);
    operators_.comma.assign(n, false);
    for (std::size_t i = begin + 1; i < end; ++i) {
        const std::string_view name = function(i);
        if (name.empty()) continue;
        const bool additive = name == "sqlsrv_add" || name == "sqlsrv_subtract";
        const std::size_t start = leftOperandStart(i, begin, additive);
        const std::size_t last = rightOperandEnd(i, additive);
        if (start == kNowhere || last == kNowhere) continue;
        operators_.opens[start - begin].emplace_back(last, name);
        ++operators_.closes[last - begin];
        operators_.comma[i - begin] = true;
    }
    // Calls opened before the same token: the one that reaches farther encloses the others.
    for (auto& calls : operators_.opens)
        std::sort(calls.begin(), calls.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
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

// The "(" at `open` begins the arguments of a function whose result is its text argument's, changed: a
// column's collation goes through it on SQL Server, while SQLite's function results compare byte by byte.
// Every text of the database and every literal has the one collation, so the result gets it again.
bool Walker::keepsCollation(std::size_t open) const
{
    if (open == begin_ || tk_[open - 1].type != Tok::Word) return false;
    if (tk_[open - 1].kw == Kw::Isnull) return true;
    if (tk_[open - 1].kw != Kw::None) return false;
    static constexpr std::string_view kFunctions[] = {"LTRIM", "RTRIM", "UPPER", "LOWER", "SUBSTRING",
                                                      "LEFT", "RIGHT", "COALESCE", "IFNULL"};
    const std::string_view name = lx_.textOf(tk_[open - 1]);
    for (const std::string_view function : kFunctions)
        if (equalsIgnoreCase(name, function)) return true;
    return false;
}

std::size_t Walker::columnStart(std::size_t last) const
{
    auto isColumnWord = [&](std::size_t i) { return isIdentifier(tk_[i]) && tk_[i].kw != Kw::Dbo; };
    if (last < begin_ || !isColumnWord(last)) return kNowhere;
    std::size_t first = last;
    if (first >= begin_ + 2 && tk_[first - 1].type == Tok::Dot && isColumnWord(first - 2)) first -= 2;
    // Anything longer (owner.table.column) or a function's name is left as it stands.
    if (first > begin_ && (tk_[first - 1].type == Tok::Dot || kwAt(first - 1) == Kw::Select)) return kNowhere;
    return first;
}

std::optional<std::pair<std::size_t, std::size_t>> Walker::blankComparedWith(std::size_t literal) const
{
    const std::string_view text = lx_.literalOf(tk_[literal]);
    if (text.size() < 2 || text.find_first_not_of(' ', 1) != text.size() - 1) return std::nullopt;
    // The comparison's characters may come as one token or one each (< >): how many tokens it takes at `i`
    // (reading forwards or backwards), or 0.
    auto comparison = [&](std::size_t i, bool forwards) -> std::size_t {
        auto part = [&](std::size_t k) {
            return k >= begin_ && k < end_ && tk_[k].type == Tok::Other
                   && lx_.textOf(tk_[k]).find_first_not_of("<>=!") == std::string_view::npos;
        };
        if (!part(i)) return 0;
        const std::size_t other = forwards ? i + 1 : i - 1;
        const bool joined = i > begin_ && part(other)
                            && (forwards ? tk_[i].end == tk_[other].begin : tk_[other].end == tk_[i].begin);
        return joined ? 2 : 1;
    };
    if (literal >= begin_ + 2) {
        const std::size_t op = comparison(literal - 1, false);
        const std::size_t first = op && literal >= begin_ + op + 1 ? columnStart(literal - op - 1) : kNowhere;
        if (first != kNowhere) return std::pair{first, literal - op};
    }
    if (const std::size_t op = comparison(literal + 1, true); op && literal + op + 1 < end_) {
        std::size_t last = literal + op + 1;
        if (last + 2 < end_ && tk_[last + 1].type == Tok::Dot) last += 2;
        const bool plain = last + 1 >= end_ || (tk_[last + 1].type != Tok::Dot && tk_[last + 1].type != Tok::LParen);
        if (plain && columnStart(last) == literal + op + 1) return std::pair{literal + op + 1, last + 1};
    }
    return std::nullopt;
}

void Walker::closeScope(Writer& w, const Scope& scope)
{
    if (scope.limit.empty()) return;
    w.append(" LIMIT ");
    w.append(scope.limit);
}

}  // namespace db::sqlite::tsql
