#pragma once
// The number conversions the program's logic leans on, with the legacy runtime's rules: the leading number
// of a text, rounding to a number of decimals, whole numbers of 16 and 32 bits that overflow, and the text
// of a number with a blank where its sign would go.

#include "platform/base/Value.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace base {

// The number a text begins with, "." being the decimal point whatever the regional settings: "004999" is
// 4999, "12,5" is 12, "1.5abc" is 1.5, and a text that does not begin with a number is 0. Blanks, tabs and
// line feeds are skipped wherever they are (" 1 2" is 12); an exponent ("1E3", "1D3") is read. Raises
// overflow for a number beyond a double.
double leadingNumber(std::string_view text);

// Whole numbers rounded half to even (2.5 is 2, 3.5 is 4); overflow beyond the type's range, type
// mismatch for a text that is not a number, invalid use of Null for Null.
std::int16_t toInteger16(const Value& value);
std::int32_t toInteger32(const Value& value);

// Rounds to `decimals` decimals, halves to the even neighbour, on the number's decimal digits (so 2.675
// rounds like the 2.675 it was written as).
double roundToDecimals(double value, int decimals);

// The number as text with "." as decimal point and a blank in front when it is not negative: " 12.5",
// "-3", " .5" (no zero before the point).
std::string numberWithSignSpace(double value);

}  // namespace base
