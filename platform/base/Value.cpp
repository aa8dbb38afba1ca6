#include "platform/base/Value.h"

#include "platform/base/Error.h"
#include "platform/base/Regional.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fmt/format.h>

namespace base {
namespace {

[[noreturn]] void typeMismatch() { throw Error(errors::kTypeMismatch, "Type mismatch"); }
[[noreturn]] void invalidNull() { throw Error(errors::kInvalidUseOfNull, "Invalid use of Null"); }

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A whole text that is a number with the regional separator; anything else is a type mismatch.
double parseNumber(std::string_view text)
{
    std::string digits(trimmed(text));
    if (digits.empty()) typeMismatch();
    for (char& c : digits) {
        if (c == regional().decimalSeparator) c = '.';
        else if (c == '.' ) typeMismatch();
    }
    if (digits.find_first_not_of("+-0123456789.eE") != std::string::npos) typeMismatch();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size()) typeMismatch();
    if (errno == ERANGE) throw Error(errors::kOverflow, "Overflow");
    return value;
}

std::string dateToText(const DateTime& d)
{
    const Regional& r = regional();
    std::string text;
    // Day zero holds a time alone, and is written as one, midnight included.
    if (d.hasDate())
        text = fmt::format("{:02}{}{:02}{}{:04}", d.day(), r.dateSeparator, d.month(), r.dateSeparator, d.year());
    if (d.hasTime() || !d.hasDate()) {
        if (!text.empty()) text += ' ';
        text += fmt::format("{:02}:{:02}:{:02}", d.hour(), d.minute(), d.second());
    }
    return text;
}

}  // namespace

std::string doubleToText(double value)
{
    if (value == 0) return "0";
    char buffer[40];
    // A whole number of up to 15 digits, the usual quantity, is its digits: the same text by a shorter way.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
        return std::string(buffer, written.ptr);
    }
    if (!std::isfinite(value)) return fmt::format("{:.15g}", value);
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, written.ptr);
    if (const auto e = text.find('e'); e != std::string::npos) {
        text[e] = 'E';
        // The legacy form writes the exponent with two digits at least, no more leading zeros: 1E+20, 1E-05,
        // 1E+100.
        std::size_t digit = e + 2;
        while (digit + 2 < text.size() && text[digit] == '0') text.erase(digit, 1);
    }
    if (regional().decimalSeparator != '.')
        if (const auto point = text.find('.'); point != std::string::npos) text[point] = regional().decimalSeparator;
    return text;
}

void Value::assignText(std::string_view text)
{
    if (auto* held = std::get_if<std::string>(&data_)) held->assign(text);
    else data_.emplace<std::string>(text);
}

bool Value::isNumeric() const
{
    const Kind k = kind();
    return k == Kind::Boolean || k == Kind::Integer || k == Kind::Double || k == Kind::Currency;
}

bool Value::asBoolean() const { if (auto p = std::get_if<bool>(&data_)) return *p; typeMismatch(); }
std::int64_t Value::asInteger() const { if (auto p = std::get_if<std::int64_t>(&data_)) return *p; typeMismatch(); }
double Value::asDouble() const { if (auto p = std::get_if<double>(&data_)) return *p; typeMismatch(); }
Currency Value::asCurrency() const { if (auto p = std::get_if<Currency>(&data_)) return *p; typeMismatch(); }
const std::string& Value::asText() const { if (auto p = std::get_if<std::string>(&data_)) return *p; typeMismatch(); }
DateTime Value::asDateTime() const { if (auto p = std::get_if<DateTime>(&data_)) return *p; typeMismatch(); }

std::string Value::toText() const
{
    switch (kind()) {
    case Kind::Empty: return {};
    case Kind::Null: invalidNull();
    case Kind::Boolean: return asBoolean() ? regional().trueText : regional().falseText;
    case Kind::Integer: return std::to_string(asInteger());
    case Kind::Double: return doubleToText(asDouble());
    case Kind::Currency: return asCurrency().toText(regional().decimalSeparator);
    case Kind::Text: return asText();
    case Kind::DateTime: return dateToText(asDateTime());
    }
    typeMismatch();
}

double Value::toDouble() const
{
    switch (kind()) {
    case Kind::Empty: return 0;
    case Kind::Null: invalidNull();
    case Kind::Boolean: return asBoolean() ? -1 : 0;
    case Kind::Integer: return static_cast<double>(asInteger());
    case Kind::Double: return asDouble();
    case Kind::Currency: return asCurrency().toDouble();
    case Kind::Text: return parseNumber(asText());
    case Kind::DateTime: return asDateTime().toOleDate();
    }
    typeMismatch();
}

std::int64_t Value::toInteger() const
{
    if (kind() == Kind::Integer) return asInteger();
    const double rounded = roundHalfEven(toDouble());
    if (!(rounded >= -9.2233720368547758e18 && rounded < 9.2233720368547758e18)) throw Error(errors::kOverflow, "Overflow");
    return static_cast<std::int64_t>(rounded);
}

Currency Value::toCurrency() const
{
    switch (kind()) {
    case Kind::Currency: return asCurrency();
    case Kind::Integer: return Currency::fromInteger(asInteger());
    case Kind::Text:
        if (regional().decimalSeparator == '.')
            if (auto exact = Currency::parse(trimmed(asText()))) return *exact;
        return Currency::fromDouble(toDouble());
    default: return Currency::fromDouble(toDouble());
    }
}

bool Value::toBoolean() const
{
    if (kind() == Kind::Boolean) return asBoolean();
    if (kind() == Kind::Text) {
        const std::string_view text = trimmed(asText());
        const Regional& r = regional();
        auto same = [](std::string_view a, std::string_view b) {
            return a.size() == b.size() &&
                   std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(x) == std::tolower(y); });
        };
        if (same(text, r.trueText) || same(text, "True")) return true;
        if (same(text, r.falseText) || same(text, "False")) return false;
    }
    return toDouble() != 0;
}

}  // namespace base
