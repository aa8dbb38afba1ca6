// The outgoing lot and serial-number dialog, loaded and accepted without a view, as an unseen acceptance
// runs it: an article with `serials` serial numbers in stock in one warehouse, every one chosen earlier by
// the line (so each comes back with its quantity), and another line of the voucher taking the first half
// (deducted from their stock). Measured against, in the same run:
//   - the raw baseline: the dialog's one read, the stock query by a raw prepared SQLite statement, its rows
//     put into a grid;
//   - for information, the raw query stepped alone.
// Each is run `runs` times; the best time counts. Times are the process's CPU time (user and system, page
// faults included), which other work on a shared machine disturbs far less than the wall clock.
// Usage: bench_lots_and_series [serials] [runs] (default 10000 serial numbers, 5 runs).

#include "bench/BenchSupport.h"
#include "core/DB_Dll.h"
#include "dialogs/FrmCargaLotesySeries.h"
#include "platform/base/Text.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextMeasurer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fmt/format.h>
#include <sqlite3.h>
#include <string>

namespace {

using bench::check;
using bench::CpuClock;
using bench::fail;

constexpr const char* kArticulo = "                     A100";
constexpr const char* kDeposito = "   1";

std::string serial(long i) {
    return fmt::format("S{:06}", i);
}

void fillStock(long serials) {
    db::Connection& cnn = gDB_Dll().gCnn;
    cnn.execute("BEGIN TRANSACTION");
    for (long i = 1; i <= serials; ++i)
        cnn.execute(fmt::format("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROSERIE, CANTIDAD) "
                                "VALUES ('{}', '{}', '{}', 1)",
                                kArticulo, kDeposito, serial(i)));
    cnn.execute("COMMIT TRANSACTION");
}

struct Lists {
    std::string lotes, cantidades, tomados, cantidadesTomadas;
};

Lists lists(long serials) {
    const std::string sep = base::characterOfCode(255);
    Lists l{"|", "|", "|", "|"};
    for (long i = 1; i <= serials; ++i) {
        l.lotes += sep + serial(i) + "|";
        l.cantidades += "1|";
        if (i <= serials / 2) {
            l.tomados += sep + serial(i) + "|";
            l.cantidadesTomadas += "1|";
        }
    }
    l.lotes += sep + "|";
    l.cantidades += "-|";
    return l;
}

// One unseen load and accept; fails unless every serial number comes back chosen.
double loadAndAccept(const Lists& l, long serials, const ui::TextMeasurer& measurer) {
    const CpuClock cpu;
    FrmCargaLotesySeries form;
    form.setTextMeasurer(&measurer);
    form.Cantidad = static_cast<double>(serials);
    form.Articulo = "A100";
    form.EsConsultaDeSerieLote = true;
    form.EsSerie = true;
    form.Deposito = kDeposito;
    form.Lotes = l.lotes;
    form.Series = l.cantidades;
    form.LotesExistentes = l.tomados;
    form.SeriesExistentes = l.cantidadesTomadas;
    form.CargaDatos();
    form.MostrarForm = false;
    form.CmdAceptar_Click();
    const double seconds = cpu.seconds();
    if (!form.accepted() || form.MSFlexGrid1.rows() != serials + 2 || form.Series != l.cantidades.substr(0, l.cantidades.size() - 2) + "0|")
        fail(fmt::format("the dialog did not load and accept the {} serial numbers", serials));
    if (form.MSFlexGrid1.textMatrix(1, 2) != "0" || form.MSFlexGrid1.textMatrix(serials, 2) != "1")
        fail("the other line's takings were not deducted");
    return seconds;
}

constexpr const char* kQuery = "SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = ? AND CANTIDAD > 0  AND "
                               "IDDEPOSITO = ? ORDER BY NROLOTE, NROSERIE ";

std::string column(sqlite3_stmt* statement, int col) {
    const unsigned char* text = sqlite3_column_text(statement, col);
    return text ? base::trim(reinterpret_cast<const char*>(text)) : std::string();
}

// The stock query by a raw prepared statement; with `grid`, each row into it as the dialog lays its rows.
double rawQuery(sqlite3* db, long serials, ui::FlexGrid* grid) {
    const CpuClock cpu;
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, kQuery, -1, &statement, nullptr), db);
    sqlite3_bind_text(statement, 1, kArticulo, -1, SQLITE_STATIC);
    sqlite3_bind_text(statement, 2, kDeposito, -1, SQLITE_STATIC);
    if (grid) {
        grid->setCols(4);
        grid->setRows(1);
    }
    long rows = 0;
    int code;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
        ++rows;
        if (!grid) continue;
        grid->setRows(rows + 1);
        grid->setTextMatrix(rows, 0, column(statement, 3));
        grid->setTextMatrix(rows, 1, column(statement, 4));
        grid->setTextMatrix(rows, 2, column(statement, 6));
    }
    if (code != SQLITE_DONE) check(code, db);
    sqlite3_finalize(statement);
    const double seconds = cpu.seconds();
    if (rows != serials) fail(fmt::format("the raw query read {} rows, {} expected", rows, serials));
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const long serials = argc > 1 ? std::atol(argv[1]) : 10000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    if (serials < 2 || runs < 1) fail("usage: bench_lots_and_series [serials >= 2] [runs >= 1]");
    bench::Scratch scratch;
    bench::logIn(scratch.folder(), "LOTES");
    fillStock(serials);
    const Lists l = lists(serials);
    ui::FixedWidthTextMeasurer measurer;

    double dialog = 1e9;
    for (int i = 0; i < runs; ++i) dialog = std::min(dialog, loadAndAccept(l, serials, measurer));

    sqlite3* db = bench::openRaw(scratch.folder() / "LOTES.sqlite");
    double baseline = 1e9, alone = 1e9;
    for (int i = 0; i < runs; ++i) {
        ui::FlexGrid grid("MSFlexGrid1");
        baseline = std::min(baseline, rawQuery(db, serials, &grid));
        alone = std::min(alone, rawQuery(db, serials, nullptr));
    }
    sqlite3_close(db);

    std::printf("outgoing lots and series: %ld serial numbers, all chosen earlier, %ld taken by another line\n", serials,
                serials / 2);
    std::printf("  dialog load and accept:       %8.4f s  (%.0f rows/s)\n", dialog, serials / dialog);
    std::printf("  raw query into a grid:        %8.4f s\n", baseline);
    std::printf("  raw query stepped alone:      %8.4f s\n", alone);
    std::printf("  ratio to the raw baseline:    %8.2f  (target 2.00)\n", dialog / baseline);
    std::printf("  ratio to the query alone:     %8.2f  (for information)\n", dialog / alone);
    return 0;
}
