#include "platform/base/Error.h"
#include "platform/ui/FlexGrid.h"
#include "tests/support/Failures.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using ui::FlexGrid;
using testing_support::errorNumberOf;

std::string label(long r, long c) {
    return std::to_string(r) + "," + std::to_string(c);
}

void fill(FlexGrid& grid) {
    for (long r = 0; r < grid.rows(); ++r) {
        for (long c = 0; c < grid.cols(); ++c) grid.setTextMatrix(r, c, label(r, c));
    }
}

TEST(FlexGrid, StartsAsTheControlDoes) {
    FlexGrid grid("MSFlexGrid1");
    EXPECT_EQ(grid.name, "MSFlexGrid1");
    EXPECT_EQ(grid.rows(), 2);
    EXPECT_EQ(grid.cols(), 2);
    EXPECT_EQ(grid.fixedRows(), 1);
    EXPECT_EQ(grid.fixedCols(), 1);
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.col(), 1);
    EXPECT_EQ(grid.topRow(), 1);
    EXPECT_EQ(grid.colAlignment(0), FlexGrid::General);
}

// Growing and shrinking, one way then the other: what survives is exactly the cells inside both sizes.
TEST(FlexGrid, RowsAndColsGrowAndShrinkKeepingTexts) {
    struct Step {
        long rows;
        long cols;
    };
    const Step steps[] = {{5, 3}, {2, 3}, {4, 3}, {4, 92}, {4, 2}, {6, 5}, {1, 1}, {3, 4}};
    FlexGrid grid;
    grid.setRows(3);
    grid.setCols(3);
    fill(grid);
    long keptRows = 3, keptCols = 3;  // the cells that still hold their first text
    for (const Step& s : steps) {
        grid.setRows(s.rows);
        grid.setCols(s.cols);
        keptRows = std::min(keptRows, s.rows);
        keptCols = std::min(keptCols, s.cols);
        ASSERT_EQ(grid.rows(), s.rows);
        ASSERT_EQ(grid.cols(), s.cols);
        for (long r = 0; r < s.rows; ++r) {
            for (long c = 0; c < s.cols; ++c) {
                const std::string expected = r < keptRows && c < keptCols ? label(r, c) : "";
                EXPECT_EQ(grid.textMatrix(r, c), expected) << "after " << s.rows << "x" << s.cols << " cell " << r << "," << c;
            }
        }
    }
}

TEST(FlexGrid, AddingARowAtTheEndAsTheErrorListDoes) {
    FlexGrid grid;
    grid.setCols(2);
    for (int error = 1; error <= 3; ++error) {
        grid.setRows(grid.rows() + 1);
        grid.setTextMatrix(grid.rows() - 1, 0, std::to_string(error));
        grid.setTextMatrix(grid.rows() - 1, 1, "fallo " + std::to_string(error));
    }
    EXPECT_EQ(grid.rows(), 5);
    EXPECT_EQ(grid.textMatrix(2, 0), "1");
    EXPECT_EQ(grid.textMatrix(4, 1), "fallo 3");
}

TEST(FlexGrid, ClearEmptiesCellsAndKeepsSizes) {
    FlexGrid grid;
    grid.setRows(4);
    grid.setCols(3);
    grid.setFixedCols(2);
    grid.setColWidth(0, 350);
    grid.setColAlignment(1, FlexGrid::CenterCenter);
    fill(grid);
    grid.setRow(2);
    grid.setCol(2);
    grid.setCellBackColor(65535);
    grid.setCellForeColor(ui::kWhite);

    grid.clear();

    EXPECT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.cols(), 3);
    EXPECT_EQ(grid.fixedRows(), 1);
    EXPECT_EQ(grid.fixedCols(), 2);
    EXPECT_EQ(grid.colWidth(0), 350);
    EXPECT_EQ(grid.colAlignment(1), FlexGrid::CenterCenter);
    EXPECT_EQ(grid.row(), 2);
    for (long i = 0; i < 12; ++i) EXPECT_EQ(grid.textArray(i), "") << i;
    EXPECT_EQ(grid.cellBackColor(), 0u);
    EXPECT_EQ(grid.cellForeColor(), 0u);
}

TEST(FlexGrid, TextArrayIndexIsRowTimesColsPlusCol) {
    struct Case {
        long rows, cols, row, col;
    };
    const Case cases[] = {{2, 92, 0, 0}, {2, 92, 0, 91}, {2, 92, 1, 0}, {3, 16, 2, 15}, {5, 1, 4, 0}};
    for (const Case& c : cases) {
        FlexGrid grid;
        grid.setRows(c.rows);
        grid.setCols(c.cols);
        fill(grid);
        EXPECT_EQ(grid.textArray(c.row * c.cols + c.col), label(c.row, c.col)) << c.rows << "x" << c.cols;
        grid.setTextArray(c.row * c.cols + c.col, "Descripción");
        EXPECT_EQ(grid.textMatrix(c.row, c.col), "Descripción");
        EXPECT_EQ(errorNumberOf([&] { grid.textArray(c.rows * c.cols); }), 381);
    }
}

TEST(FlexGrid, CellColoursFollowTheCurrentCell) {
    FlexGrid grid;
    grid.setRows(4);
    grid.setCols(5);
    // Paint row 2 one column at a time, as a row painter does, then one cell's text white.
    for (long c = 0; c < grid.cols(); ++c) {
        grid.setCol(c);
        grid.setRow(2);
        grid.setCellBackColor(12648447);
    }
    grid.setRow(3);
    grid.setCol(1);
    grid.setCellForeColor(0xFFFFFF);

    for (long r = 0; r < 4; ++r) {
        for (long c = 0; c < 5; ++c) {
            EXPECT_EQ(grid.backColorAt(r, c), r == 2 ? 12648447u : 0u) << r << "," << c;
            EXPECT_EQ(grid.foreColorAt(r, c), r == 3 && c == 1 ? 0xFFFFFFu : 0u) << r << "," << c;
        }
    }
    grid.setRow(2);
    grid.setCol(4);
    EXPECT_EQ(grid.cellBackColor(), 12648447u);
    EXPECT_EQ(grid.cellForeColor(), 0u);
}

TEST(FlexGrid, TextIsTheCurrentCellsTextFixedCellsIncluded) {
    FlexGrid grid;
    grid.setRows(3);
    grid.setCols(3);
    grid.setRow(0);  // the caption row may be current
    grid.setCol(0);
    grid.setText("Lote");
    grid.setRow(2);
    grid.setCol(1);
    grid.setText("15");
    EXPECT_EQ(grid.textMatrix(0, 0), "Lote");
    EXPECT_EQ(grid.textMatrix(2, 1), "15");
    EXPECT_EQ(grid.text(), "15");
}

TEST(FlexGrid, FixedRowsAndColsFollowTheSize) {
    FlexGrid grid;
    grid.setRows(5);
    grid.setCols(4);
    grid.setFixedCols(2);
    EXPECT_EQ(grid.fixedCols(), 2);
    grid.setRows(1);  // only the caption row left
    EXPECT_EQ(grid.fixedRows(), 1);
    grid.setRows(0);
    EXPECT_EQ(grid.fixedRows(), 0);
    grid.setRows(5);
    EXPECT_EQ(grid.fixedRows(), 0);
    grid.setCols(1);
    EXPECT_EQ(grid.fixedCols(), 1);
}

TEST(FlexGrid, ShrinkingMovesTheCurrentCellInside) {
    FlexGrid grid;
    grid.setRows(10);
    grid.setCols(6);
    grid.setRow(9);
    grid.setCol(5);
    grid.setRows(4);
    grid.setCols(3);
    EXPECT_EQ(grid.row(), 3);
    EXPECT_EQ(grid.col(), 2);
}

TEST(FlexGrid, ValuesOutsideTheGridRaise) {
    FlexGrid grid;
    grid.setRows(3);
    grid.setCols(4);
    struct Case {
        const char* what;
        std::function<void()> action;
        long number;
    };
    const Case cases[] = {
        {"Row = Rows", [&] { grid.setRow(3); }, 30009},
        {"Row = -1", [&] { grid.setRow(-1); }, 30009},
        {"Col = Cols", [&] { grid.setCol(4); }, 30010},
        {"FixedRows > Rows", [&] { grid.setFixedRows(4); }, 30009},
        {"FixedCols > Cols", [&] { grid.setFixedCols(5); }, 30010},
        {"TextMatrix row", [&] { grid.textMatrix(3, 0); }, 381},
        {"TextMatrix col", [&] { grid.setTextMatrix(0, -1, "x"); }, 381},
        {"ColWidth", [&] { grid.setColWidth(4, 100); }, 381},
        {"negative ColWidth", [&] { grid.setColWidth(0, -5); }, 380},
        {"ColAlignment", [&] { grid.setColAlignment(0, 10); }, 380},
        {"Rows = -1", [&] { grid.setRows(-1); }, 380},
        {"TopRow = -1", [&] { grid.setTopRow(-1); }, 30009},
    };
    for (const Case& c : cases) EXPECT_EQ(errorNumberOf(c.action), c.number) << c.what;
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.cols(), 4);
}

TEST(FlexGrid, TopRowStaysBetweenTheFixedRowsAndTheLastFullPage) {
    struct Case {
        long height;  // twips; 0: not laid out
        long asked;
        long expected;
    };
    // 20 rows, 1 fixed; a height of 1200 twips holds the caption row and 4 more.
    const Case cases[] = {
        {0, 19, 19}, {0, 25, 19}, {0, 0, 1}, {0, 7, 7},
        {1200, 19, 16}, {1200, 16, 16}, {1200, 3, 3}, {1300, 19, 16}, {100, 19, 19},
    };
    for (const Case& c : cases) {
        FlexGrid grid;
        grid.setRows(20);
        grid.height = c.height;
        grid.setTopRow(c.asked);
        EXPECT_EQ(grid.topRow(), c.expected) << "height " << c.height << " asked " << c.asked;
    }
}

TEST(FlexGrid, TopRowFollowsRowsRemoved) {
    FlexGrid grid;
    grid.setRows(20);
    grid.setTopRow(15);
    grid.setRows(10);
    EXPECT_EQ(grid.topRow(), 9);
    grid.setRows(1);
    EXPECT_EQ(grid.topRow(), 1);
}

TEST(FlexGrid, CellGeometryComesFromWidthsRowHeightAndTopRow) {
    struct Case {
        long fixedRows, topRow, row, col;
        long left, top, width;
    };
    // Widths 350, 1000, 2000, 0, 500; rows 240 twips high.
    const Case cases[] = {
        {1, 1, 0, 0, 0, 0, 350},          // caption corner
        {1, 1, 1, 1, 350, 240, 1000},     // first scrolling cell
        {1, 1, 3, 2, 1350, 720, 2000},
        {1, 1, 3, 4, 3350, 720, 500},     // after a hidden column
        {1, 5, 7, 1, 350, 720, 1000},     // scrolled: row 7 is third under the caption
        {1, 5, 0, 2, 1350, 0, 2000},      // the caption row never scrolls
        {1, 5, 3, 1, 350, -240, 1000},    // above TopRow: above the grid
        {2, 2, 1, 0, 0, 240, 350},
        {0, 4, 6, 0, 0, 480, 350},
    };
    for (const Case& c : cases) {
        FlexGrid grid;
        grid.setRows(12);
        grid.setCols(5);
        const long widths[] = {350, 1000, 2000, 0, 500};
        for (long i = 0; i < 5; ++i) grid.setColWidth(i, widths[i]);
        grid.setFixedRows(c.fixedRows);
        grid.setTopRow(c.topRow);
        grid.setRow(c.row);
        grid.setCol(c.col);
        EXPECT_EQ(grid.cellLeft(), c.left) << c.row << "," << c.col;
        EXPECT_EQ(grid.cellTop(), c.top) << c.row << "," << c.col << " top row " << c.topRow;
        EXPECT_EQ(grid.cellWidth(), c.width);
        EXPECT_EQ(grid.cellHeight(), 240);
    }
}

// The edit box check of the entry dialogs: when the edited cell reaches below the grid, scroll one row.
TEST(FlexGrid, ScrollingOneRowBringsTheCellAboveTheGridsBottom) {
    FlexGrid grid;
    grid.setRows(10);
    grid.height = 1200;  // caption + 4 rows
    grid.setRow(5);
    EXPECT_LT(grid.height, grid.cellTop() + grid.cellHeight());
    grid.setTopRow(grid.topRow() + 1);
    EXPECT_EQ(grid.topRow(), 2);
    EXPECT_GE(grid.height, grid.cellTop() + grid.cellHeight());
}

}  // namespace
