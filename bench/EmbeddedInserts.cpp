// Single-row INSERT texts, each in a transaction of its own, as the imports write them: through the
// connection layer (dialect rewrite, error mapping, width checks) against the same rows written with raw
// prepared SQLite statements on an identical database. Usage: bench_embedded_inserts [rows]

#include "platform/db/Connection.h"
#include "platform/db/sqlite/SqlServerFunctions.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <sqlite3.h>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

std::string accountCode(long i) { return fmt::format("1140101{:06}", i); }
std::string accountName(long i) { return fmt::format("Cliente {} de O'Higgins", i); }

std::string connectionText(const std::filesystem::path& folder, const char* database)
{
    return fmt::format("PROVIDER=SQLOLEDB;Server=sqlite:{};Database ={};UId=bench;Pwd=;", folder.string(), database);
}

double throughLayer(const std::filesystem::path& folder, long rows)
{
    db::Connection connection;
    connection.setCursorLocation(db::CursorLocation::Client);
    connection.open(connectionText(folder, "LAYER"));
    const auto start = Clock::now();
    for (long i = 0; i < rows; ++i) {
        std::string name = accountName(i);
        std::string quoted;
        for (char c : name) quoted += c == '\'' ? std::string("''") : std::string(1, c);
        connection.execute(fmt::format("BEGIN TRANSACTION \r\rINSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TIPOVISTA, "
                                       "DADA_DE_BAJA) VALUES ('{}', '{}', 'CL', 0)\r",
                                       accountCode(i), quoted));
        connection.execute("COMMIT TRANSACTION");
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void check(int code, sqlite3* db)
{
    if (code != SQLITE_OK && code != SQLITE_DONE) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

double rawPrepared(const std::filesystem::path& folder, long rows)
{
    {
        db::Connection create;  // the same schema, triggers and settings as the layer's database
        create.open(connectionText(folder, "RAW"));
    }
    sqlite3* db = nullptr;
    check(sqlite3_open_v2((folder / "RAW.sqlite").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    const db::sqlite::SessionSettings user{"bench", db::sqlite::DateOrder::DMY, {}};
    db::sqlite::registerSqlServerFunctions(db, &user);
    check(sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;", nullptr,
                       nullptr, nullptr),
          db);
    sqlite3_stmt *insert = nullptr, *begin = nullptr, *commit = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TIPOVISTA, DADA_DE_BAJA) VALUES (?, ?, 'CL', 0)",
                             -1, &insert, nullptr),
          db);
    check(sqlite3_prepare_v2(db, "BEGIN", -1, &begin, nullptr), db);
    check(sqlite3_prepare_v2(db, "COMMIT", -1, &commit, nullptr), db);
    const auto start = Clock::now();
    for (long i = 0; i < rows; ++i) {
        const std::string code = accountCode(i), name = accountName(i);
        check(sqlite3_step(begin), db);
        sqlite3_reset(begin);
        sqlite3_bind_text(insert, 1, code.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
        check(sqlite3_step(commit), db);
        sqlite3_reset(commit);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    sqlite3_finalize(insert);
    sqlite3_finalize(begin);
    sqlite3_finalize(commit);
    sqlite3_close(db);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const long rows = argc > 1 ? std::atol(argv[1]) : 100000;
    std::string pattern = (std::filesystem::temp_directory_path() / "migra-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const std::filesystem::path folder = pattern;

    const double raw = rawPrepared(folder, rows);
    const double layer = throughLayer(folder, rows);
    std::printf("rows: %ld, each in its own transaction\n", rows);
    std::printf("raw prepared sqlite3: %10.0f rows/s\n", rows / raw);
    std::printf("connection layer:     %10.0f rows/s\n", rows / layer);
    std::printf("layer / raw time:     %10.2fx\n", layer / raw);
    std::filesystem::remove_all(folder);
    return 0;
}
