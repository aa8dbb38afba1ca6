#pragma once
// The tree control of the tree pick-list: nodes with a unique key and a text, added as the last child or the
// next sibling of a node named by its key, with check boxes and an expanded state. Nodes count from 1 in the
// order they were added, which is also the order the window walks them in.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ui {

class TreeView;

class TreeNode {
public:
    const std::string& key() const { return key_; }
    const std::string& text() const { return text_; }
    void setText(std::string text);
    long index() const { return index_; }  // from 1, in the order of adding
    TreeNode* parent() const { return parent_; }
    const std::vector<TreeNode*>& children() const { return children_; }  // in the order shown

    bool checked() const { return checked_; }
    void setChecked(bool checked);
    bool expanded() const { return expanded_; }
    void setExpanded(bool expanded);

private:
    friend class TreeView;
    TreeNode(TreeView& owner, std::string key, std::string text)
        : owner_(&owner), key_(std::move(key)), text_(std::move(text)) {}
    void changed();

    TreeView* owner_;
    std::string key_;
    std::string text_;
    long index_ = 0;
    TreeNode* parent_ = nullptr;
    std::vector<TreeNode*> children_;
    bool checked_ = false;
    bool expanded_ = false;
};

class TreeView {
public:
    enum class Relation { Next = 2, Child = 4 };

    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void treeChanged() = 0;                    // nodes added or removed, check boxes
        virtual void treeNodeChanged(const TreeNode& node) = 0;  // text, tick or expanded state
        virtual void treeSelectionChanged() = 0;
        virtual void treeScrollTo(const TreeNode& node) = 0;
    };

    TreeView() = default;
    TreeView(const TreeView&) = delete;
    TreeView& operator=(const TreeView&) = delete;

    // An empty relative adds a top-level node. Child: the last child of the relative; Next: right after the
    // relative, under the same parent. A key already in the tree raises 35602 and adds nothing (the window
    // then skips that row); an unknown relative raises 35601. Keys are compared without regard to case; an
    // empty key is allowed any number of times.
    TreeNode& add(std::string_view relativeKey, Relation relation, std::string key, std::string text);
    void clear();

    long count() const { return static_cast<long>(nodes_.size()); }
    TreeNode& node(long index);  // 1 to the count, else 381
    const TreeNode& node(long index) const;
    TreeNode* find(std::string_view key) const;  // nullptr when no node has it
    const std::vector<TreeNode*>& roots() const { return roots_; }  // top-level nodes in the order shown

    bool checkboxes() const { return checkboxes_; }
    void setCheckboxes(bool on);

    TreeNode* selectedItem() const { return selected_; }
    void setSelectedItem(TreeNode* node);
    // Expands the node's ancestors and brings it into view.
    void ensureVisible(TreeNode& node);

    // What the window does when the operator acts on the tree; a view calls these. onNodeCheck follows a tick
    // the operator made, never one set by code.
    std::function<void(TreeNode& node)> onNodeCheck;
    std::function<void()> onDblClick;

    void setObserver(Observer* observer) { observer_ = observer; }

private:
    friend class TreeNode;
    static std::string folded(std::string_view key);

    std::vector<std::unique_ptr<TreeNode>> nodes_;  // in the order of adding
    std::vector<TreeNode*> roots_;
    std::unordered_map<std::string, TreeNode*> byKey_;
    TreeNode* selected_ = nullptr;
    bool checkboxes_ = false;
    Observer* observer_ = nullptr;
};

}  // namespace ui
