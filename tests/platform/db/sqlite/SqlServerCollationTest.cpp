// The collation's order must be one order: texts compared through the ASCII table and through ICU may not
// contradict each other, or an index built with it would be corrupt.

#include "platform/db/sqlite/SqlServerCollation.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace db::sqlite {
namespace {

TEST(SqlServerCollation, AsciiAndSpanishTextsFollowOneConsistentOrder)
{
    static const char* const kPieces[] = {"a", "A", "á", "Á", "b", "n", "N", "ñ", "Ñ", "o", "ó", "z", "Z", " ", "-",
                                          "_", "{", "~", "0", "9", "'", "ü", "e", "é", "n\xCC\x83", "ch", "ll"};
    // Beginnings many texts share, as padded codes and ids do: ASCII, and with letters outside it.
    static const char* const kBeginnings[] = {"", "                0001", "peña del ñandú  "};
    std::mt19937 random(20240229);
    std::vector<std::string> texts;
    for (int i = 0; i < 400; ++i) {
        std::string text = kBeginnings[random() % std::size(kBeginnings)];
        const int length = static_cast<int>(random() % 6);
        for (int k = 0; k < length; ++k) text += kPieces[random() % std::size(kPieces)];
        texts.push_back(text);
    }
    std::sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) { return compareSqlServer(a, b) < 0; });
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(compareSqlServer(texts[i], texts[i]), 0);
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            ASSERT_LE(compareSqlServer(texts[i], texts[j]), 0) << "'" << texts[i] << "' after '" << texts[j] << "'";
            ASSERT_EQ(compareSqlServer(texts[i], texts[j]), -compareSqlServer(texts[j], texts[i]));
        }
    }
}

TEST(SqlServerCollation, OrdersAsSpanishAndComparesWithoutRegardToCase)
{
    struct Case { const char* a; const char* b; int order; };
    const Case cases[] = {
        {"a", "A", 0},      {"alamo", "álamo", -1}, {"álamo", "alamos", -1}, {"Nube", "ñandú", -1},
        {"ñu", "oso", -1},  {"Zeta", "álamo", 1},   {"ab  ", "AB", 0},       {" ab", "ab", -1},
        {"abc", "abd", -1}, {"ab", "abc", -1},      {"PEÑA", "peña", 0},     {"peña", "pena", 1},
        // Long texts that first differ at their ninth byte, and beyond their first sixteen.
        {"abcdefghXjk", "abcdefghYjk", -1}, {"        álamo", "        alamo", 1},
        {"                0001Zeta", "                0001álamo", 1}, {"0001000000014C", "0001000000024c", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compareSqlServer(c.a, c.b), c.order) << c.a << " / " << c.b;
        EXPECT_EQ(compareSqlServer(c.b, c.a), -c.order) << c.b << " / " << c.a;
    }
}

TEST(SqlServerCollation, TheFirstDifferenceDecidesWhereverItStands)
{
    // Texts alike but at one byte, before, inside and after their first eight-byte words, with a letter
    // outside ASCII or none before it, with trailing blanks or none.
    for (const std::string beginning : {"", "ñ", "       ", "peña    "}) {
        for (std::size_t at = 0; at < 18; ++at) {
            for (const std::string end : {"", "   ", "xyz", "x           "}) {
                const auto text = [&](char c) { return beginning + std::string(at, 'x') + c + std::string(at % 5, 'y') + end; };
                EXPECT_EQ(compareSqlServer(text('a'), text('B')), -1) << text('a');
                EXPECT_EQ(compareSqlServer(text('b'), text('A')), 1) << text('b');
                EXPECT_EQ(compareSqlServer(text('a'), text('A')), 0) << text('a');
                for (const std::size_t blanks : {1, 7, 8, 9, 17})
                    EXPECT_EQ(compareSqlServer(text('a') + std::string(blanks, ' '), text('A')), 0) << text('a') << blanks;
                EXPECT_EQ(compareSqlServer(text('a') + std::string(9, ' ') + "b", text('a') + std::string(9, ' ')), 1);
                EXPECT_EQ(compareSqlServer(text('a'), text('a') + "b"), -1) << text('a');
            }
        }
    }
}

}  // namespace
}  // namespace db::sqlite
