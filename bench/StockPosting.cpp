// Stock posting as the purchase-order receptions drive it: vouchers of entry lines, each line 3 units over
// three lots, posted collecting with their accounting entries (an explicit supplier account, "AsientosXStock"
// on) and each voucher's statements run through EjecutaTransaccion. Measured three ways in one run:
//   - posting and running, voucher by voucher (what a reception costs),
//   - the collected texts run alone, on a second database, which tells what the batch runner costs,
//   - the same V_MV_STOCK rows inserted by one prepared SQLite statement, a transaction per voucher, into a
//     third database from the same schema.
// Usage: bench_stock_posting [vouchers] [lines] (default 100 vouchers of 100 lines: 30,000 movements).

#include "bench/BenchSupport.h"
#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "platform/os/Clock.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ClsCmnCptes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <map>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::check;
using bench::fail;
using bench::since;

void execute(std::string statement)
{
    gDB_Dll().EjecutaConsultaSQL(statement);
    if (!gDB_Dll().gCnn.errors().empty()) fail("cannot run: " + statement);
}

// gDB_Dll logged in to a new embedded database `name` in `folder`, with the voucher type, the settings and
// the articles a reception posts.
void logIn(const std::filesystem::path& folder, const std::string& name, long lines)
{
    bench::logIn(folder, name);
    execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, ES) VALUES ('  IR', 1, 'STOCK', 'E')");
    execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('AsientosXStock', 'SI')");
    execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('MotivoStockRecepcionOC', '   5')");
    execute("INSERT INTO TA_MOTIVOSTOCK (IDMOTIVOSTOCK, CUENTACONTABLE, DESCRIPCION) "
            "VALUES ('   5', '2.1.01', 'Recepción')");
    for (long i = 1; i <= lines; ++i)
        execute(fmt::format("INSERT INTO MA_ARTICULOS (IDARTICULO, CUENTACONTABLEC, COSTO) VALUES ('{:>25}', '1.1.05', 40)",
                            fmt::format("A{}", i)));
}

// One voucher's lines as a reception lays them out: 3 units received over three lots.
void fillGrid(ui::FlexGrid& grid, long lines)
{
    grid.setRows(1);
    grid.setRows(lines + 1);
    for (long row = 1; row <= lines; ++row) {
        const std::map<long, std::string> cells{
            {0, gUtilidades().RellenaCodigo(fmt::format("A{}", row), 25)}, {5, "UN"}, {7, "3"}, {14, "50"}, {17, "50"},
            {21, "|L1|L2|L3|"}, {38, "40"}, {40, "0"}, {41, "UN"}, {46, "0"}, {61, "0"}, {74, "3"}};
        for (const auto& [col, text] : cells) grid.setTextMatrix(row, col, text);
    }
}

// Posts and runs every voucher; the collected texts come back for the second run, and `collecting` the
// seconds the posting took without its batches.
double postAndRun(ClsCmnCptes& motor, long vouchers, long lines, std::vector<std::string>& texts, double& collecting)
{
    ui::FlexGrid grid("MSFlexGrid2");
    grid.setCols(92);
    double seconds = 0;
    for (long v = 1; v <= vouchers; ++v) {
        fillGrid(grid, lines);
        std::string fecha = "07/03/2026", deposito = "CD61", destino, motivo, origen = "OC",
                    orden = fmt::format("0001{:08}C", v), cuenta = "211010157", sqlTemp;
        bool transferencia = false, colecta = true, hayError = false;
        const auto start = Clock::now();
        motor.ActualizaStock(grid, "IR", fmt::format("0001{:08}X", v), "0", fecha, &deposito, &destino, &motivo,
                             &origen, &orden, &transferencia, &cuenta, &colecta, &sqlTemp, &hayError);
        collecting += since(start);
        bool fallo = false;
        long codigo = 0;
        std::string lote, textoError;
        EjecutaTransaccion(ListaSentencias{sqlTemp}, fallo, codigo, false, false, lote, textoError);
        seconds += since(start);
        if (hayError || fallo) fail("voucher " + std::to_string(v) + " failed: " + textoError);
        texts.push_back(sqlTemp);
    }
    return seconds;
}

double runAlone(const std::vector<std::string>& texts)
{
    const auto start = Clock::now();
    for (const std::string& text : texts) {
        bool fallo = false;
        long codigo = 0;
        std::string lote, textoError;
        EjecutaTransaccion(ListaSentencias{text}, fallo, codigo, false, false, lote, textoError);
        if (fallo) fail("a collected text failed alone: " + textoError);
    }
    return since(start);
}

// The V_MV_STOCK rows of `source` inserted into the new database `target` by one prepared statement, a
// transaction per voucher.
double rawPrepared(const std::filesystem::path& folder, const std::string& source, const std::string& target, long lines)
{
    logIn(folder, target, lines);  // the same schema and settings as the posting's database
    sqlite3* db = bench::openRaw(folder / (target + ".sqlite"));
    bench::attachSource(db, folder / (source + ".sqlite"));
    // The rows, all but the ID, are read before the clock starts: only the writing is measured.
    bench::CopiedRows rows;
    bench::readRows(db, "SELECT * FROM source.V_MV_STOCK ORDER BY ID", rows, 1);
    bench::detachSource(db);
    const int columns = static_cast<int>(rows.columns.size());
    const auto voucherColumn = static_cast<std::size_t>(
        std::find(rows.columns.begin(), rows.columns.end(), "IDCOMPROBANTE") - rows.columns.begin());

    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db, rows.insertInto("V_MV_STOCK").c_str(), -1, &insert, nullptr), db);
    const auto voucherOf = [&](const std::vector<sqlite3_value*>& row) {
        return std::string(reinterpret_cast<const char*>(sqlite3_value_text(row[voucherColumn])));
    };
    const auto start = Clock::now();
    std::string open;
    for (const auto& row : rows.values) {
        if (voucherOf(row) != open) {
            if (!open.empty()) check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
            check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
            open = voucherOf(row);
        }
        for (int i = 0; i < columns; ++i) sqlite3_bind_value(insert, i + 1, row[static_cast<std::size_t>(i)]);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    if (!open.empty()) check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    const double seconds = since(start);
    sqlite3_finalize(insert);
    sqlite3_close(db);
    return seconds;
}

long movements() { return bench::countRows("V_MV_STOCK"); }

}  // namespace

int main(int argc, char** argv)
{
    const long vouchers = argc > 1 ? std::atol(argv[1]) : 100;
    const long lines = argc > 2 ? std::atol(argv[2]) : 100;
    if (vouchers <= 0 || lines <= 0) fail("usage: bench_stock_posting [vouchers] [lines]");

    const bench::Scratch scratch;
    const std::filesystem::path& folder = scratch.folder();
    os::FixedClock clock{base::DateTime::fromParts(2026, 3, 7, 9, 0, 0)};
    setProgramClock(&clock);

    double posted = 0, collecting = 0, alone = 0;
    long written = 0;
    std::vector<std::string> texts;
    try {
        logIn(folder, "POSTEO", lines);
        ClsCmnCptes motor;
        posted = postAndRun(motor, vouchers, lines, texts, collecting);
        written = movements();
        if (bench::countRows("MV_ASIENTOS") != 2 * vouchers) fail("the vouchers did not get their accounting entries");
        logIn(folder, "SOLO", lines);
        alone = runAlone(texts);
        if (movements() != written) fail("the texts run alone wrote another number of movements");
    } catch (const std::exception& error) {
        fail(std::string("posting: ") + error.what());
    }
    gDB_Dll().gCnn.close();
    const double raw = rawPrepared(folder, "POSTEO", "CRUDO", lines);

    std::printf("vouchers: %ld of %ld lines, movements: %ld\n", vouchers, lines, written);
    std::printf("ActualizaStock collecting + EjecutaTransaccion: %10.0f movements/s\n", written / posted);
    std::printf("  of which ActualizaStock collecting:           %10.0f movements/s\n", written / collecting);
    std::printf("the collected texts run alone:                 %10.0f movements/s\n", written / alone);
    std::printf("raw prepared sqlite3 inserts:                   %10.0f movements/s\n", written / raw);
    std::printf("posting / raw time:                             %10.2fx\n", posted / raw);
    std::printf("texts alone / raw time:                         %10.2fx\n", alone / raw);
    setProgramClock(nullptr);
    return 0;
}
