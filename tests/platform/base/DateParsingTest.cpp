#include "platform/base/DateDifference.h"
#include "platform/base/DateParsing.h"
#include "platform/base/Error.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using base::DateTime;
using base::Value;

TEST(DateParsing, ReadsDayFirst)
{
    struct Case { const char* text; std::optional<DateTime> date; };
    const Case cases[] = {
        {"01/07/2005", DateTime::fromParts(2005, 7, 1)},
        {"15/08/2005", DateTime::fromParts(2005, 8, 15)},
        {"30/06/2006", DateTime::fromParts(2006, 6, 30)},
        {"1/7/05", DateTime::fromParts(2005, 7, 1)},
        {"01/01/29", DateTime::fromParts(2029, 1, 1)},
        {"01/01/30", DateTime::fromParts(1930, 1, 1)},
        {"31/12/99", DateTime::fromParts(1999, 12, 31)},
        {"15-08-2005", DateTime::fromParts(2005, 8, 15)},
        {"29/02/2004", DateTime::fromParts(2004, 2, 29)},
        {"  15/08/2005  ", DateTime::fromParts(2005, 8, 15)},
        {"2005-08-15", DateTime::fromParts(2005, 8, 15)},
        {"2005-08-15 07:05:09", DateTime::fromParts(2005, 8, 15, 7, 5, 9)},
        {"15/08/2005 7:05", DateTime::fromParts(2005, 8, 15, 7, 5)},
        {"1:30", DateTime::fromSeconds(90 * 60)},
        {"23:59:59", DateTime::fromSeconds(86399)},
        // Not dates:
        {"31/02/2005", std::nullopt},
        {"29/02/2005", std::nullopt},
        {"32/01/2005", std::nullopt},
        {"01/13/2005", std::nullopt},
        {"12/31/2005", std::nullopt},  // month and day are never swapped
        {"00/01/2005", std::nullopt},
        {"25:10", std::nullopt},
        {"10:60", std::nullopt},
        {"15/08/2005 25:00", std::nullopt},
        {"15/08/2005x", std::nullopt},
        {"15/08", std::nullopt},
        {"123/01/2005", std::nullopt},
        {"1.5", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(base::parseDate(c.text), c.date) << '"' << c.text << '"';
        EXPECT_EQ(base::isDate(c.text), c.date.has_value()) << '"' << c.text << '"';
    }
}

TEST(DateParsing, ValuesBecomeDates)
{
    EXPECT_EQ(base::toDate(Value("15/08/2005")), DateTime::fromParts(2005, 8, 15));
    EXPECT_EQ(base::toDate(Value(38579.75)), DateTime::fromParts(2005, 8, 15, 18));
    EXPECT_EQ(base::toDate(Value(DateTime::fromParts(2005, 6, 30))), DateTime::fromParts(2005, 6, 30));
    EXPECT_LT(base::toDate(Value("30/06/2005")), base::toDate(Value("01/07/2005")));
    for (const auto& [value, number] : {std::pair{Value("abc"), base::errors::kTypeMismatch},
                                        std::pair{Value::null(), base::errors::kInvalidUseOfNull}}) {
        try {
            base::toDate(value);
            ADD_FAILURE() << "no date";
        } catch (const base::Error& e) {
            EXPECT_EQ(e.number(), number);
        }
    }
}

TEST(DateDifference, CountsMinuteBoundaries)
{
    struct Case { DateTime from, to; std::int64_t minutes; };
    const Case cases[] = {
        {DateTime::fromParts(2005, 8, 15, 10, 0, 59), DateTime::fromParts(2005, 8, 15, 10, 1, 0), 1},
        {DateTime::fromParts(2005, 8, 15, 10, 0, 0), DateTime::fromParts(2005, 8, 15, 10, 0, 59), 0},
        {DateTime::fromParts(2005, 8, 15, 10, 0, 30), DateTime::fromParts(2005, 8, 15, 11, 0, 29), 60},
        {DateTime::fromParts(2005, 8, 15, 23, 59, 30), DateTime::fromParts(2005, 8, 16, 0, 0, 10), 1},
        {DateTime::fromParts(2005, 8, 15, 10, 1, 0), DateTime::fromParts(2005, 8, 15, 10, 0, 59), -1},
        {DateTime::fromParts(1899, 12, 29, 23, 59, 59), DateTime::fromParts(1899, 12, 30, 0, 0, 0), 1},
    };
    for (const Case& c : cases) EXPECT_EQ(base::minutesBetween(c.from, c.to), c.minutes) << c.from.toIso();
}

}  // namespace
