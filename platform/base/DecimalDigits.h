#pragma once
// A number as the decimal digits a person reads, so that rounding to n decimals works on "2.675" and not on
// the binary value 2.67499999... that a double holds for it. Doubles give their 15 significant digits, the
// precision the legacy runtime showed and rounded them with.

#include "platform/base/Currency.h"

#include <cstdint>
#include <string>

namespace base {

struct DecimalDigits {
    bool negative = false;
    std::string whole;     // without leading zeros: empty for a number below 1
    std::string fraction;  // after the point, as many digits as the number has (or as it was rounded to)

    bool isZero() const { return whole.empty() && fraction.find_first_not_of('0') == std::string::npos; }
};

// Raises overflow for infinities and NaN.
DecimalDigits decimalDigitsOf(double value);
DecimalDigits decimalDigitsOf(Currency value);
DecimalDigits decimalDigitsOf(std::int64_t value);

enum class Ties { ToEven, AwayFromZero };

// Rounds to exactly `decimals` digits after the point (padding with zeros). A number that rounds to zero
// loses its minus sign.
DecimalDigits roundedTo(DecimalDigits number, int decimals, Ties ties);

}  // namespace base
