// Generated legacy stock balances and sales through ImportaSaldosStock and ImportaMovimientosStock, as the
// operator runs them: "Iniciar/Importar" with the entry "Saldos Stock", then with "Movimientos de Stock de
// Ventas", the window shown (offscreen when there is no display) and the Qt event pump, and again without a
// window. The database is prepared before the clock starts with the demo data (its articles and the "SI"
// booklet). Every balance is on a known article; half of the sales are on articles the ERP lacks.
//
// The opening is one transaction: per balance the article's existence read and the line's INSERT, then the
// booklet's advance and the used number. The history is one transaction per sale, after the article's
// read. Against raw prepared SQLite in the same run, into identical databases:
//   (a) the same units of work: the legacy tables' records read through the DBF reader, the same reads, the
//       same transactions, the same final rows;
//   (b) the ideal: the final rows alone, no reads (the opening in one transaction, a sale per transaction),
//       printed for information.
// Each is timed in CPU seconds, the faster of two runs.
// Usage: bench_stock_imports [records] (default 100000; the legacy folder is generated first).

#include "bench/BenchSupport.h"
#include "bench/ImportRuns.h"
#include "bench/LegacyReads.h"
#include "core/DB_Dll.h"
#include "importer/Importar.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fmt/format.h>
#include <optional>
#include <sqlite3.h>
#include <string>

namespace {

using bench::check;
using bench::countRows;
using bench::fail;
using bench::loadDemoData;
using bench::runEntry;
constexpr std::size_t kVentas = 15, kSaldosStock = 18;

struct Seconds {
    double opening = 0, history = 0;
};

Seconds faster(const Seconds& a, const Seconds& b) { return {std::min(a.opening, b.opening), std::min(a.history, b.history)}; }

Seconds importStock(Importar& window, const std::filesystem::path& legacy, long records)
{
    loadDemoData();
    window.TxtPathDatos.text = legacy.string();
    Seconds seconds;
    seconds.opening = runEntry(window, kSaldosStock);
    if (countRows("V_MV_STOCK WHERE TC = '  SI'") != records)
        fail(fmt::format("{} opening lines written, {} expected: {}", countRows("V_MV_STOCK WHERE TC = '  SI'"), records,
                         window.LblDetalle.caption));
    seconds.history = runEntry(window, kVentas);
    if (countRows("V_MV_STOCKHIS") != records)
        fail(fmt::format("{} history rows written, {} expected: {}", countRows("V_MV_STOCKHIS"), records,
                         window.LblDetalle.caption));
    return seconds;
}

// One prepared statement, stepped with the values bound.
struct Statement {
    Statement(sqlite3* db, const std::string& text) : db_(db) { check(sqlite3_prepare_v2(db, text.c_str(), -1, &s_, nullptr), db); }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void run(const std::vector<sqlite3_value*>& values = {})
    {
        for (std::size_t c = 0; c < values.size(); ++c) sqlite3_bind_value(s_, static_cast<int>(c) + 1, values[c]);
        int code = sqlite3_step(s_);
        while (code == SQLITE_ROW) code = sqlite3_step(s_);
        check(code, db_);
        sqlite3_reset(s_);
    }
    // One text bound, the rows it answers read.
    void run(const std::string& text)
    {
        sqlite3_bind_text(s_, 1, text.c_str(), static_cast<int>(text.size()), SQLITE_STATIC);
        run();
    }

private:
    sqlite3* db_;
    sqlite3_stmt* s_ = nullptr;
};

// The opening's lines and the history's rows of `source`, written into the new database `target`, with the
// reads of the imports (`reads`: the legacy tables' records in `legacy` too) or without; the CPU seconds of
// each.
Seconds rawPrepared(const std::filesystem::path& folder, const std::filesystem::path& legacy, const std::string& source,
                    const std::string& target, bool reads)
{
    bench::logIn(folder, target);
    loadDemoData();
    sqlite3* db = bench::openRaw(folder / (target + ".sqlite"));
    bench::attachSource(db, folder / (source + ".sqlite"));
    // The article code, last, as the key each read is bound with.
    bench::CopiedRows lines, history;
    bench::readRows(db, "SELECT *, IDARTICULO FROM source.V_MV_STOCK WHERE TC = '  SI' ORDER BY ID", lines, 0, true);
    bench::readRows(db, "SELECT *, IDARTICULO FROM source.V_MV_STOCKHIS ORDER BY ID", history, 0, true);
    bench::detachSource(db);

    Seconds seconds;
    {
        Statement begin(db, "BEGIN"), commit(db, "COMMIT");
        Statement article(db, "SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE IDARTICULO = ?");
        Statement describe(db, "SELECT * FROM V_MA_ARTICULOS WHERE IDARTICULO = ?");
        Statement line(db, lines.insertInto("V_MV_STOCK")), row(db, history.insertInto("V_MV_STOCKHIS"));
        Statement booklet(db, "UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 2 WHERE CODIGO = '  SI' AND TALONARIO = 1 AND (X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < 2)");
        Statement used(db, "INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA) VALUES ('  SI', '0001', '00000001', 'X')");
        bench::CpuClock clock;
        std::optional<bench::DbfRows> balances;
        if (reads) balances.emplace(legacy, "SALDOSTK");
        begin.run();
        for (std::size_t i = 0; i < lines.values.size(); ++i) {
            if (reads) {
                if (!balances->next()) fail("SALDOSTK holds fewer balances than the import wrote");
                article.run(lines.keys[i]);
            }
            line.run(lines.values[i]);
        }
        if (reads) balances->rest();
        booklet.run();
        used.run();
        commit.run();
        seconds.opening = clock.seconds();

        clock = {};
        std::optional<bench::DbfRows> sales;
        if (reads) sales.emplace(legacy, "VENTAS");
        for (std::size_t i = 0; i < history.values.size(); ++i) {
            if (reads) {
                if (!sales->next()) fail("VENTAS holds fewer sales than the import wrote");
                describe.run(history.keys[i]);
            }
            begin.run();
            row.run(history.values[i]);
            commit.run();
        }
        if (reads) sales->rest();
        seconds.history = clock.seconds();
    }
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const bench::ImportBench bench(argc, argv, "bench_stock_imports [records]");
    const long records = bench.records();
    const std::filesystem::path& folder = bench.folder();
    bench.generate({"--stock", std::to_string(records)}, fmt::format("{} balances and {} sales", records, records));

    const auto [shown, hidden] = bench::withAndWithoutWindow(
        folder, [&](Importar& window) { return importStock(window, folder / "legacy", records); });
    const auto raw = [&](bool reads) {
        return bench::fasterOfTwo(reads ? "CRUDO" : "IDEAL", [&](const std::string& target) {
            return rawPrepared(folder, bench.legacy(), "VENTANA", target, reads);
        });
    };
    const Seconds same = raw(true), ideal = raw(false);

    std::printf("records: %ld balances, %ld sales\n", records, records);
    std::printf("                                          balances/s     sales/s\n");
    for (const auto& [what, s] : {std::pair<const char*, const Seconds&>{"imports, window shown:                ", shown},
                                  std::pair<const char*, const Seconds&>{"imports, no window:                   ", hidden},
                                  std::pair<const char*, const Seconds&>{"raw prepared, same units of work (a): ", same},
                                  std::pair<const char*, const Seconds&>{"raw prepared, ideal (b):              ", ideal}})
        std::printf("%s  %10.0f  %10.0f\n", what, records / s.opening, records / s.history);
    bench::printRatio("opening", shown.opening, hidden.opening, same.opening);
    bench::printRatio("history", shown.history, hidden.history, same.history);
    bench::printRatio("final rows only, opening", shown.opening, hidden.opening, ideal.opening);
    bench::printRatio("final rows only, history", shown.history, hidden.history, ideal.history);
    return 0;
}
