#include "platform/base/DateTime.h"

#include "platform/base/Error.h"

#include <cmath>
#include <fmt/format.h>

namespace base {
namespace {

// Days between 1970-01-01 and the day zero of our dates, 1899-12-30.
constexpr std::int64_t kEpochShift = 25569;

// Howard Hinnant's civil-date algorithms, on days since 1970-01-01.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil { std::int64_t year; unsigned month, day; };

Civil civilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2), m, d};
}

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

// Reads exactly `width` digits at `pos`.
std::optional<int> digits(std::string_view text, std::size_t pos, std::size_t width)
{
    if (pos + width > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t i = pos; i < pos + width; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

DateTime DateTime::fromParts(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        throw Error(errors::kInvalidProcedureCall,
                    fmt::format("Invalid date or time {:04}-{:02}-{:02} {:02}:{:02}:{:02}", year, month, day, hour,
                                minute, second));
    const std::int64_t days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochShift;
    return fromSeconds(days * 86400 + hour * 3600 + minute * 60 + second);
}

DateTime DateTime::fromOleDate(double days)
{
    // Before day zero the legacy runtime keeps the time as a positive fraction of a negative day count.
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    return fromSeconds(static_cast<std::int64_t>(whole) * 86400 + std::llround(fraction * 86400));
}

double DateTime::toOleDate() const
{
    const auto day = static_cast<double>(dayNumber());
    const double fraction = static_cast<double>(secondOfDay()) / 86400.0;
    return day >= 0 ? day + fraction : day + 1 - fraction;
}

std::optional<DateTime> DateTime::parseIso(std::string_view text)
{
    const auto y = digits(text, 0, 4), m = digits(text, 5, 2), d = digits(text, 8, 2);
    if (!y || !m || !d || text[4] != '-' || text[7] != '-') return std::nullopt;
    int hh = 0, mi = 0, ss = 0;
    if (text.size() > 10) {
        if (text[10] != ' ' && text[10] != 'T') return std::nullopt;
        const auto h = digits(text, 11, 2), n = digits(text, 14, 2);
        if (!h || !n || text.size() < 16 || text[13] != ':') return std::nullopt;
        hh = *h;
        mi = *n;
        if (text.size() > 16) {
            const auto s = digits(text, 17, 2);
            if (!s || text[16] != ':') return std::nullopt;
            ss = *s;
            const std::string_view rest = text.substr(19);
            if (!rest.empty() && (rest[0] != '.' || rest.find_first_not_of("0123456789", 1) != std::string_view::npos))
                return std::nullopt;
        }
    }
    if (*m < 1 || *m > 12 || *d < 1 || *d > daysInMonth(*y, *m) || hh > 23 || mi > 59 || ss > 59) return std::nullopt;
    if (*y < 100) return std::nullopt;
    return fromParts(*y, *m, *d, hh, mi, ss);
}

std::int64_t DateTime::dayNumber() const { return seconds_ >= 0 ? seconds_ / 86400 : -((-seconds_ + 86399) / 86400); }
std::int64_t DateTime::secondOfDay() const { return seconds_ - dayNumber() * 86400; }

int DateTime::year() const { return static_cast<int>(civilFromDays(dayNumber() - kEpochShift).year); }
int DateTime::month() const { return static_cast<int>(civilFromDays(dayNumber() - kEpochShift).month); }
int DateTime::day() const { return static_cast<int>(civilFromDays(dayNumber() - kEpochShift).day); }
int DateTime::hour() const { return static_cast<int>(secondOfDay() / 3600); }
int DateTime::minute() const { return static_cast<int>(secondOfDay() / 60 % 60); }
int DateTime::second() const { return static_cast<int>(secondOfDay() % 60); }

int DateTime::weekday() const
{
    // Day zero, 30/12/1899, was a Saturday.
    const std::int64_t w = (dayNumber() % 7 + 7) % 7;
    return static_cast<int>((w + 6) % 7) + 1;
}

std::string DateTime::toIso() const
{
    const Civil c = civilFromDays(dayNumber() - kEpochShift);
    return fmt::format("{:04}-{:02}-{:02} {:02}:{:02}:{:02}", c.year, c.month, c.day, hour(), minute(), second());
}

}  // namespace base
