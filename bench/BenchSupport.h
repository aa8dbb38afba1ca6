// What every benchmark does around its measurement: a scratch folder with the program's home in it, failing
// with one line and nothing left behind, logging gDB_Dll in to a new embedded database made from the schema,
// and opening such a database with raw SQLite to write the same rows by prepared statements.
#pragma once

#include "platform/ui/ScriptedPrompter.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

// The seconds since `start`.
double since(Clock::time_point start);

// The process's CPU time (user and system, page faults included) since it was made: other work on a shared
// machine disturbs it far less than the wall clock.
struct CpuClock {
    std::clock_t start = std::clock();
    double seconds() const { return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC; }
};

// Prints "<program>: `what`" on stderr, removes the scratch folder when there is one and ends the program.
[[noreturn]] void fail(const std::string& what);

// A new scratch folder, the program's home, with a prompter that answers no box (any box ends the
// benchmark) for as long as it lives; removed with everything in it when the benchmark ends, also when it
// fails.
class Scratch {
public:
    Scratch();
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    ui::ScriptedPrompter prompter_;
};

// The source tree, where the demo tools live.
std::filesystem::path repository();

// A legacy folder made by the demo generator, e.g. option "--orders" with `count` 1000.
void generateLegacyFolder(const std::filesystem::path& folder, const std::string& option, long count);
// The same with the generator's options as they are, e.g. {"--cheques", "1000", "--cheque-file", "/tmp/d"}.
void generateLegacyFolder(const std::filesystem::path& folder, const std::vector<std::string>& options);

// gDB_Dll logged in to the embedded database `name` in `folder`, made from the schema when it is new.
void logIn(const std::filesystem::path& folder, const std::string& name);

// The demo generator's ERP data (booklets, voucher types, articles) run into gDB_Dll's database.
void loadDemoData();

// The rows of `table` (which may carry a WHERE) in gDB_Dll's database.
long countRows(const std::string& table);

// Fails unless `code` is a success of SQLite.
void check(int code, sqlite3* db);

// The embedded database file `file` opened with raw SQLite, after gDB_Dll lets go of it: the server's
// functions registered and the same journal as the program's connection.
sqlite3* openRaw(const std::filesystem::path& file);

// Rows read once, before any clock starts, to be written again by one prepared INSERT.
struct CopiedRows {
    std::vector<std::string> columns;
    std::vector<std::vector<sqlite3_value*>> values;
    std::vector<std::string> keys;  // per row, the query's last column when it is asked for as a key
    CopiedRows() = default;
    CopiedRows(const CopiedRows&) = delete;
    CopiedRows& operator=(const CopiedRows&) = delete;
    ~CopiedRows();
    // "INSERT INTO `table` ([A], [B]) VALUES (?, ?)" over the copied columns.
    std::string insertInto(const std::string& table) const;
    // Where the column `name` (any case) stands in each row; fails when it was not copied.
    std::size_t column(const std::string& name) const;
};

// The rows `select` gives on `db`, from its column `firstColumn` on; with `lastIsKey` its last column is
// kept apart, as text, in `keys`.
void readRows(sqlite3* db, const std::string& select, CopiedRows& rows, int firstColumn = 0, bool lastIsKey = false);

// One prepared statement on raw SQLite, run with values bound in order (1, 2, ...).
class Statement {
public:
    Statement(sqlite3* db, const std::string& text);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Runs once with `values` bound (a null pointer binds Null), reading every row it answers; true when it
    // answered one.
    bool run(const std::vector<sqlite3_value*>& values = {});

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

// The database file `file` attached to `db` as "source", and let go again.
void attachSource(sqlite3* db, const std::filesystem::path& file);
void detachSource(sqlite3* db);

}  // namespace bench
