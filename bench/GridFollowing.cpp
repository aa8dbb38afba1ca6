// A shown grid that grows by one row at a time with TopRow following the new row, as the import window's
// error list does with each refused record: the grid shown (offscreen when there is no display) through its
// FlexGridView, a screenful of rows high, with two columns as wide as the error list's, and the program's
// event pump called once per row as the imports call it. The rate over the first tenth of the rows is printed
// beside the rate over the last tenth: an append whose cost grows with the rows already there shows as a
// falling rate, so the two rates are the comparison and no other baseline is needed.
// Usage: bench_grid_following [rows] (default 100000)

#include "bench/BenchSupport.h"
#include "bench/ImportRuns.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/qt/FlexGridView.h"
#include "platform/ui/qt/QtEventPump.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <fmt/format.h>
#include <string>

namespace {

using bench::Clock;

// The error list's columns in twips: the ordinal, and the text; the grid's size in pixels.
constexpr long kOrdinalWidth = 350, kTextWidth = 7155;
constexpr int kWidth = 500, kHeight = 300, kTwipsPerPixel = 15;

}  // namespace

int main(int argc, char** argv)
{
    const long rows = argc > 1 ? std::atol(argv[1]) : 100000;
    if (rows < 10) bench::fail("usage: bench_grid_following [rows] (at least 10)");
    bench::drawOffscreenWithoutDisplay();
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    ui::FlexGrid grid("MSFlexGrid1");
    grid.setColWidth(0, kOrdinalWidth);
    grid.setColWidth(1, kTextWidth);
    grid.width = kWidth * kTwipsPerPixel;
    grid.height = kHeight * kTwipsPerPixel;
    ui::FlexGridView view(grid);
    view.resize(kWidth, kHeight);
    view.show();
    ui::QtEventPump pump;
    pump.doEvents();

    const long tenth = rows / 10;
    double firstTenth = 0;
    const auto start = Clock::now();
    auto stretch = start;
    for (long n = 1; n <= rows; ++n) {
        grid.setRows(grid.rows() + 1);
        const long row = grid.rows() - 1;
        grid.setTextMatrix(row, 0, std::to_string(n));
        grid.setTextMatrix(row, 1, fmt::format("Tabla CLIENTES, registro {}, LIMITE \"1000\": sin cuenta", n));
        grid.setTopRow(row);
        pump.doEvents();
        if (n == tenth) firstTenth = bench::since(stretch);
        if (n == rows - tenth) stretch = Clock::now();
    }
    const double lastTenth = bench::since(stretch);
    const double total = bench::since(start);
    const long lastPage = grid.rows() - (grid.height / ui::FlexGrid::kRowHeight - grid.fixedRows());
    if (grid.topRow() != lastPage) bench::fail(fmt::format("TopRow is {}, not {}", grid.topRow(), lastPage));

    std::printf("%ld rows appended to a shown grid, TopRow following each: %.2f s\n", rows, total);
    std::printf("rows/s over the first %ld rows: %10.0f\n", tenth, tenth / firstTenth);
    std::printf("rows/s over the last %ld rows:  %10.0f\n", tenth, tenth / lastTenth);
    std::printf("last / first rate: %.2f (no other baseline: near 1 when an append costs the same however many rows "
                "there are, falling as its cost grows with them)\n",
                firstTenth / lastTenth);
    return 0;
}
