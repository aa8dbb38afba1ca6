#pragma once
// Dates written as text, read day first as the program's regional settings write them: "01/07/2005" is the
// first of July. Accepted forms, with "/" or "-" between the parts and blanks around the whole ignored:
//   d/m/y            day, month, year; a year of one or two digits is 2000-2029 for 0-29 and 1930-1999 for 30-99
//   y/m/d            when the first part has four digits ("2005-07-01", as databases write dates)
//   date h:mm[:ss]   a date with a time, 24-hour
//   h:mm[:ss]        a time alone, on day zero
// A day or month that does not exist (31/02/2005, 01/13/2005) makes the text no date: the month and day
// are never swapped to make it one.

#include "platform/base/DateTime.h"
#include "platform/base/Value.h"

#include <optional>
#include <string_view>

namespace base {

std::optional<DateTime> parseDate(std::string_view text);

bool isDate(std::string_view text);

// The value as a date: a date as it is, a text read as above (type mismatch when it is no date), a number
// as a count of days from 30/12/1899; Null raises invalid use of Null.
DateTime toDate(const Value& value);

}  // namespace base
