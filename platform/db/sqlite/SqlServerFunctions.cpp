#include "platform/db/sqlite/SqlServerFunctions.h"

#include "platform/base/DateTime.h"
#include "platform/base/Utf8.h"
#include "platform/db/sqlite/TsqlBatch.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <fmt/format.h>
#include <sqlite3.h>
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

int collate(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return compareSqlServer({static_cast<const char*>(a), static_cast<std::size_t>(lengthA)},
                            {static_cast<const char*>(b), static_cast<std::size_t>(lengthB)});
}

std::string_view textArgument(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value))) : std::string_view();
}

void resultText(sqlite3_context* context, std::string_view text)
{
    sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
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
    sqlite3_result_int(context, likeMatch(folded(textArgument(argv[0])), 0, folded(textArgument(argv[1])), 0, escape));
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

void getdate(sqlite3_context* context, int, sqlite3_value**)
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    resultText(context, base::DateTime::fromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                                  local.tm_min, local.tm_sec)
                            .toIso());
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
    const auto* user = static_cast<const std::string*>(sqlite3_user_data(context));
    resultText(context, user ? *user : std::string());
}

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// CONVERT('type', value[, style]) with the type as the rewriter quotes it. Covers the conversions the ERP's
// statements make: to whole and decimal numbers, to text (dates by style) and to dates.
void convert(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    const std::string type = upper(textArgument(argv[0]));
    sqlite3_value* value = argv[1];
    if (sqlite3_value_type(value) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const int style = argc == 3 ? sqlite3_value_int(argv[2]) : 0;
    const std::string_view text = textArgument(value);
    auto conversionFailed = [&] {
        const std::string message = fmt::format("Conversion failed when converting the value '{}' to {}.", text, type);
        sqlite3_result_error(context, message.c_str(), -1);
    };
    const std::string base = type.substr(0, type.find('('));
    if (base == "INT" || base == "INTEGER" || base == "BIGINT" || base == "SMALLINT" || base == "TINYINT" || base == "BIT") {
        if (sqlite3_value_numeric_type(value) == SQLITE_INTEGER) {
            sqlite3_result_int64(context, sqlite3_value_int64(value));
        } else if (sqlite3_value_type(value) == SQLITE_FLOAT) {
            sqlite3_result_int64(context, static_cast<sqlite3_int64>(sqlite3_value_double(value)));
        } else {
            conversionFailed();
        }
        return;
    }
    if (base == "DECIMAL" || base == "NUMERIC" || base == "FLOAT" || base == "REAL" || base == "MONEY") {
        const int numeric = sqlite3_value_numeric_type(value);
        if (numeric == SQLITE_INTEGER || numeric == SQLITE_FLOAT) sqlite3_result_double(context, sqlite3_value_double(value));
        else conversionFailed();
        return;
    }
    const auto date = base::DateTime::parseIso(text);
    if (base == "DATETIME" || base == "SMALLDATETIME" || base == "DATE") {
        if (date) {
            resultText(context, date->toIso());
        } else if (style == 103 && text.size() >= 10) {
            try {
                const auto parsed = base::DateTime::fromParts(std::stoi(std::string(text.substr(6, 4))),
                                                              std::stoi(std::string(text.substr(3, 2))),
                                                              std::stoi(std::string(text.substr(0, 2))));
                resultText(context, parsed.toIso());
            } catch (...) {
                conversionFailed();
            }
        } else {
            conversionFailed();
        }
        return;
    }
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
    }
    resultText(context, out);
}

void define(sqlite3* db, const char* name, int args, void (*function)(sqlite3_context*, int, sqlite3_value**),
            void* data = nullptr, bool deterministic = true)
{
    const int flags = SQLITE_UTF8 | (deterministic ? SQLITE_DETERMINISTIC : 0);
    sqlite3_create_function_v2(db, name, args, flags, data, function, nullptr, nullptr, nullptr);
}

}  // namespace

int compareSqlServer(std::string_view a, std::string_view b)
{
    a = withoutTrailingBlanks(a);
    b = withoutTrailingBlanks(b);
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
        char32_t x, y;
        if (ca < 0x80 && cb < 0x80) {
            x = static_cast<char32_t>(std::tolower(ca));
            y = static_cast<char32_t>(std::tolower(cb));
            ++i;
            ++j;
        } else {
            x = base::lowerCase(base::nextCodePoint(a, i));
            y = base::lowerCase(base::nextCodePoint(b, j));
        }
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

void registerSqlServerFunctions(sqlite3* db, const std::string* user)
{
    sqlite3_create_collation_v2(db, std::string(kSqlServerCollation).c_str(), SQLITE_UTF8, nullptr, collate, nullptr);
    define(db, "like", 2, like);
    define(db, "like", 3, like);
    define(db, "ltrim", 1, trimBlanks<true>);
    define(db, "rtrim", 1, trimBlanks<false>);
    define(db, "len", 1, len);
    define(db, "getdate", 0, getdate, nullptr, false);
    define(db, "charindex", 2, charindex);
    define(db, "charindex", 3, charindex);
    define(db, "system_user", 0, systemUser, const_cast<std::string*>(user));
    define(db, "convert", 2, convert);
    define(db, "convert", 3, convert);
}

}  // namespace db::sqlite
