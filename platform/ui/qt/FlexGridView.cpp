#include "platform/ui/qt/FlexGridView.h"

#include "platform/ui/qt/QtColors.h"

#include <QBrush>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPalette>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace ui {

namespace {

constexpr long kTwipsPerPixel = 15;
constexpr int kRowPixels = static_cast<int>(FlexGrid::kRowHeight / kTwipsPerPixel);

int pixels(long twips) {
    return static_cast<int>((twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

bool isNumber(const QString& text) {
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

Qt::Alignment alignment(int colAlignment, const QString& text) {
    switch (colAlignment) {
        case FlexGrid::LeftTop: return Qt::AlignLeft | Qt::AlignTop;
        case FlexGrid::LeftCenter: return Qt::AlignLeft | Qt::AlignVCenter;
        case FlexGrid::LeftBottom: return Qt::AlignLeft | Qt::AlignBottom;
        case FlexGrid::CenterTop: return Qt::AlignHCenter | Qt::AlignTop;
        case FlexGrid::CenterCenter: return Qt::AlignCenter;
        case FlexGrid::CenterBottom: return Qt::AlignHCenter | Qt::AlignBottom;
        case FlexGrid::RightTop: return Qt::AlignRight | Qt::AlignTop;
        case FlexGrid::RightCenter: return Qt::AlignRight | Qt::AlignVCenter;
        case FlexGrid::RightBottom: return Qt::AlignRight | Qt::AlignBottom;
        default: return (isNumber(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
}

}  // namespace

// ---- FlexGridTableModel ----

int FlexGridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_.rows() - skipped_);
}

int FlexGridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_.cols());
}

long FlexGridTableModel::gridRow(int row) const {
    return row < grid_.fixedRows() ? row : row + skipped_;
}

QModelIndex FlexGridTableModel::cellIndex(long row, long col) const {
    const long fixed = grid_.fixedRows();
    if (row >= fixed && row < fixed + skipped_) return {};
    return index(static_cast<int>(row < fixed ? row : row - skipped_), static_cast<int>(col));
}

QVariant FlexGridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const long r = gridRow(index.row());
    const long c = index.column();
    if (r >= grid_.rows() || c >= grid_.cols()) return {};
    const bool fixed = r < grid_.fixedRows() || c < grid_.fixedCols();
    switch (role) {
        case Qt::DisplayRole: return QString::fromStdString(grid_.textMatrix(r, c));
        case Qt::BackgroundRole:
            if (Color back = grid_.backColorAt(r, c)) return QBrush(toQColor(back));
            if (fixed) return QGuiApplication::palette().button();
            return {};
        case Qt::ForegroundRole:
            if (Color fore = grid_.foreColorAt(r, c)) return QBrush(toQColor(fore));
            if (fixed) return QGuiApplication::palette().buttonText();
            return {};
        case Qt::TextAlignmentRole:
            return static_cast<int>(alignment(grid_.colAlignment(c), QString::fromStdString(grid_.textMatrix(r, c))));
        default: return {};
    }
}

Qt::ItemFlags FlexGridTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// ---- FlexGridView ----

FlexGridView::FlexGridView(FlexGrid& grid, QWidget* parent)
    : QTableView(parent), grid_(grid), model_(new FlexGridTableModel(grid, this)) {
    setModel(model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(kRowPixels);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setWordWrap(false);
    applyColumns();
    applyCurrentCell();
    grid_.setObserver(this);
}

FlexGridView::~FlexGridView() {
    grid_.setObserver(nullptr);
}

// Of the rows changed, only those the model holds are repainted: the ones above TopRow are not shown.
void FlexGridView::cellsChanged(long firstRow, long firstCol, long lastRow, long lastCol) {
    const long fixed = grid_.fixedRows();
    const long skipped = model_->skipped_;
    const long first = firstRow < fixed ? firstRow : std::max(firstRow, fixed + skipped) - skipped;
    const long last = lastRow < fixed + skipped ? std::min(lastRow, fixed - 1) : lastRow - skipped;
    if (first > last) return;
    emit model_->dataChanged(model_->index(static_cast<int>(first), static_cast<int>(firstCol)),
                             model_->index(static_cast<int>(last), static_cast<int>(lastCol)));
}

// Rows come and go at the grid's end, so at the model's end: a shrinking grid takes the model rows from the
// first one whose grid row goes.
void FlexGridView::rowsAboutToChange(long rows) {
    const QScopedValueRollback<bool> following(applying_, true);
    rowsBefore_ = grid_.rows();
    const int modelRows = model_->rowCount();
    if (rows > rowsBefore_) {
        model_->beginInsertRows({}, modelRows, static_cast<int>(modelRows + rows - rowsBefore_ - 1));
    } else {
        const long first = std::min(rows, std::max(grid_.fixedRows(), rows - model_->skipped_));
        model_->beginRemoveRows({}, static_cast<int>(first), modelRows - 1);
    }
}

void FlexGridView::rowsChanged() {
    {
        const QScopedValueRollback<bool> following(applying_, true);
        if (grid_.rows() > rowsBefore_) {
            model_->endInsertRows();
        } else {
            // When every row from TopRow on went, the model kept no row above them either.
            model_->skipped_ = std::min(model_->skipped_, std::max(0L, grid_.rows() - grid_.fixedRows()));
            model_->endRemoveRows();
        }
    }
    applyTopRow();
    applyCurrentCell();
}

void FlexGridView::colsAboutToChange(long cols) {
    colsBefore_ = grid_.cols();
    if (cols > colsBefore_) {
        model_->beginInsertColumns({}, static_cast<int>(colsBefore_), static_cast<int>(cols - 1));
    } else {
        model_->beginRemoveColumns({}, static_cast<int>(cols), static_cast<int>(colsBefore_ - 1));
    }
}

void FlexGridView::colsChanged() {
    if (grid_.cols() > colsBefore_) {
        model_->endInsertColumns();
    } else {
        model_->endRemoveColumns();
    }
    applyColumns();
    applyCurrentCell();
}

void FlexGridView::columnChanged(long col) {
    applyColumn(col);
    cellsChanged(0, col, grid_.rows() - 1, col);
}

// Which model rows are fixed and which grid row follows them both changed: the model starts again (the
// header keeps its columns' widths through that).
void FlexGridView::fixedChanged() {
    {
        const QScopedValueRollback<bool> following(applying_, true);
        model_->beginResetModel();
        model_->skipped_ = grid_.topRow() - grid_.fixedRows();
        model_->endResetModel();
    }
    applyCurrentCell();
}

void FlexGridView::currentCellChanged() {
    applyCurrentCell();
}

void FlexGridView::topRowChanged() {
    applyTopRow();
    applyCurrentCell();
}

void FlexGridView::applyColumn(long col) {
    const int c = static_cast<int>(col);
    const long width = grid_.colWidth(col);
    setColumnHidden(c, width == 0);
    if (width > 0) setColumnWidth(c, std::max(1, pixels(width)));
}

void FlexGridView::applyColumns() {
    for (long c = 0; c < grid_.cols(); ++c) applyColumn(c);
}

// A current cell scrolled above TopRow is not in the model: the view then has no current cell.
void FlexGridView::applyCurrentCell() {
    if (grid_.rows() == 0 || grid_.cols() == 0) return;
    const QScopedValueRollback<bool> following(applying_, true);
    selectionModel()->setCurrentIndex(model_->cellIndex(grid_.row(), grid_.col()), QItemSelectionModel::ClearAndSelect);
}

// TopRow moving down takes the rows it passes out of the model, right under the fixed rows; moving up puts
// them back there. Only those rows are touched, so following a growing grid's last row stays cheap.
void FlexGridView::applyTopRow() {
    const QScopedValueRollback<bool> following(applying_, true);
    const int fixed = static_cast<int>(grid_.fixedRows());
    const long skipped = grid_.topRow() - fixed;
    const long before = model_->skipped_;
    if (skipped > before) {
        model_->beginRemoveRows({}, fixed, static_cast<int>(fixed + skipped - before - 1));
        model_->skipped_ = skipped;
        model_->endRemoveRows();
    } else if (skipped < before) {
        model_->beginInsertRows({}, fixed, static_cast<int>(fixed + before - skipped - 1));
        model_->skipped_ = skipped;
        model_->endInsertRows();
    }
    verticalScrollBar()->setValue(0);
}

int FlexGridView::visibleScrollingRows() const {
    return std::max(1, viewport()->height() / kRowPixels - static_cast<int>(grid_.fixedRows()));
}

void FlexGridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) return;
    const long r = model_->gridRow(index.row());
    // Bringing a cell into view moves TopRow, never the fixed rows; moving the current cell from code does not
    // scroll at all, as the windows scroll their grids themselves.
    if (!applying_ && r >= grid_.fixedRows()) {
        const long shown = visibleScrollingRows();
        if (r < grid_.topRow()) {
            grid_.setTopRow(r);
        } else if (r >= grid_.topRow() + shown) {
            grid_.setTopRow(r - shown + 1);
        }
    }
    // A new TopRow moved the model's rows under the cell: its index is looked up again.
    QTableView::scrollTo(model_->cellIndex(r, index.column()), hint);
    verticalScrollBar()->setValue(0);
}

// The grid takes the cell before the view brings it into view, which may move TopRow and the model's rows.
void FlexGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (!applying_ && current.isValid()) {
        const QScopedValueRollback<bool> following(applying_, true);
        grid_.setRow(model_->gridRow(current.row()));
        grid_.setCol(current.column());
    }
    QTableView::currentChanged(current, previous);
}

void FlexGridView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!onCellClick || !index.isValid() || event->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    event->accept();
    onCellClick(model_->gridRow(index.row()), index.column());
}

void FlexGridView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) grid_.setTopRow(std::max(0L, grid_.topRow() - 3L * steps));
    event->accept();
}

}  // namespace ui
