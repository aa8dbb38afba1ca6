#include "platform/ui/qt/ListViewWidget.h"
#include "platform/ui/qt/TreeViewWidget.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

using namespace ui;

TEST(ListViewWidget, ShowsRowsInTheListsOrderWithTheirLooks) {
    ListView list;
    list.setCheckboxes(true);
    list.addColumn("CODIGO", 1200);
    list.addColumn("STOCK", 900, ListView::Right);
    for (const char* code : {"B", "a", "C"}) list.addItem(code).setSubItem(1, "5");
    list.item(2).setChecked(true);
    list.item(3).setSubItemForeColor(1, 255);
    list.item(3).setSubItemBold(1, true);
    list.setSorted(true);

    ListViewWidget widget(list);
    widget.show();
    widget.sync();

    ASSERT_EQ(widget.topLevelItemCount(), 3);
    EXPECT_EQ(widget.headerItem()->text(1), "STOCK");
    EXPECT_EQ(widget.columnWidth(0), 80);
    QTreeWidgetItem* first = widget.topLevelItem(0);
    EXPECT_EQ(first->text(0), "a");
    EXPECT_EQ(first->checkState(0), Qt::Checked);
    QTreeWidgetItem* last = widget.topLevelItem(2);
    EXPECT_EQ(last->text(0), "C");
    EXPECT_EQ(last->foreground(1).color(), QColor(255, 0, 0));
    EXPECT_TRUE(last->font(1).bold());
    EXPECT_FALSE(last->font(0).bold());

    // A row added later shows once the event loop is idle, in its sorted place.
    list.addItem("0");
    QApplication::processEvents();
    ASSERT_EQ(widget.topLevelItemCount(), 4);
    EXPECT_EQ(widget.topLevelItem(0)->text(0), "0");
}

TEST(ListViewWidget, OperatorsActionsReachTheList) {
    ListView list;
    list.setCheckboxes(true);
    list.addColumn("CODIGO", 1200);
    list.addColumn("DESCRIPCION", 1200);
    list.addItem("1");
    list.addItem("2");
    long clicked = 0;
    std::vector<int> keys;
    list.onColumnClick = [&](long column) { clicked = column; };
    list.onKeyDown = [&](int& keyCode, int shift) {
        keys.push_back(keyCode * 10 + shift);
        if (keyCode == 123) keyCode = 0;  // the window keeps F12 for itself
    };
    ListViewWidget widget(list);
    widget.show();

    widget.topLevelItem(1)->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(list.item(2).checked());
    widget.setCurrentItem(widget.topLevelItem(1));
    EXPECT_EQ(list.selectedItem(), &list.item(2));
    emit widget.header()->sectionClicked(1);
    EXPECT_EQ(clicked, 2);
    widget.header()->resizeSection(1, 40);
    EXPECT_EQ(list.column(2).width, 600);

    QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::ShiftModifier);
    QApplication::sendEvent(&widget, &insert);
    QKeyEvent f12(QEvent::KeyPress, Qt::Key_F12, Qt::NoModifier);
    QApplication::sendEvent(&widget, &f12);
    EXPECT_EQ(keys, (std::vector<int>{451, 1230}));
    EXPECT_TRUE(f12.isAccepted());

    // Code selecting a row moves the widget's current row.
    list.setSelectedItem(&list.item(1));
    EXPECT_EQ(widget.currentItem(), widget.topLevelItem(0));
}

TEST(TreeViewWidget, ShowsTheTreeAndReportsTheOperatorsTicks) {
    TreeView tree;
    tree.setCheckboxes(true);
    tree.add("", TreeView::Relation::Child, "A", "Consulta...").setExpanded(true);
    tree.add("A", TreeView::Relation::Child, "A1", "1 - Maderas");
    tree.add("A1", TreeView::Relation::Child, "A11", "11 - Pino");
    tree.add("A1", TreeView::Relation::Next, "A2", "2 - Herrajes");
    // The window spreads a tick to the descendants.
    std::vector<std::string> reported;
    tree.onNodeCheck = [&](TreeNode& node) {
        reported.push_back(node.key());
        for (TreeNode* child : node.children()) child->setChecked(node.checked());
    };

    TreeViewWidget widget(tree);
    widget.show();
    ASSERT_EQ(widget.topLevelItemCount(), 1);
    QTreeWidgetItem* root = widget.topLevelItem(0);
    EXPECT_TRUE(root->isExpanded());
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), "1 - Maderas");
    EXPECT_EQ(root->child(1)->text(0), "2 - Herrajes");

    root->child(0)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(reported, (std::vector<std::string>{"A1"}));
    EXPECT_TRUE(tree.find("A1")->checked());
    EXPECT_TRUE(tree.find("A11")->checked());
    EXPECT_EQ(root->child(0)->child(0)->checkState(0), Qt::Checked);

    tree.ensureVisible(*tree.find("A11"));
    EXPECT_TRUE(root->child(0)->isExpanded());
    root->child(0)->setExpanded(false);
    EXPECT_FALSE(tree.find("A1")->expanded());

    widget.setCurrentItem(root->child(1));
    EXPECT_EQ(tree.selectedItem(), tree.find("A2"));

    tree.add("A", TreeView::Relation::Child, "A3", "3 - Pinturas");
    widget.sync();
    EXPECT_EQ(widget.topLevelItem(0)->childCount(), 3);
}

}  // namespace
