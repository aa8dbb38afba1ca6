// A stored delivery note loaded into the voucher grids as a voucher screen asks for it: an "RM" of 2,000
// article lines over 200 articles, delivered in parts (IdReparto -1, most of every article already moved,
// lines and movements with their base units), the equivalence units unconfigured, into freshly laid-out
// grids. Measured against raw prepared SQLite in the same run doing the same units of work: the header and
// line SELECTs, per line the article and its type, per article the two delivery views (read once, what was
// delivered taken off the article's lines in line order), with the same cells written into a grid; and,
// for information, against an ideal baseline that reads the lines with one SELECT and nothing per line.
// Times are the process's CPU time: both sides run in this one thread, and the machine may be shared. Each
// side runs its loads twice and its faster run counts, so no side is charged for coming first to a cold process.
// Usage: bench_voucher_loading [lines] [loads] (default 2000 lines, 5 loads).

#include "bench/BenchSupport.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/Utf8.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextMeasurer.h"
#include "stock/ClsCmnCptes.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using bench::check;
using bench::CpuClock;
using bench::fail;

constexpr long kArticles = 200;
constexpr const char* kVoucher = "000100000001R";

void execute(std::string statement)
{
    gDB_Dll().EjecutaConsultaSQL(statement);
    if (!gDB_Dll().gCnn.errors().empty()) fail("cannot run: " + statement);
}

std::string article(long n) { return gUtilidades().RellenaCodigo(fmt::format("ART{:04}", n), 25); }

void seed(long lines)
{
    execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA) VALUES ('  RM', 1, 'VENTAS')");
    execute("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('EntregaParcialRemito', 'SI')");
    execute("INSERT INTO TA_TIPOARTICULO (TIPO, DESCRIPCION) VALUES ('   1', 'Goods')");
    execute("INSERT INTO MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDREPARTO, CONDICIONIVA) VALUES ('  RM', '" +
            std::string(kVoucher) + "', 0, -1, '   1')");
    std::string batch = "BEGIN TRANSACTION;";
    for (long a = 0; a < kArticles; ++a) {
        batch += fmt::format("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IDTIPO, PRESENTACION, "
                             "USASERIE, USALOTE) VALUES ('{}', 'Article {}', '  UN', '   1', 'Box', 0, 0);",
                             article(a), a);
        batch += fmt::format("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, IDARTICULO, CANTIDAD, CANTIDADUD) VALUES "
                             "('  RM', '{}', '{}', -95, -95);",
                             kVoucher, article(a));
    }
    for (long l = 0; l < lines; ++l)
        batch += fmt::format("INSERT INTO MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, DESCRIPCION, "
                             "IDUNIDAD, CANTIDAD, CANTIDADUD, IMPORTE, COSTO, IMPORTE_S_IVA, IMPUESTOS, TOTAL, EXENTO, "
                             "PORCDTO, IDLISTA, ALICIVA) VALUES ('  RM', '{}', 0, '{}', 'Line {}', '  UN', 10, 10, "
                             "12.5, 8, 10.33, 0, 12.5, 0, 0, '   1', 21);",
                             kVoucher, article(l % kArticles), l);
    batch += "COMMIT TRANSACTION;";
    execute(batch);
}

// The program's load into fresh grids, `loads` times: seconds.
double engineLoads(ClsCmnCptes& engine, long loads, long lines)
{
    const ui::FixedWidthTextMeasurer measurer;
    double seconds = 0;
    for (long n = 0; n < loads; ++n) {
        ui::FlexGrid tasks, articles, others;
        engine.InicializaGrids(&tasks, &articles, &others, nullptr, nullptr, nullptr, measurer, "RM");
        const CpuClock clock;
        engine.AsignarDatosComprobante("RM", kVoucher, "0", tasks, articles, others);
        seconds += clock.seconds();
        if (articles.rows() != lines + 2) fail(fmt::format("{} article rows loaded, {} expected", articles.rows() - 2, lines));
        // Of each article's 100, 95 were delivered: its first line gives all of its 10.
        if (articles.textMatrix(1, 7) != "0") fail("the first line did not load what is still to deliver");
    }
    return seconds;
}

struct Statement {
    sqlite3* db;
    sqlite3_stmt* stmt = nullptr;
    Statement(sqlite3* db_, const std::string& sql) : db(db_) { check(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr), db); }
    ~Statement() { sqlite3_finalize(stmt); }
    void bind(int i, const std::string& text) { check(sqlite3_bind_text(stmt, i, text.c_str(), -1, SQLITE_TRANSIENT), db); }
    bool step() { return sqlite3_step(stmt) == SQLITE_ROW; }
    void reset() { sqlite3_reset(stmt); }
    std::string text(int col)
    {
        const unsigned char* value = sqlite3_column_text(stmt, col);
        return value ? reinterpret_cast<const char*>(value) : "";
    }
    double number(int col) { return sqlite3_column_double(stmt, col); }
    bool isNull(int col) { return sqlite3_column_type(stmt, col) == SQLITE_NULL; }
    // The position of a result column, found by name as a recordset's field is.
    int column(std::string_view name)
    {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            if (base::equalsIgnoringCase(sqlite3_column_name(stmt, c), name)) return c;
        fail(fmt::format("no column {}", name));
    }
};

constexpr const char* kLineColumns = "IDARTICULO, DESCRIPCION, IDUNIDAD, CANTIDAD, IDUNIDADBASE, CANTIDADUD, IMPORTE, "
                                     "PORCDTO, IDLISTA, COSTO, IMPORTE_S_IVA, IMPUESTOS, TOTAL, ALICIVA, EQUIV_UDBASE";
// Grid columns of the line's columns above, in order; the equivalence is read, not written.
constexpr std::array<long, 14> kLineCells{0, 1, 5, 7, 9, 10, 14, 11, 2, 38, 17, 40, 15, 33};
constexpr int kCantidad = 3, kCantidadUD = 5, kEquivalencia = 14;

// A line as read, with its quantity in its own and in base units.
struct Line {
    std::array<std::string, kLineCells.size()> cells;
    double quantity = 0, base = 0, equivalence = 1;
};

// What an article's lines add up to and, once its views are read, what is still to take off them.
struct Article {
    double base = 0;
    long linesLeft = 0;
    std::optional<double> rest;
};

// Raw prepared SQLite doing the load's units of work, or with `ideal` only the lines' SELECT: seconds.
double rawLoads(sqlite3* db, long loads, bool ideal)
{
    Statement header(db, "SELECT * FROM MV_CPTE WHERE TC = ? AND IDCOMPROBANTE = ? AND IDCOMPLEMENTO = 0 ORDER BY ID");
    Statement lines(db, std::string("SELECT ") + kLineColumns +
                            " FROM V_MV_CPTEINSUMOS WHERE TC = ? AND IDCOMPROBANTE = ? AND IDCOMPLEMENTO = 0 ORDER BY ID");
    // The per-line reads are the program's own statements: whole rows of the master and the views.
    Statement master(db, "SELECT * FROM V_MA_ARTICULOS WHERE IDARTICULO = ?");
    Statement type(db, "SELECT DESCRIPCION FROM V_TA_TipoArticulo WHERE TIPO = ?");
    Statement ordered(db, "SELECT * FROM VT_V_MV_CPTEINSUMOS_CONS2 WHERE (TC = ?) AND IDCOMPROBANTE = ? AND IDARTICULO = ?");
    Statement moved(db, "SELECT * FROM VT_V_MV_Stock_Cons WHERE (TC = ?) AND IDCOMPROBANTE = ? AND IDARTICULO = ?");
    const int idTipo = master.column("IDTIPO"), presentacion = master.column("PRESENTACION");
    const int usaSerie = master.column("USASERIE"), usaLote = master.column("USALOTE");
    const int cantidad[2] = {ordered.column("Cantidad"), moved.column("Cantidad")};
    double seconds = 0;
    for (long n = 0; n < loads; ++n) {
        ui::FlexGrid articles;
        articles.setCols(92);
        articles.setRows(2);
        const CpuClock clock;
        if (!ideal) {
            header.bind(1, "  RM");
            header.bind(2, kVoucher);
            header.step();
            header.reset();
        }
        lines.bind(1, "  RM");
        lines.bind(2, kVoucher);
        // The lines are read first, as the load's snapshot is, to know each article's lines.
        std::vector<Line> read;
        std::unordered_map<std::string, Article> byArticle;
        while (lines.step()) {
            Line line;
            for (std::size_t c = 0; c < kLineCells.size(); ++c) line.cells[c] = lines.text(static_cast<int>(c));
            line.quantity = lines.number(kCantidad);
            if (const double equivalence = lines.number(kEquivalencia); equivalence != 0) line.equivalence = equivalence;
            line.base = lines.isNull(kCantidadUD) ? line.quantity * line.equivalence : lines.number(kCantidadUD);
            if (!ideal) {
                Article& a = byArticle[line.cells[0]];
                a.base += line.base;
                ++a.linesLeft;
            }
            read.push_back(std::move(line));
        }
        lines.reset();
        for (const Line& line : read) {
            const long row = articles.rows() - 1;
            for (std::size_t c = 0; c < kLineCells.size(); ++c) articles.setTextMatrix(row, kLineCells[c], line.cells[c]);
            if (!ideal) {
                const std::string& id = line.cells[0];
                master.bind(1, id);
                if (master.step()) {
                    type.bind(1, master.text(idTipo));
                    articles.setTextMatrix(row, 59, type.step() ? type.text(0) : "");
                    type.reset();
                    articles.setTextMatrix(row, 60, master.text(presentacion));
                    articles.setTextMatrix(row, 19, master.number(usaSerie) != 0 ? "-1" : "0");
                    articles.setTextMatrix(row, 20, master.number(usaLote) != 0 ? "-1" : "0");
                }
                master.reset();
                Article& a = byArticle[id];
                if (!a.rest) {
                    double quantities[2] = {0, 0};
                    Statement* views[2] = {&ordered, &moved};
                    for (int v = 0; v < 2; ++v) {
                        views[v]->bind(1, "  RM");
                        views[v]->bind(2, kVoucher);
                        views[v]->bind(3, id);
                        if (views[v]->step()) quantities[v] = views[v]->number(cantidad[v]);
                        views[v]->reset();
                    }
                    const double pending = std::max(quantities[0], quantities[1]) - quantities[1];
                    a.rest = std::max(0.0, a.base - pending);
                }
                const double take = a.linesLeft <= 1 ? *a.rest : std::clamp(*a.rest, 0.0, std::max(line.base, 0.0));
                *a.rest -= take;
                --a.linesLeft;
                const double share = line.quantity != 0 && line.base != 0 ? line.quantity * (take / line.base)
                                                                           : take / line.equivalence;
                const double left = line.quantity - share;
                articles.setTextMatrix(row, 7, left < 0 ? std::string("0") : base::doubleToText(left));
                articles.setTextMatrix(row, 23, base::doubleToText(left));
            }
            articles.setRows(articles.rows() + 1);
        }
        seconds += clock.seconds();
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const long lines = argc > 1 ? std::atol(argv[1]) : 2000;
    const long loads = argc > 2 ? std::atol(argv[2]) : 5;
    if (lines <= 0 || loads <= 0) fail("usage: bench_voucher_loading [lines] [loads]");

    const bench::Scratch scratch;
    const std::filesystem::path& folder = scratch.folder();
    gCantidadDecimales = "2";
    double loaded = 0;
    try {
        bench::logIn(folder, "CARGA");
        seed(lines);
        ClsCmnCptes engine;
        loaded = std::min(engineLoads(engine, loads, lines), engineLoads(engine, loads, lines));
    } catch (const std::exception& error) {
        fail(std::string("loading: ") + error.what());
    }
    sqlite3* db = bench::openRaw(folder / "CARGA.sqlite");
    const double raw = std::min(rawLoads(db, loads, false), rawLoads(db, loads, false));
    const double ideal = std::min(rawLoads(db, loads, true), rawLoads(db, loads, true));
    sqlite3_close(db);

    const double total = static_cast<double>(lines * loads);
    std::printf("loads: %ld of %ld article lines over %ld articles\n", loads, lines, kArticles);
    std::printf("AsignarDatosComprobante:                 %10.0f lines/s\n", total / loaded);
    std::printf("raw prepared sqlite3, same reads:        %10.0f lines/s\n", total / raw);
    std::printf("ideal (one SELECT, no per-line reads):   %10.0f lines/s\n", total / ideal);
    std::printf("load / raw time:                         %10.2fx\n", loaded / raw);
    std::printf("load / ideal time (for information):     %10.2fx\n", loaded / ideal);
    return 0;
}
