// The date functions of T-SQL the ERP's statements use, on dates kept as StoredValues.h says (a date in
// another accepted form is read too): GETDATE, YEAR, MONTH, DAY, DATEPART, DATEADD, DATEDIFF.

#include "platform/base/DateTime.h"
#include "platform/db/sqlite/SqlFunctionSupport.h"
#include "platform/db/sqlite/StoredValues.h"

#include <chrono>
#include <ctime>
#include <optional>

namespace db::sqlite {
namespace {

enum class Part { Year, Quarter, Month, DayOfYear, Day, Week, Hour, Minute, Second, None };

// The date part words of T-SQL and their abbreviations.
Part partOf(std::string_view word)
{
    struct Spelling {
        std::string_view word;
        Part part;
    };
    static constexpr Spelling kParts[] = {
        {"YEAR", Part::Year},       {"YY", Part::Year},     {"YYYY", Part::Year},    {"QUARTER", Part::Quarter},
        {"QQ", Part::Quarter},      {"Q", Part::Quarter},   {"MONTH", Part::Month},  {"MM", Part::Month},
        {"M", Part::Month},         {"DAYOFYEAR", Part::DayOfYear}, {"DY", Part::DayOfYear}, {"Y", Part::DayOfYear},
        {"DAY", Part::Day},         {"DD", Part::Day},      {"D", Part::Day},        {"WEEK", Part::Week},
        {"WK", Part::Week},         {"WW", Part::Week},     {"HOUR", Part::Hour},    {"HH", Part::Hour},
        {"MINUTE", Part::Minute},   {"MI", Part::Minute},   {"N", Part::Minute},     {"SECOND", Part::Second},
        {"SS", Part::Second},       {"S", Part::Second},
    };
    for (const Spelling& s : kParts)
        if (s.word == word) return s.part;
    return Part::None;
}

// The argument as a date: a stored date or another accepted form. Raises 241 and answers nothing otherwise.
std::optional<base::DateTime> dateArgument(sqlite3_context* context, sqlite3_value* value)
{
    std::string canonical;
    const std::string_view text = textArgument(value);
    if (canonicalDateTime(text, canonical, sessionDateOrder(context)) == DateReading::Valid) {
        if (auto date = base::DateTime::parseIso(std::string_view(canonical).substr(0, 19))) return date;
    }
    raise(context, 241,
          fmt::format("Conversion failed when converting date and/or time from character string (value '{}').", text));
    return std::nullopt;
}

bool nullArgument(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return true;
        }
    }
    return false;
}

Part partArgument(sqlite3_context* context, sqlite3_value* value)
{
    const Part part = partOf(textArgument(value));
    if (part == Part::None) raise(context, 155, fmt::format("'{}' is not a recognized datepart option.", textArgument(value)));
    return part;
}

long long partValue(const base::DateTime& date, Part part)
{
    switch (part) {
    case Part::Year: return date.year();
    case Part::Quarter: return (date.month() - 1) / 3 + 1;
    case Part::Month: return date.month();
    case Part::DayOfYear:
        return date.dateOnly().seconds() / 86400 - base::DateTime::fromParts(date.year(), 1, 1).seconds() / 86400 + 1;
    case Part::Day: return date.day();
    case Part::Week: {
        // Week 1 holds 1 January; weeks start on Sunday, the server's default.
        const base::DateTime first = base::DateTime::fromParts(date.year(), 1, 1);
        const long long offset = first.weekday() - 1;  // days of week 1 before 1 January
        const long long dayOfYear = date.dateOnly().seconds() / 86400 - first.seconds() / 86400;
        return (dayOfYear + offset) / 7 + 1;
    }
    case Part::Hour: return date.hour();
    case Part::Minute: return date.minute();
    case Part::Second: return date.second();
    case Part::None: break;
    }
    return 0;
}

template <Part Fixed>
void datePart(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (nullArgument(context, argc, argv)) return;
    const Part part = Fixed != Part::None ? Fixed : partArgument(context, argv[0]);
    if (part == Part::None) return;
    const auto date = dateArgument(context, argv[Fixed != Part::None ? 0 : 1]);
    if (date) sqlite3_result_int64(context, partValue(*date, part));
}

base::DateTime addMonths(const base::DateTime& date, long long months)
{
    long long index = date.year() * 12LL + (date.month() - 1) + months;
    const int year = static_cast<int>(index / 12), month = static_cast<int>(index % 12) + 1;
    const int lastDay = base::DateTime::fromParts(month == 12 ? year + 1 : year, month == 12 ? 1 : month + 1, 1)
                            .addDays(-1)
                            .day();
    return base::DateTime::fromParts(year, month, std::min(date.day(), lastDay), date.hour(), date.minute(),
                                     date.second());
}

void dateAdd(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (nullArgument(context, argc, argv)) return;
    const Part part = partArgument(context, argv[0]);
    if (part == Part::None) return;
    const auto date = dateArgument(context, argv[2]);
    if (!date) return;
    const long long n = sqlite3_value_int64(argv[1]);
    base::DateTime moved = *date;
    switch (part) {
    case Part::Year: moved = addMonths(*date, n * 12); break;
    case Part::Quarter: moved = addMonths(*date, n * 3); break;
    case Part::Month: moved = addMonths(*date, n); break;
    case Part::DayOfYear: case Part::Day: moved = date->addDays(n); break;
    case Part::Week: moved = date->addDays(n * 7); break;
    case Part::Hour: moved = date->addSeconds(n * 3600); break;
    case Part::Minute: moved = date->addSeconds(n * 60); break;
    case Part::Second: moved = date->addSeconds(n); break;
    case Part::None: break;
    }
    if (moved.year() < 1753 || moved.year() > 9999) {
        raise(context, 517, "Adding a value to a 'datetime' column caused an overflow.");
        return;
    }
    resultText(context, moved.toIso());
}

// The day number of the Sunday that begins the week of `date`.
long long sunday(const base::DateTime& date) { return date.dateOnly().seconds() / 86400 - (date.weekday() - 1); }

// DATEDIFF counts the boundaries of the part crossed between the two dates, as SQL Server does.
void dateDiff(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (nullArgument(context, argc, argv)) return;
    const Part part = partArgument(context, argv[0]);
    if (part == Part::None) return;
    const auto from = dateArgument(context, argv[1]);
    if (!from) return;
    const auto to = dateArgument(context, argv[2]);
    if (!to) return;
    const long long months = (to->year() - from->year()) * 12LL + (to->month() - from->month());
    const long long days = (to->dateOnly().seconds() - from->dateOnly().seconds()) / 86400;
    long long result = 0;
    switch (part) {
    case Part::Year: result = to->year() - from->year(); break;
    case Part::Quarter: result = (to->year() - from->year()) * 4LL + partValue(*to, Part::Quarter) - partValue(*from, Part::Quarter); break;
    case Part::Month: result = months; break;
    case Part::DayOfYear: case Part::Day: result = days; break;
    case Part::Week: result = (sunday(*to) - sunday(*from)) / 7; break;
    case Part::Hour: result = to->seconds() / 3600 - from->seconds() / 3600; break;
    case Part::Minute: result = to->seconds() / 60 - from->seconds() / 60; break;
    case Part::Second: result = to->seconds() - from->seconds(); break;
    case Part::None: break;
    }
    sqlite3_result_int64(context, result);
}

void getdate(sqlite3_context* context, int, sqlite3_value**)
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    resultText(context, base::DateTime::fromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                                  local.tm_min, local.tm_sec)
                            .toIso());
}

}  // namespace

void registerDateFunctions(sqlite3* db, const SessionSettings* session)
{
    auto* data = const_cast<SessionSettings*>(session);
    define(db, "getdate", 0, getdate, nullptr, false);
    define(db, "year", 1, datePart<Part::Year>, data);
    define(db, "month", 1, datePart<Part::Month>, data);
    define(db, "day", 1, datePart<Part::Day>, data);
    define(db, "datepart", 2, datePart<Part::None>, data);
    define(db, "dateadd", 3, dateAdd, data);
    define(db, "datediff", 3, dateDiff, data);
}

}  // namespace db::sqlite
