// The storage-position dialog loaded without a view: an article with `positions` positive balances by
// position in one warehouse, kept in another unit than the line's, each converted through the equivalence
// table as it is read (nothing cached). Measured against, in the same run:
//   - the raw baseline: the balance query by a raw prepared SQLite statement and, per row, the same read
//     of the equivalence row, the rows put into a grid;
//   - for information, an ideal raw read: one query joining the equivalence, no per-row reads.
// Each is run `runs` times; the best time counts. Times are the process's CPU time (user and system, page
// faults included), which other work on a shared machine disturbs far less than the wall clock.
// Usage: bench_positions_and_lots [positions] [runs] (default 2000 positions, 5 runs).

#include "bench/BenchSupport.h"
#include "core/DB_Dll.h"
#include "dialogs/FrmLoteyPosicion.h"
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

void fill(long positions) {
    db::Connection& cnn = gDB_Dll().gCnn;
    cnn.execute("BEGIN TRANSACTION");
    cnn.execute(fmt::format("INSERT INTO S_TA_EQUIV (IDARTICULO, IDUNIDAD, IDUNIDAD_EQUIV, COEFICIENTE) VALUES "
                            "('{}', '   U', '   E', 12)",
                            kArticulo));
    for (long i = 1; i <= positions; ++i) {
        cnn.execute(fmt::format("INSERT INTO MA_POSICIONES (IDDEPOSITO, IDPOSICION, ORDENINGRESO) VALUES ('{}', "
                                "'P{:05}', {})",
                                kDeposito, i, i));
        cnn.execute(fmt::format("INSERT INTO AC_SaldosLayout (IDDEPOSITO, IDPOSICION, IDARTICULO, IDUNIDADBASE, SALDO) "
                                "VALUES ('{}', 'P{:05}', '{}', '   U', 2)",
                                kDeposito, i, kArticulo));
    }
    cnn.execute("COMMIT TRANSACTION");
}

double load(long positions, const ui::TextMeasurer& measurer) {
    const CpuClock cpu;
    FrmLoteyPosicion form;
    form.setTextMeasurer(&measurer);
    form.Cantidad1 = 24;
    form.EsPosicion = true;
    form.IUNIDAD = "E";
    form.Articulo = "A100";
    form.Deposito = "1";
    form.CargaDatos();
    const double seconds = cpu.seconds();
    if (form.MSFlexGrid1.rows() != positions + 1 || form.MSFlexGrid1.textMatrix(positions, 3) != "24")
        fail(fmt::format("the dialog did not load the {} positions in the line's unit", positions));
    return seconds;
}

constexpr const char* kBalances =
    "SELECT AC_SALDOSLAYOUT.idposicion,AC_SALDOSLAYOUT.idunidadbase, ifnull(AC_SALDOSLAYOUT.saldo,0) as disponible "
    "FROM AC_SALDOSLAYOUT, ma_posiciones WHERE ac_saldoslayout.iddeposito=ma_posiciones.iddeposito and "
    "ac_saldoslayout.idposicion=ma_posiciones.idposicion and ac_saldoslayout.IDDEPOSITO=? and "
    "ac_saldoslayout.idarticulo=? and ac_saldoslayout.saldo > 0 order by "
    "ac_saldoslayout.nrolote,ma_posiciones.ordeningreso,ac_saldoslayout.idposicion";
constexpr const char* kEquivalence =
    "SELECT * FROM S_TA_EQUIV WHERE IdArticulo = ? AND IDUNIDAD = ? AND IDUNIDAD_EQUIV = ?";
constexpr const char* kJoined =
    "SELECT s.idposicion, s.saldo * e.COEFICIENTE FROM AC_SALDOSLAYOUT s JOIN ma_posiciones p ON "
    "s.iddeposito = p.iddeposito AND s.idposicion = p.idposicion LEFT JOIN S_TA_EQUIV e ON e.IDARTICULO = "
    "s.idarticulo AND e.IDUNIDAD = s.idunidadbase AND e.IDUNIDAD_EQUIV = '   E' WHERE s.IDDEPOSITO = ? AND "
    "s.idarticulo = ? AND s.saldo > 0 ORDER BY s.nrolote, p.ordeningreso, s.idposicion";

std::string column(sqlite3_stmt* statement, int col) {
    const unsigned char* text = sqlite3_column_text(statement, col);
    return text ? base::trim(reinterpret_cast<const char*>(text)) : std::string();
}

// The balance query, the equivalence read per row (unless `joined`), each row into a grid.
double raw(sqlite3* db, long positions, bool joined) {
    const CpuClock cpu;
    sqlite3_stmt* balances = nullptr;
    sqlite3_stmt* equivalence = nullptr;
    check(sqlite3_prepare_v2(db, joined ? kJoined : kBalances, -1, &balances, nullptr), db);
    if (!joined) check(sqlite3_prepare_v2(db, kEquivalence, -1, &equivalence, nullptr), db);
    sqlite3_bind_text(balances, 1, kDeposito, -1, SQLITE_STATIC);
    sqlite3_bind_text(balances, 2, kArticulo, -1, SQLITE_STATIC);
    ui::FlexGrid grid("MSFlexGrid1");
    grid.setCols(5);
    grid.setRows(1);
    long rows = 0;
    int code;
    while ((code = sqlite3_step(balances)) == SQLITE_ROW) {
        double value = 0;
        if (joined) {
            value = sqlite3_column_double(balances, 1);
        } else {
            const std::string unit = reinterpret_cast<const char*>(sqlite3_column_text(balances, 1));
            sqlite3_reset(equivalence);
            sqlite3_bind_text(equivalence, 1, kArticulo, -1, SQLITE_STATIC);
            sqlite3_bind_text(equivalence, 2, unit.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(equivalence, 3, "   E", -1, SQLITE_STATIC);
            if (sqlite3_step(equivalence) == SQLITE_ROW)
                value = sqlite3_column_double(balances, 2) * sqlite3_column_double(equivalence, 3);
        }
        ++rows;
        grid.setRows(rows + 1);
        grid.setTextMatrix(rows, 0, column(balances, 0));
        grid.setTextMatrix(rows, 2, "E");
        grid.setTextMatrix(rows, 3, base::doubleToText(value));
    }
    if (code != SQLITE_DONE) check(code, db);
    sqlite3_finalize(balances);
    if (equivalence) sqlite3_finalize(equivalence);
    const double seconds = cpu.seconds();
    if (rows != positions || grid.textMatrix(rows, 3) != "24")
        fail(fmt::format("the raw read gave {} rows, {} expected", rows, positions));
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const long positions = argc > 1 ? std::atol(argv[1]) : 2000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    if (positions < 2 || runs < 1) fail("usage: bench_positions_and_lots [positions >= 2] [runs >= 1]");
    bench::Scratch scratch;
    bench::logIn(scratch.folder(), "POSICIONES");
    fill(positions);
    ui::FixedWidthTextMeasurer measurer;

    double dialog = 1e9;
    for (int i = 0; i < runs; ++i) dialog = std::min(dialog, load(positions, measurer));
    sqlite3* db = bench::openRaw(scratch.folder() / "POSICIONES.sqlite");
    double baseline = 1e9, ideal = 1e9;
    for (int i = 0; i < runs; ++i) {
        baseline = std::min(baseline, raw(db, positions, false));
        ideal = std::min(ideal, raw(db, positions, true));
    }
    sqlite3_close(db);

    std::printf("storage-position dialog: %ld positions in another unit than the line's\n", positions);
    std::printf("  dialog load:                  %8.4f s  (%.0f rows/s)\n", dialog, positions / dialog);
    std::printf("  raw query, equivalence a row: %8.4f s\n", baseline);
    std::printf("  raw query joining it:         %8.4f s\n", ideal);
    std::printf("  ratio to the raw baseline:    %8.2f  (target 2.00)\n", dialog / baseline);
    std::printf("  ratio to the ideal read:      %8.2f  (for information)\n", dialog / ideal);
    return 0;
}
