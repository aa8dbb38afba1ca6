#include "platform/ui/TreeView.h"

#include "platform/base/Error.h"
#include "platform/ui/UiErrors.h"

#include <algorithm>
#include <utility>

namespace ui {

namespace {

[[noreturn]] void raise(long number, const char* description) {
    throw base::Error(number, description, "TreeView");
}

}  // namespace

// ---- TreeNode ----

void TreeNode::changed() {
    if (owner_->observer_) owner_->observer_->treeNodeChanged(*this);
}

void TreeNode::setText(std::string text) {
    text_ = std::move(text);
    changed();
}

void TreeNode::setChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    changed();
}

void TreeNode::setExpanded(bool expanded) {
    if (expanded == expanded_) return;
    expanded_ = expanded;
    changed();
}

// ---- TreeView ----

std::string TreeView::folded(std::string_view key) {
    std::string out(key);
    for (char& ch : out) {
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    }
    return out;
}

TreeNode& TreeView::add(std::string_view relativeKey, Relation relation, std::string key, std::string text) {
    TreeNode* relative = nullptr;
    if (!relativeKey.empty()) {
        relative = find(relativeKey);
        if (!relative) raise(errors::kElementNotFound, "Element not found");
    }
    std::string foldedKey = folded(key);
    if (!key.empty() && byKey_.contains(foldedKey)) raise(errors::kKeyNotUnique, "Key is not unique in collection");

    nodes_.push_back(std::unique_ptr<TreeNode>(new TreeNode(*this, std::move(key), std::move(text))));
    TreeNode* node = nodes_.back().get();
    node->index_ = count();
    if (!node->key_.empty()) byKey_.emplace(std::move(foldedKey), node);

    if (!relative) {
        roots_.push_back(node);
    } else if (relation == Relation::Child) {
        node->parent_ = relative;
        relative->children_.push_back(node);
    } else {
        node->parent_ = relative->parent_;
        auto& siblings = relative->parent_ ? relative->parent_->children_ : roots_;
        siblings.insert(std::find(siblings.begin(), siblings.end(), relative) + 1, node);
    }
    if (observer_) observer_->treeChanged();
    return *node;
}

void TreeView::clear() {
    selected_ = nullptr;
    byKey_.clear();
    roots_.clear();
    nodes_.clear();
    if (observer_) observer_->treeChanged();
}

const TreeNode& TreeView::node(long index) const {
    if (index < 1 || index > count()) raise(errors::kSubscriptOutOfRange, "Subscript out of range");
    return *nodes_[static_cast<std::size_t>(index - 1)];
}

TreeNode& TreeView::node(long index) {
    return const_cast<TreeNode&>(std::as_const(*this).node(index));
}

TreeNode* TreeView::find(std::string_view key) const {
    if (key.empty()) return nullptr;
    auto it = byKey_.find(folded(key));
    return it == byKey_.end() ? nullptr : it->second;
}

void TreeView::setCheckboxes(bool on) {
    if (on == checkboxes_) return;
    checkboxes_ = on;
    if (observer_) observer_->treeChanged();
}

void TreeView::setSelectedItem(TreeNode* node) {
    if (node && node->owner_ != this) raise(errors::kInvalidPropertyValue, "Invalid property value");
    if (node == selected_) return;
    selected_ = node;
    if (observer_) observer_->treeSelectionChanged();
}

void TreeView::ensureVisible(TreeNode& node) {
    for (TreeNode* up = node.parent_; up; up = up->parent_) up->setExpanded(true);
    if (observer_) observer_->treeScrollTo(node);
}

}  // namespace ui
