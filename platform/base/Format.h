#pragma once
// Text of a value through a mask, as the legacy runtime's Format wrote it.
//
// Number masks: "0" is a digit that is always written, "#" a digit written only when it counts (no leading
// zeros, no trailing decimal zeros), "." the decimal point (written with the regional separator, also when
// no decimal follows: "0." of 3 is "3."); any other character is written as it stands. A number with more
// whole digits than the mask has places keeps them all. Halves round away from zero, as Format always did
// (unlike the conversions to whole numbers). "#####.00" of 0.5 is ".50", "########0.00" of 0.5 is "0.50".
//
// Date masks (any mask with d, m, y, h, n or s, in either case): d dd, m mm (minutes right after an hour),
// yy yyyy, h hh, n nn, s ss; "/" is the regional date separator. "dd/mm/yy hh:mm" and "mm-dd-yyyy hh:mm:ss"
// are the forms the program writes.
//
// A text that is not a number (or, for a date mask, not a date either) comes back unchanged; Null gives "";
// an empty mask gives the value's ordinary text.

#include "platform/base/Value.h"

#include <string>
#include <string_view>

namespace base {

// Raises invalid procedure call for a date mask with a letter run this program does not use ("ddd").
std::string format(const Value& value, std::string_view mask);

}  // namespace base
