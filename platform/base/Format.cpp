#include "platform/base/Format.h"

#include "platform/base/DateParsing.h"
#include "platform/base/DecimalDigits.h"
#include "platform/base/Error.h"
#include "platform/base/Regional.h"

#include <algorithm>
#include <fmt/format.h>
#include <optional>

namespace base {
namespace {

bool isPlace(char c) { return c == '0' || c == '#'; }

char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool isDateMask(std::string_view mask)
{
    return std::any_of(mask.begin(), mask.end(), [](char c) {
        const char l = lowered(c);
        return l == 'd' || l == 'm' || l == 'y' || l == 'h' || l == 'n' || l == 's';
    });
}

std::string formatDigits(DecimalDigits number, std::string_view mask)
{
    const auto point = mask.find('.');
    const std::string_view wholeMask = mask.substr(0, point);
    const std::string_view fractionMask = point == std::string_view::npos ? std::string_view{} : mask.substr(point + 1);

    number = roundedTo(number, static_cast<int>(std::count_if(fractionMask.begin(), fractionMask.end(), isPlace)),
                       Ties::AwayFromZero);

    // Whole part: every place from the first "0" on gets a digit, padded with zeros; places before it get
    // one only when the number is that long; the first place takes whatever does not fit.
    const auto places = static_cast<std::size_t>(std::count_if(wholeMask.begin(), wholeMask.end(), isPlace));
    std::size_t firstZero = places;
    for (std::size_t k = 0, i = 0; i < wholeMask.size(); ++i)
        if (isPlace(wholeMask[i])) {
            if (wholeMask[i] == '0') { firstZero = k; break; }
            ++k;
        }
    std::string digits = number.whole;
    if (digits.size() < places - firstZero) digits.insert(0, places - firstZero - digits.size(), '0');

    std::string out = number.negative ? "-" : "";
    const std::size_t unfilled = digits.size() < places ? places - digits.size() : 0;
    std::size_t place = 0, next = 0;
    for (char c : wholeMask) {
        if (!isPlace(c)) {
            out += c;
            continue;
        }
        if (place >= unfilled) {
            const std::size_t take = place == unfilled && digits.size() > places ? digits.size() - places + 1 : 1;
            out.append(digits, next, take);
            next += take;
        }
        ++place;
    }
    if (places == 0) out += digits;  // a mask such as ".00" still shows the whole digits
    if (point == std::string_view::npos) return out;

    // Decimal part: "0" places always show their digit; "#" places only up to the last significant digit.
    out += regional().decimalSeparator;
    std::size_t lastZeroPlace = 0, count = 0;
    bool anyZeroPlace = false;
    for (char c : fractionMask)
        if (isPlace(c)) {
            if (c == '0') { lastZeroPlace = count; anyZeroPlace = true; }
            ++count;
        }
    const auto lastDigit = number.fraction.find_last_not_of('0');
    std::size_t j = 0;
    for (char c : fractionMask) {
        if (!isPlace(c)) {
            out += c;
            continue;
        }
        if ((anyZeroPlace && j <= lastZeroPlace) || (lastDigit != std::string::npos && j <= lastDigit))
            out += number.fraction[j];
        ++j;
    }
    return out;
}

std::string formatDate(const DateTime& date, std::string_view mask)
{
    std::string out;
    bool afterHour = false;
    for (std::size_t i = 0; i < mask.size();) {
        const char letter = lowered(mask[i]);
        std::size_t run = 1;
        while (i + run < mask.size() && lowered(mask[i + run]) == letter) ++run;
        auto number = [&](int value) { out += run == 1 ? std::to_string(value) : fmt::format("{:02}", value); };
        auto unsupported = [&] {
            throw Error(errors::kInvalidProcedureCall, fmt::format("Unsupported date mask \"{}\"", mask));
        };
        switch (letter) {
        case 'd':
            if (run > 2) unsupported();
            number(date.day());
            break;
        case 'm':
            if (run > 2) unsupported();
            number(afterHour ? date.minute() : date.month());
            break;
        case 'y':
            if (run == 2) out += fmt::format("{:02}", date.year() % 100);
            else if (run == 4) out += fmt::format("{:04}", date.year());
            else unsupported();
            break;
        case 'h':
            if (run > 2) unsupported();
            number(date.hour());
            break;
        case 'n':
            if (run > 2) unsupported();
            number(date.minute());
            break;
        case 's':
            if (run > 2) unsupported();
            number(date.second());
            break;
        default:
            for (std::size_t k = 0; k < run; ++k) out += mask[i] == '/' ? regional().dateSeparator : mask[i];
            i += run;
            continue;
        }
        afterHour = letter == 'h';
        i += run;
    }
    return out;
}

// The number a text stands for when it is one, as the conversions to numbers read it.
std::optional<double> numberInText(const std::string& text)
{
    try {
        return Value(text).toDouble();
    } catch (const Error&) {
        return std::nullopt;
    }
}

DecimalDigits digitsOf(const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::Integer: return decimalDigitsOf(value.asInteger());
    case Value::Kind::Currency: return decimalDigitsOf(value.asCurrency());
    default: return decimalDigitsOf(value.toDouble());
    }
}

}  // namespace

std::string format(const Value& value, std::string_view mask)
{
    if (value.isNull()) return {};
    if (mask.empty()) return value.toText();
    const bool isText = value.kind() == Value::Kind::Text;

    if (isDateMask(mask)) {
        if (value.kind() == Value::Kind::DateTime) return formatDate(value.asDateTime(), mask);
        if (isText) {
            if (const auto date = parseDate(value.asText())) return formatDate(*date, mask);
            if (const auto number = numberInText(value.asText())) return formatDate(DateTime::fromOleDate(*number), mask);
            return value.asText();
        }
        return formatDate(DateTime::fromOleDate(value.toDouble()), mask);
    }
    if (isText) {
        const auto number = numberInText(value.asText());
        return number ? formatDigits(decimalDigitsOf(*number), mask) : value.asText();
    }
    return formatDigits(digitsOf(value), mask);
}

}  // namespace base
