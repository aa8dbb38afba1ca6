#include "platform/ui/qt/FlexGridView.h"
#include "tests/support/qt/Clicks.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QKeyEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using ui::FlexGrid;
using ui::FlexGridView;

QVariant cell(const FlexGridView& view, int row, int col, int role = Qt::DisplayRole) {
    return view.tableModel()->data(view.tableModel()->index(row, col), role);
}

constexpr long kTwipsPerPixel = 15;
constexpr int kRowPixels = static_cast<int>(FlexGrid::kRowHeight / kTwipsPerPixel);

// The grid rows a view lays out from its top down, read off the screen: each row's first cell holds its number
// (-1: a row the model does not have).
std::vector<long> shownRows(const FlexGridView& view) {
    std::vector<long> rows;
    for (int y = kRowPixels / 2; y < view.viewport()->height(); y += kRowPixels) {
        const int row = view.rowAt(y);
        if (row < 0) break;
        const QModelIndex first = view.model()->index(row, 0);
        rows.push_back(first.isValid() ? first.data().toString().toLong() : -1);
    }
    return rows;
}

void numberRows(FlexGrid& grid) {
    for (long r = 0; r < grid.rows(); ++r) grid.setTextMatrix(r, 0, std::to_string(r));
}

TEST(FlexGridView, ShowsTextsColoursAndWidthsAndFollowsTheGrid) {
    FlexGrid grid("MSFlexGrid1");
    grid.setRows(3);
    grid.setCols(3);
    grid.setTextMatrix(0, 1, "Descripción");
    grid.setTextMatrix(1, 1, "Tornillo");
    grid.setColWidth(0, 350);
    grid.setColWidth(1, 1500);
    grid.setColWidth(2, 0);
    grid.setRow(1);
    grid.setCol(1);
    grid.setCellBackColor(12648447);  // red FF, green FF, blue C0

    FlexGridView view(grid);
    view.resize(400, 200);
    view.show();
    QApplication::processEvents();

    EXPECT_EQ(view.tableModel()->rowCount(), 3);
    EXPECT_EQ(view.tableModel()->columnCount(), 3);
    EXPECT_EQ(cell(view, 0, 1).toString(), "Descripción");
    EXPECT_EQ(cell(view, 1, 1).toString(), "Tornillo");
    EXPECT_EQ(cell(view, 1, 1, Qt::BackgroundRole).value<QBrush>().color(), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_FALSE(cell(view, 2, 2, Qt::BackgroundRole).isValid());
    EXPECT_EQ(view.columnWidth(1), 100);  // 1500 twips at 15 a pixel
    EXPECT_TRUE(view.isColumnHidden(2));

    // Changes after the view exists reach it.
    grid.setRows(grid.rows() + 1);
    grid.setTextMatrix(3, 1, "Arandela");
    grid.setRow(3);
    grid.setCol(2);
    grid.setCellForeColor(0xFFFFFF);
    grid.setColWidth(2, 750);
    EXPECT_EQ(view.tableModel()->rowCount(), 4);
    EXPECT_EQ(cell(view, 3, 1).toString(), "Arandela");
    EXPECT_EQ(cell(view, 3, 2, Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::white));
    EXPECT_FALSE(view.isColumnHidden(2));
    EXPECT_EQ(view.columnWidth(2), 50);
    EXPECT_EQ(view.currentIndex(), view.tableModel()->index(3, 2));

    grid.clear();
    EXPECT_EQ(cell(view, 1, 1).toString(), "");
    EXPECT_FALSE(cell(view, 1, 1, Qt::BackgroundRole).value<QBrush>().color() == QColor(0xFF, 0xFF, 0xC0));
}

// A view repaints only the cells it is told about, so every way of changing a cell must name that cell.
TEST(FlexGridView, EveryCellChangeNamesItsCell) {
    FlexGrid grid;
    grid.setRows(4);
    grid.setCols(5);
    FlexGridView view(grid);
    std::vector<std::pair<int, int>> told;
    QObject::connect(view.tableModel(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& first, const QModelIndex& last) {
                         if (first == last) told.emplace_back(first.row(), first.column());
                     });
    struct Case {
        const char* how;
        std::function<void()> change;
        std::pair<int, int> cell;
    };
    const Case cases[] = {
        {"TextMatrix", [&] { grid.setTextMatrix(3, 1, "x"); }, {3, 1}},
        {"TextArray", [&] { grid.setTextArray(2 * 5 + 4, "x"); }, {2, 4}},
        {"Text", [&] { grid.setRow(1); grid.setCol(3); grid.setText("x"); }, {1, 3}},
        {"CellBackColor", [&] { grid.setRow(3); grid.setCol(0); grid.setCellBackColor(65535); }, {3, 0}},
        {"CellForeColor", [&] { grid.setRow(0); grid.setCol(2); grid.setCellForeColor(0xFFFFFF); }, {0, 2}},
    };
    for (const Case& c : cases) {
        told.clear();
        c.change();
        ASSERT_EQ(told.size(), 1u) << c.how;
        EXPECT_EQ(told[0], c.cell) << c.how;
    }
}

TEST(FlexGridView, TopRowHidesTheRowsAboveItButNeverTheFixedOnes) {
    FlexGrid grid;
    grid.setRows(10);
    grid.setCols(2);
    numberRows(grid);
    FlexGridView view(grid);
    view.resize(200, 12 * kRowPixels);
    view.show();

    grid.setTopRow(5);
    EXPECT_EQ(shownRows(view), (std::vector<long>{0, 5, 6, 7, 8, 9}));
    grid.setTopRow(2);
    EXPECT_EQ(shownRows(view), (std::vector<long>{0, 2, 3, 4, 5, 6, 7, 8, 9}));
    grid.setTopRow(8);
    grid.setRows(2);  // TopRow follows the rows removed
    EXPECT_EQ(shownRows(view), (std::vector<long>{0, 1}));
}

// A grid a fixed row and four scrolling rows high, shown through a view of the same size, each row's first
// cell holding its number.
class ScrolledGrid : public ::testing::Test {
protected:
    static constexpr long kShown = 4;

    ScrolledGrid() : view(grid) {
        grid.setCols(3);
        grid.setRows(30);
        grid.height = (1 + kShown) * FlexGrid::kRowHeight;
        numberRows(grid);
        view.setFrameShape(QFrame::NoFrame);
        view.resize(300, static_cast<int>(1 + kShown) * kRowPixels);
        view.show();
        QApplication::processEvents();
    }

    // The fixed row, then kShown rows from `top` on.
    static std::vector<long> page(long top) {
        std::vector<long> rows{0};
        for (long r = top; r < top + kShown; ++r) rows.push_back(r);
        return rows;
    }

    // The middle of a grid cell on screen, where the grid's own cell geometry puts it.
    QPoint middleOf(long row, long col) {
        const long currentRow = grid.row(), currentCol = grid.col();
        grid.setRow(row);
        grid.setCol(col);
        const QPoint middle(static_cast<int>((grid.cellLeft() + grid.cellWidth() / 2) / kTwipsPerPixel),
                            static_cast<int>((grid.cellTop() + grid.cellHeight() / 2) / kTwipsPerPixel));
        grid.setRow(currentRow);
        grid.setCol(currentCol);
        return middle;
    }

    void press(int key) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&view, &down);
    }

    void wheel(int notches) {
        const QPointF at(10, 10);
        QWheelEvent event(at, view.viewport()->mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &event);
    }

    FlexGrid grid;
    FlexGridView view;
};

// The error list's way: a row added at the end becomes TopRow, which the grid keeps where the last row still
// fills it.
TEST_F(ScrolledGrid, AGridGrowingWithTopRowFollowingShowsItsFixedRowThenItsLastRows) {
    grid.setRows(2);
    for (long added = 2; added <= 60; ++added) {
        grid.setRows(grid.rows() + 1);
        const long row = grid.rows() - 1;
        grid.setTextMatrix(row, 0, std::to_string(row));
        grid.setTopRow(row);
        const long top = std::max(1L, row - kShown + 1);
        ASSERT_EQ(grid.topRow(), top) << row;
        std::vector<long> expected = page(top);
        expected.resize(static_cast<std::size_t>(std::min(row, kShown) + 1));
        ASSERT_EQ(shownRows(view), expected) << row;
    }
}

TEST_F(ScrolledGrid, ACellClickedAfterScrollingIsThatGridCell) {
    struct Case {
        long row, col;
    };
    const Case cases[] = {{12, 1}, {15, 2}, {0, 1}, {13, 0}};
    for (bool handedToTheWindow : {false, true}) {
        std::vector<std::pair<long, long>> handed;
        view.onCellClick = nullptr;
        if (handedToTheWindow) view.onCellClick = [&](long row, long col) { handed.emplace_back(row, col); };
        grid.setTopRow(12);
        for (const Case& c : cases) {
            uitest::click(view.viewport(), middleOf(c.row, c.col));
            EXPECT_EQ(grid.topRow(), 12) << c.row;  // a shown row needs no scrolling
            if (handedToTheWindow) {
                ASSERT_FALSE(handed.empty());
                EXPECT_EQ(handed.back(), std::make_pair(c.row, c.col));
                continue;
            }
            EXPECT_EQ(grid.row(), c.row);
            EXPECT_EQ(grid.col(), c.col);
            // The view's current cell is the one clicked, where the grid's geometry (the in-cell editors')
            // puts it.
            EXPECT_EQ(view.currentIndex().siblingAtColumn(0).data().toString(), QString::number(c.row));
            const QRect shown = view.visualRect(view.currentIndex());
            EXPECT_EQ(shown.top(), grid.cellTop() / kTwipsPerPixel) << c.row;
            EXPECT_EQ(shown.left(), grid.cellLeft() / kTwipsPerPixel) << c.row;
        }
        EXPECT_EQ(handed.size(), handedToTheWindow ? std::size(cases) : 0u);
    }
}

TEST_F(ScrolledGrid, TheWheelTheKeysAndTopRowScrollTheRowsUnderTheFixedOne) {
    struct Case {
        const char* how;
        std::function<void()> move;
        long topRow;
        long currentRow;
    };
    const Case cases[] = {
        {"TopRow down past the current row", [&] { grid.setTopRow(20); }, 20, 3},
        {"the wheel up", [&] { wheel(1); }, 17, 3},
        {"the wheel down twice", [&] { wheel(-2); }, 23, 3},
        {"TopRow back up to the current row", [&] { grid.setTopRow(3); }, 3, 3},
        {"the current row moved past the last shown", [&] { grid.setRow(8); }, 3, 8},
        {"Down from the last shown row", [&] { grid.setRow(6); press(Qt::Key_Down); }, 4, 7},
        {"Up within the shown rows", [&] { press(Qt::Key_Up); }, 4, 6},
        {"the current cell brought into view", [&] { view.scrollTo(view.currentIndex()); }, 4, 6},
        {"the wheel up to the top", [&] { wheel(5); }, 1, 6},
    };
    grid.setRow(3);
    for (const Case& c : cases) {
        c.move();
        EXPECT_EQ(grid.topRow(), c.topRow) << c.how;
        EXPECT_EQ(shownRows(view), page(c.topRow)) << c.how;
        EXPECT_EQ(grid.row(), c.currentRow) << c.how;
        // The view's current cell is the grid's, and none while that is scrolled above TopRow.
        EXPECT_EQ(view.currentIndex().siblingAtColumn(0).data().toString(),
                  c.currentRow >= c.topRow ? QString::number(c.currentRow) : QString())
            << c.how;
    }
}

// A view repaints only the cells it is told about: a change names the model row that shows it, or none while
// its row is scrolled above TopRow.
TEST_F(ScrolledGrid, ACellChangeNamesTheRowShowingIt) {
    grid.setTopRow(20);
    std::vector<QString> told;
    QObject::connect(view.tableModel(), &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& first, const QModelIndex& last) {
                         for (int r = first.row(); r <= last.row(); ++r)
                             told.push_back(first.siblingAtRow(r).siblingAtColumn(0).data().toString());
                     });
    struct Case {
        long row;
        std::vector<QString> told;
    };
    const Case cases[] = {{21, {"21"}}, {0, {"0"}}, {5, {}}, {19, {}}, {23, {"23"}}};
    for (const Case& c : cases) {
        told.clear();
        grid.setTextMatrix(c.row, 2, "x");
        EXPECT_EQ(told, c.told) << c.row;
    }
    told.clear();
    grid.setColAlignment(1, FlexGrid::RightCenter);  // a whole column: the fixed row and the rows shown
    EXPECT_EQ(told, (std::vector<QString>{"0", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29"}));
}

// What changes in rows scrolled out of sight shows when they come back, each in its own row.
TEST_F(ScrolledGrid, CellsChangedWhileScrolledShowInTheirRows) {
    grid.setTopRow(20);
    grid.setTextMatrix(5, 1, "arriba");
    grid.setRow(6);
    grid.setCol(2);
    grid.setCellBackColor(12648447);  // red FF, green FF, blue C0
    grid.setTextMatrix(21, 1, "visible");
    EXPECT_EQ(view.indexAt(middleOf(21, 1)).data().toString(), "visible");

    grid.setTopRow(5);
    EXPECT_EQ(view.indexAt(middleOf(5, 1)).data().toString(), "arriba");
    EXPECT_EQ(view.indexAt(middleOf(6, 2)).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_FALSE(view.indexAt(middleOf(7, 2)).data(Qt::BackgroundRole).isValid());
}

// The fixed rows changing makes the view take its rows again; the column widths and TopRow stay.
TEST_F(ScrolledGrid, MoreFixedRowsKeepTheColumnsAndTopRow) {
    grid.setColWidth(1, 1500);
    grid.setColWidth(2, 0);
    grid.setTopRow(10);
    grid.setFixedRows(2);
    EXPECT_EQ(grid.topRow(), 10);
    EXPECT_EQ(shownRows(view), (std::vector<long>{0, 1, 10, 11, 12}));
    EXPECT_EQ(view.columnWidth(1), 100);
    EXPECT_TRUE(view.isColumnHidden(2));
}

TEST(FlexGridView, ClickingACellMakesItCurrent) {
    FlexGrid grid;
    grid.setRows(4);
    grid.setCols(3);
    FlexGridView view(grid);
    view.show();
    view.setCurrentIndex(view.tableModel()->index(2, 1));
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 1);
}

TEST(FlexGridView, GridOutlivesItsView) {
    FlexGrid grid;
    { FlexGridView view(grid); }
    grid.setTextMatrix(1, 1, "sin vista");  // no view left to tell
    EXPECT_EQ(grid.textMatrix(1, 1), "sin vista");
}

}  // namespace
