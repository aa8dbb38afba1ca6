#include "platform/ui/qt/TreeViewWidget.h"

#include <QTimer>

namespace ui {

namespace {

// Each widget item carries the index of its node.
constexpr int kIndexRole = Qt::UserRole + 1;

}  // namespace

TreeViewWidget::TreeViewWidget(TreeView& tree, QWidget* parent) : QTreeWidget(parent), tree_(tree) {
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(NoEditTriggers);

    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        if (updating_ || !tree_.checkboxes()) return;
        TreeNode* node = nodeOf(item);
        const bool checked = item->checkState(0) == Qt::Checked;
        if (!node || node->checked() == checked) return;
        updating_ = true;
        node->setChecked(checked);
        updating_ = false;
        if (tree_.onNodeCheck) tree_.onNodeCheck(*node);
    });
    auto expansion = [this](QTreeWidgetItem* item, bool expanded) {
        if (updating_) return;
        if (TreeNode* node = nodeOf(item)) {
            updating_ = true;
            node->setExpanded(expanded);
            updating_ = false;
        }
    };
    connect(this, &QTreeWidget::itemExpanded, this, [expansion](QTreeWidgetItem* item) { expansion(item, true); });
    connect(this, &QTreeWidget::itemCollapsed, this, [expansion](QTreeWidgetItem* item) { expansion(item, false); });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
        if (updating_) return;
        updating_ = true;
        tree_.setSelectedItem(nodeOf(current));
        updating_ = false;
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem*, int) {
        if (tree_.onDblClick) tree_.onDblClick();
    });

    tree_.setObserver(this);
    rebuild();
}

TreeViewWidget::~TreeViewWidget() {
    tree_.setObserver(nullptr);
}

void TreeViewWidget::sync() {
    if (rebuildPending_) rebuild();
}

QTreeWidgetItem* TreeViewWidget::widgetItem(const TreeNode& node) const {
    auto it = items_.find(&node);
    return it == items_.end() ? nullptr : it->second;
}

TreeNode* TreeViewWidget::nodeOf(QTreeWidgetItem* item) const {
    if (!item) return nullptr;
    const long index = item->data(0, kIndexRole).toLongLong();
    return index >= 1 && index <= tree_.count() ? &tree_.node(index) : nullptr;
}

void TreeViewWidget::treeChanged() {
    if (rebuildPending_) return;
    rebuildPending_ = true;
    QTimer::singleShot(0, this, &TreeViewWidget::sync);
}

void TreeViewWidget::treeNodeChanged(const TreeNode& node) {
    if (updating_ || rebuildPending_) return;
    if (QTreeWidgetItem* item = widgetItem(node)) {
        updating_ = true;
        fill(*item, node);
        updating_ = false;
    }
}

void TreeViewWidget::treeSelectionChanged() {
    if (updating_ || rebuildPending_) return;
    showSelection();
}

void TreeViewWidget::treeScrollTo(const TreeNode& node) {
    if (rebuildPending_) {
        pendingScroll_ = &node;
        return;
    }
    if (QTreeWidgetItem* item = widgetItem(node)) scrollToItem(item);
}

void TreeViewWidget::rebuild() {
    rebuildPending_ = false;
    updating_ = true;
    clear();
    items_.clear();
    QList<QTreeWidgetItem*> roots;
    for (const TreeNode* root : tree_.roots()) roots.append(build(*root));
    addTopLevelItems(roots);
    // Expanded state only takes once the items are in the widget.
    for (const auto& [node, item] : items_) item->setExpanded(node->expanded());
    showSelection();
    updating_ = false;
    if (pendingScroll_) {
        if (QTreeWidgetItem* item = widgetItem(*pendingScroll_)) scrollToItem(item);
        pendingScroll_ = nullptr;
    }
}

QTreeWidgetItem* TreeViewWidget::build(const TreeNode& node) {
    auto* item = new QTreeWidgetItem;
    item->setData(0, kIndexRole, static_cast<qlonglong>(node.index()));
    fill(*item, node);
    items_.emplace(&node, item);
    for (const TreeNode* child : node.children()) item->addChild(build(*child));
    return item;
}

void TreeViewWidget::fill(QTreeWidgetItem& item, const TreeNode& node) {
    item.setText(0, QString::fromStdString(node.text()));
    if (tree_.checkboxes()) {
        item.setCheckState(0, node.checked() ? Qt::Checked : Qt::Unchecked);
    } else {
        item.setData(0, Qt::CheckStateRole, QVariant());
    }
    if (item.treeWidget() && item.isExpanded() != node.expanded()) item.setExpanded(node.expanded());
}

void TreeViewWidget::showSelection() {
    const bool wasUpdating = updating_;
    updating_ = true;
    TreeNode* selected = tree_.selectedItem();
    QTreeWidgetItem* item = selected ? widgetItem(*selected) : nullptr;
    setCurrentItem(item);
    if (!item) clearSelection();
    updating_ = wasUpdating;
}

}  // namespace ui
