#include "platform/base/Currency.h"
#include "platform/base/DateTime.h"
#include "platform/base/Error.h"
#include "platform/base/Regional.h"
#include "platform/base/Value.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using base::Currency;
using base::DateTime;
using base::Value;

TEST(Currency, RoundsHalfToEvenOnTheFourthDecimal)
{
    struct Case { double input; std::int64_t scaled; };
    for (const Case& c : {Case{0.00005, 0}, Case{0.00015, 2}, Case{0.00025, 2}, Case{-0.00015, -2}, Case{1.5, 15000},
                          Case{12.34565, 123456}}) {
        EXPECT_EQ(Currency::fromDouble(c.input).scaled(), c.scaled) << c.input;
    }
}

TEST(Currency, ParsesExactlyAndWritesTheShortestText)
{
    struct Case { const char* text; const char* written; };
    for (const Case& c : {Case{"12.5", "12.5"}, Case{"-3", "-3"}, Case{"0.0001", "0.0001"}, Case{"1234.56785", "1234.5678"},
                          Case{"1234.56775", "1234.5678"}, Case{"922337203685477.5807", "922337203685477.5807"}}) {
        const auto parsed = Currency::parse(c.text);
        ASSERT_TRUE(parsed) << c.text;
        EXPECT_EQ(parsed->toText(), c.written) << c.text;
    }
    for (const char* bad : {"", "abc", "1.2.3", "12,5", "922337203685477.5808", "-"}) EXPECT_FALSE(Currency::parse(bad)) << bad;
}

TEST(Currency, MultiplicationRoundsAndOverflowIsAnError)
{
    EXPECT_EQ((*Currency::parse("0.0005") * *Currency::parse("0.5")).toText(), "0.0002");
    EXPECT_EQ((*Currency::parse("2.5") * *Currency::parse("4")).toText(), "10");
    EXPECT_THROW(Currency::fromDouble(1e300), base::Error);
    EXPECT_THROW(*Currency::parse("922337203685477") + *Currency::parse("1"), base::Error);
}

TEST(DateTime, KeepsTheLegacyDayNumbering)
{
    EXPECT_EQ(DateTime::fromParts(1899, 12, 30).toOleDate(), 0);
    EXPECT_EQ(DateTime::fromParts(2005, 8, 15).toOleDate(), 38579);
    EXPECT_DOUBLE_EQ(DateTime::fromParts(2005, 8, 15, 18).toOleDate(), 38579.75);
    EXPECT_EQ(DateTime::fromOleDate(38579.75), DateTime::fromParts(2005, 8, 15, 18));
    EXPECT_EQ(DateTime::fromParts(2024, 2, 29).weekday(), 5);  // a Thursday
    EXPECT_THROW(DateTime::fromParts(2023, 2, 29), base::Error);
}

TEST(DateTime, ReadsAndWritesIsoText)
{
    EXPECT_EQ(DateTime::parseIso("2005-08-15"), DateTime::fromParts(2005, 8, 15));
    EXPECT_EQ(DateTime::parseIso("2005-08-15 07:05:09.000"), DateTime::fromParts(2005, 8, 15, 7, 5, 9));
    EXPECT_EQ(DateTime::parseIso("2005-08-15T07:05"), DateTime::fromParts(2005, 8, 15, 7, 5));
    for (const char* bad : {"15/08/2005", "2005-02-30", "2005-08-15 25:00", "2005-8-15", "", "2005-08-15x"})
        EXPECT_FALSE(DateTime::parseIso(bad)) << bad;
    EXPECT_EQ(DateTime::fromParts(2005, 8, 15, 7, 5, 9).toIso(), "2005-08-15 07:05:09");
}

TEST(Value, TextFormsFollowTheRegionalSettings)
{
    EXPECT_EQ(Value(true).toText(), "Verdadero");
    EXPECT_EQ(Value(false).toText(), "Falso");
    EXPECT_EQ(Value(12.5).toText(), "12.5");
    EXPECT_EQ(Value(0.1 + 0.2).toText(), "0.3");
    EXPECT_EQ(Value(1e20).toText(), "1E+20");
    EXPECT_EQ(Value(*Currency::parse("1234.5")).toText(), "1234.5");
    EXPECT_EQ(Value(DateTime::fromParts(2005, 8, 5)).toText(), "05/08/2005");
    EXPECT_EQ(Value(DateTime::fromParts(2005, 8, 5, 14, 3)).toText(), "05/08/2005 14:03:00");
    EXPECT_EQ(Value(DateTime::fromSeconds(0)).toText(), "00:00:00");
    EXPECT_EQ(Value(DateTime::fromSeconds(3600 + 60)).toText(), "01:01:00");
    EXPECT_EQ(Value().toText(), "");
    EXPECT_THROW(Value::null().toText(), base::Error);

    base::Regional saved = base::regional();
    base::regional().decimalSeparator = ',';
    EXPECT_EQ(Value(12.5).toText(), "12,5");
    EXPECT_EQ(Value("12,5").toDouble(), 12.5);
    base::regional() = saved;
}

// Fifteen significant digits, "E" with the exponent's leading zeros dropped, no grouping; whole numbers
// as their digits up to the last one written in full.
TEST(Value, DoublesAreWrittenWithFifteenSignificantDigits)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-7, "-7"},
        {40000, "40000"},
        {123456789012345, "123456789012345"},
        {-999999999999999, "-999999999999999"},
        {1e15, "1E+15"},
        {-1e15, "-1E+15"},
        {1234567890123456, "1.23456789012346E+15"},
        {1e100, "1E+100"},
        {2.5, "2.5"},
        {-0.5, "-0.5"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {123456.789, "123456.789"},
        {999999999999999.5, "1E+15"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {1.5e-300, "1.5E-300"},
        {5e-324, "4.94065645841247E-324"},
        {1.7976931348623157e308, "1.79769313486232E+308"},
    };
    for (const auto& c : cases) EXPECT_EQ(base::doubleToText(c.value), c.text) << c.text;
    EXPECT_EQ(base::doubleToText(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(base::doubleToText(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(base::doubleToText(std::numeric_limits<double>::quiet_NaN()), "nan");

    base::Regional saved = base::regional();
    base::regional().decimalSeparator = ',';
    EXPECT_EQ(base::doubleToText(-2.25), "-2,25");
    EXPECT_EQ(base::doubleToText(40000), "40000");
    EXPECT_EQ(base::doubleToText(1.5e-300), "1,5E-300");
    base::regional() = saved;
}

TEST(Value, NumericConversionsRefuseTextThatIsNotANumber)
{
    EXPECT_EQ(Value(" 12.5 ").toDouble(), 12.5);
    EXPECT_EQ(Value("2.5").toInteger(), 2);
    EXPECT_EQ(Value("3.5").toInteger(), 4);
    EXPECT_EQ(Value(true).toDouble(), -1);
    EXPECT_EQ(Value("12.3456").toCurrency().scaled(), 123456);
    EXPECT_EQ(Value("Verdadero").toBoolean(), true);
    EXPECT_EQ(Value(0).toBoolean(), false);
    for (const char* bad : {"12abc", "", "1,5", "--1"}) {
        try {
            (void)Value(bad).toDouble();
            ADD_FAILURE() << bad;
        } catch (const base::Error& e) {
            EXPECT_EQ(e.number(), base::errors::kTypeMismatch) << bad;
        }
    }
    EXPECT_NE(Value(1), Value(1.0));
    EXPECT_TRUE(Value::null().isNull());
    EXPECT_TRUE(Value().isEmpty());
}

}  // namespace
