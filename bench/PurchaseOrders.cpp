// Generated legacy purchase orders of four lines each through ImportaOrdenes, as the operator runs it:
// "Iniciar/Importar" with the entry "ORDENES DE COMPRA PENDIENTE" ticked, the window shown (offscreen when
// there is no display) and the Qt event pump. The database is prepared before the clock starts: the demo
// data (settings, articles with cost accounts, the reception booklets, stock entries on, the screw whose
// washer is discharged from lots) with a second article with a component, and the suppliers, imported from
// the same legacy folder. Per order the task asks whether the voucher exists, reads the supplier's row and
// commits one INSERT; per line it counts the lines already there and commits one INSERT; every second
// order is received: its reception (movements, component discharge, accounting entry, booklet, marks) is
// one more transaction. Measured three ways in one run:
//   - with the window and its event pump (what the operator gets),
//   - without a window (the same database work, no label shown, no events),
//   - the same final rows written with raw prepared SQLite statements into the base tables, one transaction
//     per order (its header, its lines, its movements and entry lines, the booklets' advance), into an
//     identical database.
// The three phases are timed apart: each begins with its first progress text.
// Usage: bench_purchase_orders [orders] (default 10000; the legacy folder is generated first).

#include "bench/BenchSupport.h"
#include "bench/ImportRuns.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "importer/Importar.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::check;
using bench::countRows;
using bench::fail;
constexpr std::size_t kProveedores = 2, kOrdenes = 20;
constexpr long kLineasPorOrden = 4;

// The demo data: settings, articles with cost accounts, the reception booklets.
std::string demoData()
{
    std::ifstream in(bench::repository() / "tools" / "demo" / "erp-demo-data.sql", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void runEntry(Importar& window, std::size_t entry)
{
    for (ui::CheckBox& box : window.chkTabla) box.value = 0;
    window.chkTabla[entry].value = 1;
    window.cmdImportar_Click();
}

struct Seconds {
    double headers = 0, lines = 0, receptions = 0;
    double total() const { return headers + lines + receptions; }
};

// The demo data, a second article with a component and the suppliers, then the entry of the orders on the
// legacy folder: its phases' seconds.
Seconds importOrders(Importar& window, const std::filesystem::path& legacy, long orders)
{
    std::string demo = demoData();
    gDB_Dll().EjecutaConsultaSQL(demo);
    if (!gDB_Dll().gCnn.errors().empty()) fail("the demo data did not load");
    std::string component = "INSERT INTO MA_INSUMOS (IDARTICULO, IDARTICULOINSUMO, IDUNIDADINSUMO, CANTIDAD) VALUES "
                            "('                     2001', '                     2002', '  M2', 0.5)";
    gDB_Dll().EjecutaConsultaSQL(component);
    if (!gDB_Dll().gCnn.errors().empty()) fail("the second component did not load");
    window.AlicuotaIva = gUtilidades().ValorNumerico(LeeConfiguracion("PIVA"));
    window.TxtPathDatos.text = legacy.string();
    runEntry(window, kProveedores);

    std::optional<Clock::time_point> linesStart, receptionsStart;
    const auto shown = window.alCambiar;
    window.alCambiar = [&] {
        // The line phase's progress text ends its minutes without a blank; the reception phase's, after it,
        // with one again.
        const std::string& text = window.LblDetalle.caption;
        if (!linesStart && text.find(" Min.\r\n") != std::string::npos) linesStart = Clock::now();
        if (linesStart && !receptionsStart && text.find(" Min. \r\n") != std::string::npos) receptionsStart = Clock::now();
        if (shown) shown();
    };
    const auto start = Clock::now();
    runEntry(window, kOrdenes);
    const auto end = Clock::now();
    window.alCambiar = shown;
    if (!linesStart || !receptionsStart) fail("a phase did not run: " + window.LblDetalle.caption);
    if (countRows("C_MV_CPTE") != orders) fail(fmt::format("{} orders written, {} expected", countRows("C_MV_CPTE"), orders));
    if (countRows("C_MV_CPTEINSUMOS") != orders * kLineasPorOrden)
        fail(fmt::format("{} lines written, {} expected", countRows("C_MV_CPTEINSUMOS"), orders * kLineasPorOrden));
    if (countRows("V_MV_STOCK WHERE TC = '  IR'") != orders / 2 * kLineasPorOrden)
        fail(fmt::format("{} reception movements written, {} expected", countRows("V_MV_STOCK WHERE TC = '  IR'"),
                         orders / 2 * kLineasPorOrden));
    if (countRows("V_MV_STOCK WHERE TC = '  PE'") == 0 || countRows("MV_ASIENTOS") == 0)
        fail("no component discharge or no accounting entry was written");
    if (window.MSFlexGrid1.textMatrix(window.MSFlexGrid1.rows() - 1, 0) != "")
        fail("the import listed an error: " + window.MSFlexGrid1.textMatrix(window.MSFlexGrid1.rows() - 1, 1));
    const auto seconds = [](Clock::time_point from, Clock::time_point to) { return std::chrono::duration<double>(to - from).count(); };
    return {seconds(start, *linesStart), seconds(*linesStart, *receptionsStart), seconds(*receptionsStart, end)};
}

// A prepared statement run once per order, and what it writes for each order.
struct Writer {
    sqlite3_stmt* statement = nullptr;
    std::map<std::string, std::vector<std::size_t>> rowsOf;  // rows by order
    const bench::CopiedRows* rows = nullptr;
};

// Every order's rows of every table, then the booklets' advance, each order in a transaction of its own;
// the seconds it took.
double writeEachOrder(sqlite3* db, const std::vector<std::string>& orders,
                      const std::vector<std::pair<std::string, const bench::CopiedRows*>>& tables,
                      const std::map<std::string, std::pair<long, long>>& booklets)
{
    sqlite3_stmt *begin = nullptr, *commit = nullptr, *booklet = nullptr;
    check(sqlite3_prepare_v2(db, "BEGIN", -1, &begin, nullptr), db);
    check(sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr), db);
    check(sqlite3_prepare_v2(db, "UPDATE V_TA_CPTE SET X_ULTIMO_NRO = ? WHERE CODIGO = ? AND TALONARIO = 1", -1, &booklet,
                             nullptr),
          db);
    std::vector<Writer> writers(tables.size());
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const auto& [table, rows] = tables[t];
        writers[t].rows = rows;
        check(sqlite3_prepare_v2(db, rows->insertInto(table).c_str(), -1, &writers[t].statement, nullptr), db);
        for (std::size_t i = 0; i < rows->keys.size(); ++i) writers[t].rowsOf[rows->keys[i]].push_back(i);
    }
    const auto start = Clock::now();
    for (const std::string& order : orders) {
        check(sqlite3_step(begin), db);
        sqlite3_reset(begin);
        for (Writer& writer : writers) {
            const auto found = writer.rowsOf.find(order);
            if (found == writer.rowsOf.end()) continue;
            for (std::size_t i : found->second) {
                const auto& row = writer.rows->values[i];
                for (std::size_t c = 0; c < row.size(); ++c) sqlite3_bind_value(writer.statement, static_cast<int>(c) + 1, row[c]);
                check(sqlite3_step(writer.statement), db);
                sqlite3_reset(writer.statement);
            }
        }
        const auto advance = booklets.find(order);
        if (advance != booklets.end()) {
            for (const auto& [code, next] : {std::pair<const char*, long>{"  IR", advance->second.first},
                                             std::pair<const char*, long>{"  PE", advance->second.second}}) {
                if (next == 0) continue;
                sqlite3_bind_int64(booklet, 1, next);
                sqlite3_bind_text(booklet, 2, code, -1, SQLITE_STATIC);
                check(sqlite3_step(booklet), db);
                sqlite3_reset(booklet);
            }
        }
        check(sqlite3_step(commit), db);
        sqlite3_reset(commit);
    }
    const double seconds = bench::since(start);
    sqlite3_finalize(begin);
    sqlite3_finalize(commit);
    sqlite3_finalize(booklet);
    for (Writer& writer : writers) sqlite3_finalize(writer.statement);
    return seconds;
}

// The final vouchers, lines, movements, entry lines and booklets of `source` written into the new database
// `target`; the seconds it took.
double rawPrepared(const std::filesystem::path& folder, const std::string& source, const std::string& target)
{
    bench::logIn(folder, target);  // the same schema as the imports' databases
    std::string demo = demoData();
    gDB_Dll().EjecutaConsultaSQL(demo);  // the booklets the receptions advance
    sqlite3* db = bench::openRaw(folder / (target + ".sqlite"));
    bench::attachSource(db, folder / (source + ".sqlite"));
    // The rows of each table, read before any clock starts, with the order each belongs to: `orderOf` is an
    // expression over the row giving the purchase order's id.
    const auto readRows = [db](const std::string& table, const std::string& orderOf, bench::CopiedRows& rows) {
        bench::readRows(db, "SELECT *, " + orderOf + " FROM source." + table + " AS r ORDER BY ID", rows, 0, true);
    };
    bench::CopiedRows headers, lines, movements, entries;
    // Each reception's order, and each order's highest reception and discharge numbers, gathered once into
    // keyed tables, so that reading the rows back is one pass over each table with a keyed look-up per row,
    // however many orders there are.
    for (const char* statement : {
             "CREATE TEMP TABLE recepcion (IR TEXT PRIMARY KEY, OC TEXT)",
             "INSERT INTO temp.recepcion SELECT IDCOMPROBANTE, MIN(IDCOMPROBANTE_ORIGEN) FROM source.V_MV_STOCK WHERE "
             "TC = '  IR' GROUP BY IDCOMPROBANTE",
             "CREATE TEMP TABLE talonario (OC TEXT PRIMARY KEY, IR INTEGER)",
             "INSERT INTO temp.talonario SELECT OC, MAX(CAST(SUBSTR(IR, 5, 8) AS INTEGER)) FROM temp.recepcion GROUP BY OC",
             "CREATE TEMP TABLE descarga (OC TEXT PRIMARY KEY, PE INTEGER)",
             "INSERT INTO temp.descarga SELECT r.OC, MAX(CAST(SUBSTR(p.IDCOMPROBANTE, 5, 8) AS INTEGER)) FROM "
             "source.V_MV_STOCK p JOIN temp.recepcion r ON r.IR = p.IDCOMPROBANTE_ORIGEN WHERE p.TC = '  PE' GROUP BY r.OC",
         })
        check(sqlite3_exec(db, statement, nullptr, nullptr, nullptr), db);
    // A reception's movements name its order; its discharge's name the reception; its entry lines carry it.
    const std::string receptionOrder = "(SELECT t.OC FROM temp.recepcion t WHERE t.IR = ";
    readRows("MV_CPTE", "r.IDCOMPROBANTE", headers);
    readRows("MV_CPTEINSUMOS", "r.IDCOMPROBANTE", lines);
    readRows("V_MV_STOCK",
             "CASE WHEN r.TC = '  IR' THEN r.IDCOMPROBANTE_ORIGEN ELSE " + receptionOrder + "r.IDCOMPROBANTE_ORIGEN) END",
             movements);
    readRows("MV_ASIENTOS", receptionOrder + "r.SUCURSAL || r.NUMERO || r.LETRA)", entries);
    // The booklets' next numbers once each order is in: the highest number used so far, plus one.
    std::map<std::string, std::pair<long, long>> booklets;
    std::vector<std::string> orders;
    {
        sqlite3_stmt* read = nullptr;
        check(sqlite3_prepare_v2(db,
                                 "SELECT h.IDCOMPROBANTE, (SELECT t.IR FROM temp.talonario t WHERE t.OC = h.IDCOMPROBANTE), "
                                 "(SELECT d.PE FROM temp.descarga d WHERE d.OC = h.IDCOMPROBANTE) FROM source.MV_CPTE h "
                                 "ORDER BY h.ID",
                                 -1, &read, nullptr),
              db);
        while (sqlite3_step(read) == SQLITE_ROW) {
            const std::string order = reinterpret_cast<const char*>(sqlite3_column_text(read, 0));
            orders.push_back(order);
            const long ir = sqlite3_column_int64(read, 1), pe = sqlite3_column_int64(read, 2);
            if (ir > 0) booklets[order] = {ir + 1, pe > 0 ? pe + 1 : 0};
        }
        sqlite3_finalize(read);
    }
    check(sqlite3_exec(db, "DROP TABLE temp.recepcion; DROP TABLE temp.talonario; DROP TABLE temp.descarga", nullptr, nullptr, nullptr), db);
    bench::detachSource(db);
    const double seconds = writeEachOrder(
        db, orders, {{"MV_CPTE", &headers}, {"MV_CPTEINSUMOS", &lines}, {"V_MV_STOCK", &movements}, {"MV_ASIENTOS", &entries}},
        booklets);
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const long orders = argc > 1 ? std::atol(argv[1]) : 10000;
    if (orders <= 0) fail("usage: bench_purchase_orders [orders]");
    bench::drawOffscreenWithoutDisplay();
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    const bench::Scratch scratch;
    const std::filesystem::path& folder = scratch.folder();
    gUsuarioLogeado = "bench";
    gUNegocio = "   1";

    const auto made = Clock::now();
    bench::generateLegacyFolder(folder / "legacy", "--orders", orders);
    std::printf("legacy folder with %ld orders of %ld lines generated in %.1f s\n", orders, kLineasPorOrden,
                bench::since(made));

    const auto [shown, hidden] = bench::withAndWithoutWindow(
        folder, [&](Importar& window) { return importOrders(window, folder / "legacy", orders); });
    const double raw = rawPrepared(folder, "VENTANA", "CRUDO");

    const long lines = orders * kLineasPorOrden;
    const long received = orders / 2;
    std::printf("orders: %ld, lines: %ld, received orders: %ld\n", orders, lines, received);
    std::printf("                                  orders/s     lines/s  receptions/s     orders/s, all phases\n");
    for (const auto& [what, s] : {std::pair<const char*, const Seconds&>{"ImportaOrdenes, window shown: ", shown},
                                  std::pair<const char*, const Seconds&>{"ImportaOrdenes, no window:    ", hidden}})
        std::printf("%s  %10.0f  %10.0f  %12.0f  %10.0f\n", what, orders / s.headers, lines / s.lines,
                    received / s.receptions, orders / s.total());
    std::printf("raw prepared sqlite3, one transaction per order:                        %10.0f\n", orders / raw);
    std::printf("import / raw time: %.2fx (window shown), %.2fx (no window)\n", shown.total() / raw, hidden.total() / raw);
    return 0;
}
