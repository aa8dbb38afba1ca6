#include "platform/base/Error.h"
#include "platform/ui/ListView.h"
#include "tests/support/Failures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ui::ListItem;
using ui::ListView;
using testing_support::errorNumberOf;

// A list of columns CODIGO, DESCRIPCION, STOCK with the given rows (text, description, stock).
void load(ListView& list, const std::vector<std::vector<std::string>>& rows) {
    list.addColumn("CODIGO", 1200);
    list.addColumn("DESCRIPCION", 3000);
    list.addColumn("STOCK", 800, ListView::Right);
    for (const auto& row : rows) {
        ListItem& item = list.addItem(row[0]);
        item.setSubItem(1, row[1]);
        item.setSubItem(2, row[2]);
    }
}

std::vector<std::string> column(const ListView& list, long key) {
    std::vector<std::string> out;
    for (long i = 1; i <= list.itemCount(); ++i) {
        out.push_back(key == 0 ? list.item(i).text() : list.item(i).subItem(key));
    }
    return out;
}

TEST(ListView, KeepsTheOrderOfAddingUntilSorted) {
    ListView list;
    load(list, {{"B2", "tornillo", "5"}, {"A1", "arandela", "10"}});
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"B2", "A1"}));
    EXPECT_EQ(list.item(2).index(), 2);
}

TEST(ListView, SortsByTheChosenColumnsTexts) {
    struct Case {
        long key;
        int order;
        std::vector<std::string> codes;
    };
    // Texts compare as texts ("10" before "5"), without regard to case or accents, "ñ" after "n"; rows of
    // equal texts keep the order they were added in, whichever the direction.
    const Case cases[] = {
        {0, ListView::Ascending, {"a1", "A2", "b1", "B10", "B2"}},
        {0, ListView::Descending, {"B2", "B10", "b1", "A2", "a1"}},
        {1, ListView::Ascending, {"B2", "a1", "A2", "B10", "b1"}},
        {1, ListView::Descending, {"b1", "B10", "a1", "A2", "B2"}},
        {2, ListView::Ascending, {"B10", "B2", "a1", "A2", "b1"}},
    };
    for (const Case& c : cases) {
        ListView list;
        load(list, {{"B2", "Árbol", "5"},
                    {"a1", "nudo", "7"},
                    {"A2", "NUDO", "7"},
                    {"B10", "ñandú", "10"},
                    {"b1", "zeta", "9"}});
        list.setSortKey(c.key);
        list.setSortOrder(c.order);
        list.setSorted(true);
        EXPECT_EQ(column(list, 0), c.codes) << "key " << c.key << " order " << c.order;
        for (long i = 1; i <= list.itemCount(); ++i) EXPECT_EQ(list.item(i).index(), i);
    }
}

// Many rows of one text, so the order of adding is kept by the sort itself and not by chance.
TEST(ListView, ManyEqualTextsKeepTheOrderOfAdding) {
    for (int order : {ListView::Ascending, ListView::Descending}) {
        ListView list;
        list.addColumn("DESCRIPCION", 3000);
        list.addColumn("N", 600);
        std::vector<std::string> expected;
        for (int i = 0; i < 60; ++i) {
            const char* text = i % 3 == 0 ? "Tornillo" : i % 3 == 1 ? "tornillo" : "TORNILLO";
            list.addItem(text).setSubItem(1, std::to_string(i));
            expected.push_back(std::to_string(i));
        }
        list.addItem("Arandela").setSubItem(1, "a");
        expected.insert(order == ListView::Ascending ? expected.begin() : expected.end(), "a");
        list.setSortOrder(order);
        list.setSorted(true);
        EXPECT_EQ(column(list, 1), expected) << order;
    }
}

TEST(ListView, AccentedLettersSortNextToTheirLetter) {
    ListView list;
    list.addColumn("DESCRIPCION", 3000);
    for (const char* text : {"ola", "Ñu", "nube", "oca", "ábaco", "Acero", "árbol"}) list.addItem(text);
    list.setSorted(true);
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"ábaco", "Acero", "árbol", "nube", "Ñu", "oca", "ola"}));
}

TEST(ListView, RowsAddedWhileSortedSortByWhatTheyHoldWhenRead) {
    ListView list;
    load(list, {{"1", "b", "0"}});
    list.setSortKey(1);
    list.setSorted(true);
    // Each row is added first and filled afterwards, as the window reads a record into a row.
    for (const char* d : {"c", "a"}) {
        ListItem& item = list.addItem("x");
        item.setSubItem(1, d);
    }
    EXPECT_EQ(column(list, 1), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(ListView, ColumnClicksFlipTheOrder) {
    ListView list;
    load(list, {{"2", "b", "0"}, {"1", "a", "0"}, {"3", "c", "0"}});
    // What the voucher query list does on every header click.
    list.onColumnClick = [&](long column) {
        list.setSorted(true);
        list.setSortKey(column - 1);
        list.setSortOrder(list.sortOrder() == ListView::Ascending ? ListView::Descending : ListView::Ascending);
    };
    list.onColumnClick(2);
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"3", "2", "1"}));
    list.onColumnClick(1);
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(ListView, ChecksAndLooksBelongToTheirRow) {
    ListView list;
    list.setCheckboxes(true);
    load(list, {{"1", "a", "0"}, {"2", "b", "0"}, {"3", "c", "0"}});
    list.item(2).setChecked(true);
    list.item(3).setBold(true);
    list.item(3).setForeColor(255);
    list.item(3).setSubItemForeColor(2, 255);
    list.item(3).setSubItemBold(2, true);
    list.setSortOrder(ListView::Descending);
    list.setSorted(true);

    std::vector<std::string> checked;
    for (long i = 1; i <= list.itemCount(); ++i) {
        if (list.item(i).checked()) checked.push_back(list.item(i).text());
    }
    EXPECT_EQ(checked, (std::vector<std::string>{"2"}));
    const ListItem& third = list.item(1);
    EXPECT_EQ(third.text(), "3");
    EXPECT_TRUE(third.bold());
    EXPECT_EQ(third.foreColor(), 255u);
    EXPECT_FALSE(third.subItemBold(1));
    EXPECT_EQ(third.subItemForeColor(1), 0u);
    EXPECT_TRUE(third.subItemBold(2));
    EXPECT_EQ(third.subItemForeColor(2), 255u);
}

TEST(ListView, SubItemsStandUnderTheColumnsAfterTheFirst) {
    ListView list;
    load(list, {{"1", "a", ""}});
    ListItem& item = list.item(1);
    EXPECT_EQ(item.subItem(2), "");
    EXPECT_EQ(errorNumberOf([&] { item.setSubItem(3, "x"); }), 380);
    EXPECT_EQ(errorNumberOf([&] { item.subItem(0); }), 380);
    EXPECT_EQ(errorNumberOf([&] { list.item(2); }), 381);
    EXPECT_EQ(errorNumberOf([&] { list.column(4); }), 381);
}

TEST(ListView, ColumnLeftIsTheWidthsBefore) {
    ListView list;
    load(list, {});
    EXPECT_EQ(list.columnLeft(1), 0);
    EXPECT_EQ(list.columnLeft(3), 4200);
    list.setColumnWidth(1, 600);
    EXPECT_EQ(list.columnLeft(3), 3600);
}

TEST(ListView, ClearingRowsDropsTheSelection) {
    ListView list;
    load(list, {{"1", "a", ""}, {"2", "b", ""}});
    list.setSelectedItem(&list.item(2));
    EXPECT_EQ(list.selectedItem()->text(), "2");
    list.clearItems();
    EXPECT_EQ(list.selectedItem(), nullptr);
    EXPECT_EQ(list.itemCount(), 0);
    EXPECT_EQ(list.columnCount(), 3);
}

}  // namespace
