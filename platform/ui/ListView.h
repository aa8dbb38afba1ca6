#pragma once
// The list control in report view, as the pick-list windows use it: column headers, rows with a text and
// sub-items, check boxes, bold and colour per row and per cell, a selected row and the list's own sorting by a
// column's texts. Items, columns and sub-items count from 1, as the windows address them (sub-item j stands
// under column j + 1).

#include "platform/ui/Color.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class ListView;

class ListItem {
public:
    long index() const;  // position in the list, from 1

    const std::string& text() const { return text_; }
    void setText(std::string text);
    // Sub-items 1 to the column count - 1; any other raises 380. One never set is "".
    const std::string& subItem(long j) const;
    void setSubItem(long j, std::string text);

    bool checked() const { return checked_; }
    void setChecked(bool checked);
    // Bold and colour of the row's own text (the first column).
    bool bold() const { return bold_; }
    void setBold(bool bold);
    Color foreColor() const { return foreColor_; }  // 0: the list's colour
    void setForeColor(Color color);
    // Bold and colour of one sub-item.
    bool subItemBold(long j) const;
    void setSubItemBold(long j, bool bold);
    Color subItemForeColor(long j) const;
    void setSubItemForeColor(long j, Color color);

    int icon = 0;       // picture indexes in the window's image list; 0: none
    int smallIcon = 0;

private:
    friend class ListView;
    struct Sub {
        std::string text;
        bool bold = false;
        Color foreColor = 0;
    };
    explicit ListItem(ListView& owner, std::string text) : owner_(&owner), text_(std::move(text)) {}
    const Sub* sub(long j) const;
    Sub& sub(long j);
    void changed();

    ListView* owner_;
    long index_ = 0;
    long added_ = 0;  // order of adding, for rows of equal sort texts
    std::string text_;
    std::vector<Sub> subs_;  // [0] is sub-item 1
    bool checked_ = false;
    bool bold_ = false;
    Color foreColor_ = 0;
};

class ListView {
public:
    enum Alignment : int { Left = 0, Right = 1, Center = 2 };
    enum SortOrder : int { Ascending = 0, Descending = 1 };

    struct Column {
        std::string text;
        long width = 0;  // twips
        int alignment = Left;
    };

    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void listChanged() = 0;                   // columns, rows added or removed, order, check boxes
        virtual void listItemChanged(const ListItem& item) = 0;  // one row's texts, ticks or looks
        virtual void listSelectionChanged() = 0;
        virtual void listScrollTo(const ListItem& item) = 0;
    };

    ListView() = default;
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    // Column headers.
    void clearColumns();
    long addColumn(std::string text, long width, int alignment = Left);  // its index
    long columnCount() const { return static_cast<long>(columns_.size()); }
    const Column& column(long index) const;  // 1 to the count, else 381
    void setColumnWidth(long index, long width);
    long columnLeft(long index) const;  // the widths of the columns before it

    // Rows.
    void clearItems();
    ListItem& addItem(std::string text);
    long itemCount() const { return static_cast<long>(items_.size()); }
    ListItem& item(long index);  // 1 to the count, in the list's order, else 381
    const ListItem& item(long index) const;

    bool checkboxes() const { return checkboxes_; }
    void setCheckboxes(bool on);
    bool multiSelect = false;

    ListItem* selectedItem() const { return selected_; }
    void setSelectedItem(ListItem* item);  // nullptr: none
    void ensureVisible(const ListItem& item);

    // While Sorted is on, the rows stand ordered by the texts of column SortKey + 1 (0 is the rows' own text),
    // without regard to case, rows of equal texts in the order they were added. Rows added while sorted take
    // their place once they are next read, so a row filled in after adding sorts by its full contents. A text
    // changed later does not move its row until the sorting changes again.
    bool sorted() const { return sorted_; }
    void setSorted(bool sorted);
    long sortKey() const { return sortKey_; }
    void setSortKey(long key);
    int sortOrder() const { return sortOrder_; }
    void setSortOrder(int order);

    // What the window does when the operator acts on the list; a view calls these. Setting keyCode to 0 in
    // onKeyDown keeps the key from the list. Shift state: 1 Shift, 2 Ctrl, 4 Alt, added together.
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void()> onDblClick;
    std::function<void(long column)> onColumnClick;

    void setObserver(Observer* observer) { observer_ = observer; }

private:
    friend class ListItem;
    void itemChanged(const ListItem& item);
    void sortIfNeeded() const;
    void renumber() const;

    std::vector<Column> columns_;
    mutable std::vector<std::unique_ptr<ListItem>> items_;
    ListItem* selected_ = nullptr;
    bool checkboxes_ = false;
    bool sorted_ = false;
    long sortKey_ = 0;
    int sortOrder_ = Ascending;
    mutable bool orderStale_ = false;
    long added_ = 0;
    Observer* observer_ = nullptr;
};

}  // namespace ui
