#pragma once
// A date and time to the second, counted from 30/12/1899 like the legacy runtime's dates, so a date without
// a time is a whole number of days and a time without a date lies on day zero.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

class DateTime {
public:
    constexpr DateTime() = default;
    // Raises invalid procedure call for a date that does not exist (31/02) or a time out of range.
    static DateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static constexpr DateTime fromSeconds(std::int64_t seconds) { DateTime d; d.seconds_ = seconds; return d; }
    static DateTime fromOleDate(double days);
    // "yyyy-mm-dd", "yyyy-mm-dd hh:mm[:ss[.fff]]" (a "T" between date and time is accepted too).
    static std::optional<DateTime> parseIso(std::string_view text);

    constexpr std::int64_t seconds() const { return seconds_; }
    double toOleDate() const;
    int year() const;
    int month() const;
    int day() const;
    int hour() const;
    int minute() const;
    int second() const;
    int weekday() const;  // 1 = Sunday ... 7 = Saturday
    bool hasTime() const { return secondOfDay() != 0; }
    bool hasDate() const { return dayNumber() != 0; }

    DateTime addDays(std::int64_t days) const { return fromSeconds(seconds_ + days * 86400); }
    DateTime addSeconds(std::int64_t seconds) const { return fromSeconds(seconds_ + seconds); }
    DateTime dateOnly() const { return fromSeconds(dayNumber() * 86400); }

    std::string toIso() const;  // "yyyy-mm-dd hh:mm:ss"

    constexpr auto operator<=>(const DateTime&) const = default;

private:
    std::int64_t dayNumber() const;   // days since 30/12/1899, floor
    std::int64_t secondOfDay() const;
    std::int64_t seconds_ = 0;
};

}  // namespace base
