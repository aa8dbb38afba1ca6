// Generated legacy customers through ImportaClientes, as the operator runs it: "Iniciar/Importar" with the
// entry "Clientes" ticked, the window shown (offscreen when there is no display) and the Qt event pump. Per
// customer the task asks the ERP whether the account exists, finds its city and sends one statement, with
// the progress label and a pass of the event pump. Measured three ways in one run:
//   - with the window and its event pump (what the operator gets),
//   - without a window (the same database work, no label shown, no events), which tells what the window costs,
//   - the same final rows written with raw prepared SQLite inserts, each committed on its own like the
//     task's statements, into an identical database.
// Usage: bench_account_imports [customers] (default 100000; the legacy folder is generated first).

#include "bench/BenchSupport.h"
#include "bench/ImportRuns.h"
#include "importer/Importar.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <sqlite3.h>
#include <string>

namespace {

using bench::Clock;
using bench::check;
using bench::fail;
constexpr std::size_t kClientes = 1;

long accounts() { return bench::countRows("MA_CUENTASADIC"); }

// Runs the entry "Clientes" on the legacy folder; the seconds "Iniciar/Importar" took.
double importCustomers(Importar& window, const std::filesystem::path& legacy, long expected)
{
    window.TxtPathDatos.text = legacy.string();
    window.chkTabla[kClientes].value = 1;
    const auto start = Clock::now();
    window.cmdImportar_Click();
    const double seconds = bench::since(start);
    if (window.LblDetalle.caption != "FINALIZADO CLIENTES") fail("the task ended with " + window.LblDetalle.caption);
    if (accounts() != expected) fail(fmt::format("{} accounts written, {} expected", accounts(), expected));
    return seconds;
}

// The rows of `source`'s MA_CUENTASADIC inserted into the new database `target`, one prepared insert each.
double rawPrepared(const std::filesystem::path& folder, const std::string& source, const std::string& target)
{
    bench::logIn(folder, target);  // the same schema and settings as the imports' databases
    sqlite3* db = bench::openRaw(folder / (target + ".sqlite"));
    bench::attachSource(db, folder / (source + ".sqlite"));
    // The rows are read before the clock starts: only the writing is measured.
    bench::CopiedRows rows;
    bench::readRows(db, "SELECT * FROM source.MA_CUENTASADIC", rows);
    bench::detachSource(db);

    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db, rows.insertInto("MA_CUENTASADIC").c_str(), -1, &insert, nullptr), db);
    const int columns = static_cast<int>(rows.columns.size());
    const auto start = Clock::now();
    for (const auto& row : rows.values) {
        for (int i = 0; i < columns; ++i) sqlite3_bind_value(insert, i + 1, row[static_cast<std::size_t>(i)]);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    const double seconds = bench::since(start);
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const long customers = argc > 1 ? std::atol(argv[1]) : 100000;
    if (customers <= 0) fail("usage: bench_account_imports [customers]");
    bench::drawOffscreenWithoutDisplay();
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    const bench::Scratch scratch;
    const std::filesystem::path& folder = scratch.folder();
    const auto made = Clock::now();
    bench::generateLegacyFolder(folder / "legacy", "--customers", customers);
    std::printf("legacy folder with %ld customers generated in %.1f s\n", customers, bench::since(made));

    const auto [shown, hidden] = bench::withAndWithoutWindow(
        folder, [&](Importar& window) { return importCustomers(window, folder / "legacy", customers); });
    const double raw = rawPrepared(folder, "VENTANA", "CRUDO");

    std::printf("customers: %ld\n", customers);
    std::printf("ImportaClientes, window shown:  %10.0f customers/s\n", customers / shown);
    std::printf("ImportaClientes, no window:     %10.0f customers/s\n", customers / hidden);
    std::printf("raw prepared sqlite3 inserts:   %10.0f rows/s\n", customers / raw);
    std::printf("import / raw time:              %10.2fx\n", shown / raw);
    return 0;
}
