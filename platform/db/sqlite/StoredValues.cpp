#include "platform/db/sqlite/StoredValues.h"

#include "platform/db/sqlite/SqliteTypes.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fmt/format.h>
#include <system_error>
#include <utility>

namespace db::sqlite {
namespace {

std::string_view trimmedBlanks(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

// The number made of the `count` digits at `at`, or -1 when one of them is not a digit.
int digitsAt(std::string_view s, std::size_t at, std::size_t count)
{
    if (at + count > s.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!isDigit(s[i])) return -1;
        value = value * 10 + (s[i] - '0');
    }
    return value;
}

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysIn(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// hh:mm[:ss[.f[f[f]]]] at the start of `s`; false when it is something else.
bool readTime(std::string_view s, int& hour, int& minute, int& second, int& millisecond)
{
    hour = digitsAt(s, 0, 2);
    minute = digitsAt(s, 3, 2);
    if (hour < 0 || minute < 0 || s[2] != ':') return false;
    second = millisecond = 0;
    if (s.size() == 5) return true;
    second = digitsAt(s, 6, 2);
    if (s[5] != ':' || second < 0) return false;
    if (s.size() == 8) return true;
    if (s[8] != '.' || s.size() < 10 || s.size() > 12) return false;
    int scale = 100;
    for (std::size_t i = 9; i < s.size(); ++i, scale /= 10) {
        if (!isDigit(s[i])) return false;
        millisecond += (s[i] - '0') * scale;
    }
    return true;
}

std::string spelled(const StoredValue& value)
{
    switch (value.kind) {
    case StoredValue::Kind::Integer: return std::to_string(value.integer);
    case StoredValue::Kind::Real: {
        char digits[64];
        const auto written = std::to_chars(digits, digits + sizeof digits, value.real);
        return std::string(digits, written.ptr);
    }
    case StoredValue::Kind::Text: return value.text;
    case StoredValue::Kind::Null: break;
    }
    return "NULL";
}

StoreRefusal refusal(long native, std::string_view what, const ColumnRule& rule, const StoredValue& value,
                     std::string_view detail = {})
{
    return {native, fmt::format("{} ({}{}{}, value '{}').", what, rule.name, detail.empty() ? "" : ", ", detail,
                                spelled(value))};
}

// A whole number written as text: optional blanks and sign, digits.
std::optional<long long> parseWhole(std::string_view text)
{
    text = trimmedBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long value = 0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || read.ec != std::errc() || read.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

}  // namespace

StoreRefusal storeInto(const ColumnRule& rule, StoredValue& value, DateOrder order, DateSource source)
{
    using Kind = StoredValue::Kind;
    if (value.kind == Kind::Null) return {};
    switch (rule.kind) {
    case ColumnRule::Kind::Any: return {};
    case ColumnRule::Kind::Text: {
        if (value.kind != Kind::Text) value = StoredValue::ofText(spelled(value));
        const auto fitted = fitText(value.text, rule.width);
        if (!fitted)
            return refusal(8152, "String or binary data would be truncated", rule, value,
                           fmt::format("at most {} characters", rule.width));
        value.text.resize(fitted->size());
        if (rule.padded) padText(value.text, rule.width);
        return {};
    }
    case ColumnRule::Kind::Exact: {
        double number = value.kind == Kind::Integer ? static_cast<double>(value.integer) : value.real;
        if (value.kind == Kind::Text) {
            const auto parsed = rule.money && isBlank(value.text) ? std::optional<double>(0) : parseNumber(value.text);
            if (!parsed) return refusal(8114, "Error converting data type varchar to numeric", rule, value);
            number = *parsed;
        }
        const auto scaled = scaleExact(number, rule.precision, rule.scale);
        if (!scaled)
            return refusal(8115, "Arithmetic overflow error converting to numeric", rule, value,
                           fmt::format("numeric({},{})", rule.precision, rule.scale));
        value = StoredValue::ofReal(*scaled);
        return {};
    }
    case ColumnRule::Kind::DateTime: {
        if (value.kind == Kind::Text && isBlank(value.text)) {
            value.text = "1900-01-01 00:00:00";
            return {};
        }
        std::string canonical;
        const DateReading reading =
            value.kind == Kind::Text ? canonicalDateTime(value.text, canonical, order, source) : DateReading::NotADate;
        if (reading == DateReading::NotADate)
            return refusal(241, "Conversion failed when converting date and/or time from character string", rule,
                           value);
        if (reading == DateReading::OutOfRange)
            return refusal(242,
                           "The conversion of a varchar data type to a datetime data type resulted in an out-of-range "
                           "value",
                           rule, value);
        value.text = std::move(canonical);
        return {};
    }
    case ColumnRule::Kind::Whole: {
        if (value.kind == Kind::Real) {
            if (!std::isfinite(value.real) || std::fabs(value.real) >= 9.2e18)
                return refusal(8115, "Arithmetic overflow error converting expression to data type int", rule, value);
            value = StoredValue::ofInteger(static_cast<long long>(value.real));  // SQL Server truncates
        } else if (value.kind == Kind::Text) {
            const auto whole = isBlank(value.text) ? std::optional<long long>(0) : parseWhole(value.text);
            if (!whole) return refusal(245, "Conversion failed when converting the varchar value to data type int", rule, value);
            value = StoredValue::ofInteger(*whole);
        }
        return {};
    }
    case ColumnRule::Kind::Bit: {
        bool set = false;
        if (value.kind == Kind::Integer) set = value.integer != 0;
        else if (value.kind == Kind::Real) set = value.real != 0;
        else if (equalsIgnoringCase(trimmedBlanks(value.text), "TRUE")) set = true;
        else if (equalsIgnoringCase(trimmedBlanks(value.text), "FALSE")) set = false;
        else if (const auto whole = isBlank(value.text) ? std::optional<long long>(0) : parseWhole(value.text))
            set = *whole != 0;
        else return refusal(245, "Conversion failed when converting the varchar value to data type bit", rule, value);
        value = StoredValue::ofInteger(set ? 1 : 0);
        return {};
    }
    case ColumnRule::Kind::Float: {
        if (value.kind != Kind::Text) return {};
        const auto parsed = isBlank(value.text) ? std::optional<double>(0) : parseNumber(value.text);
        if (!parsed) return refusal(8114, "Error converting data type varchar to float", rule, value);
        value = StoredValue::ofReal(*parsed);
        return {};
    }
    }
    return {};
}

ColumnRule columnRule(std::string_view table, std::string_view column, std::string_view declaredType)
{
    DeclaredType type = readDeclaredType(declaredType);
    ColumnRule rule;
    // "int IDENTITY(10, 5)", as a table made at run time declares it.
    constexpr std::string_view kIdentity = " identity";
    if (type.name.ends_with(kIdentity)) {
        type.name.erase(type.name.size() - kIdentity.size());
        rule.identity = true;
        const bool given = declaredType.find('(') != std::string_view::npos;  // IDENTITY alone is (1, 1)
        rule.seed = given ? type.first : 1;
        rule.step = given && type.second != 0 ? type.second : 1;
    }
    rule.column = std::string(column);
    rule.name = fmt::format("{}.{}", table, column);
    const std::string& base = type.name;
    if (base == "char" || base == "varchar" || base == "nchar" || base == "nvarchar") {
        rule.kind = ColumnRule::Kind::Text;
        rule.width = type.first > 0 ? type.first : 1;
        rule.padded = base == "char" || base == "nchar";
        if (type.unbounded) rule.kind = ColumnRule::Kind::Any;
    } else if (base == "decimal" || base == "numeric") {
        rule.kind = ColumnRule::Kind::Exact;
        rule.precision = type.first > 0 ? type.first : 18;
        rule.scale = type.second;
    } else if (base == "money" || base == "smallmoney") {
        rule.kind = ColumnRule::Kind::Exact;
        rule.money = true;
        rule.precision = base == "money" ? 19 : 10;
        rule.scale = 4;
    } else if (base == "datetime" || base == "smalldatetime" || base == "date") {
        rule.kind = ColumnRule::Kind::DateTime;
    } else if (base == "int" || base == "integer" || base == "smallint" || base == "tinyint" || base == "bigint") {
        rule.kind = ColumnRule::Kind::Whole;
    } else if (base == "bit") {
        rule.kind = ColumnRule::Kind::Bit;
    } else if (base == "float" || base == "real") {
        rule.kind = ColumnRule::Kind::Float;
    }
    return rule;
}

std::optional<std::string_view> fitText(std::string_view text, int width)
{
    std::size_t bytes = 0;
    int characters = 0;
    while (bytes < text.size() && characters < width) {
        const auto lead = static_cast<unsigned char>(text[bytes]);
        bytes += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        ++characters;
    }
    if (bytes >= text.size()) return text;
    if (text.find_first_not_of(' ', bytes) != std::string_view::npos) return std::nullopt;
    return text.substr(0, bytes);
}

void padText(std::string& text, int width)
{
    int characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (characters < width) text.append(static_cast<std::size_t>(width - characters), ' ');
}

std::optional<double> scaleExact(double value, int precision, int scale)
{
    if (!std::isfinite(value)) return std::nullopt;
    // Most values already have no more decimals than the scale: value × 10^scale is then a whole number N
    // that a double holds exactly, and N / 10^scale is the double nearest to the decimal.
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13,
                                         1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22, 1e23, 1e24, 1e25, 1e26,
                                         1e27, 1e28, 1e29, 1e30, 1e31, 1e32, 1e33, 1e34, 1e35, 1e36, 1e37, 1e38};
    constexpr double kExactWhole = 9007199254740992.0;  // 2^53
    if (scale >= 0 && scale <= 22 && precision >= scale && precision <= 38) {
        const double whole = value * kPowers[scale];
        if (std::fabs(whole) < kExactWhole && whole == std::trunc(whole)) {
            if (std::fabs(whole) >= kPowers[precision]) return std::nullopt;
            return whole / kPowers[scale];
        }
        // 1234.56 × 10^4 may come out a hair off 12345600. When the nearest whole number N still gives back
        // `value` as N / 10^scale, and N is well inside a double's exact range (so no other decimal of that
        // scale reads as `value`), `value` has no more decimals than the scale: nothing to round.
        constexpr double kClearlyExact = 1125899906842624.0;  // 2^50
        const double nearest = std::nearbyint(whole);
        if (std::fabs(nearest) < kClearlyExact && nearest / kPowers[scale] == value) {
            if (std::fabs(nearest) >= kPowers[precision]) return std::nullopt;
            return value;
        }
    }
    // The shortest spelling that reads back as `value` is the decimal the program meant: 1.23455 is
    // 1.2345499... in binary, but rounds like the literal it came from.
    char spelled[400];
    const auto written = std::to_chars(spelled, spelled + sizeof spelled, std::fabs(value), std::chars_format::fixed);
    if (written.ec != std::errc()) return std::nullopt;
    std::string digits(spelled, written.ptr);
    std::size_t point = digits.find('.');
    if (point == std::string::npos) {
        point = digits.size();
        digits += '.';
    }
    digits.resize(std::min(digits.size(), point + 1 + static_cast<std::size_t>(scale) + 1), '0');
    const bool roundUp = digits.size() == point + 1 + static_cast<std::size_t>(scale) + 1 && digits.back() >= '5';
    digits.resize(point + 1 + static_cast<std::size_t>(scale), '0');
    if (roundUp) {
        std::size_t i = digits.size();
        while (i-- > 0) {
            if (digits[i] == '.') continue;
            if (digits[i] != '9') {
                ++digits[i];
                break;
            }
            digits[i] = '0';
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                ++point;
            }
        }
    }
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    const std::size_t whole = firstSignificant >= point ? 0 : point - firstSignificant;
    if (static_cast<int>(whole) > precision - scale) return std::nullopt;
    const double rounded = std::strtod(digits.c_str(), nullptr);
    return value < 0 && rounded != 0 ? -rounded : rounded;
}

std::optional<double> parseNumber(std::string_view text)
{
    text = trimmedBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !(isDigit(text.front()) || text.front() == '.')) return std::nullopt;
    double value = 0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    if (read.ec != std::errc() || read.ptr != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<DateOrder> dateOrderNamed(std::string_view name)
{
    static constexpr std::pair<std::string_view, DateOrder> kOrders[] = {
        {"dmy", DateOrder::DMY}, {"mdy", DateOrder::MDY}, {"ymd", DateOrder::YMD},
        {"ydm", DateOrder::YDM}, {"myd", DateOrder::MYD}, {"dym", DateOrder::DYM},
    };
    for (const auto& [spelled, order] : kOrders)
        if (equalsIgnoringCase(name, spelled)) return order;
    return std::nullopt;
}

namespace {

struct DateParts {
    int year = -1, month = -1, day = -1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// ' hh:mm[:ss[.mmm]]' after the date, or nothing.
bool readTimeAfter(std::string_view rest, DateParts& parts)
{
    if (rest.empty()) return true;
    const std::string_view time = rest.substr(1);
    return time.size() >= 5 && readTime(time, parts.hour, parts.minute, parts.second, parts.millisecond);
}

// The forms every language reads alike: yyyymmdd[ time] and yyyy-mm-ddThh:mm:ss[.mmm].
bool readIsoDate(std::string_view text, DateParts& parts)
{
    if (text.size() >= 8 && (text.size() == 8 || text[8] == ' ')) {
        parts.year = digitsAt(text, 0, 4);
        parts.month = digitsAt(text, 4, 2);
        parts.day = digitsAt(text, 6, 2);
        return parts.year >= 0 && parts.month >= 0 && parts.day >= 0 && readTimeAfter(text.substr(8), parts);
    }
    if (text.size() > 10 && text[4] == '-' && text[7] == '-' && text[10] == 'T') {
        parts.year = digitsAt(text, 0, 4);
        parts.month = digitsAt(text, 5, 2);
        parts.day = digitsAt(text, 8, 2);
        const std::string_view time = text.substr(11);
        return parts.year >= 0 && parts.month >= 0 && parts.day >= 0 && time.size() >= 8
               && readTime(time, parts.hour, parts.minute, parts.second, parts.millisecond);
    }
    return false;
}

// One to `most` digits; -1 when there are none or more, or something else.
int numberOf(std::string_view digits, std::size_t most)
{
    if (digits.empty() || digits.size() > most) return -1;
    return digitsAt(digits, 0, digits.size());
}

// Three numbers split by one separator (/, - or .), read in `order`, and the time after a blank.
bool readNumericDate(std::string_view text, DateOrder order, DateParts& parts)
{
    const std::size_t blank = text.find(' ');
    const std::string_view date = text.substr(0, blank);
    const std::size_t first = date.find_first_of("/-.");
    if (first == std::string_view::npos) return false;
    const char separator = date[first];
    const std::size_t second = date.find(separator, first + 1);
    if (second == std::string_view::npos || date.find(separator, second + 1) != std::string_view::npos) return false;
    const std::string_view pieces[] = {date.substr(0, first), date.substr(first + 1, second - first - 1),
                                       date.substr(second + 1)};
    // Where day, month and year stand in the order's spelling.
    static constexpr std::string_view kSpellings[] = {"dmy", "mdy", "ymd", "ydm", "myd", "dym"};
    std::string_view spelling = kSpellings[static_cast<std::size_t>(order)];
    if (pieces[0].size() == 4) {
        // A year written first keeps day and month in the order's sequence.
        spelling = spelling.find('d') < spelling.find('m') ? "ydm" : "ymd";
    }
    for (std::size_t k = 0; k < 3; ++k) {
        switch (spelling[k]) {
        case 'd': parts.day = numberOf(pieces[k], 2); break;
        case 'm': parts.month = numberOf(pieces[k], 2); break;
        default:
            if (pieces[k].size() == 2) {
                const int year = numberOf(pieces[k], 2);
                parts.year = year < 0 ? -1 : year < 50 ? 2000 + year : 1900 + year;
            } else {
                parts.year = pieces[k].size() == 4 ? numberOf(pieces[k], 4) : -1;
            }
            break;
        }
    }
    if (parts.year < 0 || parts.month < 0 || parts.day < 0) return false;
    return blank == std::string_view::npos || readTimeAfter(text.substr(blank), parts);
}

}  // namespace

DateReading canonicalDateTime(std::string_view text, std::string& canonical, DateOrder order, DateSource source)
{
    text = trimmedBlanks(text);
    DateParts parts;
    // A date an expression made (read from a column, GETDATE()) is in the stored form, year, month, day.
    if (source == DateSource::Value && isCanonicalDateTime(text)) order = DateOrder::YMD;
    if (!readIsoDate(text, parts) && !readNumericDate(text, order, parts)) return DateReading::NotADate;
    const int year = parts.year, month = parts.month, day = parts.day;
    const int hour = parts.hour, minute = parts.minute, second = parts.second, millisecond = parts.millisecond;
    if (year < 1753 || month < 1 || month > 12 || day < 1 || day > daysIn(year, month) || hour > 23 || minute > 59
        || second > 59)
        return DateReading::OutOfRange;
    // Written by hand: a row of a batch may store several dates, and this runs for every one.
    char form[24] = "0000-00-00 00:00:00.000";
    auto put = [&form](std::size_t at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10) form[at + static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
    };
    put(0, year, 4);
    put(5, month, 2);
    put(8, day, 2);
    put(11, hour, 2);
    put(14, minute, 2);
    put(17, second, 2);
    put(20, millisecond, 3);
    canonical.assign(form, millisecond > 0 ? 23 : 19);
    return DateReading::Valid;
}

bool isCanonicalDateTime(std::string_view s)
{
    if (s.size() != 19 && s.size() != 23) return false;
    static constexpr std::string_view kShape = "dddd-dd-dd dd:dd:dd.ddd";
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (kShape[i] == 'd' ? !isDigit(s[i]) : s[i] != kShape[i]) return false;
    }
    return true;
}

}  // namespace db::sqlite
