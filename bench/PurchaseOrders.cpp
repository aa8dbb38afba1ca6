// Generated legacy purchase orders of four lines each through ImportaOrdenes, as the operator runs it:
// "Iniciar/Importar" with the entry "ORDENES DE COMPRA PENDIENTE" ticked, the window shown (offscreen when
// there is no display) and the Qt event pump. The database is prepared before the clock starts: the demo
// data (settings, articles with cost accounts, the reception booklets, stock entries on, the screw whose
// washer is discharged from lots) with a second article with a component, and the suppliers, imported from
// the same legacy folder. Per order the task asks whether the voucher exists, reads the supplier's row and
// commits one INSERT; per line it counts the lines already there and commits one INSERT; every second
// order is received: its reception (movements, component discharge, accounting entry, booklet, marks) is
// one more transaction. Measured four ways in one run:
//   - with the window and its event pump (what the operator gets),
//   - without a window (the same database work, no label shown, no events),
//   - the same units of work with raw prepared SQLite statements into the base tables: the legacy tables
//     read through the DBF reader, the same transactions and the same reads (see rawSameWork), so that the
//     ratio is what our own layers cost,
//   - the ideal: the same final rows, one transaction per order (its header, its lines, its movements and
//     entry lines, the booklets' advance) and no reads, printed beside it.
// The raw runs write into identical databases. The phases are timed apart: each of the import's begins with
// its first progress text. Each is timed in CPU seconds, the faster of two runs.
// Usage: bench_purchase_orders [orders] (default 10000; the legacy folder is generated first).

#include "bench/BenchSupport.h"
#include "bench/ImportRuns.h"
#include "bench/LegacyReads.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "importer/Importar.h"

#include <QApplication>
#include <algorithm>
#include <cstdint>
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
#include <strings.h>
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

// The demo data and a second article with a component, as both the import's and the raw databases start.
void loadDemoData()
{
    std::string demo = demoData();
    gDB_Dll().EjecutaConsultaSQL(demo);
    if (!gDB_Dll().gCnn.errors().empty()) fail("the demo data did not load");
    std::string component = "INSERT INTO MA_INSUMOS (IDARTICULO, IDARTICULOINSUMO, IDUNIDADINSUMO, CANTIDAD) VALUES "
                            "('                     2001', '                     2002', '  M2', 0.5)";
    gDB_Dll().EjecutaConsultaSQL(component);
    if (!gDB_Dll().gCnn.errors().empty()) fail("the second component did not load");
}

struct Seconds {
    double headers = 0, lines = 0, receptions = 0;
    double total() const { return headers + lines + receptions; }
};

// The demo data, a second article with a component and the suppliers, then the entry of the orders on the
// legacy folder: its phases' CPU seconds.
Seconds importOrders(Importar& window, const std::filesystem::path& legacy, long orders)
{
    loadDemoData();
    window.AlicuotaIva = gUtilidades().ValorNumerico(LeeConfiguracion("PIVA"));
    window.TxtPathDatos.text = legacy.string();
    bench::runEntry(window, kProveedores);

    const bench::CpuClock clock;
    std::optional<double> linesStart, receptionsStart;
    const auto shown = window.alCambiar;
    window.alCambiar = [&] {
        // The line phase's progress text ends its minutes without a blank; the reception phase's, after it,
        // with one again.
        const std::string& text = window.LblDetalle.caption;
        if (!linesStart && text.find(" Min.\r\n") != std::string::npos) linesStart = clock.seconds();
        if (linesStart && !receptionsStart && text.find(" Min. \r\n") != std::string::npos) receptionsStart = clock.seconds();
        if (shown) shown();
    };
    const double start = clock.seconds();
    bench::runEntry(window, kOrdenes);
    const double end = clock.seconds();
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
    return {*linesStart - start, *receptionsStart - *linesStart, end - *receptionsStart};
}

// The settings the stock posting reads for each reception.
constexpr const char* kPostingSettings[] = {"AsientosXStock", "DepositoDefault", "MotivoStockDefault",
                                            "DescargaInsumosProduccion", "IR_Oblig", "CuentaCtroDist"};

// A value bound to a statement: a copied value, a text or a number.
struct Binding {
    Binding(sqlite3_value* value) : value(value) {}
    Binding(std::string text) : text(std::move(text)) {}
    Binding(const char* text) : text(text) {}
    Binding(std::int64_t number) : number(number), isNumber(true) {}
    sqlite3_value* value = nullptr;
    std::string text;
    std::int64_t number = 0;
    bool isNumber = false;
};

// One prepared statement, stepped through all its rows with the values bound.
class Statement {
public:
    Statement(sqlite3* db, const std::string& text) : db_(db) { check(sqlite3_prepare_v2(db, text.c_str(), -1, &s_, nullptr), db); }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void run(const std::vector<sqlite3_value*>& values)
    {
        for (std::size_t c = 0; c < values.size(); ++c) sqlite3_bind_value(s_, static_cast<int>(c) + 1, values[c]);
        step();
    }
    void run(std::initializer_list<Binding> values = {})
    {
        bind(values);
        step();
    }
    // The first row's first column as a number (0 without a row), every row read.
    std::int64_t first(std::initializer_list<Binding> values)
    {
        bind(values);
        int code = sqlite3_step(s_);
        const std::int64_t value = code == SQLITE_ROW ? sqlite3_column_int64(s_, 0) : 0;
        while (code == SQLITE_ROW) code = sqlite3_step(s_);
        check(code, db_);
        sqlite3_reset(s_);
        return value;
    }

private:
    void bind(std::initializer_list<Binding> values)
    {
        int c = 0;
        for (const Binding& v : values) {
            ++c;
            if (v.value) sqlite3_bind_value(s_, c, v.value);
            else if (v.isNumber) sqlite3_bind_int64(s_, c, v.number);
            else sqlite3_bind_text(s_, c, v.text.c_str(), static_cast<int>(v.text.size()), SQLITE_TRANSIENT);
        }
    }
    void step()
    {
        int code = sqlite3_step(s_);
        while (code == SQLITE_ROW) code = sqlite3_step(s_);
        check(code, db_);
        sqlite3_reset(s_);
    }

    sqlite3* db_;
    sqlite3_stmt* s_ = nullptr;
};

// Where the named columns stand among the copied ones.
class Columns {
public:
    Columns(const bench::CopiedRows& rows, std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            const auto found = std::find_if(rows.columns.begin(), rows.columns.end(),
                                            [name](const std::string& c) { return strcasecmp(c.c_str(), name) == 0; });
            if (found == rows.columns.end()) fail(std::string("no column ") + name);
            at_.push_back(static_cast<std::size_t>(found - rows.columns.begin()));
        }
    }
    std::size_t operator[](std::size_t i) const { return at_[i]; }
    static std::string text(sqlite3_value* value)
    {
        const unsigned char* text = sqlite3_value_text(value);
        return text ? reinterpret_cast<const char*>(text) : "";
    }

private:
    std::vector<std::size_t> at_;
};

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
    const bench::CpuClock clock;
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
    const double seconds = clock.seconds();
    sqlite3_finalize(begin);
    sqlite3_finalize(commit);
    sqlite3_finalize(booklet);
    for (Writer& writer : writers) sqlite3_finalize(writer.statement);
    return seconds;
}

// The rows the window's import wrote, read back from its database before any clock starts, each with the
// order it belongs to, and the booklets' next numbers once each order is in.
struct OrderRows {
    bench::CopiedRows headers, lines, movements, entries;
    std::vector<std::string> orders;                         // in the order they were written
    std::map<std::string, std::pair<long, long>> booklets;  // received orders: next "IR" and "PE" (0: none)
};

// `source`'s rows read through `db`, where it is attached as "source".
void readOrderRows(sqlite3* db, OrderRows& rows)
{
    // `orderOf` is an expression over the row giving the purchase order's id.
    const auto readRows = [db](const std::string& table, const std::string& orderOf, bench::CopiedRows& copied) {
        bench::readRows(db, "SELECT *, " + orderOf + " FROM source." + table + " AS r ORDER BY ID", copied, 0, true);
    };
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
    readRows("MV_CPTE", "r.IDCOMPROBANTE", rows.headers);
    readRows("MV_CPTEINSUMOS", "r.IDCOMPROBANTE", rows.lines);
    readRows("V_MV_STOCK",
             "CASE WHEN r.TC = '  IR' THEN r.IDCOMPROBANTE_ORIGEN ELSE " + receptionOrder + "r.IDCOMPROBANTE_ORIGEN) END",
             rows.movements);
    readRows("MV_ASIENTOS", receptionOrder + "r.SUCURSAL || r.NUMERO || r.LETRA)", rows.entries);
    // The booklets' next numbers once each order is in: the highest number used so far, plus one.
    sqlite3_stmt* read = nullptr;
    check(sqlite3_prepare_v2(db,
                             "SELECT h.IDCOMPROBANTE, (SELECT t.IR FROM temp.talonario t WHERE t.OC = h.IDCOMPROBANTE), "
                             "(SELECT d.PE FROM temp.descarga d WHERE d.OC = h.IDCOMPROBANTE) FROM source.MV_CPTE h "
                             "ORDER BY h.ID",
                             -1, &read, nullptr),
          db);
    while (sqlite3_step(read) == SQLITE_ROW) {
        const std::string order = reinterpret_cast<const char*>(sqlite3_column_text(read, 0));
        rows.orders.push_back(order);
        const long ir = sqlite3_column_int64(read, 1), pe = sqlite3_column_int64(read, 2);
        if (ir > 0) rows.booklets[order] = {ir + 1, pe > 0 ? pe + 1 : 0};
    }
    sqlite3_finalize(read);
    check(sqlite3_exec(db, "DROP TABLE temp.recepcion; DROP TABLE temp.talonario; DROP TABLE temp.descarga", nullptr, nullptr, nullptr), db);
}

// A new database `target` prepared as the import's was before its clock started, with `source`'s rows read
// from it; the raw connection to `target`.
sqlite3* prepareRaw(const std::filesystem::path& folder, const std::string& source, const std::string& target, OrderRows& rows)
{
    bench::logIn(folder, target);  // the same schema as the imports' databases
    loadDemoData();
    sqlite3* db = bench::openRaw(folder / (target + ".sqlite"));
    bench::attachSource(db, folder / (source + ".sqlite"));
    // The suppliers the headers read, as the supplier import left them.
    check(sqlite3_exec(db, "INSERT INTO MA_CUENTASADIC SELECT * FROM source.MA_CUENTASADIC", nullptr, nullptr, nullptr), db);
    readOrderRows(db, rows);
    bench::detachSource(db);
    return db;
}

// The final vouchers, lines, movements, entry lines and booklets of `source` written into the new database
// `target`, one transaction per order and no reads; the seconds it took.
double rawIdeal(const std::filesystem::path& folder, const std::string& source, const std::string& target)
{
    OrderRows rows;
    sqlite3* db = prepareRaw(folder, source, target, rows);
    const double seconds = writeEachOrder(db, rows.orders,
                                          {{"MV_CPTE", &rows.headers},
                                           {"MV_CPTEINSUMOS", &rows.lines},
                                           {"V_MV_STOCK", &rows.movements},
                                           {"MV_ASIENTOS", &rows.entries}},
                                          rows.booklets);
    sqlite3_close(db);
    return seconds;
}

// The same units of work as the import, as prepared statements into the new database `target`: a
// transaction per header, per line and per received order, with the reads each one makes first: whether
// the voucher exists and the supplier's row (headers); the voucher once per order and the lines already
// stored of the article (lines); the voucher, the stored order line of each received line, whether the
// order was received before, the reception number's booklets and whether an entry or a movement has it,
// the posting's settings, sub-journal, motive, accounts, article and components, for a discharge its
// number's booklets, its lots and the freeing of its number, the entry number and whether the entry exists
// (receptions). Each reception's transaction marks the voucher, writes the movements and entry lines,
// advances the booklets, marks the order lines and gives the movements their descriptions. The legacy
// tables of `legacy` are read through the DBF reader as the phases read them: FORCOMPR a record per
// header, FDEORCOM a record per line, and FDEORCOM whole before the receptions, keeping the received
// lines. The CPU seconds of each phase.
Seconds rawSameWork(const std::filesystem::path& folder, const std::filesystem::path& legacy, const std::string& source,
                    const std::string& target)
{
    OrderRows rows;
    sqlite3* db = prepareRaw(folder, source, target, rows);
    Seconds seconds;
    {
        Statement begin(db, "BEGIN"), commit(db, "COMMIT");
        Statement voucher(db, "SELECT CUENTA FROM MV_CPTE WHERE TC = ? AND IDCOMPROBANTE = ?");
        Statement supplier(db, "SELECT * FROM MA_CUENTASADIC WHERE CODIGO = ? LIMIT 8");
        Statement header(db, rows.headers.insertInto("MV_CPTE"));
        Statement description(db, "SELECT DESCRIPCION FROM V_MA_ARTICULOS WHERE IDARTICULO = ?");
        Statement stored(db, "SELECT COUNT(*) FROM MV_CPTEINSUMOS WHERE TC = ? AND IDCOMPROBANTE = ? AND IDARTICULO = ?");
        Statement line(db, rows.lines.insertInto("MV_CPTEINSUMOS"));
        Statement orderLine(db, "SELECT ID, IDUNIDAD, CANTIDAD, CANTIDADUD, COSTO, IMPORTE, IMPORTE_S_IVA, IMPUESTOS FROM "
                                "MV_CPTEINSUMOS WHERE TC = ? AND IDCOMPROBANTE = ? AND IDARTICULO = ? ORDER BY ID");
        Statement received(db, "SELECT ID FROM V_MV_STOCK WHERE TC_ORIGEN = ? AND IDCOMPROBANTE_ORIGEN = ?");
        Statement equivalent(db, "SELECT * FROM V_TA_CPTE WHERE LTRIM(RTRIM(CODIGO)) = ? COLLATE SQLSRV LIMIT 1");
        Statement type(db, "SELECT * FROM V_TA_CPTE WHERE CODIGO = ?");
        Statement booklets(db, "SELECT * FROM V_TA_CPTE WHERE CODIGO = ? ORDER BY TALONARIO");
        Statement unitBooklets(db, "SELECT * FROM V_TA_CPTE WHERE CODIGO = ? AND UNEGOCIO = ? ORDER BY TALONARIO");
        Statement branchBooklets(db, "SELECT * FROM V_TA_CPTE WHERE CODIGO = ? AND X_SUC_DEFAULT = 1 ORDER BY TALONARIO");
        Statement booklet(db, "SELECT * FROM V_TA_CPTE WHERE CODIGO = ? AND TALONARIO = 1");
        Statement setting(db, "SELECT VALOR, VALORAUX FROM TA_CONFIGURACION WHERE CLAVE = ?");
        Statement subjournal(db, "SELECT * FROM MA_SUBDIARIOSCOMPROBANTES WHERE TC = ?");
        Statement motive(db, "SELECT CUENTACONTABLE, DESCRIPCION FROM V_TA_MOTIVOSTOCK WHERE IDMOTIVOSTOCK = ?");
        Statement accounts(db, "SELECT IDARTICULO, CUENTACONTABLEC FROM V_MA_ARTICULOS WHERE IDARTICULO IN (?, ?, ?, ?) AND "
                               "NOT CUENTACONTABLEC IS NULL");
        Statement article(db, "SELECT * FROM V_MA_ARTICULOS WHERE LTRIM(RTRIM(IDARTICULO)) = ? COLLATE SQLSRV LIMIT 1");
        Statement lots(db, "SELECT * FROM STK_SERIES_Y_LOTES WHERE IDARTICULO = ? AND CANTIDAD > 0 AND IDDEPOSITO = ? AND "
                           "NOT NROLOTE IS NULL ORDER BY NROLOTE");
        Statement freeNumber(db, "DELETE FROM V_MV_CTROL_CPTE WHERE TC = ? AND SUCURSAL = ? AND NUMERO = ? AND LETRA = ?");
        Statement taken(db, "SELECT ID FROM V_MV_STOCK WHERE TC = ? AND IDCOMPROBANTE = ?");
        Statement components(db, "SELECT * FROM V_MA_INSUMOS WHERE IDARTICULO = ? ORDER BY IDARTICULOINSUMO");
        Statement entryNumber(db, "SELECT MAX([NUMERO ASIENTO]) FROM MV_ASIENTOS WHERE MES_OPERATIVO = ? AND TIPO_REG IN "
                                  "(?, ?, ?) AND PERIODO = ?");
        Statement entry(db, "SELECT * FROM MV_ASIENTOS WHERE TC = ? AND SUCURSAL = ? AND NUMERO = ? AND LETRA = ?");
        Statement deposit(db, "UPDATE MV_CPTE SET IDDEPOSITORECEPCION = 'CD61' WHERE TC = ? AND IDCOMPROBANTE = ?");
        Statement movement(db, rows.movements.insertInto("V_MV_STOCK")), entryLine(db, rows.entries.insertInto("MV_ASIENTOS"));
        Statement advance(db, "UPDATE V_TA_CPTE SET X_ULTIMO_NRO = ? WHERE CODIGO = ? AND TALONARIO = 1 AND "
                              "(X_ULTIMO_NRO IS NULL OR X_ULTIMO_NRO < ?)");
        Statement mark(db, "UPDATE MV_CPTEINSUMOS SET CONTROLADOPOR = ? WHERE ID = ?");
        const std::string describe =
            " SET DESCRIPCION = COALESCE((SELECT DESCRIPCION FROM V_MA_ARTICULOS WHERE V_MA_ARTICULOS.IDARTICULO = "
            "V_MV_STOCK.IDARTICULO), '')";
        Statement describeReception(db, "UPDATE V_MV_STOCK" + describe + " WHERE TC = ? AND IDCOMPROBANTE = ?");
        Statement describeDischarge(db, "UPDATE V_MV_STOCK" + describe + " WHERE TC_ORIGEN = ? AND IDCOMPROBANTE_ORIGEN = ?");

        const Columns h(rows.headers, {"TC", "IDCOMPROBANTE", "CUENTA"});
        const Columns l(rows.lines, {"TC", "IDCOMPROBANTE", "IDARTICULO"});
        const Columns m(rows.movements, {"TC", "IDCOMPROBANTE", "IDARTICULO", "IDMOTIVOSTOCK", "IDDEPOSITO"});
        const Columns e(rows.entries, {"MES_OPERATIVO", "TIPO_REG", "PERIODO", "TC", "SUCURSAL", "NUMERO", "LETRA"});
        const auto rowsOf = [](const bench::CopiedRows& copied) {
            std::map<std::string, std::vector<std::size_t>> byOrder;
            for (std::size_t i = 0; i < copied.keys.size(); ++i) byOrder[copied.keys[i]].push_back(i);
            return byOrder;
        };
        const auto headerOf = rowsOf(rows.headers), movementsOf = rowsOf(rows.movements), entriesOf = rowsOf(rows.entries);

        std::size_t receivedLines = 0, storedLinesFound = 0;
        // A number of the type's booklets, as the numbering reads it: the type's equivalent and its data, its
        // booklets (of the business unit for a discharge), the booklets of the default branch, the chosen
        // booklet when the number is checked and when it is advanced, and whether an entry has the number.
        const auto numbering = [&](const char* code, const std::string& id, bool ofUnit) {
            if (ofUnit) {
                unitBooklets.run({code, "   1"});
            } else {
                equivalent.run({std::string(code).substr(2)});
                booklets.run({code});
                type.run({code});
            }
            branchBooklets.run({code});
            booklet.run({code});
            booklet.run({code});
            entry.run({code, id.substr(0, 4), id.substr(4, 8), id.substr(12)});
        };

        bench::CpuClock clock;
        bench::DbfRows legacyHeaders(legacy, "FORCOMPR");
        for (const auto& row : rows.headers.values) {
            if (!legacyHeaders.next()) fail("FORCOMPR holds fewer orders than the import wrote");
            voucher.run({row[h[0]], row[h[1]]});
            supplier.run({row[h[2]]});
            begin.run();
            header.run(row);
            commit.run();
        }
        legacyHeaders.rest();
        seconds.headers = clock.seconds();

        clock = {};
        bench::DbfRows legacyLines(legacy, "FDEORCOM");
        std::string last;
        for (std::size_t i = 0; i < rows.lines.values.size(); ++i) {
            if (!legacyLines.next()) fail("FDEORCOM holds fewer lines than the import wrote");
            const auto& row = rows.lines.values[i];
            if (rows.lines.keys[i] != last) voucher.run({row[l[0]], row[l[1]]});
            last = rows.lines.keys[i];
            stored.run({row[l[0]], row[l[1]], row[l[2]]});
            begin.run();
            description.run({row[l[2]]});
            line.run(row);
            commit.run();
        }
        legacyLines.rest();
        seconds.lines = clock.seconds();

        clock = {};
        bench::DbfRows legacyReceived(legacy, "FDEORCOM");
        const std::size_t state = legacyReceived.field("ESTA_FOD");
        std::size_t legacyReceivedLines = 0;
        while (legacyReceived.next())
            if (legacyReceived[state].toText() == "C") ++legacyReceivedLines;
        for (const auto& [order, numbers] : rows.booklets) {
            const auto& head = rows.headers.values[headerOf.at(order).front()];
            voucher.run({head[h[0]], head[h[1]]});
            std::vector<std::int64_t> storedLines;
            std::string reception;
            bool discharges = false;
            for (std::size_t i : movementsOf.at(order)) {
                const auto& row = rows.movements.values[i];
                if (Columns::text(row[m[0]]) != "  IR") {
                    discharges = true;
                    continue;
                }
                reception = Columns::text(row[m[1]]);
                ++receivedLines;
                if (const std::int64_t id = orderLine.first({head[h[0]], head[h[1]], row[m[2]]})) storedLines.push_back(id);
            }
            received.run({head[h[0]], head[h[1]]});
            numbering("  IR", reception, false);
            taken.run({"  IR", reception});
            // The posting: its settings, the type's sub-journal, the movements' motive, the articles' accounts,
            // the article and the components of each line; a discharge's number, lots and number check.
            for (const char* key : kPostingSettings) setting.run({key});
            subjournal.run({"  IR"});
            std::vector<sqlite3_value*> articles;
            for (std::size_t i : movementsOf.at(order)) {
                const auto& row = rows.movements.values[i];
                if (Columns::text(row[m[0]]) != "  IR") continue;
                if (articles.empty()) motive.run({row[m[3]]});
                articles.push_back(row[m[2]]);
            }
            accounts.run({articles[0], articles[std::min<std::size_t>(1, articles.size() - 1)],
                          articles[std::min<std::size_t>(2, articles.size() - 1)],
                          articles[std::min<std::size_t>(3, articles.size() - 1)]});
            std::string code = Columns::text(articles[0]);
            article.run({code.erase(0, code.find_first_not_of(' '))});
            for (sqlite3_value* line : articles) components.run({line});
            if (discharges) {
                std::string discharge;
                for (std::size_t i : movementsOf.at(order)) {
                    const auto& row = rows.movements.values[i];
                    if (Columns::text(row[m[0]]) != "  PE") continue;
                    discharge = Columns::text(row[m[1]]);
                    lots.run({row[m[2]], row[m[4]]});
                }
                numbering("  PE", discharge, true);
                taken.run({"  PE", discharge});
                freeNumber.run({"  PE", discharge.substr(0, 4), discharge.substr(4, 8), discharge.substr(12)});
            }
            const auto entryLines = entriesOf.find(order);
            if (entryLines != entriesOf.end()) {
                const auto& first = rows.entries.values[entryLines->second.front()];
                std::string kind = Columns::text(first[e[1]]);
                kind.erase(0, kind.find_first_not_of(' '));
                entryNumber.run({first[e[0]], kind, " " + kind, "  " + kind, first[e[2]]});
                entry.run({first[e[3]], first[e[4]], first[e[5]], first[e[6]]});
            }

            begin.run();
            deposit.run({head[h[0]], head[h[1]]});
            for (std::size_t i : movementsOf.at(order)) movement.run(rows.movements.values[i]);
            if (entryLines != entriesOf.end())
                for (std::size_t i : entryLines->second) entryLine.run(rows.entries.values[i]);
            for (const auto& [code, next] : {std::pair<const char*, long>{"  IR", numbers.first},
                                             std::pair<const char*, long>{"  PE", numbers.second}})
                if (next != 0) advance.run({std::int64_t{next}, code, std::int64_t{next}});
            for (std::int64_t id : storedLines) mark.run({"RECEPCIONADO|" + reception, id});
            storedLinesFound += storedLines.size();
            describeReception.run({"  IR", reception});
            describeDischarge.run({"  IR", reception});
            commit.run();
        }
        seconds.receptions = clock.seconds();
        if (legacyReceivedLines < receivedLines)
            fail(fmt::format("FDEORCOM holds {} received lines, the import received {}", legacyReceivedLines, receivedLines));
        if (storedLinesFound != receivedLines)
            fail(fmt::format("{} stored order lines found for {} received lines", storedLinesFound, receivedLines));
    }
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
    const Seconds same = bench::fasterOfTwo(
        "MISMO", [&](const std::string& target) { return rawSameWork(folder, folder / "legacy", "VENTANA", target); });
    const double raw = bench::fasterOfTwo("CRUDO", [&](const std::string& target) { return rawIdeal(folder, "VENTANA", target); });

    const long lines = orders * kLineasPorOrden;
    const long received = orders / 2;
    std::printf("orders: %ld, lines: %ld, received orders: %ld\n", orders, lines, received);
    std::printf("                                          orders/s     lines/s  receptions/s     orders/s, all phases\n");
    for (const auto& [what, s] : {std::pair<const char*, const Seconds&>{"ImportaOrdenes, window shown:         ", shown},
                                  std::pair<const char*, const Seconds&>{"ImportaOrdenes, no window:            ", hidden},
                                  std::pair<const char*, const Seconds&>{"raw prepared sqlite3, same units of work:", same}})
        std::printf("%s  %10.0f  %10.0f  %12.0f  %10.0f\n", what, orders / s.headers, lines / s.lines,
                    received / s.receptions, orders / s.total());
    std::printf("raw prepared sqlite3, one transaction per order:                                %10.0f\n", orders / raw);
    bench::printRatios(shown.total(), hidden.total(), same.total(), raw);
    return 0;
}
