#include "platform/base/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

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

// Every start of an ASCII needle in any text, byte by byte: what a search of any length must find first.
std::size_t firstStart(std::string_view haystack, std::string_view needle, std::size_t from)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t start = from; start + needle.size() <= haystack.size(); ++start) {
        std::size_t k = 0;
        while (k < needle.size() && lower(haystack[start + k]) == lower(needle[k])) ++k;
        if (k == needle.size()) return start;
    }
    return std::string_view::npos;
}

TEST(Utf8, FindsAWordFirstWhereverItStands)
{
    // Near misses (the first two letters, or the first alone) before and around each occurrence, at every
    // place of an eight-byte step, in texts short and long, with letters of two bytes among them.
    const std::string filler = "SELECT Ñandú, PEÑA FROM t WHERE x = 'wh' AND wHe = 1 -- w\r";
    std::vector<std::string> texts = {"", "w", "WHERE", "xwhere", "wh", "ÑWHERE", "whereWHERE"};
    for (std::size_t before = 0; before < 9; ++before) {
        for (const std::string_view word : {"wHeRe", "WHER", "Wh_re", "where_1"}) {
            texts.push_back(std::string(before, 'w') + std::string(word) + std::string(before % 3, 'h'));
            texts.push_back(filler.substr(0, before * 5) + std::string(word) + filler);
            std::string manyRows;
            for (int i = 0; i < 12; ++i) manyRows += filler;
            texts.push_back(manyRows + std::string(before, 'W') + std::string(word));
        }
    }
    for (const std::string& text : texts) {
        for (const std::string_view needle : {"WHERE", "wh", "w", "H_", "wh_r", "where_1", "1 -- w", "e = 1"}) {
            for (std::size_t from : {std::size_t{0}, std::size_t{1}, std::size_t{5}, text.size() / 2, text.size()})
                EXPECT_EQ(base::findIgnoringCase(text, needle, from), firstStart(text, needle, from))
                    << needle << " from " << from << " in " << text;
        }
    }
}

TEST(Utf8, TextsAreAlikeCharacterByCharacter)
{
    // Each pair as the characters compare, one at a time: ASCII of every kind, letters of two bytes after an
    // ASCII beginning, and malformed bytes (each read as U+FFFD, as is the character itself).
    const auto alike = [](std::string_view a, std::string_view b) {
        std::size_t i = 0, j = 0;
        while (i < a.size() && j < b.size())
            if (base::lowerCase(base::nextCodePoint(a, i)) != base::lowerCase(base::nextCodePoint(b, j))) return false;
        return i == a.size() && j == b.size();
    };
    const std::pair<std::string_view, std::string_view> pairs[] = {
        {"", ""}, {"", "a"}, {"ab", "abc"}, {"CODIGO", "codigo"}, {"Codigo_1", "cODIGO_1"}, {"@", "`"},
        {"[", "{"}, {"^", "~"}, {"]", "}"}, {"A", "a"}, {"Z", "z"}, {"z", "Z "}, {"1", "1"}, {"a1", "A2"},
        {"peÑa", "PEña"}, {"AÑO", "año"}, {"AÑO", "anO"}, {"Ñ", "n"}, {"ÿ", "Ÿ"}, {"a\xFF", "A\xEF\xBF\xBD"},
        {"\xFF", "\xFE"}, {"x\xC3", "X\xC3"}, {"ÁRBOL largo", "árbol LARGO"}, {"árbol", "árbolé"},
    };
    for (const auto& [a, b] : pairs) {
        EXPECT_EQ(base::equalsIgnoringCase(a, b), alike(a, b)) << a << " / " << b;
        EXPECT_EQ(base::equalsIgnoringCase(b, a), alike(a, b)) << b << " / " << a;
    }
    EXPECT_TRUE(base::equalsIgnoringCase("AÑO", "año"));
    EXPECT_TRUE(base::equalsIgnoringCase("a\xFF", "A\xEF\xBF\xBD"));
    EXPECT_FALSE(base::equalsIgnoringCase("@", "`"));
}

}  // namespace
