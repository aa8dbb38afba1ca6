// Generated legacy open items through the balance imports, as the operator runs them: "Iniciar/Importar" with
// "Saldos de Clientes", then with "Saldos de Proveedores", then the button "Updatea NETO_FTE en Prov.", the
// window shown (offscreen when there is no display) with the Qt event pump. Every tenth open item has no
// number of its own: before its loop the import reads the numbers such items may not take, and looks each
// one's number up among them. Per record the import adds the date to the calendar on its own, reads whether
// the account exists, the next entry number, the voucher's lines on the account (once for each voucher and
// account; every generated voucher has one record) and for a customer whether another customer's account
// holds the voucher, and commits the account row when new with the two lines; per supplier record with a
// number the net pass runs one UPDATE. Measured in one run:
//   - with the window and its event pump (what the operator gets),
//   - without a window (the same database work, no label shown, no events),
//   - the same units of work with raw prepared SQLite statements into an identical database: the legacy
//     tables read through the DBF reader (their numbers before the loop, each record before its work,
//     SALDPROV again for the net pass), the list of numbers held read once, then per record the calendar
//     read and insert, the account, entry-number and existence reads (and for an item without number its
//     number looked up in that list), one transaction of account row and lines; per supplier with a number
//     one UPDATE (the target: the imports within 2x),
//   - the ideal: the final rows alone, one transaction per record, no reads (for information).
// Each is timed in CPU seconds, the faster of two runs.
// Usage: bench_balance_imports [records] (default 100000 per table; the legacy folder is generated first).

#include "bench/BenchSupport.h"
#include "bench/ImportRuns.h"
#include "bench/LegacyReads.h"
#include "core/DB_Dll.h"
#include "importer/Importar.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <map>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <strings.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

using bench::check;
using bench::countRows;
using bench::fail;
using bench::runEntry;
constexpr std::size_t kClientes = 11, kProveedores = 12;
// Every tenth generated open item has a zero number part (tools/demo/balance_tables.py).
constexpr long kSinNumeroCada = 10;

bool sinNumero(long record) { return (record + 1) % kSinNumeroCada == 0; }

struct Seconds {
    double customers = 0, suppliers = 0, net = 0;
    double total() const { return customers + suppliers + net; }
};

void expectFinished(const Importar& window, const std::string& what)
{
    const std::string& text = window.LblDetalle.caption;
    if (!text.ends_with(" FINALIZADO ")) fail(what + " did not finish: " + text);
    if (window.MSFlexGrid1.textMatrix(window.MSFlexGrid1.rows() - 1, 0) != "")
        fail(what + " listed an error: " + window.MSFlexGrid1.textMatrix(window.MSFlexGrid1.rows() - 1, 1));
}

Seconds importBalances(Importar& window, const std::filesystem::path& legacy, long records)
{
    window.TxtPathDatos.text = legacy.string();
    Seconds seconds;
    seconds.customers = runEntry(window, kClientes);
    expectFinished(window, "Saldos de Clientes");
    seconds.suppliers = runEntry(window, kProveedores);
    expectFinished(window, "Saldos de Proveedores");
    const bench::CpuClock clock;
    window.CmdNETO_FTE_Click();
    seconds.net = clock.seconds();
    expectFinished(window, "Updatea NETO_FTE en Prov.");
    if (countRows("MV_ASIENTOS") != 4 * records)
        fail(fmt::format("{} entry lines written, {} expected", countRows("MV_ASIENTOS"), 4 * records));
    const long numbered = records - records / kSinNumeroCada;
    if (countRows("MV_ASIENTOS WHERE LIVA_IMPNETOGRAV IS NOT NULL") != numbered)
        fail(fmt::format("{} net amounts written, {} expected", countRows("MV_ASIENTOS WHERE LIVA_IMPNETOGRAV IS NOT NULL"),
                         numbered));
    return seconds;
}

sqlite3_stmt* prepare(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr), db);
    return statement;
}

// Runs the statement once with the values bound (1, 2, ...; a null pointer binds Null); true when it
// answered a row.
bool step(sqlite3* db, sqlite3_stmt* statement, const std::vector<sqlite3_value*>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i]) sqlite3_bind_value(statement, static_cast<int>(i) + 1, values[i]);
        else sqlite3_bind_null(statement, static_cast<int>(i) + 1);
    }
    const int code = sqlite3_step(statement);
    if (code != SQLITE_ROW && code != SQLITE_DONE) check(code, db);
    sqlite3_reset(statement);
    return code == SQLITE_ROW;
}

std::size_t column(const bench::CopiedRows& rows, const std::string& name)
{
    const auto found = std::find_if(rows.columns.begin(), rows.columns.end(),
                                    [&](const std::string& c) { return strcasecmp(c.c_str(), name.c_str()) == 0; });
    if (found == rows.columns.end()) fail("no column " + name);
    return static_cast<std::size_t>(found - rows.columns.begin());
}

// The rows the window's run wrote, read before any clock starts: the entry lines in pairs (a record's two),
// the accounts by the record that made each.
struct FinalRows {
    bench::CopiedRows lines, accounts;
    std::map<std::string, std::size_t> accountOf;  // record → its row in `accounts`
    long records = 0;
};

void readFinalRows(sqlite3* db, FinalRows& rows)
{
    bench::readRows(db, "SELECT * FROM source.MV_ASIENTOS ORDER BY ID", rows.lines, 1);
    bench::readRows(db,
                    "SELECT c.CODIGO, c.DESCRIPCION, (SELECT (MIN(a.ID) + 1) / 2 FROM source.MV_ASIENTOS a WHERE "
                    "a.CUENTA = c.CODIGO AND a.SECUENCIA = 1) FROM source.MA_CUENTAS c",
                    rows.accounts, 0, true);
    for (std::size_t i = 0; i < rows.accounts.keys.size(); ++i) rows.accountOf[rows.accounts.keys[i]] = i;
    rows.records = static_cast<long>(rows.lines.values.size() / 2);
}

// The final rows written into `db`, one transaction per record; with `units`, the legacy tables of `legacy`
// are read through the DBF reader (the numbers first, then each record before its work, SALDPROV again for
// the net pass), each record does the import's reads and its calendar row first, and each supplier's net
// amount goes in by an UPDATE after the lines.
double writeRecords(sqlite3* db, const FinalRows& rows, const std::filesystem::path& legacy, bool units)
{
    sqlite3_stmt* begin = prepare(db, "BEGIN");
    sqlite3_stmt* commit = prepare(db, "COMMIT");
    sqlite3_stmt* line = prepare(db, rows.lines.insertInto("MV_ASIENTOS"));
    sqlite3_stmt* account = prepare(db, rows.accounts.insertInto("MA_CUENTAS"));
    sqlite3_stmt* dayThere = prepare(db, "SELECT FECHA FROM MA_CALENDARIO WHERE FECHA = ?");
    sqlite3_stmt* day = prepare(db, "INSERT INTO MA_CALENDARIO (FECHA, NOLABORABLE) VALUES (?, 0)");
    sqlite3_stmt* accountThere = prepare(db, "SELECT * FROM MA_CUENTAS WHERE CODIGO = ?");
    sqlite3_stmt* entryNumber = prepare(db, "SELECT MAX([NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE MES_OPERATIVO = ? AND "
                                            "TIPO_REG = ? AND PERIODO = ?");
    sqlite3_stmt* voucherThere = prepare(db, "SELECT SECUENCIA, TRANSMISION, IMPORTE, VENCIMIENTO, LIVA_TOTAL FROM "
                                             "MV_ASIENTOS WHERE TC = ? AND SUCURSAL = ? AND NUMERO = ? AND LETRA = ? AND "
                                             "CUENTA = ?");
    sqlite3_stmt* customerThere = prepare(db, "SELECT MV_ASIENTOS.TC FROM MV_ASIENTOS INNER JOIN MA_CUENTAS ON "
                                              "MV_ASIENTOS.CUENTA = MA_CUENTAS.CODIGO WHERE MA_CUENTAS.TipoVista = 'CL' "
                                              "AND TC = ? AND SUCURSAL = ? AND NUMERO = ? AND LETRA = ? AND "
                                              "(MV_ASIENTOS.CUENTA <> ? OR MV_ASIENTOS.TRANSMISION IS NULL OR "
                                              "MV_ASIENTOS.TRANSMISION <> 4)");
    sqlite3_stmt* net = prepare(db, "UPDATE MV_ASIENTOS SET LIVA_IMPNETOGRAV = ? WHERE CUENTA = ? AND TC = ? AND "
                                    "SUCURSAL = ? AND NUMERO = ? AND LETRA = ? AND (LIVA_TOTAL <> 0 OR CABIMPORTE = 0 "
                                    "OR LIVA_TOTAL IS NULL OR CABIMPORTE IS NULL)");
    sqlite3_stmt* numbersHeld = prepare(db, "SELECT NUMERO FROM MV_ASIENTOS WHERE TC = ? AND SUCURSAL = ? AND LETRA = ? "
                                            "AND SECUENCIA = 1 AND (TRANSMISION IS NULL OR TRANSMISION <> 4)");
    const bench::CopiedRows& l = rows.lines;
    const std::size_t fecha = column(l, "FECHA"), cuenta = column(l, "CUENTA"), mes = column(l, "MES_OPERATIVO"),
                      tipoReg = column(l, "TIPO_REG"), periodo = column(l, "PERIODO"), tc = column(l, "TC"),
                      sucursal = column(l, "SUCURSAL"), numero = column(l, "NUMERO"), letra = column(l, "LETRA"),
                      neto = column(l, "LIVA_IMPNETOGRAV"), vendedor = column(l, "IDVENDEDOR");

    const bench::CpuClock clock;
    // The numbers the items without one may not take, by type, branch and letter: the others' own, and those
    // of the entries' first lines another task wrote.
    std::unordered_map<std::string, std::unordered_set<sqlite3_int64>> held;
    std::vector<std::string> keyOf(units ? rows.records : 0);
    sqlite3_int64 counter = 1;
    std::optional<bench::DbfRows> customers, suppliers;
    if (units) {
        for (const char* table : {"SALDCLIE", "SALDPROV"}) bench::DbfRows(legacy, table, {"TIPO_FTE", "NUME_FTE"}).rest();
        customers.emplace(legacy, "SALDCLIE");
        suppliers.emplace(legacy, "SALDPROV");
        std::unordered_map<std::string, long> unnumbered;  // a record of each key without number
        for (long record = 0; record < rows.records; ++record) {
            const auto& first = l.values[2 * record];
            for (const std::size_t part : {tc, sucursal, letra})
                keyOf[record].append(reinterpret_cast<const char*>(sqlite3_value_text(first[part]))).push_back('\x1f');
            if (sinNumero(record)) unnumbered.emplace(keyOf[record], record);
            else held[keyOf[record]].insert(sqlite3_value_int64(first[numero]));
        }
        for (const auto& [key, record] : unnumbered) {
            const auto& first = l.values[2 * record];
            sqlite3_bind_value(numbersHeld, 1, first[tc]);
            sqlite3_bind_value(numbersHeld, 2, first[sucursal]);
            sqlite3_bind_value(numbersHeld, 3, first[letra]);
            while (sqlite3_step(numbersHeld) == SQLITE_ROW) held[key].insert(sqlite3_column_int64(numbersHeld, 0));
            sqlite3_reset(numbersHeld);
        }
    }
    for (long record = 0; record < rows.records; ++record) {
        const auto& first = l.values[2 * record];
        const auto found = rows.accountOf.find(std::to_string(record + 1));
        if (units) {
            if (!customers->next() && !suppliers->next()) fail("the balance tables hold fewer items than the import wrote");
            if (sinNumero(record)) {
                const std::unordered_set<sqlite3_int64>& taken = held[keyOf[record]];
                while (taken.contains(counter)) ++counter;
                ++counter;
            }
            if (!step(db, dayThere, {first[fecha]})) step(db, day, {first[fecha]});
            step(db, accountThere, {first[cuenta]});
            step(db, entryNumber, {first[mes], first[tipoReg], first[periodo]});
            step(db, voucherThere, {first[tc], first[sucursal], first[numero], first[letra], first[cuenta]});
            if (sqlite3_value_type(first[vendedor]) != SQLITE_NULL)
                step(db, customerThere, {first[tc], first[sucursal], first[numero], first[letra], first[cuenta]});
        }
        step(db, begin, {});
        if (found != rows.accountOf.end()) step(db, account, rows.accounts.values[found->second]);
        for (int i = 0; i < 2; ++i) {
            std::vector<sqlite3_value*> values = l.values[2 * record + i];
            // The net amount comes afterwards, by its own pass.
            if (units) values[neto] = nullptr;
            step(db, line, values);
        }
        step(db, commit, {});
    }
    if (units) {
        customers->rest();
        suppliers->rest();
        bench::DbfRows(legacy, "SALDPROV").rest();
        for (long record = 0; record < rows.records; ++record) {
            const auto& first = l.values[2 * record];
            if (sqlite3_value_type(first[neto]) == SQLITE_NULL) continue;
            step(db, net, {first[neto], first[cuenta], first[tc], first[sucursal], first[numero], first[letra]});
        }
    }
    const double seconds = clock.seconds();
    for (sqlite3_stmt* statement :
         {begin, commit, line, account, dayThere, day, accountThere, entryNumber, voucherThere, customerThere, net,
          numbersHeld})
        sqlite3_finalize(statement);
    return seconds;
}

// The window's final rows written into the new database `target` in `folder`; the CPU seconds it took.
double rawPrepared(const std::filesystem::path& folder, const std::filesystem::path& legacy, const std::string& source,
                   const std::string& target, bool units)
{
    bench::logIn(folder, target);  // the same schema as the imports' databases
    sqlite3* db = bench::openRaw(folder / (target + ".sqlite"));
    bench::attachSource(db, folder / (source + ".sqlite"));
    FinalRows rows;
    readFinalRows(db, rows);
    bench::detachSource(db);
    const double seconds = writeRecords(db, rows, legacy, units);
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const bench::ImportBench bench(argc, argv, "bench_balance_imports [records]");
    const long records = bench.records();
    bench.generate({"--balances", std::to_string(records)},
                   fmt::format("{} customer and {} supplier open items", records, records));

    const auto [shown, hidden] = bench::withAndWithoutWindow(
        bench.folder(), [&](Importar& window) { return importBalances(window, bench.legacy(), records); });
    const auto raw = [&](bool units) {
        return bench::fasterOfTwo(units ? "CRUDO" : "IDEAL", [&](const std::string& target) {
            return rawPrepared(bench.folder(), bench.legacy(), "VENTANA", target, units);
        });
    };
    const double units = raw(true), ideal = raw(false);

    std::printf("open items: %ld customers, %ld suppliers\n", records, records);
    std::printf("                                    customers/s  suppliers/s  net pass/s  records/s, all\n");
    for (const auto& [what, s] : {std::pair<const char*, const Seconds&>{"balance imports, window shown:  ", shown},
                                  std::pair<const char*, const Seconds&>{"balance imports, no window:     ", hidden}})
        std::printf("%s  %11.0f  %11.0f  %10.0f  %10.0f\n", what, records / s.customers, records / s.suppliers,
                    records / s.net, 2 * records / s.total());
    std::printf("raw prepared sqlite3, same units of work:                          %10.0f\n", 2 * records / units);
    std::printf("raw prepared sqlite3, final rows only:                             %10.0f\n", 2 * records / ideal);
    bench::printRatios(shown.total(), hidden.total(), units, ideal);
    return 0;
}
