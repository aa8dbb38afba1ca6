#pragma once
// The grid the windows use, as pure data: a table of cell texts with fixed (caption) rows and columns, a
// current cell, column widths and alignments in twips, per-cell colours and a top row. Most grids of the
// program are never shown (the 92-column article-line grid), so everything works without a view; a shown
// grid gets a FlexGridView, which follows the changes through the Observer.
//
// Rows and columns count from 0, fixed ones included, as the windows address them.

#include "platform/ui/Color.h"

#include <string>
#include <vector>

namespace ui {

class FlexGrid {
public:
    // Row height of every row, in twips (16 pixels at 96 dpi). The windows never change it; cell geometry and
    // the view both use it.
    static constexpr long kRowHeight = 240;
    static constexpr long kDefaultColWidth = 960;

    // ColAlignment values.
    enum Alignment : int {
        LeftTop = 0, LeftCenter = 1, LeftBottom = 2,
        CenterTop = 3, CenterCenter = 4, CenterBottom = 5,
        RightTop = 6, RightCenter = 7, RightBottom = 8,
        General = 9,  // texts to the left, numbers to the right
    };

    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void cellsChanged(long firstRow, long firstCol, long lastRow, long lastCol) = 0;  // texts, colours
        // Rows or Cols about to change to the given count, and changed.
        virtual void rowsAboutToChange(long rows) = 0;
        virtual void rowsChanged() = 0;
        virtual void colsAboutToChange(long cols) = 0;
        virtual void colsChanged() = 0;
        virtual void columnChanged(long col) = 0;  // width or alignment
        virtual void fixedChanged() = 0;  // FixedRows or FixedCols
        virtual void currentCellChanged() = 0;
        virtual void topRowChanged() = 0;
    };

    explicit FlexGrid(std::string name = {});
    FlexGrid(const FlexGrid&) = delete;
    FlexGrid& operator=(const FlexGrid&) = delete;

    std::string name;
    // The grid's own place in its window. Height also limits TopRow (below); 0 means not laid out.
    long left = 0, top = 0, width = 0, height = 0;

    long rows() const { return rows_; }
    // Growing adds empty rows at the end; shrinking drops the last rows; the other texts stay where they are.
    void setRows(long rows);
    // Room for `rows` rows, so a grid filled row by row up to a count known beforehand does not move its
    // cells as it grows. Rows and texts stay as they are.
    void reserveRows(long rows);
    long cols() const { return cols_; }
    void setCols(long cols);

    long fixedRows() const { return fixedRows_; }
    void setFixedRows(long fixedRows);  // 0 to Rows, else 30009
    long fixedCols() const { return fixedCols_; }
    void setFixedCols(long fixedCols);  // 0 to Cols, else 30010

    // The current cell; fixed cells may be current. Outside the grid: 30009 / 30010.
    long row() const { return row_; }
    void setRow(long row);
    long col() const { return col_; }
    void setCol(long col);

    const std::string& text() const;  // of the current cell
    void setText(std::string text);

    // Outside the grid: 381.
    const std::string& textMatrix(long row, long col) const;
    void setTextMatrix(long row, long col, std::string text);
    // The same cells by one index: row * Cols + col.
    const std::string& textArray(long index) const;
    void setTextArray(long index, std::string text);

    long colWidth(long col) const;
    void setColWidth(long col, long twips);  // 0 hides the column
    int colAlignment(long col) const;
    void setColAlignment(long col, int alignment);

    // Colours of the current cell; 0 means the grid's own colour.
    Color cellBackColor() const;
    void setCellBackColor(Color color);
    Color cellForeColor() const;
    void setCellForeColor(Color color);
    // Any cell's colours, for views.
    Color backColorAt(long row, long col) const;
    Color foreColorAt(long row, long col) const;

    // The first scrolling row shown under the fixed rows. A negative row raises 30009; any other is kept
    // between FixedRows and the last row that still fills the grid's Height with rows (Rows - 1 while the
    // grid has no height), the way the grid itself limits its scrolling.
    long topRow() const;
    void setTopRow(long row);

    // The current cell's rectangle in twips from the grid's top left corner: the fixed rows and columns, then
    // the rows from TopRow down (a row above TopRow lies above the grid, at a negative top). Scrolling
    // columns start right after the fixed ones; the windows never scroll a grid sideways.
    long cellLeft() const;
    long cellTop() const;
    long cellWidth() const;
    long cellHeight() const;

    // Empties every cell and drops its colours; Rows, Cols, the fixed ones, widths and alignments stay.
    void clear();
    // Views show everything again.
    void refresh();

    void setObserver(Observer* observer) { observer_ = observer; }

private:
    struct Cell {
        std::string text;
        Color back = 0;
        Color fore = 0;
    };

    Cell& cellAt(long row, long col) { return cells_[static_cast<std::size_t>(row * cols_ + col)]; }
    const Cell& cellAt(long row, long col) const { return cells_[static_cast<std::size_t>(row * cols_ + col)]; }
    void checkCell(long row, long col) const;
    void checkCol(long col) const;
    void checkCurrent() const;
    void keepInside();
    long lastTopRow() const;
    void cellChanged(long row, long col);

    long rows_ = 2;
    long cols_ = 2;
    long fixedRows_ = 1;
    long fixedCols_ = 1;
    long row_ = 1;
    long col_ = 1;
    long topRow_ = 1;
    std::vector<Cell> cells_;  // row by row
    std::vector<long> colWidths_;
    std::vector<int> colAlignments_;
    Observer* observer_ = nullptr;
};

}  // namespace ui
