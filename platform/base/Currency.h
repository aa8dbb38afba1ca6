#pragma once
// A money amount as the ERP keeps it: a fixed-point number with four decimals. Conversions from floating
// point round half to even, as the legacy runtime did, so 0.00005 becomes 0.0000 and 0.00015 becomes 0.0002.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromScaled(std::int64_t scaled) { Currency c; c.scaled_ = scaled; return c; }
    static Currency fromInteger(std::int64_t units);  // raises overflow beyond the representable range
    static Currency fromDouble(double value);          // half-even; raises overflow beyond the range
    // Exact parse of "[-]digits[.digits]" with "." as separator; more than four decimals round half-even.
    static std::optional<Currency> parse(std::string_view text);

    constexpr std::int64_t scaled() const { return scaled_; }
    double toDouble() const { return static_cast<double>(scaled_) / kScale; }
    // Shortest exact text: "12.5", "-3", "0.0001", with the given decimal separator.
    std::string toText(char decimalSeparator = '.') const;

    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    Currency operator*(Currency other) const;  // half-even on the dropped decimals
    Currency operator-() const { return fromScaled(-scaled_); }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    std::int64_t scaled_ = 0;
};

// Rounds to the nearest integer, ties to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

}  // namespace base
