#include "platform/ui/qt/FlexGridView.h"

#include "platform/ui/qt/QtColors.h"

#include <QBrush>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPalette>
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
    return parent.isValid() ? 0 : static_cast<int>(grid_.rows());
}

int FlexGridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_.cols());
}

QVariant FlexGridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= grid_.rows() || index.column() >= grid_.cols()) return {};
    const long r = index.row();
    const long c = index.column();
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
    applyTopRow();
    applyCurrentCell();
    grid_.setObserver(this);
}

FlexGridView::~FlexGridView() {
    grid_.setObserver(nullptr);
}

void FlexGridView::cellsChanged(long firstRow, long firstCol, long lastRow, long lastCol) {
    emit model_->dataChanged(model_->index(static_cast<int>(firstRow), static_cast<int>(firstCol)),
                             model_->index(static_cast<int>(lastRow), static_cast<int>(lastCol)));
}

void FlexGridView::rowsAboutToChange(long rows) {
    rowsBefore_ = grid_.rows();
    if (rows > rowsBefore_) {
        model_->beginInsertRows({}, static_cast<int>(rowsBefore_), static_cast<int>(rows - 1));
    } else {
        model_->beginRemoveRows({}, static_cast<int>(rows), static_cast<int>(rowsBefore_ - 1));
    }
}

void FlexGridView::rowsChanged() {
    if (grid_.rows() > rowsBefore_) {
        model_->endInsertRows();
    } else {
        model_->endRemoveRows();
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

void FlexGridView::fixedChanged() {
    if (grid_.rows() > 0 && grid_.cols() > 0) cellsChanged(0, 0, grid_.rows() - 1, grid_.cols() - 1);
    applyTopRow();
}

void FlexGridView::currentCellChanged() {
    applyCurrentCell();
}

void FlexGridView::topRowChanged() {
    applyTopRow();
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

void FlexGridView::applyCurrentCell() {
    if (grid_.rows() == 0 || grid_.cols() == 0) return;
    applying_ = true;
    selectionModel()->setCurrentIndex(model_->index(static_cast<int>(grid_.row()), static_cast<int>(grid_.col())),
                                      QItemSelectionModel::ClearAndSelect);
    applying_ = false;
}

// The rows from the fixed ones up to TopRow are hidden; only the rows whose state changes are touched, so a
// grid that grows by one row at a time with TopRow following it stays cheap.
void FlexGridView::applyTopRow() {
    const long rows = grid_.rows();
    const long from = grid_.fixedRows();
    const long to = std::max(from, std::min(grid_.topRow(), rows));
    auto setHidden = [&](long first, long last, bool hidden) {
        for (long r = first; r < std::min(last, rows); ++r) setRowHidden(static_cast<int>(r), hidden);
    };
    setHidden(hiddenFrom_, std::min(hiddenTo_, from), false);
    setHidden(std::max(hiddenFrom_, to), hiddenTo_, false);
    setHidden(from, std::min(to, hiddenFrom_), true);
    setHidden(std::max(from, hiddenTo_), to, true);
    hiddenFrom_ = from;
    hiddenTo_ = to;
    verticalScrollBar()->setValue(0);
}

int FlexGridView::visibleScrollingRows() const {
    return std::max(1, viewport()->height() / kRowPixels - static_cast<int>(grid_.fixedRows()));
}

void FlexGridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) return;
    const long r = index.row();
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
    QTableView::scrollTo(index, hint);
    verticalScrollBar()->setValue(0);
}

void FlexGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (applying_ || !current.isValid()) return;
    applying_ = true;
    grid_.setRow(current.row());
    grid_.setCol(current.column());
    applying_ = false;
}

void FlexGridView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!onCellClick || !index.isValid() || event->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    event->accept();
    onCellClick(index.row(), index.column());
}

void FlexGridView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) grid_.setTopRow(std::max(0L, grid_.topRow() - 3L * steps));
    event->accept();
}

}  // namespace ui
