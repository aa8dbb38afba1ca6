#include "platform/base/Conversions.h"

#include "platform/base/Currency.h"
#include "platform/base/DecimalDigits.h"
#include "platform/base/Error.h"
#include "platform/base/Regional.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace base {
namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

template <class Integer>
Integer roundedInto(const Value& value)
{
    const double rounded = roundHalfEven(value.toDouble());
    if (!(rounded >= std::numeric_limits<Integer>::min() && rounded <= std::numeric_limits<Integer>::max()))
        throw Error(errors::kOverflow, "Overflow");
    return static_cast<Integer>(rounded);
}

}  // namespace

double leadingNumber(std::string_view text)
{
    // Gathers the characters of the number with the skipped ones left out, then lets strtod read them.
    std::string number;
    std::size_t i = 0;
    auto skip = [&] { while (i < text.size() && isSkipped(text[i])) ++i; };
    auto digits = [&] {
        bool any = false;
        for (skip(); i < text.size() && isDigit(text[i]); skip()) {
            number += text[i++];
            any = true;
        }
        return any;
    };
    skip();
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
    bool any = digits();
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        any = digits() || any;
    }
    if (!any) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        while (j < text.size() && isSkipped(text[j])) ++j;
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) exponent += text[j++];
        i = j;
        const std::size_t before = number.size();
        number += exponent;
        if (!digits()) number.resize(before);  // "1E" and "1Ex" read as 1
    }
    errno = 0;
    const double value = std::strtod(number.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value)) throw Error(errors::kOverflow, "Overflow");
    return value;
}

std::int16_t toInteger16(const Value& value) { return roundedInto<std::int16_t>(value); }
std::int32_t toInteger32(const Value& value) { return roundedInto<std::int32_t>(value); }

double roundToDecimals(double value, int decimals)
{
    if (decimals < 0) throw Error(errors::kInvalidProcedureCall, "Invalid procedure call or argument");
    const DecimalDigits rounded = roundedTo(decimalDigitsOf(value), decimals, Ties::ToEven);
    std::string text = rounded.negative ? "-" : "";
    text += rounded.whole.empty() ? "0" : rounded.whole;
    if (!rounded.fraction.empty()) text += "." + rounded.fraction;
    return std::strtod(text.c_str(), nullptr);
}

std::string numberWithSignSpace(double value)
{
    std::string text = doubleToText(value);
    const char separator = regional().decimalSeparator;
    if (separator != '.')
        if (const auto point = text.find(separator); point != std::string::npos) text[point] = '.';
    const bool negative = !text.empty() && text.front() == '-';
    const std::size_t digitsAt = negative ? 1 : 0;
    if (text.compare(digitsAt, 2, "0.") == 0) text.erase(digitsAt, 1);
    return negative ? text : " " + text;
}

}  // namespace base
