#include "platform/base/Error.h"
#include "platform/ui/Controls.h"
#include "platform/ui/TextMeasurer.h"

#include <gtest/gtest.h>

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
