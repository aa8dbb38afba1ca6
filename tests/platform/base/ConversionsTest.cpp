#include "platform/base/Conversions.h"
#include "platform/base/Error.h"
#include "platform/base/Regional.h"
#include "tests/support/Failures.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using base::Value;
using testing_support::errorNumberOf;

TEST(Conversions, LeadingNumberReadsWhatTheTextBeginsWith)
{
    struct Case { const char* text; double number; };
    const Case cases[] = {
        {"004999", 4999}, {"12,5", 12},     {"1.5abc", 1.5}, {"abc", 0},      {"", 0},      {"-3", -3},
        {" 7", 7},        {"1 2", 12},      {"- 3", -3},     {"\t8\n", 8},    {".5", 0.5},  {"-.5", -0.5},
        {"+4", 4},        {"--3", 0},       {"-", 0},        {".", 0},        {"1.2.3", 1.2}, {"1E3", 1000},
        {"2d2", 200},     {"1.5e-1x", 0.15}, {"5DEF", 5},    {"1e", 1},       {"   1", 1},  {"1,234.5", 1},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(base::leadingNumber(c.text), c.number) << '"' << c.text << '"';
    EXPECT_EQ(errorNumberOf([] { base::leadingNumber("1E400"); }), base::errors::kOverflow);
}

TEST(Conversions, WholeNumbersRoundHalfToEvenAndOverflow)
{
    // nullopt: overflow.
    struct Case { Value input; std::optional<int> as16; std::optional<long> as32; };
    const Case cases[] = {
        {2.5, 2, 2},
        {3.5, 4, 4},
        {-2.5, -2, -2},
        {0.5, 0, 0},
        {1.5, 2, 2},
        {32767.4, 32767, 32767},
        {32767.5, std::nullopt, 32768},
        {32768, std::nullopt, 32768},
        {-32768, -32768, -32768},
        {-32769, std::nullopt, -32769},
        {2147483647.0, std::nullopt, 2147483647L},
        {2147483648.0, std::nullopt, std::nullopt},
        {Value("12.5"), 12, 12},
        {*base::Currency::parse("6.5"), 6, 6},
        {true, -1, -1},
        {Value(), 0, 0},
    };
    for (const Case& c : cases) {
        const std::string label = c.input.isEmpty() ? "Empty" : c.input.toText();
        if (c.as16) EXPECT_EQ(base::toInteger16(c.input), *c.as16) << label;
        else EXPECT_EQ(errorNumberOf([&] { base::toInteger16(c.input); }), base::errors::kOverflow) << label;
        if (c.as32) EXPECT_EQ(base::toInteger32(c.input), *c.as32) << label;
        else EXPECT_EQ(errorNumberOf([&] { base::toInteger32(c.input); }), base::errors::kOverflow) << label;
    }
    EXPECT_EQ(errorNumberOf([] { base::toInteger16(Value("abc")); }), base::errors::kTypeMismatch);
    EXPECT_EQ(errorNumberOf([] { base::toInteger16(Value::null()); }), base::errors::kInvalidUseOfNull);
}

TEST(Conversions, RoundingToDecimalsTiesToEvenOnTheWrittenDigits)
{
    struct Case { double value; int decimals; double rounded; };
    const Case cases[] = {
        {2.5, 0, 2},          {3.5, 0, 4},       {-2.5, 0, -2},       {1234.5, 0, 1234},
        {1234.567, 2, 1234.57}, {0.125, 2, 0.12}, {0.375, 2, 0.38},   {2.675, 2, 2.68},
        {1.005, 2, 1.0},      {0.0001, 2, 0},    {-0.005, 2, 0},      {9.995, 2, 10.0},
        {1e20, 2, 1e20},      {12.3456, 4, 12.3456},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(base::roundToDecimals(c.value, c.decimals), c.rounded) << c.value << " to " << c.decimals;
}

TEST(Conversions, NumberTextKeepsABlankForTheSign)
{
    struct Case { double value; const char* text; };
    const Case cases[] = {
        {12.5, " 12.5"}, {-3, "-3"}, {0, " 0"}, {0.5, " .5"}, {-0.5, "-.5"}, {1e20, " 1E+20"}, {4999, " 4999"},
    };
    base::Regional saved = base::regional();
    for (char separator : {'.', ','}) {
        base::regional().decimalSeparator = separator;  // the point stays a point whatever the settings
        for (const Case& c : cases) EXPECT_EQ(base::numberWithSignSpace(c.value), c.text) << c.value;
    }
    base::regional() = saved;
}

}  // namespace
