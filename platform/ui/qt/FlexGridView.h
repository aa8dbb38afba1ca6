#pragma once
// A FlexGrid on screen: a QTableView over a table model that reads the grid. Fixed rows and columns are
// drawn as cells in the button colour; rows are 16 pixels high and columns as wide as the grid's ColWidth
// (15 twips a pixel, width 0 hides the column). The fixed rows stay at the top: the model holds the fixed rows
// and then the rows from TopRow on, leaving out the ones scrolled above it, so the picture matches the grid's
// cell geometry and a grid that grows row by row with TopRow following its last row keeps a model of a few
// rows however long it gets (Qt's header does work over every hidden row each time a row is added). Clicking a
// cell makes it the grid's current cell; the wheel and the keyboard move TopRow.

#include "platform/ui/FlexGrid.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>

namespace ui {

class FlexGridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FlexGridTableModel(const FlexGrid& grid, QObject* parent = nullptr)
        : QAbstractTableModel(parent), grid_(grid), skipped_(grid.topRow() - grid.fixedRows()) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The grid row a model row shows, and the model index showing a grid cell (invalid while its row is
    // scrolled above TopRow).
    long gridRow(int row) const;
    QModelIndex cellIndex(long row, long col) const;

private:
    friend class FlexGridView;
    const FlexGrid& grid_;
    long skipped_;  // the scrolling rows above TopRow, left out of the model
};

class FlexGridView : public QTableView, private FlexGrid::Observer {
    Q_OBJECT
public:
    explicit FlexGridView(FlexGrid& grid, QWidget* parent = nullptr);
    ~FlexGridView() override;

    FlexGridTableModel* tableModel() const { return model_; }
    // Set by a window that decides whether a click moves to another cell (an open edit box may refuse its
    // value): a click hands it the cell instead of moving, and the window moves the current cell itself.
    std::function<void(long row, long col)> onCellClick;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void cellsChanged(long firstRow, long firstCol, long lastRow, long lastCol) override;
    void rowsAboutToChange(long rows) override;
    void rowsChanged() override;
    void colsAboutToChange(long cols) override;
    void colsChanged() override;
    void columnChanged(long col) override;
    void fixedChanged() override;
    void currentCellChanged() override;
    void topRowChanged() override;

    void applyColumn(long col);
    void applyColumns();
    void applyCurrentCell();
    void applyTopRow();
    int visibleScrollingRows() const;

    FlexGrid& grid_;
    FlexGridTableModel* model_;
    long rowsBefore_ = 0;
    long colsBefore_ = 0;
    bool applying_ = false;  // the view follows the grid, and tells it nothing back
};

}  // namespace ui
