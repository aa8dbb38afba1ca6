#include "platform/base/Currency.h"

#include "platform/base/Error.h"

#include <cmath>
#include <fmt/format.h>
#include <limits>

namespace base {
namespace {

[[noreturn]] void overflow() { throw Error(errors::kOverflow, "Overflow"); }

std::int64_t checked(__int128 value)
{
    if (value > std::numeric_limits<std::int64_t>::max() || value < std::numeric_limits<std::int64_t>::min())
        overflow();
    return static_cast<std::int64_t>(value);
}

// Divides by `divisor` (> 0) rounding half to even.
__int128 divideHalfEven(__int128 value, __int128 divisor)
{
    __int128 quotient = value / divisor;
    __int128 remainder = value % divisor;
    if (remainder < 0) { remainder += divisor; quotient -= 1; }
    const __int128 twice = remainder * 2;
    if (twice > divisor || (twice == divisor && (quotient % 2 != 0))) quotient += 1;
    return quotient;
}

}  // namespace

double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5) return floor + 1;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

Currency Currency::fromInteger(std::int64_t units) { return fromScaled(checked(__int128(units) * kScale)); }

Currency Currency::fromDouble(double value)
{
    // Rounded from the double's decimal form (15 digits, what was typed), not from its binary value:
    // 0.00015 is stored as 0.000149999..., yet it must round like the 0.00015 it stands for.
    if (std::isfinite(value)) {
        const std::string decimal = fmt::format("{:.15g}", value);
        if (decimal.find('e') == std::string::npos)
            if (auto exact = parse(decimal)) return *exact;
    }
    const double scaled = roundHalfEven(value * kScale);
    if (!std::isfinite(scaled) || scaled >= 9.2233720368547758e18 || scaled < -9.2233720368547758e18) overflow();
    return fromScaled(static_cast<std::int64_t>(scaled));
}

std::optional<Currency> Currency::parse(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    __int128 digits = 0;
    int decimals = 0;
    bool anyDigit = false, afterPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !afterPoint) { afterPoint = true; continue; }
        if (c < '0' || c > '9') return std::nullopt;
        anyDigit = true;
        if (digits > (__int128(1) << 100)) return std::nullopt;
        digits = digits * 10 + (c - '0');
        if (afterPoint) ++decimals;
    }
    if (!anyDigit) return std::nullopt;
    __int128 scaled = digits;
    if (decimals <= 4) {
        for (int d = decimals; d < 4; ++d) scaled *= 10;
    } else {
        __int128 divisor = 1;
        for (int d = 4; d < decimals; ++d) divisor *= 10;
        scaled = divideHalfEven(scaled, divisor);
    }
    if (negative) scaled = -scaled;
    if (scaled > std::numeric_limits<std::int64_t>::max() || scaled < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return fromScaled(static_cast<std::int64_t>(scaled));
}

std::string Currency::toText(char decimalSeparator) const
{
    const bool negative = scaled_ < 0;
    const unsigned __int128 magnitude = negative ? -__int128(scaled_) : __int128(scaled_);
    std::string units = std::to_string(static_cast<unsigned long long>(magnitude / kScale));
    auto fraction = static_cast<unsigned>(magnitude % kScale);
    std::string text = negative ? "-" + units : units;
    if (fraction != 0) {
        std::string decimals = std::to_string(fraction + kScale).substr(1);
        while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
        text += decimalSeparator;
        text += decimals;
    }
    return text;
}

Currency Currency::operator+(Currency other) const { return fromScaled(checked(__int128(scaled_) + other.scaled_)); }
Currency Currency::operator-(Currency other) const { return fromScaled(checked(__int128(scaled_) - other.scaled_)); }

Currency Currency::operator*(Currency other) const
{
    return fromScaled(checked(divideHalfEven(__int128(scaled_) * other.scaled_, kScale)));
}

}  // namespace base
