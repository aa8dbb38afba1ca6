#include "bench/BenchSupport.h"

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "platform/db/sqlite/SqlServerFunctions.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fmt/format.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <strings.h>
#include <sys/wait.h>

extern char** environ;

namespace bench {

namespace {

std::filesystem::path scratch;  // removed at the end, also when the benchmark fails

}  // namespace

double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void fail(const std::string& what)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, what.c_str());
    if (!scratch.empty()) std::filesystem::remove_all(scratch);
    std::exit(1);
}

Scratch::Scratch()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "migra-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) fail("cannot make a scratch folder");
    folder_ = scratch = pattern;
    setenv("MIGRA_HOME", folder_.c_str(), 1);
    setProgramPrompter(&prompter_);
}

Scratch::~Scratch()
{
    setProgramPrompter(nullptr);
    std::filesystem::remove_all(folder_);
    scratch.clear();
}

std::filesystem::path repository() { return MIGRA_SOURCE_DIR; }

void generateLegacyFolder(const std::filesystem::path& folder, const std::string& option, long count)
{
    generateLegacyFolder(folder, {option, std::to_string(count)});
}

void generateLegacyFolder(const std::filesystem::path& folder, const std::vector<std::string>& options)
{
    const std::filesystem::path script = repository() / "tools" / "demo" / "make_legacy_folder.py";
    std::vector<std::string> words{"/usr/bin/python3", script.string(), folder.string()};
    words.insert(words.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0 || waitpid(child, &status, 0) < 0 ||
        !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail("the legacy folder generator failed");
}

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

void loadDemoData()
{
    std::ifstream in(repository() / "tools" / "demo" / "erp-demo-data.sql", std::ios::binary);
    std::string demo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (demo.empty()) fail("the demo data cannot be read");
    gDB_Dll().EjecutaConsultaSQL(demo);
    if (!gDB_Dll().gCnn.errors().empty()) fail("the demo data did not load");
}

long countRows(const std::string& table)
{
    db::Recordset rs;
    rs.open("SELECT COUNT(*) AS N FROM " + table, gDB_Dll().gCnn);
    return static_cast<long>(rs.field("N").value().asInteger());
}

void check(int code, sqlite3* db)
{
    if (code != SQLITE_OK && code != SQLITE_DONE && code != SQLITE_ROW) fail(std::string("sqlite: ") + sqlite3_errmsg(db));
}

sqlite3* openRaw(const std::filesystem::path& file)
{
    gDB_Dll().gCnn.close();
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    static const db::sqlite::SessionSettings user{"bench", db::sqlite::DateOrder::DMY, {}};
    db::sqlite::registerSqlServerFunctions(db, &user);
    check(sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr, nullptr), db);
    return db;
}

CopiedRows::~CopiedRows()
{
    for (auto& row : values)
        for (sqlite3_value* value : row) sqlite3_value_free(value);
}

std::string CopiedRows::insertInto(const std::string& table) const
{
    std::string names, marks;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        names += (i ? ", [" : "[") + columns[i] + "]";
        marks += i ? ", ?" : "?";
    }
    return fmt::format("INSERT INTO {} ({}) VALUES ({})", table, names, marks);
}

std::size_t CopiedRows::column(const std::string& name) const
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (strcasecmp(columns[i].c_str(), name.c_str()) == 0) return i;
    fail("no column " + name);
}

Statement::Statement(sqlite3* db, const std::string& text) : db_(db)
{
    check(sqlite3_prepare_v2(db, text.c_str(), -1, &statement_, nullptr), db);
}

Statement::~Statement() { sqlite3_finalize(statement_); }

bool Statement::run(const std::vector<sqlite3_value*>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        if (values[i]) sqlite3_bind_value(statement_, index, values[i]);
        else sqlite3_bind_null(statement_, index);
    }
    int code = sqlite3_step(statement_);
    const bool answered = code == SQLITE_ROW;
    while (code == SQLITE_ROW) code = sqlite3_step(statement_);
    check(code, db_);
    sqlite3_reset(statement_);
    return answered;
}

void readRows(sqlite3* db, const std::string& select, CopiedRows& rows, int firstColumn, bool lastIsKey)
{
    sqlite3_stmt* read = nullptr;
    check(sqlite3_prepare_v2(db, select.c_str(), -1, &read, nullptr), db);
    const int columns = sqlite3_column_count(read) - (lastIsKey ? 1 : 0);
    for (int i = firstColumn; i < columns; ++i) rows.columns.emplace_back(sqlite3_column_name(read, i));
    while (sqlite3_step(read) == SQLITE_ROW) {
        rows.values.emplace_back();
        for (int i = firstColumn; i < columns; ++i) rows.values.back().push_back(sqlite3_value_dup(sqlite3_column_value(read, i)));
        if (!lastIsKey) continue;
        const unsigned char* key = sqlite3_column_text(read, columns);
        rows.keys.emplace_back(key ? reinterpret_cast<const char*>(key) : "");
    }
    sqlite3_finalize(read);
}

void attachSource(sqlite3* db, const std::filesystem::path& file)
{
    check(sqlite3_exec(db, fmt::format("ATTACH DATABASE '{}' AS source", file.string()).c_str(), nullptr, nullptr, nullptr),
          db);
}

void detachSource(sqlite3* db) { check(sqlite3_exec(db, "DETACH DATABASE source", nullptr, nullptr, nullptr), db); }

}  // namespace bench
