// Arithmetic as SQL Server computes it, for the calls the rewriter makes of + - * / (see TsqlWalker.h):
// whole numbers stay whole (7 / 2 is 3) and report overflow and division by zero; anything with a decimal
// is computed exactly on the decimals the values are written with (0.1 + 0.2 is 0.3, 7.0 / 2 is 3.5);
// `+` joins two texts; a date plus or minus a number moves by days. SUM and AVG add exactly too, and the
// store checks of StoredValues.h run here for values that are expressions.

#include "platform/base/DateTime.h"
#include "platform/db/sqlite/SqlFunctionSupport.h"
#include "platform/db/sqlite/StoredValues.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace db::sqlite {
namespace {

using Int128 = __int128;

// units × 10^-scale, with at most 37 digits in units.
struct Decimal {
    Int128 units = 0;
    int scale = 0;
};

constexpr int kMostScale = 30;

Int128 power10(int n)
{
    Int128 p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

const Int128 kLimit = power10(37);

bool fits(Int128 units) { return units < kLimit && units > -kLimit; }

// The decimal `value`'s shortest spelling stands for; nothing for values beyond what a decimal holds.
std::optional<Decimal> decimalOf(double value)
{
    if (!std::isfinite(value)) return std::nullopt;
    char spelled[64];
    const auto written = std::to_chars(spelled, spelled + sizeof spelled, value, std::chars_format::scientific);
    const std::string_view text(spelled, static_cast<std::size_t>(written.ptr - spelled));
    const std::size_t e = text.find('e');
    Int128 digits = 0;
    int count = 0;
    for (char c : text.substr(0, e)) {
        if (c < '0' || c > '9') continue;
        digits = digits * 10 + (c - '0');
        ++count;
    }
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    const int shift = exponent - (count - 1);
    if (value < 0) digits = -digits;
    if (shift >= 0) {
        if (shift > 20) return std::nullopt;
        return Decimal{digits * power10(shift), 0};
    }
    if (-shift > kMostScale) return std::nullopt;
    return Decimal{digits, -shift};
}

double toDouble(const Decimal& d)
{
    // The decimal spelled out, then read as the nearest double.
    char digits[48];
    int count = 0;
    Int128 magnitude = d.units < 0 ? -d.units : d.units;
    do {
        digits[count++] = static_cast<char>('0' + static_cast<int>(magnitude % 10));
        magnitude /= 10;
    } while (magnitude > 0);
    char text[128];
    int length = 0;
    const int whole = count - d.scale;
    if (whole <= 0) {
        text[length++] = '0';
        text[length++] = '.';
        for (int i = 0; i < -whole; ++i) text[length++] = '0';
    }
    for (int i = count - 1; i >= 0; --i) {
        text[length++] = digits[i];
        if (count - i == whole && d.scale > 0) text[length++] = '.';
    }
    text[length] = '\0';
    const double value = std::strtod(text, nullptr);
    return d.units < 0 ? -value : value;
}

// Both at the larger scale; false when that does not fit.
bool align(Decimal& a, Decimal& b)
{
    Decimal& lower = a.scale < b.scale ? a : b;
    const int raise = std::abs(a.scale - b.scale);
    if (raise == 0) return true;
    const Int128 units = lower.units * power10(raise);
    if (!fits(units) || (lower.units != 0 && units / power10(raise) != lower.units)) return false;
    lower.units = units;
    lower.scale += raise;
    return true;
}

// `units` divided by 10^`drop`, rounded half away from zero.
Int128 shortened(Int128 units, int drop)
{
    const Int128 p = power10(drop);
    Int128 q = units / p, r = units % p;
    if ((r < 0 ? -r : r) * 2 >= p) q += units < 0 ? -1 : 1;
    return q;
}

std::optional<Decimal> exactly(char op, Decimal a, Decimal b)
{
    switch (op) {
    case '+':
    case '-': {
        if (!align(a, b)) return std::nullopt;
        const Int128 units = op == '+' ? a.units + b.units : a.units - b.units;
        if (!fits(units)) return std::nullopt;
        return Decimal{units, a.scale};
    }
    case '*': {
        Int128 units = 0;
        if (__builtin_mul_overflow(a.units, b.units, &units) || !fits(units)) return std::nullopt;
        int scale = a.scale + b.scale;
        if (scale > kMostScale) {
            units = shortened(units, scale - kMostScale);
            scale = kMostScale;
        }
        return Decimal{units, scale};
    }
    default: {
        // Twenty decimals of quotient (SQL Server keeps at least six), rounded half away from zero.
        int raise = std::max(0, 20 - a.scale + b.scale);
        const Int128 magnitude = a.units < 0 ? -a.units : a.units;
        while (raise > 0 && magnitude >= kLimit / power10(raise)) --raise;
        const Int128 numerator = a.units * power10(raise);
        Int128 q = numerator / b.units, r = numerator % b.units;
        const Int128 divisor = b.units < 0 ? -b.units : b.units;
        if ((r < 0 ? -r : r) * 2 >= divisor) q += (numerator < 0) != (b.units < 0) ? -1 : 1;
        return Decimal{q, a.scale - b.scale + raise};
    }
    }
}

std::string_view operatorName(char op)
{
    switch (op) {
    case '+': return "add";
    case '-': return "subtract";
    case '*': return "multiply";
    default: return "divide";
    }
}

// A stored date moved by `days` (whole or fractional); false when `text` is not a stored date.
bool moveDate(sqlite3_context* context, std::string_view text, double days)
{
    if (!isCanonicalDateTime(text)) return false;
    const auto date = base::DateTime::parseIso(text.substr(0, 19));
    if (!date) return false;
    const auto seconds = static_cast<std::int64_t>(std::llround(days * 86400.0));
    std::string moved = date->addSeconds(seconds).toIso();
    if (text.size() == 23) moved += text.substr(19);
    resultText(context, moved);
    return true;
}

template <char Op>
void arithmetic(sqlite3_context* context, int, sqlite3_value** argv)
{
    const int ta = sqlite3_value_type(argv[0]), tb = sqlite3_value_type(argv[1]);
    if (ta == SQLITE_NULL || tb == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const bool textA = ta == SQLITE_TEXT || ta == SQLITE_BLOB, textB = tb == SQLITE_TEXT || tb == SQLITE_BLOB;
    if (textA && textB) {
        if (Op != '+') {
            raise(context, 8117, fmt::format("Operand data type varchar is invalid for {} operator.", operatorName(Op)));
            return;
        }
        std::string joined(textArgument(argv[0]));
        joined += textArgument(argv[1]);
        resultText(context, joined);
        return;
    }
    if (textA && (Op == '+' || Op == '-') && moveDate(context, textArgument(argv[0]), (Op == '-' ? -1 : 1) * sqlite3_value_double(argv[1])))
        return;
    if (textB && Op == '+' && moveDate(context, textArgument(argv[1]), sqlite3_value_double(argv[0]))) return;

    // A text meets a number: SQL Server converts the text to the number's type.
    long long wholeA = sqlite3_value_int64(argv[0]), wholeB = sqlite3_value_int64(argv[1]);
    double realA = sqlite3_value_double(argv[0]), realB = sqlite3_value_double(argv[1]);
    bool integers = ta != SQLITE_FLOAT && tb != SQLITE_FLOAT;
    for (int side = 0; side < 2; ++side) {
        if (!(side == 0 ? textA : textB)) continue;
        const std::string_view text = textArgument(argv[side]);
        const auto number = parseNumber(text);
        const bool whole = number && std::trunc(*number) == *number && text.find_first_of(".eE") == std::string_view::npos;
        if (!number || (integers && !whole)) {
            raise(context, integers ? 245 : 8114,
                  integers ? fmt::format("Conversion failed when converting the varchar value '{}' to data type int.", text)
                           : fmt::format("Error converting data type varchar to numeric (value '{}').", text));
            return;
        }
        (side == 0 ? realA : realB) = *number;
        (side == 0 ? wholeA : wholeB) = static_cast<long long>(*number);
    }

    if (integers) {
        long long result = 0;
        bool overflow = false;
        switch (Op) {
        case '+': overflow = __builtin_add_overflow(wholeA, wholeB, &result); break;
        case '-': overflow = __builtin_sub_overflow(wholeA, wholeB, &result); break;
        case '*': overflow = __builtin_mul_overflow(wholeA, wholeB, &result); break;
        default:
            if (wholeB == 0) {
                raise(context, 8134, "Divide by zero error encountered.");
                return;
            }
            overflow = wholeB == -1 && wholeA == std::numeric_limits<long long>::min();
            if (!overflow) result = wholeA / wholeB;  // truncates toward zero, as SQL Server does
        }
        if (overflow) {
            raise(context, 8115, "Arithmetic overflow error converting expression to data type bigint.");
            return;
        }
        sqlite3_result_int64(context, result);
        return;
    }
    if (Op == '/' && realB == 0) {
        raise(context, 8134, "Divide by zero error encountered.");
        return;
    }
    const auto a = ta == SQLITE_INTEGER ? std::optional<Decimal>(Decimal{wholeA, 0}) : decimalOf(realA);
    const auto b = tb == SQLITE_INTEGER ? std::optional<Decimal>(Decimal{wholeB, 0}) : decimalOf(realB);
    if (a && b) {
        if (const auto result = exactly(Op, *a, *b)) {
            sqlite3_result_double(context, toDouble(*result));
            return;
        }
    }
    switch (Op) {
    case '+': sqlite3_result_double(context, realA + realB); break;
    case '-': sqlite3_result_double(context, realA - realB); break;
    case '*': sqlite3_result_double(context, realA * realB); break;
    default: sqlite3_result_double(context, realA / realB); break;
    }
}

// SUM and AVG over exact decimals: whole numbers while every value is whole, as SQL Server answers.
struct ExactTotal {
    Decimal sum;
    long long wholeSum = 0;
    double fallback = 0;  // when a value is beyond what a decimal holds
    long long count = 0;
    bool fraction = false;
    bool inexact = false;
    bool overflow = false;
};

// SQLite's aggregate memory (zeroed: all-zero is an empty total) is not aligned for 128-bit integers: the
// total is copied out of it and back.
std::optional<ExactTotal> readTotal(sqlite3_context* context, int bytes)
{
    void* memory = sqlite3_aggregate_context(context, bytes);
    if (!memory) return std::nullopt;
    ExactTotal total;
    std::memcpy(static_cast<void*>(&total), memory, sizeof total);
    return total;
}

void addTo(ExactTotal* total, sqlite3_value* value);

void totalStep(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
    auto total = readTotal(context, sizeof(ExactTotal));
    if (!total) {
        sqlite3_result_error_nomem(context);
        return;
    }
    addTo(&*total, argv[0]);
    std::memcpy(sqlite3_aggregate_context(context, sizeof(ExactTotal)), static_cast<const void*>(&*total), sizeof *total);
}

void addTo(ExactTotal* total, sqlite3_value* value)
{
    ++total->count;
    const int numeric = sqlite3_value_numeric_type(value);
    if (numeric == SQLITE_INTEGER) {
        const long long whole = sqlite3_value_int64(value);
        total->overflow = total->overflow || __builtin_add_overflow(total->wholeSum, whole, &total->wholeSum);
        total->fallback += static_cast<double>(whole);
        const Decimal d{whole, 0};
        if (!total->inexact) {
            const auto sum = exactly('+', total->sum, d);
            if (sum) total->sum = *sum;
            else total->inexact = true;
        }
        return;
    }
    const double real = sqlite3_value_double(value);
    total->fraction = true;
    total->fallback += real;
    if (total->inexact) return;
    const auto d = decimalOf(real);
    const auto sum = d ? exactly('+', total->sum, *d) : std::nullopt;
    if (sum) total->sum = *sum;
    else total->inexact = true;
}

void sumFinal(sqlite3_context* context)
{
    const auto total = readTotal(context, 0);
    if (!total || total->count == 0) {
        sqlite3_result_null(context);
    } else if (!total->fraction) {
        if (total->overflow) raise(context, 8115, "Arithmetic overflow error converting expression to data type bigint.");
        else sqlite3_result_int64(context, total->wholeSum);
    } else {
        sqlite3_result_double(context, total->inexact ? total->fallback : toDouble(total->sum));
    }
}

void avgFinal(sqlite3_context* context)
{
    const auto total = readTotal(context, 0);
    if (!total || total->count == 0) {
        sqlite3_result_null(context);
    } else if (!total->fraction && !total->overflow) {
        sqlite3_result_int64(context, total->wholeSum / total->count);  // AVG of whole numbers is whole
    } else {
        const auto mean = total->inexact ? std::nullopt : exactly('/', total->sum, Decimal{total->count, 0});
        sqlite3_result_double(context, mean ? toDouble(*mean) : total->fallback / static_cast<double>(total->count));
    }
}

ColumnRule::Kind ruleKind(std::string_view word)
{
    if (word == "text" || word == "char") return ColumnRule::Kind::Text;
    if (word == "exact" || word == "money") return ColumnRule::Kind::Exact;
    if (word == "float") return ColumnRule::Kind::Float;
    if (word == "datetime") return ColumnRule::Kind::DateTime;
    if (word == "whole") return ColumnRule::Kind::Whole;
    if (word == "bit") return ColumnRule::Kind::Bit;
    return ColumnRule::Kind::Any;
}

// sqlsrv_store(value, kind, width or precision, scale, 'TABLE.COLUMN'): the value as its column keeps it.
void store(sqlite3_context* context, int, sqlite3_value** argv)
{
    StoredValue value;
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL: sqlite3_result_null(context); return;
    case SQLITE_INTEGER: value = StoredValue::ofInteger(sqlite3_value_int64(argv[0])); break;
    case SQLITE_FLOAT: value = StoredValue::ofReal(sqlite3_value_double(argv[0])); break;
    default: value = StoredValue::ofText(std::string(textArgument(argv[0]))); break;
    }
    ColumnRule rule;
    rule.kind = ruleKind(textArgument(argv[1]));
    rule.money = textArgument(argv[1]) == "money";
    rule.padded = textArgument(argv[1]) == "char";
    rule.width = rule.precision = sqlite3_value_int(argv[2]);
    rule.scale = sqlite3_value_int(argv[3]);
    rule.name = std::string(textArgument(argv[4]));
    if (const StoreRefusal refused = storeInto(rule, value, sessionDateOrder(context)); refused.native != 0) {
        raise(context, refused.native, refused.message);
        return;
    }
    switch (value.kind) {
    case StoredValue::Kind::Integer: sqlite3_result_int64(context, value.integer); break;
    case StoredValue::Kind::Real: sqlite3_result_double(context, value.real); break;
    case StoredValue::Kind::Text: resultText(context, value.text); break;
    case StoredValue::Kind::Null: sqlite3_result_null(context); break;
    }
}

// sqlsrv_blank(value): what a blank text compared with `value` stands for once the server has converted it to
// value's type: 0 beside a number, the first day of 1900 beside a date, the empty text beside a text or Null
// (no comparison with Null holds, and an UPDATE's assignment col = '' of a column without checks stores it).
void blank(sqlite3_context* context, int, sqlite3_value** argv)
{
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_INTEGER: case SQLITE_FLOAT: sqlite3_result_int(context, 0); return;
    default: resultText(context, isCanonicalDateTime(textArgument(argv[0])) ? "1900-01-01 00:00:00" : ""); return;
    }
}

}  // namespace

void registerArithmetic(sqlite3* db, const SessionSettings* session)
{
    define(db, "sqlsrv_add", 2, arithmetic<'+'>);
    define(db, "sqlsrv_subtract", 2, arithmetic<'-'>);
    define(db, "sqlsrv_multiply", 2, arithmetic<'*'>);
    define(db, "sqlsrv_divide", 2, arithmetic<'/'>);
    define(db, "sqlsrv_store", 5, store, const_cast<SessionSettings*>(session));
    define(db, "sqlsrv_blank", 1, blank);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "sum", 1, flags, nullptr, nullptr, totalStep, sumFinal, nullptr);
    sqlite3_create_function_v2(db, "avg", 1, flags, nullptr, nullptr, totalStep, avgFinal, nullptr);
}

}  // namespace db::sqlite
