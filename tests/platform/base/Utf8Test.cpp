#include "platform/base/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, CaseOfSpanishAndNeighbouringLetters)
{
    struct Case { char32_t upper, lower; };
    for (const Case& c : {Case{U'A', U'a'}, Case{U'Ñ', U'ñ'}, Case{U'Á', U'á'}, Case{U'Ü', U'ü'}, Case{U'Ÿ', U'ÿ'},
                          Case{U'Ł', U'ł'}, Case{U'Ž', U'ž'}}) {
        EXPECT_EQ(base::lowerCase(c.upper), c.lower) << static_cast<unsigned>(c.upper);
        EXPECT_EQ(base::upperCase(c.lower), c.upper) << static_cast<unsigned>(c.lower);
    }
    EXPECT_EQ(base::lowerCase(U'×'), U'×');
    EXPECT_EQ(base::upperCase(U'ß'), U'ß');
}

TEST(Utf8, ComparesAndFindsWithoutRegardToCase)
{
    EXPECT_TRUE(base::equalsIgnoringCase("PEÑA", "peña"));
    EXPECT_FALSE(base::equalsIgnoringCase("peña", "pena"));
    EXPECT_FALSE(base::equalsIgnoringCase("peña", "peñas"));
    EXPECT_EQ(base::findIgnoringCase("la PEÑA y la peña", "peña", 4), 14u);  // bytes: "Ñ" takes two
    EXPECT_EQ(base::findIgnoringCase("abc", "x"), std::string_view::npos);
    EXPECT_EQ(base::findIgnoringCase("abc", ""), 0u);
    std::string out;
    base::appendUtf8(out, U'€');
    std::size_t i = 0;
    EXPECT_EQ(base::nextCodePoint(out, i), U'€');
    EXPECT_EQ(i, 3u);
    i = 0;
    EXPECT_EQ(base::nextCodePoint("\xE2\x82", i), base::kReplacementCharacter);
}

}  // namespace
