#pragma once
// How many minute boundaries lie between two moments, as the import counters count elapsed minutes:
// 10:00:59 to 10:01:00 is one minute, 10:00:00 to 10:00:59 none. Negative when `to` is earlier.

#include "platform/base/DateTime.h"

#include <cstdint>

namespace base {

inline std::int64_t minutesBetween(DateTime from, DateTime to)
{
    auto minuteOf = [](std::int64_t seconds) { return seconds >= 0 ? seconds / 60 : -((-seconds + 59) / 60); };
    return minuteOf(to.seconds()) - minuteOf(from.seconds());
}

}  // namespace base
