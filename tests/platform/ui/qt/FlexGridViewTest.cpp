#include "platform/ui/qt/FlexGridView.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QBrush>
#include <QColor>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

using ui::FlexGrid;
using ui::FlexGridView;

QVariant cell(const FlexGridView& view, int row, int col, int role = Qt::DisplayRole) {
    return view.tableModel()->data(view.tableModel()->index(row, col), role);
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
    FlexGridView view(grid);
    view.show();

    grid.setTopRow(5);
    for (int r = 0; r < 10; ++r) EXPECT_EQ(view.isRowHidden(r), r >= 1 && r < 5) << r;
    grid.setTopRow(2);
    for (int r = 0; r < 10; ++r) EXPECT_EQ(view.isRowHidden(r), r == 1) << r;
    grid.setRows(2);  // TopRow follows the rows removed
    EXPECT_FALSE(view.isRowHidden(0));
    EXPECT_FALSE(view.isRowHidden(1));
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
