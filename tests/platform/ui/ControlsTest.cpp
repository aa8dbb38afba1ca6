#include "platform/base/Error.h"
#include "platform/ui/Controls.h"
#include "platform/ui/TextMeasurer.h"

#include <gtest/gtest.h>
#include <utility>

namespace {

using namespace ui;

TEST(ComboBox, ChoosingAnItemShowsItsText) {
    ComboBox combo;
    combo.addItem("SQL Server");
    combo.addItem("ORACLE");
    EXPECT_EQ(combo.listIndex(), -1);
    combo.setListIndex(1);
    EXPECT_EQ(combo.text(), "ORACLE");
    combo.setText("ORACLE");
    EXPECT_EQ(combo.listIndex(), 1);
    combo.setText("tor");
    EXPECT_EQ(combo.listIndex(), -1);
    EXPECT_EQ(combo.text(), "tor");
    combo.setListIndex(-1);
    EXPECT_EQ(combo.text(), "tor");
}

TEST(ComboBox, IndexOutsideTheItemsRaises) {
    ComboBox combo;
    combo.addItem("SQL Server");
    try {
        combo.setListIndex(1);
        FAIL() << "no error";
    } catch (const base::Error& e) {
        EXPECT_EQ(e.number(), 380);
    }
    EXPECT_THROW(combo.list(2), base::Error);
    combo.clear();
    EXPECT_EQ(combo.listCount(), 0);
    EXPECT_EQ(combo.listIndex(), -1);
}

// Reads the error number a call raises; 0 when it raises nothing.
template <class Call>
long raised(Call call) {
    try {
        call();
    } catch (const base::Error& e) {
        return e.number();
    }
    return 0;
}

TEST(StatusBar, PanelsCountFromOneByKeyAndText) {
    StatusBar bar;
    EXPECT_EQ(bar.count(), 0);
    bar.addPanel("Fecha");
    bar.addPanel("Stock", "Stock: 0");
    EXPECT_EQ(bar.count(), 2);
    EXPECT_EQ(bar.panel(1).key, "Fecha");
    EXPECT_EQ(bar.panel(2).text, "Stock: 0");
    bar.panel(1).text = "07/12/2026";
    EXPECT_EQ(std::as_const(bar).panel(1).text, "07/12/2026");
    for (long outside : {0L, 3L, -1L}) EXPECT_EQ(raised([&] { bar.panel(outside); }), 381) << outside;
}

TEST(TabControl, TabsCountFromZeroWithCaptionAndVisibility) {
    TabControl tabs;
    tabs.addTab("Tareas");
    tabs.addTab("Articulos", false);
    EXPECT_EQ(tabs.tabs(), 2);
    EXPECT_TRUE(tabs.tabVisible(0));
    EXPECT_FALSE(tabs.tabVisible(1));
    tabs.setTabVisible(1, true);
    tabs.setTabCaption(0, "Servicios");
    EXPECT_TRUE(tabs.tabVisible(1));
    EXPECT_EQ(tabs.tabCaption(0), "Servicios");
    EXPECT_EQ(raised([&] { tabs.tabVisible(2); }), 381);
    EXPECT_EQ(raised([&] { tabs.tabCaption(-1); }), 381);
    EXPECT_EQ(raised([&] { tabs.setTabVisible(2, false); }), 381);
    EXPECT_EQ(raised([&] { tabs.setTabCaption(5, "x"); }), 381);
}

TEST(FixedWidthTextMeasurer, CountsCharactersAndLines) {
    FixedWidthTextMeasurer measure(100, 200);
    struct Case {
        const char* text;
        long width;
        long height;
    };
    const Case cases[] = {
        {"", 0, 200},
        {"XXXX", 400, 200},
        {"\xc3\xb1" "and\xc3\xba", 500, 200},  // "ñandú": five characters in seven bytes
        {"ab\r\nabcd", 400, 400},
        {"a\rb\nc", 100, 600},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(measure.textWidth(c.text), c.width) << c.text;
        EXPECT_EQ(measure.textHeight(c.text), c.height) << c.text;
    }
}

}  // namespace
