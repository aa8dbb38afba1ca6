#include "platform/base/Utf8.h"

#include <gtest/gtest.h>
#include <string>

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
    // A needle that begins with no letter, in short and long texts (which are searched otherwise): every
    // occurrence of its first byte is tried, up to one that ends the text.
    const std::string rows(600, 'x');
    struct Case {
        std::string haystack;
        std::size_t from, found;
    };
    for (const Case& c : {Case{"@ad @Admin_X", 0, 4}, Case{"@ADMIN_", 0, 0}, Case{"@ADMIN_ @admin_", 1, 8},
                          Case{"@ADMIN", 0, std::string_view::npos}, Case{rows + "@admin @Admin_", 0, rows.size() + 7},
                          Case{rows + "@admin_", rows.size() + 1, std::string_view::npos}})
        EXPECT_EQ(base::findIgnoringCase(c.haystack, "@ADMIN_", c.from), c.found) << c.haystack.substr(0, 20);
    // A letter first, in a long text: found in any case at any byte of an eight-byte step, up to the last one.
    for (std::size_t at : {std::size_t{0}, std::size_t{7}, std::size_t{601}, std::size_t{602}}) {
        const std::string text = std::string(at, 'x') + "cReAtE" + std::string(603 - at, 'x') + "creat";
        EXPECT_EQ(base::findIgnoringCase(text, "CREATE"), at) << at;
        EXPECT_EQ(base::findIgnoringCase(text, "CREATE", at + 1), std::string_view::npos) << at;
    }
    EXPECT_EQ(base::findIgnoringCase(rows + "Create", "CREATE"), rows.size());
    std::string out;
    base::appendUtf8(out, U'€');
    std::size_t i = 0;
    EXPECT_EQ(base::nextCodePoint(out, i), U'€');
    EXPECT_EQ(i, 3u);
    i = 0;
    EXPECT_EQ(base::nextCodePoint("\xE2\x82", i), base::kReplacementCharacter);
}

}  // namespace
