// Generated legacy customers through ImportaClientes, as the operator runs it: "Iniciar/Importar" with the
// entry "Clientes" ticked, the window shown (offscreen when there is no display) and the Qt event pump. Per
// customer the task asks the ERP whether the account exists, finds its city and sends one statement, with
// the progress label and a pass of the event pump. Measured three ways in one run:
//   - with the window and its event pump (what the operator gets),
//   - without a window (the same database work, no label shown, no events), which tells what the window costs,
//   - the same final rows written with raw prepared SQLite inserts, each committed on its own like the
//     task's statements, into an identical database.
// Usage: bench_account_imports [customers] (default 100000; the legacy folder is generated first).

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
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
#include <spawn.h>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kClientes = 1;

std::filesystem::path scratch;  // removed at the end, also when the benchmark fails

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "bench_account_imports: %s\n", what.c_str());
    if (!scratch.empty()) std::filesystem::remove_all(scratch);
    std::exit(1);
}

void generateLegacyFolder(const std::filesystem::path& folder, long customers)
{
    const std::filesystem::path script =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "tools" / "demo" / "make_legacy_folder.py";
    std::vector<std::string> words{"/usr/bin/python3", script.string(), folder.string(), "--customers",
                                   std::to_string(customers)};
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

long accounts()
{
    db::Recordset rs;
    rs.open("SELECT COUNT(*) AS N FROM MA_CUENTASADIC", gDB_Dll().gCnn);
    return static_cast<long>(rs.field("N").value().asInteger());
}

// Runs the entry "Clientes" on the legacy folder; the seconds "Iniciar/Importar" took.
double importCustomers(Importar& window, const std::filesystem::path& legacy, long expected)
{
    window.TxtPathDatos.text = legacy.string();
    window.chkTabla[kClientes].value = 1;
    const auto start = Clock::now();
    window.cmdImportar_Click();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (window.LblDetalle.caption != "FINALIZADO CLIENTES") fail("the task ended with " + window.LblDetalle.caption);
    if (accounts() != expected) fail(fmt::format("{} accounts written, {} expected", accounts(), expected));
    return seconds;
}

void check(int code, sqlite3* db)
{
    if (code != SQLITE_OK && code != SQLITE_DONE && code != SQLITE_ROW) fail(std::string("sqlite: ") + sqlite3_errmsg(db));
}

// The rows of `source`'s MA_CUENTASADIC inserted into the new database `target`, one prepared insert each.
double rawPrepared(const std::filesystem::path& folder, const std::string& source, const std::string& target)
{
    logIn(folder, target);  // the same schema and settings as the imports' databases
    gDB_Dll().gCnn.close();
    sqlite3* db = nullptr;
    check(sqlite3_open_v2((folder / (target + ".sqlite")).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    static const std::string user = "bench";
    db::sqlite::registerSqlServerFunctions(db, &user);
    check(sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, fmt::format("ATTACH DATABASE '{}' AS source", (folder / (source + ".sqlite")).string()).c_str(),
                       nullptr, nullptr, nullptr),
          db);
    sqlite3_stmt* read = nullptr;
    check(sqlite3_prepare_v2(db, "SELECT * FROM source.MA_CUENTASADIC", -1, &read, nullptr), db);
    const int columns = sqlite3_column_count(read);
    std::string names, marks;
    for (int i = 0; i < columns; ++i) {
        names += (i ? ", " : "") + std::string(sqlite3_column_name(read, i));
        marks += i ? ", ?" : "?";
    }
    // The rows are read before the clock starts: only the writing is measured.
    std::vector<std::vector<sqlite3_value*>> rows;
    while (sqlite3_step(read) == SQLITE_ROW) {
        rows.emplace_back();
        for (int i = 0; i < columns; ++i) rows.back().push_back(sqlite3_value_dup(sqlite3_column_value(read, i)));
    }
    sqlite3_finalize(read);
    check(sqlite3_exec(db, "DETACH DATABASE source", nullptr, nullptr, nullptr), db);

    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db, fmt::format("INSERT INTO MA_CUENTASADIC ({}) VALUES ({})", names, marks).c_str(), -1,
                             &insert, nullptr),
          db);
    const auto start = Clock::now();
    for (const auto& row : rows) {
        for (int i = 0; i < columns; ++i) sqlite3_bind_value(insert, i + 1, row[static_cast<std::size_t>(i)]);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    sqlite3_finalize(insert);
    for (auto& row : rows)
        for (sqlite3_value* value : row) sqlite3_value_free(value);
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const long customers = argc > 1 ? std::atol(argv[1]) : 100000;
    if (customers <= 0) fail("usage: bench_account_imports [customers]");
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    std::string pattern = (std::filesystem::temp_directory_path() / "migra-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) fail("cannot make a scratch folder");
    const std::filesystem::path folder = scratch = pattern;
    setenv("MIGRA_HOME", folder.c_str(), 1);
    ui::ScriptedPrompter prompter;  // no box is expected: any box ends the benchmark
    setProgramPrompter(&prompter);

    const auto made = Clock::now();
    generateLegacyFolder(folder / "legacy", customers);
    std::printf("legacy folder with %ld customers generated in %.1f s\n", customers,
                std::chrono::duration<double>(Clock::now() - made).count());

    double shown = 0, hidden = 0;
    try {
        logIn(folder, "VENTANA");
        ui::QtEventPump pump;
        Importar window(pump);
        ImportarView view(window);
        view.show();
        shown = importCustomers(window, folder / "legacy", customers);
    } catch (const std::exception& error) {
        fail(std::string("import with the window: ") + error.what());
    }
    try {
        logIn(folder, "SINVENTANA");
        ui::ScriptedEventPump pump;
        Importar window(pump);
        hidden = importCustomers(window, folder / "legacy", customers);
    } catch (const std::exception& error) {
        fail(std::string("import without a window: ") + error.what());
    }
    gDB_Dll().gCnn.close();
    const double raw = rawPrepared(folder, "VENTANA", "CRUDO");

    std::printf("customers: %ld\n", customers);
    std::printf("ImportaClientes, window shown:  %10.0f customers/s\n", customers / shown);
    std::printf("ImportaClientes, no window:     %10.0f customers/s\n", customers / hidden);
    std::printf("raw prepared sqlite3 inserts:   %10.0f rows/s\n", customers / raw);
    std::printf("import / raw time:              %10.2fx\n", shown / raw);
    setProgramPrompter(nullptr);
    std::filesystem::remove_all(folder);
    return 0;
}
