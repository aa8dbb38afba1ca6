// The program's SQL is written for SQL Server. On an Oracle connection a statement is rewritten into
// Oracle's dialect before it runs (ORACLE_Dicc), and a script is cut into statements that run one by one,
// since Oracle takes one statement per call (EjecutaScriptOracle, FiltraSentenciaOracle).
//
// Every rewrite works on the statement's code only: the text inside string literals is the data the program
// writes, and stays as it is, whatever keyword or bracket it happens to hold.

#include "core/DB_Dll.h"

#include "core/Utilidades.h"
#include "platform/base/DateParsing.h"
#include "platform/base/Error.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <algorithm>
#include <cctype>
#include <fmt/format.h>
#include <optional>

namespace {

// --- The statement with its literals set aside

// The code of a statement, each string literal replaced by a marker that no rewrite can match (control
// characters, no letters, digits, quotes or parentheses), and the literals as written.
struct Masked {
    std::string code;
    std::vector<std::string> literals;
};

constexpr char kLiteralStart = '\x01';
constexpr char kLiteralEnd = '\x02';

std::string marker(std::size_t index)
{
    std::string digits = std::to_string(index);
    for (char& c : digits) c = static_cast<char>(0x10 + (c - '0'));
    return kLiteralStart + digits + kLiteralEnd;
}

[[noreturn]] void cannotRewrite(std::string_view why, std::string_view sql)
{
    throw base::Error(base::errors::kInvalidProcedureCall, fmt::format("{}: {}", why, sql), "ORACLE_Dicc");
}

// Raises invalid procedure call (5) for a text without its closing apostrophe: where the code ends cannot
// be told. Comments ("--" to the end of the line, "/* */") become a blank: a statement goes to Oracle
// without them, so a line comment cannot swallow what a rewrite puts after it (nor an apostrophe in one
// pair with the next text's).
Masked mask(std::string_view sql)
{
    Masked masked;
    for (std::size_t i = 0; i < sql.size();) {
        const char c = sql[i];
        if (c == '\'') {
            std::size_t end = i + 1;
            for (;; ++end) {
                if (end >= sql.size()) cannotRewrite("A text has no closing apostrophe", sql);
                if (sql[end] == '\'') {
                    if (end + 1 < sql.size() && sql[end + 1] == '\'') { ++end; continue; }
                    break;
                }
            }
            const std::string_view literal = sql.substr(i, end + 1 - i);
            // An empty text stays in the code: comparisons with it are rewritten (= '' is IS NULL on Oracle).
            if (literal == "''") {
                masked.code += literal;
            } else {
                masked.code += marker(masked.literals.size());
                masked.literals.emplace_back(literal);
            }
            i = end + 1;
        } else if ((c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') || (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*')) {
            const bool line = c == '-';
            const std::size_t end = line ? sql.find_first_of("\r\n", i) : sql.find("*/", i + 2);
            masked.code += ' ';
            i = end == std::string_view::npos ? sql.size() : (line ? end : end + 2);
        } else {
            masked.code += c;
            ++i;
        }
    }
    return masked;
}

// Calls `each(index, position)` for every marker of `code`, left to right, and writes what it answers in
// the marker's place.
template <typename Each>
std::string unmask(const std::string& code, Each each)
{
    std::string out;
    for (std::size_t i = 0; i < code.size();) {
        if (code[i] != kLiteralStart) {
            out += code[i++];
            continue;
        }
        std::size_t index = 0, j = i + 1;
        for (; j < code.size() && code[j] != kLiteralEnd; ++j) index = index * 10 + static_cast<std::size_t>(code[j] - 0x10);
        out += each(index, out);
        i = j + 1;
    }
    return out;
}

std::string restore(const std::string& code, const std::vector<std::string>& literals)
{
    return unmask(code, [&](std::size_t index, const std::string&) { return literals.at(index); });
}

// --- Words of the code

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isWordChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || c == '@' || c == '#' || c == '$' || u >= 0x80;
}

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// Whether `pattern` (capitals; a blank in it stands for any run of blanks, tabs and line breaks) starts at
// `pos`; `end` is then where the match ends.
bool matchesAt(std::string_view text, std::size_t pos, std::string_view pattern, std::size_t& end)
{
    std::size_t i = pos;
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        if (pattern[p] == ' ') {
            if (i >= text.size() || !isBlank(text[i])) return false;
            while (i < text.size() && isBlank(text[i])) ++i;
        } else {
            if (i >= text.size() || upper(text[i]) != pattern[p]) return false;
            ++i;
        }
    }
    end = i;
    return true;
}

enum class WordEnd { Boundary, Blank, Open };  // the next character: no word character, a blank, anything

// The first occurrence of the words at or after `from` that starts a word (the character before it is not a
// word character or a point: a name such as FECHA_UPDATE or dbo.LEN is not the keyword), or npos.
std::size_t findWords(std::string_view text, std::string_view pattern, std::size_t from, WordEnd wordEnd,
                      std::size_t* matchEnd = nullptr)
{
    for (std::size_t pos = from; pos < text.size(); ++pos) {
        if (pos > 0 && (isWordChar(text[pos - 1]) || text[pos - 1] == '.')) continue;
        std::size_t end = 0;
        if (!matchesAt(text, pos, pattern, end)) continue;
        if (wordEnd == WordEnd::Boundary && end < text.size() && isWordChar(text[end])) continue;
        if (wordEnd == WordEnd::Blank && (end >= text.size() || !isBlank(text[end]))) continue;
        if (matchEnd) *matchEnd = end;
        return pos;
    }
    return std::string_view::npos;
}

std::string trimBlanks(std::string_view text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

// Words at parenthesis depth 0, upper-cased, with where they start and end.
struct Word {
    std::string upper;
    std::size_t start, end;
};

std::vector<Word> topLevelWords(std::string_view code)
{
    std::vector<Word> words;
    int depth = 0;
    for (std::size_t i = 0; i < code.size();) {
        if (code[i] == '(') { ++depth; ++i; continue; }
        if (code[i] == ')') { --depth; ++i; continue; }
        if (!isWordChar(code[i])) { ++i; continue; }
        const std::size_t start = i;
        while (i < code.size() && isWordChar(code[i])) ++i;
        if (depth == 0) {
            Word word{std::string(code.substr(start, i - start)), start, i};
            for (char& c : word.upper) c = upper(c);
            words.push_back(std::move(word));
        }
    }
    return words;
}

// The position just after the parenthesis that closes the one at `open`, or npos.
std::size_t closingParenthesis(std::string_view code, std::size_t open)
{
    int depth = 0;
    for (std::size_t i = open; i < code.size(); ++i) {
        if (code[i] == '(') ++depth;
        else if (code[i] == ')' && --depth == 0) return i + 1;
    }
    return std::string_view::npos;
}

// --- The rewrites

// SELECT TOP n: Oracle counts rows with ROWNUM, which it numbers before ORDER BY, GROUP BY and DISTINCT
// act. A statement that sorts, groups or aggregates keeps its meaning only as a subquery with the limit
// outside; a plain "SELECT TOP n * FROM t [WHERE c]" takes the limit in its own WHERE, and so stays a
// single-table SELECT a recordset can write through.
std::string topToRownum(const std::string& code, std::string_view original)
{
    const std::vector<Word> words = topLevelWords(code);
    std::size_t top = words.size(), select = words.size();
    for (std::size_t i = 1; i < words.size() && top == words.size(); ++i) {
        if (words[i].upper != "TOP") continue;
        std::size_t before = i - 1;
        if ((words[before].upper == "DISTINCT" || words[before].upper == "ALL") && before > 0) --before;
        if (words[before].upper == "SELECT") {
            top = i;
            select = before;
        }
    }
    if (top == words.size()) return code;

    std::size_t pos = words[top].end;
    while (pos < code.size() && isBlank(code[pos])) ++pos;
    std::size_t countEnd = pos;
    if (pos < code.size() && code[pos] == '(') {
        countEnd = closingParenthesis(code, pos);
    } else {
        while (countEnd < code.size() && std::isdigit(static_cast<unsigned char>(code[countEnd]))) ++countEnd;
    }
    if (countEnd == std::string::npos || countEnd == pos || countEnd >= code.size() ||
        (!isBlank(code[countEnd]) && code[countEnd] != '*'))
        cannotRewrite("TOP without a number of rows", original);
    const std::string count = code.substr(pos, countEnd - pos);

    const std::string prefix = code.substr(0, words[select].start);
    const std::string head = trimBlanks(std::string_view(code).substr(words[select].start, words[top].start - words[select].start));
    const std::string tail = code.substr(countEnd);

    bool plain = words[select + 1].upper != "DISTINCT";
    std::size_t from = std::string::npos, where = std::string::npos, whereEnd = 0;
    for (std::size_t i = top + 1; i < words.size(); ++i) {
        if (words[i].start < countEnd) continue;  // the number itself
        const std::string& w = words[i].upper;
        if (w == "ORDER" || w == "GROUP" || w == "HAVING" || w == "UNION" || w == "INTERSECT" || w == "MINUS" || w == "EXCEPT")
            plain = false;
        if (w == "FROM" && from == std::string::npos) from = words[i].start - countEnd;
        if (w == "WHERE" && where == std::string::npos) {
            where = words[i].start - countEnd;
            whereEnd = words[i].end - countEnd;
        }
    }
    // Only "*" is certain to hold no aggregate that would count the limited rows instead of all of them.
    if (from == std::string::npos || trimBlanks(std::string_view(tail).substr(0, from)) != "*") plain = false;

    const std::string filter = " ROWNUM <= " + count;
    if (!plain) return prefix + "SELECT * FROM (" + head + " " + trimBlanks(tail) + ") WHERE" + filter;
    if (where == std::string::npos) return prefix + head + " " + trimBlanks(tail) + " WHERE" + filter;
    // The condition in parentheses, so an OR in it cannot escape the limit.
    return prefix + head + " " + trimBlanks(std::string_view(tail).substr(0, where)) + " WHERE (" +
           trimBlanks(std::string_view(tail).substr(whereEnd)) + ") AND" + filter;
}

// NAME ( -> REPLACEMENT( for a function name standing as a word.
std::string renameFunction(std::string code, std::string_view name, std::string_view replacement)
{
    for (std::size_t pos = 0;;) {
        std::size_t end = 0;
        pos = findWords(code, name, pos, WordEnd::Boundary, &end);
        if (pos == std::string::npos) return code;
        while (end < code.size() && isBlank(code[end])) ++end;
        if (end >= code.size() || code[end] != '(') {
            pos += name.size();
            continue;
        }
        code.replace(pos, end + 1 - pos, std::string(replacement) + "(");
        pos += replacement.size() + 1;
    }
}

// CHARINDEX(sought, text[, start]) -> InStr(text, sought[, start]): Oracle takes the text first.
std::string charindexToInstr(std::string code)
{
    for (std::size_t pos = 0;;) {
        std::size_t end = 0;
        pos = findWords(code, "CHARINDEX", pos, WordEnd::Boundary, &end);
        if (pos == std::string::npos) return code;
        std::size_t open = end;
        while (open < code.size() && isBlank(code[open])) ++open;
        if (open >= code.size() || code[open] != '(') {
            code.replace(pos, end - pos, "InStr");
            continue;
        }
        const std::size_t close = closingParenthesis(code, open);
        std::vector<std::string> arguments;
        if (close != std::string::npos) {
            int depth = 0;
            std::size_t start = open + 1;
            for (std::size_t i = open + 1; i + 1 < close; ++i) {
                if (code[i] == '(') ++depth;
                else if (code[i] == ')') --depth;
                else if (code[i] == ',' && depth == 0) {
                    arguments.push_back(trimBlanks(std::string_view(code).substr(start, i - start)));
                    start = i + 1;
                }
            }
            arguments.push_back(trimBlanks(std::string_view(code).substr(start, close - 1 - start)));
        }
        if (arguments.size() != 2 && arguments.size() != 3) {
            code.replace(pos, end - pos, "InStr");
            continue;
        }
        std::string call = "InStr(" + arguments[1] + ", " + arguments[0];
        if (arguments.size() == 3) call += ", " + arguments[2];
        call += ")";
        code.replace(pos, close - pos, call);
        pos += 6;  // the arguments may hold a CHARINDEX of their own
    }
}

// From the first WHERE on, "= ''" is "IS NULL": Oracle stores an empty text as Null, which equals nothing.
std::string emptyTextIsNull(std::string code)
{
    const std::size_t where = findWords(code, "WHERE", 0, WordEnd::Blank);
    if (where == std::string::npos) return code;
    for (std::string_view comparison : {"= ''", "=''"}) {
        for (std::size_t pos = code.find(comparison, where); pos != std::string::npos; pos = code.find(comparison, pos)) {
            // <= '', >= '' and != '' are other comparisons.
            if (pos > 0 && (code[pos - 1] == '<' || code[pos - 1] == '>' || code[pos - 1] == '!')) {
                pos += comparison.size();
                continue;
            }
            code.replace(pos, comparison.size(), " IS NULL ");
            pos += 9;
        }
    }
    return code;
}

// TO_CHAR(date, 103) -> TO_CHAR(date, 'DD/MM/YYYY'): style 103 is SQL Server's day/month/year. Only a
// 103 standing as a number of its own inside TO_CHAR's parentheses is the style.
std::string style103(std::string code)
{
    for (std::size_t pos = code.find("103"); pos != std::string::npos; pos = code.find("103", pos + 1)) {
        if ((pos > 0 && (isWordChar(code[pos - 1]) || code[pos - 1] == '.')) ||
            (pos + 3 < code.size() && (isWordChar(code[pos + 3]) || code[pos + 3] == '.')))
            continue;
        // The parenthesis that encloses the 103 (not one already closed before it) must be TO_CHAR's.
        std::size_t open = pos;
        for (int depth = 0; open-- > 0;) {
            if (code[open] == ')') ++depth;
            else if (code[open] == '(' && depth-- == 0) break;
        }
        if (open == std::string::npos || open < 7) continue;
        std::size_t ignored = 0;
        if (!matchesAt(code, open - 7, "TO_CHAR(", ignored)) continue;
        code.replace(pos, 3, "'DD/MM/YYYY'");
    }
    return code;
}

// A text the program wrote as a date, day first with a four-digit year ("15/08/2005", "1-2-2005 10:30"),
// as Oracle reads it. Other texts (codes such as '1-2-3' or '10:30') are data and stay texts.
std::optional<std::string> oracleDate(std::string_view literal, std::string_view codeBefore)
{
    // Already the first argument of TO_DATE: it is a date for Oracle as it stands.
    std::size_t last = codeBefore.size();
    while (last > 0 && isBlank(codeBefore[last - 1])) --last;
    if (last > 0 && codeBefore[last - 1] == '(') {
        --last;
        while (last > 0 && isBlank(codeBefore[last - 1])) --last;
        std::size_t ignored = 0;
        if (last >= 7 && matchesAt(codeBefore, last - 7, "TO_DATE", ignored)) return std::nullopt;
    }

    const std::string text = trimBlanks(literal.substr(1, literal.size() - 2));
    std::size_t i = 0;
    auto digits = [&](std::size_t least, std::size_t most) {
        const std::size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && i - start < most) ++i;
        return i - start >= least && (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i])));
    };
    auto separator = [&](std::string_view allowed) {
        if (i >= text.size() || allowed.find(text[i]) == std::string_view::npos) return false;
        ++i;
        return true;
    };
    if (!digits(1, 2) || !separator("/-") || !digits(1, 2) || !separator("/-") || !digits(4, 4)) return std::nullopt;
    bool withTime = false;
    if (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) ++i;
        if (!digits(1, 2) || !separator(":") || !digits(2, 2)) return std::nullopt;
        if (i < text.size() && (!separator(":") || !digits(2, 2))) return std::nullopt;
        if (i != text.size()) return std::nullopt;
        withTime = true;
    }
    const std::optional<base::DateTime> date = base::parseDate(text);
    if (!date) return std::nullopt;
    if (!withTime)
        return fmt::format("TO_DATE('{:02}/{:02}/{:04}','DD/MM/YYYY')", date->day(), date->month(), date->year());
    return fmt::format("TO_DATE('{:02}/{:02}/{:04} {:02}:{:02}:{:02}','DD/MM/YYYY HH24:MI:SS')", date->day(),
                       date->month(), date->year(), date->hour(), date->minute(), date->second());
}

// --- Scripts

bool sameWords(std::string_view statement, std::string_view words)
{
    std::size_t end = 0;
    return matchesAt(statement, 0, words, end) && end == statement.size();
}

// Replaces every occurrence of the words (see findWords) by `replacement`.
std::string replaceWords(std::string code, std::string_view pattern, WordEnd wordEnd, std::string_view replacement)
{
    for (std::size_t pos = 0;;) {
        std::size_t end = 0;
        pos = findWords(code, pattern, pos, wordEnd, &end);
        if (pos == std::string::npos) return code;
        code.replace(pos, end - pos, replacement);
        pos += replacement.size();
    }
}

// GO standing alone between blanks or line breaks: SQL Server's tools' batch separator.
std::string removeGo(std::string code)
{
    for (std::size_t pos = 0; (pos = code.find_first_of("gG", pos)) != std::string::npos;) {
        const bool alone = (pos == 0 || isBlank(code[pos - 1])) && pos + 1 < code.size() && upper(code[pos + 1]) == 'O' &&
                           (pos + 2 == code.size() || isBlank(code[pos + 2]));
        if (alone) code[pos] = code[pos + 1] = ' ';
        ++pos;
    }
    return code;
}

struct Keyword {
    std::string_view words;
    WordEnd end;
};

// The words that begin a statement of a script, in the order they are sought.
constexpr Keyword kStatementKeywords[] = {
    {"INSERT", WordEnd::Blank},      {"DELETE", WordEnd::Blank},   {"UPDATE", WordEnd::Blank},
    {"CREATE", WordEnd::Blank},      {"DROP", WordEnd::Blank},     {"ALTER", WordEnd::Blank},
    {"SET TRANSACTION", WordEnd::Boundary}, {"COMMIT", WordEnd::Boundary}, {"ROLLBACK", WordEnd::Boundary},
    {"IF NOT EXIST", WordEnd::Open}, {"IF EXIST", WordEnd::Open},  {"GRANT", WordEnd::Blank},
};

// Where the keywords stand, in one pass over the script.
std::vector<std::size_t> statementStarts(std::string_view code)
{
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < code.size(); ++pos) {
        if (pos > 0 && (isWordChar(code[pos - 1]) || code[pos - 1] == '.')) continue;
        for (const Keyword& keyword : kStatementKeywords) {
            std::size_t end = 0;
            if (!matchesAt(code, pos, keyword.words, end)) continue;
            if (keyword.end == WordEnd::Boundary && end < code.size() && isWordChar(code[end])) continue;
            if (keyword.end == WordEnd::Blank && (end >= code.size() || !isBlank(code[end]))) continue;
            starts.push_back(pos);
            break;
        }
    }
    return starts;
}

}  // namespace

std::string DB_Dll::ORACLE_Dicc(std::string_view Valor) const
{
    // Asked of every statement some look-ups open: the name is only sought, its place never counted.
    if (base::findIgnoringCase(gConnString, "ORACLE") == std::string_view::npos) return std::string(Valor);
    if (gUtilidades().CuentaPalabras(Valor) <= 1) return base::toUpperCase(Valor) == "LEN" ? "LENGTH" : std::string(Valor);

    Masked masked = mask(Valor);
    std::string code = topToRownum(masked.code, Valor);
    code = renameFunction(std::move(code), "LEN", "LENGTH");
    std::replace(code.begin(), code.end(), '[', '"');
    std::replace(code.begin(), code.end(), ']', '"');
    code = charindexToInstr(std::move(code));
    code = base::replace(code, "CONVERT(NVARCHAR,", "TO_CHAR(");
    code = base::replace(code, "CONVERT(INT,", "TO_NUMBER(");
    code = emptyTextIsNull(std::move(code));
    code = style103(std::move(code));
    code = renameFunction(std::move(code), "SUBSTRING", "SUBSTR");
    code = renameFunction(std::move(code), "ISNULL", "NVL");
    return unmask(code, [&](std::size_t index, const std::string& before) {
        const std::string& literal = masked.literals.at(index);
        return oracleDate(literal, before).value_or(literal);
    });
}

std::string DB_Dll::FiltraSentenciaOracle(std::string& Sentencia)
{
    // Only the statement's code counts: a text that mentions SET NOCOUNT is data, not the command.
    std::string code;
    try {
        code = mask(Sentencia).code;
    } catch (const base::Error&) {
        code = Sentencia;
    }
    for (std::string_view words : {"SET NOCOUNT", "IF NOT EXIST", "IF EXIST"})
        if (findWords(code, words, 0, WordEnd::Open) != std::string::npos) {
            Sentencia.clear();
            break;
        }
    return Sentencia;
}

std::vector<std::string> DB_Dll::cortaScriptOracle(std::string_view script)
{
    const Masked masked = mask(script);
    std::string code = masked.code;
    code = replaceWords(std::move(code), "SET NOCOUNT ON", WordEnd::Boundary, "");
    code = replaceWords(std::move(code), "SET NOCOUNT OFF", WordEnd::Boundary, "");
    code = removeGo(std::move(code));
    // Line breaks of the code are blanks; those inside a text are the text's own.
    std::replace(code.begin(), code.end(), '\r', ' ');
    std::replace(code.begin(), code.end(), '\n', ' ');
    code = replaceWords(std::move(code), "BEGIN TRANSACTION", WordEnd::Boundary, "SET TRANSACTION");
    code = replaceWords(std::move(code), "BEGIN TRANS", WordEnd::Boundary, "SET TRANSACTION");
    code = replaceWords(std::move(code), "COMMIT TRANSACTION", WordEnd::Boundary, "COMMIT");
    code = replaceWords(std::move(code), "COMMIT TRANS", WordEnd::Boundary, "COMMIT");
    code = replaceWords(std::move(code), "ROLLBACK TRANSACTION", WordEnd::Boundary, "ROLLBACK");
    code = replaceWords(std::move(code), "ROLLBACK TRANS", WordEnd::Boundary, "ROLLBACK");

    // A statement runs from a keyword to the next one; text before the first keyword is not a statement.
    std::vector<std::string> statements;
    const std::vector<std::size_t> starts = statementStarts(code);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : code.size();
        const std::string statement = trimBlanks(std::string_view(code).substr(starts[i], end - starts[i]));
        if (!statement.empty()) statements.push_back(restore(statement, masked.literals));
    }
    return statements;
}

void DB_Dll::EjecutaScriptOracle(const std::string& script, long& RecordsAffected)
{
    // A failing statement raises here and the rest of the script does not run: the caller's error
    // treatment sees the failure and the connection's error list keeps the database's entries for it.
    RecordsAffected = 0;
    for (std::string statement : cortaScriptOracle(script)) {
        if (sameWords(statement, "SET TRANSACTION")) {
            gCnn.beginTrans();
        } else if (sameWords(statement, "COMMIT")) {
            gCnn.commitTrans();
        } else if (sameWords(statement, "ROLLBACK")) {
            gCnn.rollbackTrans();
        } else {
            statement = ORACLE_Dicc(statement);
            if (!FiltraSentenciaOracle(statement).empty()) RecordsAffected += gCnn.execute(statement, -1);
        }
    }
    // The one warning Oracle's provider leaves after a script that ran well.
    if (gCnn.errors().count() == 1 && gCnn.errors().item(0).number == 265929) gCnn.errors().clear();
}
