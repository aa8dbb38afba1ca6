#include "platform/db/sqlite/SqlServerFunctions.h"

#include "platform/base/DateTime.h"
#include "platform/base/Utf8.h"
#include "platform/db/sqlite/SqlFunctionSupport.h"
#include "platform/db/sqlite/SqlServerCollation.h"
#include "platform/db/sqlite/SqliteTypes.h"
#include "platform/db/sqlite/StoredValues.h"
#include "platform/db/sqlite/TsqlBatch.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace db::sqlite {
namespace {

std::u32string folded(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) out.push_back(base::lowerCase(base::nextCodePoint(s, i)));
    return out;
}

std::string_view withoutTrailingBlanks(std::string_view s)
{
    const auto last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

int collate(void* session, int lengthA, const void* a, int lengthB, const void* b)
{
    return compareSqlServer({static_cast<const char*>(a), static_cast<std::size_t>(lengthA)},
                            {static_cast<const char*>(b), static_cast<std::size_t>(lengthB)},
                            static_cast<const SessionSettings*>(session)->dateOrder);
}

// SQL Server LIKE: % any run, _ one character, [abc] [a-c] [^a] sets, an optional escape character.
bool likeMatch(const std::u32string& pattern, std::size_t p, const std::u32string& text, std::size_t t,
               char32_t escape)
{
    while (p < pattern.size()) {
        const char32_t c = pattern[p];
        if (escape && c == escape && p + 1 < pattern.size()) {
            if (t >= text.size() || text[t] != pattern[p + 1]) return false;
            p += 2;
            ++t;
            continue;
        }
        if (c == U'%') {
            while (p < pattern.size() && pattern[p] == U'%') ++p;
            if (p == pattern.size()) return true;
            for (std::size_t k = t; k <= text.size(); ++k)
                if (likeMatch(pattern, p, text, k, escape)) return true;
            return false;
        }
        if (t >= text.size()) return false;
        if (c == U'_') { ++p; ++t; continue; }
        if (c == U'[') {
            const auto close = pattern.find(U']', p + 2);
            if (close != std::u32string::npos) {
                std::size_t k = p + 1;
                const bool negate = pattern[k] == U'^';
                if (negate) ++k;
                bool found = false;
                for (; k < close; ++k) {
                    if (k + 2 < close && pattern[k + 1] == U'-') {
                        found = found || (text[t] >= pattern[k] && text[t] <= pattern[k + 2]);
                        k += 2;
                    } else {
                        found = found || text[t] == pattern[k];
                    }
                }
                if (found == negate) return false;
                p = close + 1;
                ++t;
                continue;
            }
        }
        if (text[t] != c) return false;
        ++p;
        ++t;
    }
    return t == text.size();
}

void like(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    char32_t escape = 0;
    if (argc == 3) {
        const std::u32string e = folded(textArgument(argv[2]));
        if (e.size() != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e[0];
    }
    // The matched value's trailing blanks do not count ('AB ' LIKE 'ab'); the pattern's do.
    sqlite3_result_int(context, likeMatch(folded(textArgument(argv[0])), 0,
                                          folded(withoutTrailingBlanks(textArgument(argv[1]))), 0, escape));
}

// Numbers pass through untouched so RTRIM(LTRIM(PERIODO)) = 1 still compares numbers.
template <bool Left>
void trimBlanks(sqlite3_context* context, int, sqlite3_value** argv)
{
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL || type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        sqlite3_result_value(context, argv[0]);
        return;
    }
    std::string_view text = textArgument(argv[0]);
    if (Left) {
        const auto first = text.find_first_not_of(' ');
        text = first == std::string_view::npos ? std::string_view() : text.substr(first);
    } else {
        text = withoutTrailingBlanks(text);
    }
    resultText(context, text);
}

std::size_t characterCount(std::string_view s)
{
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void len(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int64(context, static_cast<sqlite3_int64>(characterCount(withoutTrailingBlanks(textArgument(argv[0])))));
}

// DATALENGTH: the bytes the server keeps for the value; a text counts its trailing blanks, one byte a
// character as a varchar keeps it.
void datalength(sqlite3_context* context, int, sqlite3_value** argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL: sqlite3_result_null(context); return;
    case SQLITE_INTEGER: {
        const sqlite3_int64 value = sqlite3_value_int64(argv[0]);
        sqlite3_result_int(context, value >= INT32_MIN && value <= INT32_MAX ? 4 : 8);
        return;
    }
    case SQLITE_FLOAT: sqlite3_result_int(context, 8); return;
    default:
        sqlite3_result_int64(context, static_cast<sqlite3_int64>(characterCount(textArgument(argv[0]))));
        return;
    }
}

// CHARINDEX(what, where[, start]): 1-based position under the collation's case rules, 0 when absent.
void charindex(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const std::u32string what = folded(textArgument(argv[0]));
    const std::u32string where = folded(textArgument(argv[1]));
    const auto start = argc == 3 ? std::max<sqlite3_int64>(1, sqlite3_value_int64(argv[2])) : 1;
    if (what.empty()) {
        sqlite3_result_int(context, 0);
        return;
    }
    const auto found = where.find(what, static_cast<std::size_t>(start - 1));
    sqlite3_result_int64(context, found == std::u32string::npos ? 0 : static_cast<sqlite3_int64>(found + 1));
}

void systemUser(sqlite3_context* context, int, sqlite3_value**)
{
    const auto* session = static_cast<const SessionSettings*>(sqlite3_user_data(context));
    resultText(context, session ? session->user : std::string());
}

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// A money or decimal value as text, as the server writes it: money with two decimals, grouped in thousands
// by commas under style 1 and with four decimals under style 2; a decimal with its scale's decimals.
std::string exactText(double number, std::string_view sourceType, int style)
{
    const DeclaredType source = readDeclaredType(sourceType);
    const bool money = source.name == "money" || source.name == "smallmoney";
    const int decimals = money ? (style == 2 ? 4 : 2) : source.second;
    const auto rounded = scaleExact(number, 38, decimals);
    // + 0.0 makes a negative zero (what -0.001 rounds to) a plain one.
    std::string out = fmt::format("{:.{}f}", (rounded ? *rounded : number) + 0.0, decimals);
    if (money && style == 1) {
        const std::size_t digits = out.front() == '-' ? 1 : 0;
        std::size_t point = out.find('.');
        if (point == std::string::npos) point = out.size();
        for (std::size_t at = point; at > digits + 3; at -= 3) out.insert(at - 3, 1, ',');
    }
    return out;
}

// CONVERT('type', value[, style[, exact type]]) with the type as the rewriter quotes it, and the converted
// value's exact type when the rewriter knows it. Covers the conversions the ERP's
// statements make: to whole and decimal numbers, to text (dates by style) and to dates.
void convert(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    const std::string type = upper(textArgument(argv[0]));
    sqlite3_value* value = argv[1];
    if (sqlite3_value_type(value) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const int style = argc >= 3 ? sqlite3_value_int(argv[2]) : 0;
    const std::string_view text = textArgument(value);
    const DeclaredType declared = readDeclaredType(type);
    const std::string& base = declared.name;
    const bool isText = sqlite3_value_type(value) == SQLITE_TEXT || sqlite3_value_type(value) == SQLITE_BLOB;
    if (base == "int" || base == "integer" || base == "bigint" || base == "smallint" || base == "tinyint" || base == "bit") {
        ColumnRule rule;
        rule.kind = base == "bit" ? ColumnRule::Kind::Bit : ColumnRule::Kind::Whole;
        StoredValue v = sqlite3_value_type(value) == SQLITE_INTEGER ? StoredValue::ofInteger(sqlite3_value_int64(value))
                        : isText ? StoredValue::ofText(std::string(text))
                                 : StoredValue::ofReal(sqlite3_value_double(value));
        if (storeInto(rule, v).native != 0) {
            raise(context, 245, fmt::format("Conversion failed when converting the varchar value '{}' to data type {}.",
                                            text, declared.name));
            return;
        }
        sqlite3_result_int64(context, v.integer);
        return;
    }
    if (isExactType(base) || base == "float" || base == "real") {
        const std::optional<double> number = isText ? parseNumber(text) : std::optional<double>(sqlite3_value_double(value));
        if (!number) {
            raise(context, 8114, fmt::format("Error converting data type varchar to {} (value '{}').", base, text));
            return;
        }
        if (!isExactType(base)) {
            sqlite3_result_double(context, *number);
            return;
        }
        const bool money = base == "money" || base == "smallmoney";
        const int precision = money ? 19 : declared.first > 0 ? declared.first : 18;
        const auto scaled = scaleExact(*number, precision, money ? 4 : declared.second);
        if (!scaled) {
            raise(context, 8115, fmt::format("Arithmetic overflow error converting '{}' to data type {}.", text, type));
            return;
        }
        sqlite3_result_double(context, *scaled);
        return;
    }
    std::string canonical;
    DateReading reading = isText ? canonicalDateTime(text, canonical, sessionDateOrder(context)) : DateReading::NotADate;
    if (base == "datetime" || base == "smalldatetime" || base == "date") {
        if (reading == DateReading::NotADate && style == 103 && text.size() == 10 && text[2] == '/' && text[5] == '/') {
            // dd/mm/yyyy, the style the program names
            const std::string iso = fmt::format("{}-{}-{}", text.substr(6, 4), text.substr(3, 2), text.substr(0, 2));
            reading = canonicalDateTime(iso, canonical);
        }
        if (reading == DateReading::Valid) {
            resultText(context, canonical);
        } else if (reading == DateReading::OutOfRange) {
            raise(context, 242, fmt::format("The conversion of a varchar data type to a datetime data type resulted in "
                                            "an out-of-range value (value '{}').",
                                            text));
        } else {
            raise(context, 241, fmt::format("Conversion failed when converting date and/or time from character "
                                            "string (value '{}').",
                                            text));
        }
        return;
    }
    if (argc == 4 && !isText) {
        const std::string out = exactText(sqlite3_value_double(value), textArgument(argv[3]), style);
        const auto open = type.find('(');
        const std::size_t width = open == std::string::npos ? 30 : std::strtoul(type.c_str() + open + 1, nullptr, 10);
        if (width > 0 && out.size() > width) {
            raise(context, 8115, fmt::format("Arithmetic overflow error converting expression to data type {}.",
                                             declared.name));
            return;
        }
        resultText(context, out);
        return;
    }
    const auto date = reading == DateReading::Valid ? base::DateTime::parseIso(std::string_view(canonical).substr(0, 19))
                                                    : std::nullopt;
    std::string out(text);
    if (date) {
        switch (style) {
        case 3: out = fmt::format("{:02}/{:02}/{:02}", date->day(), date->month(), date->year() % 100); break;
        case 101: out = fmt::format("{:02}/{:02}/{:04}", date->month(), date->day(), date->year()); break;
        case 103: out = fmt::format("{:02}/{:02}/{:04}", date->day(), date->month(), date->year()); break;
        case 108: out = fmt::format("{:02}:{:02}:{:02}", date->hour(), date->minute(), date->second()); break;
        case 112: out = fmt::format("{:04}{:02}{:02}", date->year(), date->month(), date->day()); break;
        default: break;
        }
    }
    if (const auto open = type.find('('); open != std::string::npos) {
        const std::size_t width = std::strtoul(type.c_str() + open + 1, nullptr, 10);
        if (width > 0 && characterCount(out) > width) {
            std::size_t bytes = 0, chars = 0;
            while (bytes < out.size() && chars < width) {
                base::nextCodePoint(out, bytes);
                ++chars;
            }
            out.resize(bytes);
        }
        // char(n) and nchar(n) are padded to their width.
        if (base == "char" || base == "nchar") padText(out, static_cast<int>(width));
    }
    resultText(context, out);
}

// LEFT(text, n) and RIGHT(text, n), in characters.
template <bool Left>
void leftOrRight(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const long long n = sqlite3_value_int64(argv[1]);
    if (n < 0) {
        raise(context, 536, fmt::format("Invalid length parameter passed to the {} function.", Left ? "left" : "right"));
        return;
    }
    const std::string_view text = textArgument(argv[0]);
    const std::size_t count = characterCount(text);
    const std::size_t keep = std::min<std::size_t>(count, static_cast<std::size_t>(n));
    std::size_t skip = Left ? 0 : count - keep, bytes = 0;
    for (; skip > 0; --skip) base::nextCodePoint(text, bytes);
    std::size_t end = bytes;
    for (std::size_t i = 0; i < keep; ++i) base::nextCodePoint(text, end);
    resultText(context, text.substr(bytes, end - bytes));
}

// STR(number[, length[, decimals]]): right-aligned in `length` (10) characters with `decimals` (0) decimals,
// rounded; asterisks when it does not fit.
void str(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const int length = argc > 1 ? sqlite3_value_int(argv[1]) : 10;
    const int decimals = std::clamp(argc > 2 ? sqlite3_value_int(argv[2]) : 0, 0, 16);
    if (length <= 0) {
        sqlite3_result_null(context);
        return;
    }
    const auto rounded = scaleExact(sqlite3_value_double(argv[0]), 38, decimals);
    std::string out = rounded ? fmt::format("{:.{}f}", *rounded, decimals) : std::string();
    if (rounded && out.size() > static_cast<std::size_t>(length) && decimals > 0) {
        // Fewer decimals before giving up, as the server does.
        const auto point = out.find('.');
        if (point != std::string::npos && point <= static_cast<std::size_t>(length)) {
            const int room = length - static_cast<int>(point) - 1;
            out = fmt::format("{:.{}f}", *scaleExact(*rounded, 38, std::max(room, 0)), std::max(room, 0));
        }
    }
    if (!rounded || out.size() > static_cast<std::size_t>(length)) out.assign(static_cast<std::size_t>(length), '*');
    else out.insert(0, static_cast<std::size_t>(length) - out.size(), ' ');
    resultText(context, out);
}

// UPPER and LOWER for every letter, not only ASCII's.
template <bool Upper>
void changeCase(sqlite3_context* context, int, sqlite3_value** argv)
{
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const std::string_view text = textArgument(argv[0]);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = base::nextCodePoint(text, i);
        base::appendUtf8(out, Upper ? base::upperCase(c) : base::lowerCase(c));
    }
    resultText(context, out);
}

}  // namespace

void registerSqlServerFunctions(sqlite3* db, const SessionSettings* session)
{
    auto* data = const_cast<SessionSettings*>(session);
    sqlite3_create_collation_v2(db, std::string(kSqlServerCollation).c_str(), SQLITE_UTF8, data, collate, nullptr);
    define(db, "like", 2, like);
    define(db, "like", 3, like);
    define(db, "ltrim", 1, trimBlanks<true>);
    define(db, "rtrim", 1, trimBlanks<false>);
    define(db, "len", 1, len);
    define(db, "datalength", 1, datalength);
    define(db, "charindex", 2, charindex);
    define(db, "charindex", 3, charindex);
    define(db, "system_user", 0, systemUser, data);
    define(db, "convert", 2, convert, data);
    define(db, "convert", 3, convert, data);
    define(db, "convert", 4, convert, data);
    define(db, "tsql_left", 2, leftOrRight<true>);
    define(db, "tsql_right", 2, leftOrRight<false>);
    define(db, "str", 1, str);
    define(db, "str", 2, str);
    define(db, "str", 3, str);
    define(db, "upper", 1, changeCase<true>);
    define(db, "lower", 1, changeCase<false>);
    registerArithmetic(db, session);
    registerDateFunctions(db, session);
}

}  // namespace db::sqlite
