#include "platform/base/Error.h"
#include "platform/ui/TreeView.h"
#include "tests/support/Failures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Relation = ui::TreeView::Relation;
using ui::TreeNode;
using ui::TreeView;
using testing_support::errorNumberOf;

std::vector<std::string> keys(const std::vector<TreeNode*>& nodes) {
    std::vector<std::string> out;
    for (const TreeNode* n : nodes) out.push_back(n->key());
    return out;
}

TEST(TreeView, ChildGoesLastAndNextGoesRightAfter) {
    TreeView tree;
    tree.add("", Relation::Child, "A", "Consulta...");
    tree.add("A", Relation::Child, "A1", "1 - Maderas");
    tree.add("A1", Relation::Next, "A2", "2 - Herrajes");
    tree.add("A1", Relation::Next, "A3", "3 - Pinturas");
    tree.add("A1", Relation::Child, "A11", "11 - Pino");
    tree.add("A", Relation::Next, "B", "otra raiz");

    EXPECT_EQ(keys(tree.roots()), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(keys(tree.find("A")->children()), (std::vector<std::string>{"A1", "A3", "A2"}));
    EXPECT_EQ(tree.find("A11")->parent()->key(), "A1");
    EXPECT_EQ(tree.find("B")->parent(), nullptr);
    // Indexes follow the order of adding, not the order shown.
    std::vector<std::string> byIndex;
    for (long i = 1; i <= tree.count(); ++i) {
        byIndex.push_back(tree.node(i).key());
        EXPECT_EQ(tree.node(i).index(), i);
    }
    EXPECT_EQ(byIndex, (std::vector<std::string>{"A", "A1", "A2", "A3", "A11", "B"}));
}

TEST(TreeView, ARepeatedKeyRaisesAndAddsNothing) {
    TreeView tree;
    tree.add("", Relation::Child, "A", "Consulta...");
    tree.add("A", Relation::Child, "A1", "1 - Maderas");
    for (const char* repeated : {"A1", "a1"}) {
        EXPECT_EQ(errorNumberOf([&] { tree.add("A", Relation::Child, repeated, "otra"); }), 35602) << repeated;
    }
    EXPECT_EQ(tree.count(), 2);
    EXPECT_EQ(tree.find("A")->children().size(), 1u);
    EXPECT_EQ(tree.find("a1")->text(), "1 - Maderas");
}

TEST(TreeView, AnUnknownRelativeRaises) {
    TreeView tree;
    EXPECT_EQ(errorNumberOf([&] { tree.add("X", Relation::Child, "A", "a"); }), 35601);
    EXPECT_EQ(tree.count(), 0);
}

TEST(TreeView, NodesWithoutKeyNeverClash) {
    TreeView tree;
    tree.add("", Relation::Child, "", "uno");
    tree.add("", Relation::Child, "", "dos");
    EXPECT_EQ(tree.count(), 2);
    EXPECT_EQ(tree.find(""), nullptr);
}

TEST(TreeView, CheckedAndExpandedBelongToEachNode) {
    TreeView tree;
    tree.setCheckboxes(true);
    tree.add("", Relation::Child, "A", "Consulta...");
    tree.add("A", Relation::Child, "A1", "1");
    TreeNode& leaf = tree.add("A1", Relation::Child, "A11", "11");
    tree.find("A1")->setChecked(true);
    EXPECT_TRUE(tree.find("A1")->checked());
    EXPECT_FALSE(tree.find("A")->checked());
    EXPECT_FALSE(leaf.checked());

    EXPECT_FALSE(tree.find("A")->expanded());
    tree.ensureVisible(leaf);
    EXPECT_TRUE(tree.find("A")->expanded());
    EXPECT_TRUE(tree.find("A1")->expanded());
    EXPECT_FALSE(leaf.expanded());
}

TEST(TreeView, ClearForgetsNodesKeysAndSelection) {
    TreeView tree;
    tree.add("", Relation::Child, "A", "Consulta...");
    tree.setSelectedItem(tree.find("A"));
    tree.clear();
    EXPECT_EQ(tree.count(), 0);
    EXPECT_EQ(tree.selectedItem(), nullptr);
    EXPECT_EQ(tree.add("", Relation::Child, "A", "Consulta...").index(), 1);
}

}  // namespace
