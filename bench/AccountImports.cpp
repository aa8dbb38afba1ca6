// Generated legacy customers through ImportaClientes, as the operator runs it: "Iniciar/Importar" with the
// entry "Clientes" ticked, the window shown (offscreen when there is no display) and the Qt event pump. Per
// customer the task reads the legacy record, asks the ERP whether the account exists, finds its city among
// those it read once from fciudade and sends one statement in a transaction of its own, with the progress
// label and a pass of the event pump. Measured in one run, into identical databases:
//   - with the window and its event pump (what the operator gets),
//   - without a window (the same database work, no label shown, no events), which tells what the window costs,
//   - the same units of work with raw prepared SQLite: fciudade and FCLIENTE read through the DBF reader,
//     per customer in the task's range its account's existence read, its city looked up and its row's
//     INSERT in a transaction of its own (the target: the import within 2x of it),
//   - the final rows alone, each INSERT committed on its own, no reads (for information).
// Each is timed in CPU seconds, the faster of two runs.
// Usage: bench_account_imports [customers] (default 100000; the legacy folder is generated first).

#include "bench/BenchSupport.h"
#include "bench/ImportRuns.h"
#include "bench/LegacyReads.h"
#include "importer/Importar.h"

#include <cstdio>
#include <filesystem>
#include <fmt/format.h>
#include <sqlite3.h>
#include <string>
#include <unordered_map>

namespace {

using bench::fail;
constexpr std::size_t kClientes = 1;
// The last legacy code the task reads.
constexpr const char* kUltimoCodigo = "004999";

long accounts() { return bench::countRows("MA_CUENTASADIC"); }

// Runs the entry "Clientes" on the legacy folder; the CPU seconds "Iniciar/Importar" took.
double importCustomers(Importar& window, const std::filesystem::path& legacy, long expected)
{
    window.TxtPathDatos.text = legacy.string();
    const double seconds = bench::runEntry(window, kClientes);
    if (window.LblDetalle.caption != "FINALIZADO CLIENTES") fail("the task ended with " + window.LblDetalle.caption);
    if (accounts() != expected) fail(fmt::format("{} accounts written, {} expected", accounts(), expected));
    return seconds;
}

// A code's text as the legacy folder compares it: trailing blanks aside.
std::string code(const base::Value& value)
{
    std::string text = value.isNull() ? std::string() : value.toText();
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// The rows of `source`'s MA_CUENTASADIC written into the new database `target`: with `units` after the
// task's reads, each with its INSERT in a transaction of its own; else by the INSERTs alone. The CPU seconds.
double rawPrepared(const std::filesystem::path& folder, const std::filesystem::path& legacy, const std::string& source,
                   const std::string& target, bool units)
{
    bench::logIn(folder, target);  // the same schema and settings as the imports' databases
    sqlite3* db = bench::openRaw(folder / (target + ".sqlite"));
    bench::attachSource(db, folder / (source + ".sqlite"));
    bench::CopiedRows rows;
    bench::readRows(db, "SELECT * FROM source.MA_CUENTASADIC", rows);
    bench::detachSource(db);
    double seconds = 0;
    {
        bench::Statement begin(db, "BEGIN"), commit(db, "COMMIT"), insert(db, rows.insertInto("MA_CUENTASADIC"));
        bench::Statement there(db, "SELECT * FROM MA_CUENTASADIC WHERE CODIGO = ? LIMIT 1");
        const std::size_t codigo = rows.column("CODIGO");
        const bench::CpuClock clock;
        if (units) {
            std::unordered_map<std::string, std::string> cities;
            bench::DbfRows city(legacy, "fciudade");
            const std::size_t p = city.field("CODP_FCI"), c = city.field("CODI_FCI"), n = city.field("NOMB_FCI");
            while (city.next()) {
                if (city[p].isNull() || city[c].isNull()) continue;
                cities.emplace(code(city[p]) + '\x1f' + code(city[c]), code(city[n]));
            }
            bench::DbfRows customers(legacy, "FCLIENTE");
            const std::size_t legacyCode = customers.field("CODI_FCL"), province = customers.field("CODP_FCL"),
                              cityCode = customers.field("CODC_FCL");
            std::size_t written = 0, found = 0;
            while (customers.next()) {
                if (customers[legacyCode].isNull() || code(customers[legacyCode]) > kUltimoCodigo) continue;
                if (written == rows.values.size()) fail("FCLIENTE holds more customers than the import wrote");
                const auto& row = rows.values[written++];
                found += cities.count(code(customers[province]) + '\x1f' + code(customers[cityCode]));
                there.run({row[codigo]});
                begin.run();
                insert.run(row);
                commit.run();
            }
            if (written != rows.values.size() || found == 0)
                fail("FCLIENTE does not hold the customers the import wrote");
        } else {
            for (const auto& row : rows.values) insert.run(row);
        }
        seconds = clock.seconds();
    }
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const bench::ImportBench bench(argc, argv, "bench_account_imports [customers]");
    const long customers = bench.records();
    bench.generate({"--customers", std::to_string(customers)}, fmt::format("{} customers", customers));

    const auto [shown, hidden] = bench::withAndWithoutWindow(
        bench.folder(), [&](Importar& window) { return importCustomers(window, bench.legacy(), customers); });
    const auto raw = [&](bool units) {
        return bench::fasterOfTwo(units ? "CRUDO" : "IDEAL", [&](const std::string& target) {
            return rawPrepared(bench.folder(), bench.legacy(), "VENTANA", target, units);
        });
    };
    const double same = raw(true), ideal = raw(false);

    std::printf("customers: %ld\n", customers);
    std::printf("ImportaClientes, window shown:             %10.0f customers/s\n", customers / shown);
    std::printf("ImportaClientes, no window:                %10.0f customers/s\n", customers / hidden);
    std::printf("raw prepared sqlite3, same units of work:  %10.0f customers/s\n", customers / same);
    std::printf("raw prepared sqlite3 inserts:              %10.0f rows/s\n", customers / ideal);
    bench::printRatios(shown, hidden, same, ideal);
    return 0;
}
