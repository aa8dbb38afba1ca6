// Generated legacy purchase orders of four lines each through ImportaOrdenes, as the operator runs it:
// "Iniciar/Importar" with the entry "ORDENES DE COMPRA PENDIENTE" ticked, the window shown (offscreen when
// there is no display) and the Qt event pump. The database is prepared before the clock starts: the demo
// data (settings and articles) and the suppliers, imported from the same legacy folder. Per order the task
// asks whether the voucher exists, reads the supplier's row and commits one INSERT; per line it counts the
// lines already there and commits one INSERT. Measured three ways in one run:
//   - with the window and its event pump (what the operator gets),
//   - without a window (the same database work, no label shown, no events),
//   - the same final rows written with raw prepared SQLite inserts into the base tables, one transaction per
//     header and per line, into an identical database.
// The headers and the lines are timed apart: the line phase begins with its first progress text.
// Usage: bench_purchase_orders [orders] (default 10000; the legacy folder is generated first).

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "importer/Importar.h"
#include "importer/qt/ImportarView.h"
#include "platform/db/sqlite/SqlServerFunctions.h"
#include "platform/ui/ScriptedPrompter.h"
#include "platform/ui/qt/QtEventPump.h"

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <fstream>
#include <iterator>
#include <optional>
#include <spawn.h>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kProveedores = 2, kOrdenes = 20;
constexpr long kLineasPorOrden = 4;

std::filesystem::path scratch;  // removed at the end, also when the benchmark fails
const std::filesystem::path repository = std::filesystem::path(__FILE__).parent_path().parent_path();

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "bench_purchase_orders: %s\n", what.c_str());
    if (!scratch.empty()) std::filesystem::remove_all(scratch);
    std::exit(1);
}

void generateLegacyFolder(const std::filesystem::path& folder, long orders)
{
    const std::filesystem::path script = repository / "tools" / "demo" / "make_legacy_folder.py";
    std::vector<std::string> words{"/usr/bin/python3", script.string(), folder.string(), "--orders", std::to_string(orders)};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0 || waitpid(child, &status, 0) < 0 ||
        !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail("the legacy folder generator failed");
}

// gDB_Dll logged in to a new embedded database `name` in `folder`.
void logIn(const std::filesystem::path& folder, const std::string& name)
{
    DB_Dll& erp = gDB_Dll();
    erp.gCnn.close();
    erp.gOpenFlag = false;
    erp.gConnString = "";
    erp.gServidor = "sqlite:" + folder.string();
    erp.gDBName = name;
    erp.gUsuario = "bench";
    erp.OpenServerADODB(false, 3, "", false);
    if (!erp.gOpenFlag) fail("cannot open the embedded database " + name);
}

long count(const std::string& table)
{
    db::Recordset rs;
    rs.open("SELECT COUNT(*) AS N FROM " + table, gDB_Dll().gCnn);
    return static_cast<long>(rs.field("N").value().asInteger());
}

void runEntry(Importar& window, std::size_t entry)
{
    for (ui::CheckBox& box : window.chkTabla) box.value = 0;
    window.chkTabla[entry].value = 1;
    window.cmdImportar_Click();
}

struct Seconds {
    double headers = 0, lines = 0;
};

// The demo data and the suppliers, then the entry of the orders on the legacy folder: its headers' and
// lines' seconds.
Seconds importOrders(Importar& window, const std::filesystem::path& legacy, long orders)
{
    std::ifstream in(repository / "tools" / "demo" / "erp-demo-data.sql", std::ios::binary);
    std::string demoData((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    gDB_Dll().EjecutaConsultaSQL(demoData);
    if (!gDB_Dll().gCnn.errors().empty()) fail("the demo data did not load");
    window.AlicuotaIva = gUtilidades().ValorNumerico(LeeConfiguracion("PIVA"));
    window.TxtPathDatos.text = legacy.string();
    runEntry(window, kProveedores);

    std::optional<Clock::time_point> linesStart;
    const auto shown = window.alCambiar;
    window.alCambiar = [&] {
        // The line phase's progress text ends its minutes without a blank.
        if (!linesStart && window.LblDetalle.caption.find(" Min.\r\n") != std::string::npos) linesStart = Clock::now();
        if (shown) shown();
    };
    const auto start = Clock::now();
    runEntry(window, kOrdenes);
    const auto end = Clock::now();
    window.alCambiar = shown;
    if (!linesStart) fail("the line phase did not run: " + window.LblDetalle.caption);
    if (count("C_MV_CPTE") != orders) fail(fmt::format("{} orders written, {} expected", count("C_MV_CPTE"), orders));
    if (count("C_MV_CPTEINSUMOS") != orders * kLineasPorOrden)
        fail(fmt::format("{} lines written, {} expected", count("C_MV_CPTEINSUMOS"), orders * kLineasPorOrden));
    return {std::chrono::duration<double>(*linesStart - start).count(), std::chrono::duration<double>(end - *linesStart).count()};
}

void check(int code, sqlite3* db)
{
    if (code != SQLITE_OK && code != SQLITE_DONE && code != SQLITE_ROW) fail(std::string("sqlite: ") + sqlite3_errmsg(db));
}

// The rows of `table` in the attached database `source`, read before any clock starts.
struct Rows {
    std::string names, marks;
    std::vector<std::vector<sqlite3_value*>> values;
    ~Rows()
    {
        for (auto& row : values)
            for (sqlite3_value* value : row) sqlite3_value_free(value);
    }
};

void readRows(sqlite3* db, const std::string& table, Rows& rows)
{
    sqlite3_stmt* read = nullptr;
    check(sqlite3_prepare_v2(db, ("SELECT * FROM source." + table + " ORDER BY ID").c_str(), -1, &read, nullptr), db);
    const int columns = sqlite3_column_count(read);
    for (int i = 0; i < columns; ++i) {
        rows.names += (i ? ", " : "") + std::string(sqlite3_column_name(read, i));
        rows.marks += i ? ", ?" : "?";
    }
    while (sqlite3_step(read) == SQLITE_ROW) {
        rows.values.emplace_back();
        for (int i = 0; i < columns; ++i) rows.values.back().push_back(sqlite3_value_dup(sqlite3_column_value(read, i)));
    }
    sqlite3_finalize(read);
}

// Each row inserted by a prepared statement in a transaction of its own; the seconds it took.
double insertEach(sqlite3* db, const std::string& table, const Rows& rows)
{
    sqlite3_stmt *begin = nullptr, *commit = nullptr, *insert = nullptr;
    check(sqlite3_prepare_v2(db, "BEGIN", -1, &begin, nullptr), db);
    check(sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr), db);
    check(sqlite3_prepare_v2(db, fmt::format("INSERT INTO {} ({}) VALUES ({})", table, rows.names, rows.marks).c_str(), -1,
                             &insert, nullptr),
          db);
    const auto start = Clock::now();
    for (const auto& row : rows.values) {
        check(sqlite3_step(begin), db);
        sqlite3_reset(begin);
        for (std::size_t i = 0; i < row.size(); ++i) sqlite3_bind_value(insert, static_cast<int>(i) + 1, row[i]);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
        check(sqlite3_step(commit), db);
        sqlite3_reset(commit);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    sqlite3_finalize(begin);
    sqlite3_finalize(commit);
    sqlite3_finalize(insert);
    return seconds;
}

// The final voucher headers and lines of `source` written into the new database `target`.
Seconds rawPrepared(const std::filesystem::path& folder, const std::string& source, const std::string& target)
{
    logIn(folder, target);  // the same schema as the imports' databases
    gDB_Dll().gCnn.close();
    sqlite3* db = nullptr;
    check(sqlite3_open_v2((folder / (target + ".sqlite")).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    static const std::string user = "bench";
    db::sqlite::registerSqlServerFunctions(db, &user);
    check(sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, fmt::format("ATTACH DATABASE '{}' AS source", (folder / (source + ".sqlite")).string()).c_str(),
                       nullptr, nullptr, nullptr),
          db);
    Seconds seconds;
    {
        Rows headers, lines;
        readRows(db, "MV_CPTE", headers);
        readRows(db, "MV_CPTEINSUMOS", lines);
        check(sqlite3_exec(db, "DETACH DATABASE source", nullptr, nullptr, nullptr), db);
        seconds.headers = insertEach(db, "MV_CPTE", headers);
        seconds.lines = insertEach(db, "MV_CPTEINSUMOS", lines);
    }
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const long orders = argc > 1 ? std::atol(argv[1]) : 10000;
    if (orders <= 0) fail("usage: bench_purchase_orders [orders]");
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    std::string pattern = (std::filesystem::temp_directory_path() / "migra-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) fail("cannot make a scratch folder");
    const std::filesystem::path folder = scratch = pattern;
    setenv("MIGRA_HOME", folder.c_str(), 1);
    ui::ScriptedPrompter prompter;  // no box is expected: any box ends the benchmark
    setProgramPrompter(&prompter);
    gUsuarioLogeado = "bench";
    gUNegocio = "   1";

    const auto made = Clock::now();
    generateLegacyFolder(folder / "legacy", orders);
    std::printf("legacy folder with %ld orders of %ld lines generated in %.1f s\n", orders, kLineasPorOrden,
                std::chrono::duration<double>(Clock::now() - made).count());

    Seconds shown, hidden;
    try {
        logIn(folder, "VENTANA");
        ui::QtEventPump pump;
        Importar window(pump);
        ImportarView view(window);
        view.show();
        shown = importOrders(window, folder / "legacy", orders);
    } catch (const std::exception& error) {
        fail(std::string("import with the window: ") + error.what());
    }
    try {
        logIn(folder, "SINVENTANA");
        ui::ScriptedEventPump pump;
        Importar window(pump);
        hidden = importOrders(window, folder / "legacy", orders);
    } catch (const std::exception& error) {
        fail(std::string("import without a window: ") + error.what());
    }
    gDB_Dll().gCnn.close();
    const Seconds raw = rawPrepared(folder, "VENTANA", "CRUDO");

    const long lines = orders * kLineasPorOrden;
    std::printf("orders: %ld, lines: %ld\n", orders, lines);
    std::printf("                                  orders/s     lines/s\n");
    std::printf("ImportaOrdenes, window shown:   %10.0f  %10.0f\n", orders / shown.headers, lines / shown.lines);
    std::printf("ImportaOrdenes, no window:      %10.0f  %10.0f\n", orders / hidden.headers, lines / hidden.lines);
    std::printf("raw prepared sqlite3 inserts:   %10.0f  %10.0f\n", orders / raw.headers, lines / raw.lines);
    std::printf("import / raw time:              %10.2fx %10.2fx  (both phases: %.2fx)\n", shown.headers / raw.headers,
                shown.lines / raw.lines, (shown.headers + shown.lines) / (raw.headers + raw.lines));
    setProgramPrompter(nullptr);
    std::filesystem::remove_all(folder);
    return 0;
}
