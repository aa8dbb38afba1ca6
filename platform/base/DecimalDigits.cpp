#include "platform/base/DecimalDigits.h"

#include "platform/base/Error.h"

#include <cmath>
#include <fmt/format.h>

namespace base {
namespace {

void dropLeadingZeros(std::string& digits)
{
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
}

void dropTrailingZeros(std::string& digits)
{
    const auto last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
}

// Splits "123.45" (no sign) into its parts.
DecimalDigits fromPlainText(std::string_view text, bool negative)
{
    DecimalDigits number;
    number.negative = negative;
    const auto point = text.find('.');
    number.whole = std::string(text.substr(0, point));
    if (point != std::string_view::npos) number.fraction = std::string(text.substr(point + 1));
    dropLeadingZeros(number.whole);
    dropTrailingZeros(number.fraction);
    if (number.isZero()) number.negative = false;
    return number;
}

}  // namespace

DecimalDigits decimalDigitsOf(double value)
{
    if (!std::isfinite(value)) throw Error(errors::kOverflow, "Overflow");
    if (value == 0) return {};
    // "d.dddddddddddddde+XX": 15 significant digits and the power of ten of the first one.
    const std::string scientific = fmt::format("{:.14e}", std::fabs(value));
    const auto e = scientific.find('e');
    const std::string digits = scientific.substr(0, 1) + scientific.substr(2, e - 2);
    const int exponent = std::stoi(scientific.substr(e + 1));
    std::string plain;
    if (exponent < 0) {
        plain = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
        plain = digits + std::string(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
    } else {
        plain = digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "." +
                digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    return fromPlainText(plain, value < 0);
}

DecimalDigits decimalDigitsOf(Currency value)
{
    const std::string text = value.toText('.');
    const bool negative = !text.empty() && text.front() == '-';
    return fromPlainText(negative ? std::string_view(text).substr(1) : std::string_view(text), negative);
}

DecimalDigits decimalDigitsOf(std::int64_t value)
{
    const bool negative = value < 0;
    // The magnitude through unsigned arithmetic, so the most negative value has one too.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return fromPlainText(std::to_string(magnitude), negative);
}

DecimalDigits roundedTo(DecimalDigits number, int decimals, Ties ties)
{
    const auto kept = static_cast<std::size_t>(std::max(decimals, 0));
    if (number.fraction.size() <= kept) {
        number.fraction.append(kept - number.fraction.size(), '0');
        return number;
    }
    const std::string dropped = number.fraction.substr(kept);
    number.fraction.resize(kept);
    std::string digits = number.whole + number.fraction;

    bool up = dropped[0] > '5';
    if (dropped[0] == '5') {
        const bool exactlyHalf = dropped.find_first_not_of('0', 1) == std::string::npos;
        const bool lastIsOdd = !digits.empty() && (digits.back() - '0') % 2 == 1;
        up = !exactlyHalf || ties == Ties::AwayFromZero || lastIsOdd;
    }
    if (up) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0) digits.insert(digits.begin(), '1');
        else ++digits[i - 1];
    }
    number.whole = digits.substr(0, digits.size() - kept);
    number.fraction = digits.substr(digits.size() - kept);
    dropLeadingZeros(number.whole);
    if (number.isZero()) number.negative = false;
    return number;
}

}  // namespace base
