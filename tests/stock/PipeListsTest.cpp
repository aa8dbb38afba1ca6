// The lists of lots, serials and positions a grid cell carries, read by every list operation alike.

#include "stock/ClsCmnCptes.h"

#include "platform/base/Text.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Items = std::vector<std::string>;

struct ListCase {
    const char* text;
    Items items;  // as the list holds them, untrimmed
    const char* distinct;  // StrSerieLote
    const char* sought;    // an item of the list written another way
    int foundAt;
};

const ListCase kLists[] = {
    {"", {}, "", "L1", 0},
    {"   ", {}, "", "", 0},
    {"|L1|L2|", {"L1", "L2"}, " L1 L2", "l2", 2},
    {"L1|L2|", {"L1", "L2"}, " L1 L2", " L2 ", 2},
    {"| L1 |L2|", {" L1 ", "L2"}, " L1 L2", "l1", 1},
    {"|L1|L2", {"L1"}, " L1", "L1", 1},
    {"|L1|L2", {"L1"}, " L1", "L2", 0},
    {"|a||b|", {"a", "", "b"}, " a b", "  ", 2},
    {"|a|b|A|c|", {"a", "b", "A", "c"}, " a b c", "A", 1},
    {"  |a|b|  ", {"a", "b"}, " a b", "B", 2},
    {"|Año|AÑO|", {"Año", "AÑO"}, " Año", "año", 1},
};

Items trimmedWithClosingSlot(const Items& items)
{
    Items slots;
    for (const std::string& item : items) slots.push_back(base::trim(item));
    slots.emplace_back();
    return slots;
}

TEST(PipeLists, EveryOperationReadsTheListAlike)
{
    for (const ListCase& c : kLists) {
        SCOPED_TRACE(std::string("list \"") + c.text + "\"");
        const std::string text = c.text;
        const auto n = static_cast<std::int32_t>(c.items.size());
        EXPECT_EQ(ClsCmnCptes::Cantidad_Series_Lotes(text), n);
        for (std::int32_t position = 0; position <= n + 1; ++position) {
            const std::string expected = position >= 1 && position <= n ? c.items[position - 1] : "";
            EXPECT_EQ(ClsCmnCptes::ExtraeSerieLote(text, position), expected) << "position " << position;
        }
        EXPECT_EQ(ClsCmnCptes::ExtraeSerieLote(text, -1), "");
        EXPECT_EQ(ClsCmnCptes::Busca_Lotes_Series(text, c.sought), c.foundAt) << "sought \"" << c.sought << "\"";
        EXPECT_EQ(ClsCmnCptes::Busca_Lotes_Series(text, "ZZ9"), 0);
        Items slots{"left", "over"};
        ClsCmnCptes::DescomponeSerieLote(text, slots);
        EXPECT_EQ(slots, trimmedWithClosingSlot(c.items));
        EXPECT_EQ(ClsCmnCptes::StrSerieLote(text), c.distinct);
    }
}

TEST(PipeLists, CountingMovementsTakesTheSeriesOrElseTheLots)
{
    struct Case {
        const char* series;
        const char* lots;
        int consolidated;
        int each;
    } const cases[] = {
        {"0", "0", 0, 0},                        // a reception line without lots or series
        {"|0|", "0", 1, 1},
        {"|S1|S1|S2|", "|L1|L2|L3|", 2, 3},      // the lots of a line with series do not count
        {"", "|L1|L1|", 1, 2},
        {"", "|L1|l1 | L2|", 2, 3},              // lots alike without regard to case and blanks
        {"|s1|S1|", "", 1, 2},
        {"|a||b|", "", 2, 3},                    // a blank serial is no movement once consolidated
        {"", "", 0, 0},
        {"   ", "|L1|", 0, 0},                   // blanks are a list of series, one without items
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("series \"") + c.series + "\" lots \"" + c.lots + "\"");
        EXPECT_EQ(ClsCmnCptes::Cuenta_Series_Lotes(c.series, c.lots), c.consolidated);
        EXPECT_EQ(ClsCmnCptes::Cuenta_Series_Lotes(c.series, c.lots, true), c.each);
    }
}

TEST(PipeLists, PositionItemsSplitAtTheirFirstStar)
{
    struct Case {
        const char* positions;
        const char* lots;
        Items wherePut, howMany, whichLot;
    } const cases[] = {
        {"|A1*5|B2*3|", "|L1|", {"A1", "B2", ""}, {"5", "3", ""}, {"L1", ""}},
        {"|A*1*2|", "", {"A", ""}, {"1*2", ""}, {""}},
        {"| A1 * 5 |", "| L1 |", {"A1 ", ""}, {" 5", ""}, {"L1", ""}},
        {"|A1|B2*4|", "|L1|L2|", {"A1", "B2", ""}, {"", "4", ""}, {"L1", "L2", ""}},  // no star: all position
        {"", "", {""}, {""}, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("positions \"") + c.positions + "\"");
        Items positions{"old"}, quantities{"old", "old"}, lots{"old"};
        ClsCmnCptes::DescomponePosicionCantidadLote(c.positions, c.lots, positions, quantities, lots);
        EXPECT_EQ(positions, c.wherePut);
        EXPECT_EQ(quantities, c.howMany);
        EXPECT_EQ(lots, c.whichLot);
    }
}

TEST(PipeLists, MarkingPutsCharacter255AfterEveryItem)
{
    const std::string y = base::characterOfCode(255);
    EXPECT_EQ(ClsCmnCptes::InsertaCHR255("|a|b|"), "|a" + y + "|b" + y + "|");
    // Without its opening bar the first item is kept all the same.
    EXPECT_EQ(ClsCmnCptes::InsertaCHR255("a|b|"), "|a" + y + "|b" + y + "|");
    EXPECT_EQ(ClsCmnCptes::InsertaCHR255("|a||b|"), "|a" + y + "|" + y + "|b" + y + "|");
    EXPECT_EQ(ClsCmnCptes::InsertaCHR255(""), "|");
}

TEST(PipeLists, LongListsAreReadWhole)
{
    constexpr int kItems = 100000;
    std::string list = "|";
    for (int i = 1; i <= kItems; ++i) list += "S" + std::to_string(i) + "|";
    ASSERT_GT(list.size(), 32767u);

    EXPECT_EQ(ClsCmnCptes::Cantidad_Series_Lotes(list), kItems);
    EXPECT_EQ(ClsCmnCptes::Cuenta_Series_Lotes(list, ""), kItems);
    EXPECT_EQ(ClsCmnCptes::Busca_Lotes_Series(list, "s100000"), kItems);
    EXPECT_EQ(ClsCmnCptes::Busca_Lotes_Series(list, "S100001"), 0);
    EXPECT_EQ(ClsCmnCptes::ExtraeSerieLote(list, kItems), "S100000");
    EXPECT_EQ(ClsCmnCptes::ExtraeSerieLote(list, kItems + 1), "");
    Items slots;
    ClsCmnCptes::DescomponeSerieLote(list, slots);
    ASSERT_EQ(slots.size(), static_cast<std::size_t>(kItems) + 1);
    EXPECT_EQ(slots[kItems - 1], "S100000");
}

TEST(PipeLists, AnyTextIsAList)
{
    const std::string odd[] = {"|", "||", "*", "|*|**|", std::string("|a\0b|", 5), "\xFF\xFE|\x80|", "|\t|\n|",
                               std::string(40000, '|')};
    for (const std::string& text : odd) {
        Items a, b, c;
        EXPECT_NO_THROW({
            ClsCmnCptes::Cantidad_Series_Lotes(text);
            ClsCmnCptes::Cuenta_Series_Lotes(text, text);
            ClsCmnCptes::Busca_Lotes_Series(text, text);
            ClsCmnCptes::ExtraeSerieLote(text, 2);
            ClsCmnCptes::StrSerieLote(text);
            ClsCmnCptes::InsertaCHR255(text);
            ClsCmnCptes::DescomponePosicionCantidadLote(text, text, a, b, c);
        });
        EXPECT_EQ(a.size(), b.size());
    }
    EXPECT_EQ(ClsCmnCptes::Cantidad_Series_Lotes(std::string(40000, '|')), 39999);
}

}  // namespace
