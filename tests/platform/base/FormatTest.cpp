#include "platform/base/Error.h"
#include "platform/base/Format.h"
#include "platform/base/Regional.h"

#include <gtest/gtest.h>

namespace {

using base::DateTime;
using base::Value;

TEST(Format, NumberMasks)
{
    struct Case { Value value; const char* mask; const char* text; };
    const Case cases[] = {
        {4999, "0000", "4999"},
        {7, "0000", "0007"},
        {12345, "0000", "12345"},
        {123, "00000000", "00000123"},
        {Value("123"), "00000000", "00000123"},
        {Value("0001-23"), "00000000", "0001-23"},  // not a number: unchanged
        {Value("ABC"), "00000000", "ABC"},
        {Value(""), "00000000", ""},
        {Value("1,5"), "0.00", "1,5"},
        {0.5, "########0.00", "0.50"},
        {0.5, "#####.00", ".50"},
        {0.0, "#####.00", ".00"},
        {30.0 / 60, "#####.00", ".50"},
        {125.0 / 60, "#####.00", "2.08"},
        {1234.567, "########0.00", "1234.57"},
        {2.25, "########0.0", "2.3"},  // Format rounds halves away from zero
        {-2.25, "########0.0", "-2.3"},
        {1234.0, "############0.", "1234."},
        {1234.57, "############0.00", "1234.57"},
        {5, "#####00", "05"},
        {125, "#####00", "125"},
        {-1.57, "0.00", "-1.57"},
        {-0.001, "0.00", "0.00"},
        {9.9999999, "#0.000000", "10.000000"},
        {1.7, "#0", "2"},
        {1.5, "0.######", "1.5"},
        {2, "0.######", "2."},
        {0.0049, "#.##", "."},
        {8.0995, "#.##", "8.1"},
        {17, "#.00", "17.00"},
        {17, ".00", "17.00"},
        {1, "1#####0000", "10001"},
        {*base::Currency::parse("922337203685477.5807"), "0.00", "922337203685477.58"},
        {9007199254740993LL, "0", "9007199254740993"},
        {true, "0", "-1"},
        {Value(), "0000", "0000"},
        {Value::null(), "0000", ""},
        {DateTime::fromParts(2005, 8, 15), "0", "38579"},
        {12.5, "", "12.5"},
    };
    for (const Case& c : cases) EXPECT_EQ(base::format(c.value, c.mask), c.text) << c.mask;
}

TEST(Format, NumberMasksWriteTheRegionalDecimalSeparator)
{
    base::Regional saved = base::regional();
    base::regional().decimalSeparator = ',';
    EXPECT_EQ(base::format(0.5, "########0.00"), "0,50");
    EXPECT_EQ(base::format(Value("12,5"), "0.00"), "12,50");
    base::regional() = saved;
}

TEST(Format, DateMasks)
{
    const DateTime moment = DateTime::fromParts(2005, 8, 5, 7, 4, 9);
    struct Case { Value value; const char* mask; const char* text; };
    const Case cases[] = {
        {moment, "dd/mm/yy hh:mm", "05/08/05 07:04"},
        {moment, "mm-dd-yyyy hh:mm:ss", "08-05-2005 07:04:09"},
        {moment, "DD/MM/YYYY", "05/08/2005"},
        {moment, "hh:mm:ss", "07:04:09"},
        {moment, "d/m/yyyy h:n:s", "5/8/2005 7:4:9"},
        {moment, "hh:mm :ss:mm", "07:04 :09:08"},  // "mm" is minutes only right after an hour
        {moment, "yyyymmdd", "20050805"},
        {Value("15/08/2005"), "yyyy-mm-dd", "2005-08-15"},
        {Value("38579.75"), "dd/mm/yyyy hh:mm", "15/08/2005 18:00"},
        {Value("no es fecha"), "dd/mm/yyyy", "no es fecha"},
        {38579, "dd/mm/yyyy", "15/08/2005"},
    };
    for (const Case& c : cases) EXPECT_EQ(base::format(c.value, c.mask), c.text) << c.mask;

    try {
        base::format(moment, "ddd dd");
        ADD_FAILURE() << "a day name is no mask of this program";
    } catch (const base::Error& e) {
        EXPECT_EQ(e.number(), base::errors::kInvalidProcedureCall);
    }
}

}  // namespace
