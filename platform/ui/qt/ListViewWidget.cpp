#include "platform/ui/qt/ListViewWidget.h"

#include "platform/ui/qt/QtColors.h"
#include "platform/ui/qt/VbKeys.h"

#include <QFont>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>

namespace ui {

namespace {

constexpr long kTwipsPerPixel = 15;

Qt::Alignment alignmentOf(int columnAlignment) {
    switch (columnAlignment) {
        case ListView::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case ListView::Center: return Qt::AlignCenter;
        default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

ListViewWidget::ListViewWidget(ListView& list, QWidget* parent) : QTreeWidget(parent), list_(list) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setAllColumnsShowFocus(true);
    setEditTriggers(NoEditTriggers);  // the windows refuse every label edit
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);

    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (list_.onColumnClick) list_.onColumnClick(section + 1);
    });
    connect(header(), &QHeaderView::sectionResized, this, [this](int section, int, int newSize) {
        if (updating_ || section >= list_.columnCount()) return;
        updating_ = true;
        list_.setColumnWidth(section + 1, newSize * kTwipsPerPixel);
        updating_ = false;
    });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* row, int column) {
        if (updating_ || column != 0 || !list_.checkboxes()) return;
        long index = indexOfTopLevelItem(row) + 1;
        if (index < 1 || index > list_.itemCount()) return;
        updating_ = true;
        list_.item(index).setChecked(row->checkState(0) == Qt::Checked);
        updating_ = false;
    });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
        if (updating_) return;
        long index = current ? indexOfTopLevelItem(current) + 1 : 0;
        updating_ = true;
        list_.setSelectedItem(index >= 1 && index <= list_.itemCount() ? &list_.item(index) : nullptr);
        updating_ = false;
    });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem*, int) {
        if (list_.onDblClick) list_.onDblClick();
    });

    list_.setObserver(this);
    rebuild();
}

ListViewWidget::~ListViewWidget() {
    list_.setObserver(nullptr);
}

void ListViewWidget::sync() {
    if (rebuildPending_) rebuild();
}

void ListViewWidget::setImageList(std::vector<QIcon> images) {
    images_ = std::move(images);
    listChanged();
}

QTreeWidgetItem* ListViewWidget::widgetItem(const ListItem& item) const {
    auto it = rows_.find(&item);
    return it == rows_.end() ? nullptr : it->second;
}

void ListViewWidget::listChanged() {
    if (updating_ || rebuildPending_) return;
    rebuildPending_ = true;
    QTimer::singleShot(0, this, &ListViewWidget::sync);
}

void ListViewWidget::listItemChanged(const ListItem& item) {
    if (updating_ || rebuildPending_) return;
    if (QTreeWidgetItem* row = widgetItem(item)) {
        updating_ = true;
        fill(*row, item);
        updating_ = false;
    }
}

void ListViewWidget::listSelectionChanged() {
    if (updating_ || rebuildPending_) return;
    showSelection();
}

void ListViewWidget::listScrollTo(const ListItem& item) {
    if (rebuildPending_) {
        pendingScroll_ = &item;
        return;
    }
    if (QTreeWidgetItem* row = widgetItem(item)) scrollToItem(row);
}

void ListViewWidget::rebuild() {
    rebuildPending_ = false;
    updating_ = true;
    clear();
    rows_.clear();
    const long columns = list_.columnCount();
    setColumnCount(static_cast<int>(std::max(1L, columns)));
    QStringList labels;
    for (long i = 1; i <= columns; ++i) labels << QString::fromStdString(list_.column(i).text);
    setHeaderLabels(labels);
    for (long i = 1; i <= columns; ++i) {
        setColumnWidth(static_cast<int>(i - 1), static_cast<int>(list_.column(i).width / kTwipsPerPixel));
        headerItem()->setTextAlignment(static_cast<int>(i - 1), alignmentOf(list_.column(i).alignment));
    }
    QList<QTreeWidgetItem*> rows;
    for (long i = 1; i <= list_.itemCount(); ++i) {
        const ListItem& item = list_.item(i);
        auto* row = new QTreeWidgetItem;
        fill(*row, item);
        rows_.emplace(&item, row);
        rows.append(row);
    }
    addTopLevelItems(rows);
    showSelection();
    updating_ = false;
    if (pendingScroll_) {
        if (QTreeWidgetItem* row = widgetItem(*pendingScroll_)) scrollToItem(row);
        pendingScroll_ = nullptr;
    }
}

// A row's own colour and boldness dress its first column; each sub-item has its own.
void ListViewWidget::fill(QTreeWidgetItem& row, const ListItem& item) {
    const long columns = list_.columnCount();
    auto dress = [&](int column, const std::string& text, bool bold, Color color) {
        row.setText(column, QString::fromStdString(text));
        row.setTextAlignment(column, alignmentOf(list_.column(column + 1).alignment));
        QFont font = this->font();
        font.setBold(bold);
        row.setFont(column, font);
        row.setForeground(column, color ? QBrush(toQColor(color)) : palette().text());
    };
    if (columns == 0) return;
    dress(0, item.text(), item.bold(), item.foreColor());
    for (long j = 1; j < columns; ++j) {
        dress(static_cast<int>(j), item.subItem(j), item.subItemBold(j), item.subItemForeColor(j));
    }
    const bool shown = item.smallIcon >= 1 && static_cast<std::size_t>(item.smallIcon) <= images_.size();
    row.setIcon(0, shown ? images_[static_cast<std::size_t>(item.smallIcon) - 1] : QIcon());
    if (list_.checkboxes()) {
        row.setCheckState(0, item.checked() ? Qt::Checked : Qt::Unchecked);
    } else {
        row.setData(0, Qt::CheckStateRole, QVariant());
    }
}

void ListViewWidget::showSelection() {
    const bool wasUpdating = updating_;
    updating_ = true;
    ListItem* selected = list_.selectedItem();
    QTreeWidgetItem* row = selected ? widgetItem(*selected) : nullptr;
    setCurrentItem(row);
    if (!row) clearSelection();
    updating_ = wasUpdating;
}

void ListViewWidget::keyPressEvent(QKeyEvent* event) {
    int keyCode = vbKeyCode(*event);
    if (list_.onKeyDown && keyCode != 0) {
        list_.onKeyDown(keyCode, vbShiftState(event->modifiers()));
        if (keyCode == 0) {
            event->accept();
            return;
        }
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace ui
