#include "platform/base/Error.h"
#include "platform/base/Text.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using base::Compare;

TEST(Text, CountsCharactersNotBytes)
{
    struct Case { const char* call; std::string result; std::string expected; };
    const Case cases[] = {
        {"Mid(Ñandú, 2, 3)", base::mid("Ñandú", 2, 3), "and"},
        {"Mid(Ñandú, 5)", base::mid("Ñandú", 5), "ú"},
        {"Mid(Año, 2, 1)", base::mid("Año", 2, 1), "ñ"},
        {"Mid(Año, 4)", base::mid("Año", 4), ""},
        {"Mid(Año, 9, 2)", base::mid("Año", 9, 2), ""},
        {"Mid(Año, 2, 99)", base::mid("Año", 2, 99), "ño"},
        {"Mid(000112345678X, 5, 8)", base::mid("000112345678X", 5, 8), "12345678"},
        {"Left(Ñandú, 2)", base::left("Ñandú", 2), "Ña"},
        {"Left(Ñandú, 0)", base::left("Ñandú", 0), ""},
        {"Left(Ñandú, 9)", base::left("Ñandú", 9), "Ñandú"},
        {"Right(Ñandú, 2)", base::right("Ñandú", 2), "dú"},
        {"Right(Ñandú, 9)", base::right("Ñandú", 9), "Ñandú"},
        {"Right(ÿRS, 3)", base::right("ÿRS", 3), "ÿRS"},
        {"Trim", base::trim("  a  b  "), "a  b"},
        {"Trim keeps tabs", base::trim("\ta \n "), "\ta \n"},
        {"LTrim", base::leftTrim("  ñ  "), "ñ  "},
        {"RTrim", base::rightTrim("  ñ  "), "  ñ"},
        {"Trim of blanks", base::trim("   "), ""},
        {"UCase", base::toUpperCase("ñandú, camión y pingüino"), "ÑANDÚ, CAMIÓN Y PINGÜINO"},
        {"LCase", base::toLowerCase("ÁÉÍÓÚÜÑ ABC"), "áéíóúüñ abc"},
        {"ProperCase", base::properCase("JUAN PÉREZ ñandú"), "Juan Pérez Ñandú"},
        {"ProperCase separators", base::properCase("o'brien-smith\tana\nluz"), "O'brien-smith\tAna\nLuz"},
        {"Replace", base::replace("Año AÑO año", "año", "X"), "X X X"},
        {"Replace binary", base::replace("Año AÑO año", "año", "X", Compare::Binary), "Año AÑO X"},
        {"Replace grows", base::replace("aaa", "a", "aa"), "aaaaaa"},
        {"Replace nothing", base::replace("abc", "", "x"), "abc"},
        {"Replace accent", base::replace("camión", "IÓ", "io"), "camion"},
        {"Chr(255)", base::characterOfCode(255), "ÿ"},
        {"Chr(128)", base::characterOfCode(128), "€"},
        {"Chr(0)", base::characterOfCode(0), std::string(1, '\0')},
        {"String(3, ñx)", base::repeated(3, "ñx"), "ñññ"},
        {"String(0, x)", base::repeated(0, "x"), ""},
        {"fixed 3", base::fixedLength("ñandú", 3), "ñan"},
        {"fixed 4", base::fixedLength("ñ", 4), "ñ   "},
    };
    for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.call;

    EXPECT_EQ(base::length("Año"), 3);
    EXPECT_EQ(base::length("pingüino"), 8);
    EXPECT_EQ(base::length(""), 0);
}

TEST(Text, InStrCountsCharactersAndIgnoresCase)
{
    struct Case { long start; const char* text; const char* sought; Compare compare; long position; };
    const Case cases[] = {
        {1, "Año nuevo", "ñ", Compare::IgnoringCase, 2},
        {1, "Año nuevo", "NUEVO", Compare::IgnoringCase, 5},
        {1, "ESPAÑA", "ña", Compare::IgnoringCase, 5},
        {1, "ESPAÑA", "ña", Compare::Binary, 0},
        {1, "ESPAÑA", "ÑA", Compare::Binary, 5},
        {3, "abcabc", "b", Compare::IgnoringCase, 5},
        {1, "abc", "", Compare::IgnoringCase, 1},
        {2, "abc", "", Compare::IgnoringCase, 2},
        {1, "", "a", Compare::IgnoringCase, 0},
        {1, "abc", "d", Compare::IgnoringCase, 0},
        {4, "abc", "c", Compare::IgnoringCase, 0},
        {1, "SELECT * FROM x WHERE TRANS", "trans", Compare::IgnoringCase, 23},
    };
    for (const Case& c : cases)
        EXPECT_EQ(base::inStr(c.start, c.text, c.sought, c.compare), c.position) << c.text << " / " << c.sought;
    EXPECT_EQ(base::inStr("Año nuevo", "O N"), 3);
}

TEST(Text, SplitKeepsEmptyParts)
{
    using Parts = std::vector<std::string>;
    EXPECT_EQ(base::split("a\t\tb", "\t"), (Parts{"a", "", "b"}));
    EXPECT_EQ(base::split("a\t", "\t"), (Parts{"a", ""}));
    EXPECT_EQ(base::split("", "\t"), Parts{});
    EXPECT_EQ(base::split("abc", ""), Parts{"abc"});
    EXPECT_EQ(base::split("1|2||", "|"), (Parts{"1", "2", "", ""}));
}

TEST(Text, ArgumentsOutOfRangeAreInvalidCalls)
{
    const std::function<void()> calls[] = {
        [] { base::mid("abc", 0); },          [] { base::mid("abc", 1, -1); }, [] { base::left("abc", -1); },
        [] { base::right("abc", -1); },       [] { base::inStr(0, "abc", "a"); }, [] { base::characterOfCode(256); },
        [] { base::characterOfCode(-1); },    [] { base::repeated(-1, "x"); },  [] { base::repeated(2, ""); },
        [] { base::fixedLength("abc", -1); },
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) {
        try {
            calls[i]();
            ADD_FAILURE() << "call " << i << " was accepted";
        } catch (const base::Error& e) {
            EXPECT_EQ(e.number(), base::errors::kInvalidProcedureCall) << "call " << i;
        }
    }
}

}  // namespace
