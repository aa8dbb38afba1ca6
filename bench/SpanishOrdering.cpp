// ORDER BY over generated Spanish names (accents, Ñ, mixed case, some plain ASCII) with the embedded
// database's collation, against SQLite's own NOCASE ordering of the same rows in the same run.
// Usage: bench_spanish_ordering [names] (default 100000)

#include "platform/db/sqlite/SqlServerFunctions.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fmt/format.h>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void check(int code, sqlite3* db)
{
    if (code != SQLITE_OK && code != SQLITE_DONE && code != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

std::string name(long i)
{
    static const char* const kFirst[] = {"Álvaro", "ángel", "Ñandú", "ñoquis", "Peña", "PEÑALOZA", "Zúñiga", "zeta",
                                         "Óscar", "oscar", "Muñoz", "muñeca", "Acme", "acme", "Érica", "Ébano",
                                         "Ibáñez", "Iñaki", "Luis", "LUCÍA"};
    static const char* const kLast[] = {"Gómez", "GONZÁLEZ", "Núñez", "nuñez", "Pérez", "Díaz", "Castaño", "Sáenz",
                                        "Rodríguez", "Fernández", "Martin", "SA", "SRL", "Hnos"};
    return fmt::format("{} {} {}", kFirst[i % 20], kLast[(i / 20) % 14], i % 9973);
}

double orderedScan(sqlite3* db, const char* sql, long expected)
{
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &statement, nullptr), db);
    const auto start = Clock::now();
    long rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) ++rows;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    sqlite3_finalize(statement);
    if (rows != expected) {
        std::fprintf(stderr, "read %ld rows, %ld expected\n", rows, expected);
        std::exit(1);
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const long names = argc > 1 ? std::atol(argv[1]) : 100000;
    sqlite3* db = nullptr;
    check(sqlite3_open(":memory:", &db), db);
    static const db::sqlite::SessionSettings user{"bench", db::sqlite::DateOrder::DMY, {}};
    db::sqlite::registerSqlServerFunctions(db, &user);
    check(sqlite3_exec(db, "CREATE TABLE NOMBRES (NOMBRE varchar(100))", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO NOMBRES VALUES (?)", -1, &insert, nullptr), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    for (long i = 0; i < names; ++i) {
        const std::string text = name(i * 7919 % names);
        sqlite3_bind_text(insert, 1, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_finalize(insert);

    const double nocase = orderedScan(db, "SELECT NOMBRE FROM NOMBRES ORDER BY NOMBRE COLLATE NOCASE", names);
    const double ours = orderedScan(db, "SELECT NOMBRE FROM NOMBRES ORDER BY NOMBRE COLLATE SQLSRV", names);
    std::printf("names: %ld\n", names);
    std::printf("ORDER BY ... COLLATE NOCASE: %8.3f s\n", nocase);
    std::printf("ORDER BY ... COLLATE SQLSRV: %8.3f s\n", ours);
    std::printf("SQLSRV / NOCASE time:        %8.2fx\n", ours / nocase);
    sqlite3_close(db);
    return 0;
}
