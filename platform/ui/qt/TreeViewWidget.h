#pragma once
// A TreeView on screen: a QTreeWidget built from the model's nodes. A tick the operator makes is set on the
// node and then reported through onNodeCheck (the window spreads it to the node's descendants); expanding,
// collapsing, the selected node and double clicks go back to the model. Nodes are built again once the
// event loop is idle after nodes were added.

#include "platform/ui/TreeView.h"

#include <QTreeWidget>

#include <unordered_map>

namespace ui {

class TreeViewWidget : public QTreeWidget, private TreeView::Observer {
    Q_OBJECT
public:
    explicit TreeViewWidget(TreeView& tree, QWidget* parent = nullptr);
    ~TreeViewWidget() override;

    // Builds the nodes now if a rebuild is pending.
    void sync();
    QTreeWidgetItem* widgetItem(const TreeNode& node) const;

private:
    void treeChanged() override;
    void treeNodeChanged(const TreeNode& node) override;
    void treeSelectionChanged() override;
    void treeScrollTo(const TreeNode& node) override;

    void rebuild();
    QTreeWidgetItem* build(const TreeNode& node);
    void fill(QTreeWidgetItem& item, const TreeNode& node);
    void showSelection();
    TreeNode* nodeOf(QTreeWidgetItem* item) const;

    TreeView& tree_;
    std::unordered_map<const TreeNode*, QTreeWidgetItem*> items_;
    const TreeNode* pendingScroll_ = nullptr;
    bool rebuildPending_ = false;
    bool updating_ = false;
};

}  // namespace ui
