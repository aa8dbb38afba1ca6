#include "platform/ui/FlexGrid.h"

#include "platform/base/Error.h"
#include "platform/ui/UiErrors.h"

#include <algorithm>

namespace ui {

namespace {

[[noreturn]] void raise(long number, const char* description) {
    throw base::Error(number, description, "FlexGrid");
}

}  // namespace

FlexGrid::FlexGrid(std::string gridName)
    : name(std::move(gridName)),
      cells_(static_cast<std::size_t>(rows_ * cols_)),
      colWidths_(static_cast<std::size_t>(cols_), kDefaultColWidth),
      colAlignments_(static_cast<std::size_t>(cols_), General) {}

void FlexGrid::setRows(long rows) {
    if (rows < 0) raise(errors::kInvalidPropertyValue, "Invalid property value");
    if (rows == rows_) return;
    if (observer_) observer_->rowsAboutToChange(rows);
    rows_ = rows;
    cells_.resize(static_cast<std::size_t>(rows_ * cols_));
    fixedRows_ = std::min(fixedRows_, rows_);
    keepInside();
    if (observer_) observer_->rowsChanged();
}

void FlexGrid::reserveRows(long rows) {
    if (rows > rows_) cells_.reserve(static_cast<std::size_t>(rows * cols_));
}

void FlexGrid::setCols(long cols) {
    if (cols < 0) raise(errors::kInvalidPropertyValue, "Invalid property value");
    if (cols == cols_) return;
    if (observer_) observer_->colsAboutToChange(cols);
    std::vector<Cell> cells(static_cast<std::size_t>(rows_ * cols));
    long kept = std::min(cols, cols_);
    for (long r = 0; r < rows_; ++r) {
        for (long c = 0; c < kept; ++c) {
            cells[static_cast<std::size_t>(r * cols + c)] = std::move(cellAt(r, c));
        }
    }
    cells_ = std::move(cells);
    cols_ = cols;
    colWidths_.resize(static_cast<std::size_t>(cols_), kDefaultColWidth);
    colAlignments_.resize(static_cast<std::size_t>(cols_), General);
    fixedCols_ = std::min(fixedCols_, cols_);
    keepInside();
    if (observer_) observer_->colsChanged();
}

void FlexGrid::setFixedRows(long fixedRows) {
    if (fixedRows < 0 || fixedRows > rows_) raise(errors::kInvalidRowValue, "Invalid Row value");
    fixedRows_ = fixedRows;
    keepInside();
    if (observer_) observer_->fixedChanged();
}

void FlexGrid::setFixedCols(long fixedCols) {
    if (fixedCols < 0 || fixedCols > cols_) raise(errors::kInvalidColValue, "Invalid Col value");
    fixedCols_ = fixedCols;
    if (observer_) observer_->fixedChanged();
}

// After a size change the current cell stays inside the grid (TopRow is kept inside as it is read).
void FlexGrid::keepInside() {
    row_ = std::clamp(row_, 0L, std::max(rows_ - 1, 0L));
    col_ = std::clamp(col_, 0L, std::max(cols_ - 1, 0L));
}

void FlexGrid::setRow(long row) {
    if (row < 0 || row >= rows_) raise(errors::kInvalidRowValue, "Invalid Row value");
    if (row == row_) return;
    row_ = row;
    if (observer_) observer_->currentCellChanged();
}

void FlexGrid::setCol(long col) {
    if (col < 0 || col >= cols_) raise(errors::kInvalidColValue, "Invalid Col value");
    if (col == col_) return;
    col_ = col;
    if (observer_) observer_->currentCellChanged();
}

void FlexGrid::checkCell(long row, long col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
        raise(errors::kSubscriptOutOfRange, "Subscript out of range");
    }
}

void FlexGrid::checkCol(long col) const {
    if (col < 0 || col >= cols_) raise(errors::kSubscriptOutOfRange, "Subscript out of range");
}

// A grid of no rows or no columns has no current cell.
void FlexGrid::checkCurrent() const {
    if (rows_ == 0) raise(errors::kInvalidRowValue, "Invalid Row value");
    if (cols_ == 0) raise(errors::kInvalidColValue, "Invalid Col value");
}

void FlexGrid::cellChanged(long row, long col) {
    if (observer_) observer_->cellsChanged(row, col, row, col);
}

const std::string& FlexGrid::text() const {
    checkCurrent();
    return cellAt(row_, col_).text;
}

void FlexGrid::setText(std::string text) {
    checkCurrent();
    cellAt(row_, col_).text = std::move(text);
    cellChanged(row_, col_);
}

const std::string& FlexGrid::textMatrix(long row, long col) const {
    checkCell(row, col);
    return cellAt(row, col).text;
}

void FlexGrid::setTextMatrix(long row, long col, std::string text) {
    checkCell(row, col);
    cellAt(row, col).text = std::move(text);
    cellChanged(row, col);
}

const std::string& FlexGrid::textArray(long index) const {
    if (index < 0 || index >= rows_ * cols_) raise(errors::kSubscriptOutOfRange, "Subscript out of range");
    return cells_[static_cast<std::size_t>(index)].text;
}

void FlexGrid::setTextArray(long index, std::string text) {
    if (index < 0 || index >= rows_ * cols_) raise(errors::kSubscriptOutOfRange, "Subscript out of range");
    cells_[static_cast<std::size_t>(index)].text = std::move(text);
    cellChanged(index / cols_, index % cols_);
}

long FlexGrid::colWidth(long col) const {
    checkCol(col);
    return colWidths_[static_cast<std::size_t>(col)];
}

void FlexGrid::setColWidth(long col, long twips) {
    checkCol(col);
    if (twips < 0) raise(errors::kInvalidPropertyValue, "Invalid property value");
    colWidths_[static_cast<std::size_t>(col)] = twips;
    if (observer_) observer_->columnChanged(col);
}

int FlexGrid::colAlignment(long col) const {
    checkCol(col);
    return colAlignments_[static_cast<std::size_t>(col)];
}

void FlexGrid::setColAlignment(long col, int alignment) {
    checkCol(col);
    if (alignment < LeftTop || alignment > General) raise(errors::kInvalidPropertyValue, "Invalid property value");
    colAlignments_[static_cast<std::size_t>(col)] = alignment;
    if (observer_) observer_->columnChanged(col);
}

Color FlexGrid::cellBackColor() const {
    checkCurrent();
    return cellAt(row_, col_).back;
}

void FlexGrid::setCellBackColor(Color color) {
    checkCurrent();
    cellAt(row_, col_).back = color;
    cellChanged(row_, col_);
}

Color FlexGrid::cellForeColor() const {
    checkCurrent();
    return cellAt(row_, col_).fore;
}

void FlexGrid::setCellForeColor(Color color) {
    checkCurrent();
    cellAt(row_, col_).fore = color;
    cellChanged(row_, col_);
}

Color FlexGrid::backColorAt(long row, long col) const {
    checkCell(row, col);
    return cellAt(row, col).back;
}

Color FlexGrid::foreColorAt(long row, long col) const {
    checkCell(row, col);
    return cellAt(row, col).fore;
}

long FlexGrid::lastTopRow() const {
    long last = rows_ - 1;
    if (height > 0) {
        long fitting = std::max(1L, (height - fixedRows_ * kRowHeight) / kRowHeight);
        last = rows_ - fitting;
    }
    return std::max(last, fixedRows_);
}

long FlexGrid::topRow() const {
    return std::clamp(topRow_, fixedRows_, lastTopRow());
}

void FlexGrid::setTopRow(long row) {
    if (row < 0) raise(errors::kInvalidRowValue, "Invalid Row value");
    long before = topRow();
    topRow_ = std::clamp(row, fixedRows_, lastTopRow());
    if (observer_ && topRow_ != before) observer_->topRowChanged();
}

long FlexGrid::cellLeft() const {
    checkCurrent();
    long left = 0;
    for (long c = 0; c < col_; ++c) left += colWidths_[static_cast<std::size_t>(c)];
    return left;
}

long FlexGrid::cellTop() const {
    checkCurrent();
    if (row_ < fixedRows_) return row_ * kRowHeight;
    return (fixedRows_ + row_ - topRow()) * kRowHeight;
}

long FlexGrid::cellWidth() const {
    checkCurrent();
    return colWidths_[static_cast<std::size_t>(col_)];
}

long FlexGrid::cellHeight() const {
    checkCurrent();
    return kRowHeight;
}

void FlexGrid::clear() {
    for (auto& cell : cells_) cell = Cell{};
    refresh();
}

void FlexGrid::refresh() {
    if (observer_ && rows_ > 0 && cols_ > 0) observer_->cellsChanged(0, 0, rows_ - 1, cols_ - 1);
}

}  // namespace ui
