#pragma once
// A ListView on screen: a QTreeWidget in report form. The list's order is the model's (a header click goes to
// the window's column-click handling, which sorts the model); ticks, the selected row, column widths dragged
// by the operator, double clicks and keys (as legacy key codes) go back to the model. Rows are built again
// once the event loop is idle after rows were added or the order changed, so filling a list row by row
// costs one rebuild.

#include "platform/ui/ListView.h"

#include <QIcon>
#include <QTreeWidget>

#include <unordered_map>
#include <vector>

namespace ui {

class ListViewWidget : public QTreeWidget, private ListView::Observer {
    Q_OBJECT
public:
    explicit ListViewWidget(ListView& list, QWidget* parent = nullptr);
    ~ListViewWidget() override;

    // Builds the rows now if a rebuild is pending.
    void sync();
    // The window's image list: a row's small icon n (from 1) shows images[n - 1]; 0 or one past the list
    // shows none.
    void setImageList(std::vector<QIcon> images);
    QTreeWidgetItem* widgetItem(const ListItem& item) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void listChanged() override;
    void listItemChanged(const ListItem& item) override;
    void listSelectionChanged() override;
    void listScrollTo(const ListItem& item) override;

    void rebuild();
    void fill(QTreeWidgetItem& row, const ListItem& item);
    void showSelection();

    ListView& list_;
    std::vector<QIcon> images_;
    std::unordered_map<const ListItem*, QTreeWidgetItem*> rows_;
    const ListItem* pendingScroll_ = nullptr;
    bool rebuildPending_ = false;
    bool updating_ = false;
};

}  // namespace ui
