// The control totals of a voucher screen: TotalizadorControl over 1,000 article lines in 50 rubros, 200 tasks
// and 50 other concepts, every tab visible, grouped by rubro. Measured against raw SQLite in the same run doing
// the same units of work: the same cells read and summed, the same 50 rubro descriptions read by one prepared
// statement, the same cells written and painted in a grid. The ratio to the sums alone (no lookups, no grid
// written) is printed for information.
// Usage: bench_control_totals [calls] (default 200).

#include "bench/BenchSupport.h"
#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/Text.h"
#include "platform/base/Value.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ClsCmnCptes.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <sqlite3.h>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using bench::Clock;
using bench::check;
using bench::fail;
using bench::since;

constexpr long kArticles = 1000, kRubros = 50, kTasks = 200, kConcepts = 50;
constexpr ui::Color kResumen = 12648447, kGrupo = 12640511, kCierre = 16711680;

struct Screen {
    ui::FlexGrid tasks{"MSFlexGrid1"};
    ui::FlexGrid articles{"MSFlexGrid2"};
    ui::FlexGrid concepts{"MSFlexGrid3"};
    ui::FlexGrid totals{"MSFlexGrid4"};
    ui::TabControl tabs;

    Screen()
    {
        tasks.setCols(16);
        tasks.setRows(kTasks + 2);
        for (long row = 1; row <= kTasks; ++row) {
            tasks.setTextMatrix(row, 0, fmt::format("T{}", row));
            tasks.setTextMatrix(row, 2, fmt::format("{}:{:02}", row % 5, (row * 7) % 60));
        }
        articles.setCols(92);
        articles.setRows(kArticles + 2);
        for (long row = 1; row <= kArticles; ++row) {
            articles.setTextMatrix(row, 0, fmt::format("A{}", row % 300));
            articles.setTextMatrix(row, 7, fmt::format("{}.5", row % 9));
            articles.setTextMatrix(row, 25, fmt::format("{:>4}", row % kRubros));
        }
        concepts.setCols(6);
        concepts.setRows(kConcepts + 2);
        for (long row = 1; row <= kConcepts; ++row) concepts.setTextMatrix(row, 0, fmt::format("Concepto {}", row));
        totals.setCols(3);
        for (const char* caption : {"Tareas", "Articulos", "Otros"}) tabs.addTab(caption);
    }
};

void execute(std::string statement)
{
    gDB_Dll().EjecutaConsultaSQL(statement);
    if (!gDB_Dll().gCnn.errors().empty()) fail("cannot run: " + statement);
}

double engineCalls(Screen& screen, long calls)
{
    ClsCmnCptes motor;
    const auto start = Clock::now();
    for (long call = 0; call < calls; ++call)
        motor.TotalizadorControl(screen.tasks, screen.articles, screen.concepts, screen.totals, screen.tabs, true);
    return since(start);
}

// The minutes of an "h:mm" cell, or of a number of hours.
long minutes(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return static_cast<long>(std::atof(text.c_str()) * 60);
    return std::atol(text.substr(0, colon).c_str()) * 60 + std::atol(text.c_str() + colon + 1);
}

struct Group {
    std::string key;
    double quantity = 0;
};

struct Sums {
    long taskLines = 0, taskMinutes = 0, articleLines = 0, conceptLines = 0;
    double quantity = 0;
    std::vector<Group> groups;
};

// The cells every way reads: lines by their code, times, quantities, and the groups in order of first
// appearance.
Sums sum(const Screen& screen)
{
    Sums sums;
    for (long row = 1; row < screen.tasks.rows(); ++row) {
        if (base::trim(screen.tasks.textMatrix(row, 0)).empty()) continue;
        sums.taskMinutes += minutes(screen.tasks.textMatrix(row, 2));
        ++sums.taskLines;
    }
    std::unordered_map<std::string, std::size_t> index;
    for (long row = 1; row < screen.articles.rows(); ++row) {
        if (base::trim(screen.articles.textMatrix(row, 0)).empty()) continue;
        const double quantity = std::atof(screen.articles.textMatrix(row, 7).c_str());
        const std::string key = base::trim(screen.articles.textMatrix(row, 25));
        const auto [at, added] = index.try_emplace(key, sums.groups.size());
        if (added) sums.groups.push_back({key, 0});
        sums.groups[at->second].quantity += quantity;
        sums.quantity += quantity;
        ++sums.articleLines;
    }
    for (long row = 1; row < screen.concepts.rows(); ++row)
        if (!base::trim(screen.concepts.textMatrix(row, 0)).empty()) ++sums.conceptLines;
    return sums;
}

void paint(ui::FlexGrid& grid, long row, ui::Color color)
{
    const long col = grid.col();
    for (long c = 0; c < grid.cols(); ++c) {
        grid.setCol(c);
        grid.setRow(row);
        grid.setCellBackColor(color);
    }
    grid.setCol(col);
}

void write(ui::FlexGrid& grid, const std::string& label, const std::string& lines, const std::string& total,
           ui::Color color)
{
    const long row = grid.rows() - 1;
    grid.setTextMatrix(row, 0, label);
    grid.setTextMatrix(row, 1, lines);
    grid.setTextMatrix(row, 2, total);
    paint(grid, row, color);
    grid.setRows(row + 2);
}

double rawCalls(Screen& screen, const std::filesystem::path& database, long calls, std::string& check1)
{
    sqlite3* db = bench::openRaw(database);
    sqlite3_stmt* lookup = nullptr;
    check(sqlite3_prepare_v2(db, "SELECT Descripcion FROM V_ta_Rubros WHERE LTRIM(RTRIM(IdRubro)) = ? LIMIT 1", -1,
                             &lookup, nullptr),
          db);
    ui::FlexGrid& grid = screen.totals;
    const auto start = Clock::now();
    for (long call = 0; call < calls; ++call) {
        const Sums sums = sum(screen);
        grid.setRows(2);
        for (long col = 0; col < 3; ++col) grid.setTextMatrix(1, col, {});
        write(grid, "Tareas", std::to_string(sums.taskLines),
              fmt::format("{}:{:02}", sums.taskMinutes / 60, sums.taskMinutes % 60), kResumen);
        write(grid, "Articulos", std::to_string(sums.articleLines), base::doubleToText(sums.quantity), kResumen);
        for (const Group& group : sums.groups) {
            sqlite3_bind_text(lookup, 1, group.key.c_str(), static_cast<int>(group.key.size()), SQLITE_TRANSIENT);
            std::string description;
            if (sqlite3_step(lookup) == SQLITE_ROW)
                description = reinterpret_cast<const char*>(sqlite3_column_text(lookup, 0));
            sqlite3_reset(lookup);
            write(grid, group.key + "-" + description, "", base::doubleToText(group.quantity), kGrupo);
        }
        write(grid, "Otros", std::to_string(sums.conceptLines), "", kResumen);
        paint(grid, grid.rows() - 1, kCierre);
    }
    const double seconds = since(start);
    check1 = grid.textMatrix(3, 0);
    sqlite3_finalize(lookup);
    sqlite3_close(db);
    return seconds;
}

double idealCalls(const Screen& screen, long calls)
{
    double keep = 0;
    const auto start = Clock::now();
    for (long call = 0; call < calls; ++call) keep += sum(screen).quantity;
    const double seconds = since(start);
    if (keep < 0) std::printf("%f\n", keep);
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const long calls = argc > 1 ? std::atol(argv[1]) : 200;
    if (calls <= 0) fail("usage: bench_control_totals [calls]");

    const bench::Scratch scratch;
    const std::filesystem::path& folder = scratch.folder();
    Screen screen;
    double engine = 0;
    std::string engineGroup;
    long engineRows = 0;
    try {
        bench::logIn(folder, "TOTALES");
        for (long rubro = 0; rubro < kRubros; ++rubro)
            execute(fmt::format("INSERT INTO TA_RUBROS (IDRUBRO, DESCRIPCION) VALUES ('{:>4}', 'Rubro {}')", rubro, rubro));
        engine = engineCalls(screen, calls);
        engineGroup = screen.totals.textMatrix(3, 0);
        engineRows = screen.totals.rows();
    } catch (const std::exception& error) {
        fail(std::string("totals: ") + error.what());
    }
    std::string rawGroup;
    const double raw = rawCalls(screen, folder / "TOTALES.sqlite", calls, rawGroup);
    if (rawGroup != engineGroup || screen.totals.rows() != engineRows)
        fail("the raw baseline wrote another grid: " + rawGroup + " against " + engineGroup);
    const double ideal = idealCalls(screen, calls);

    std::printf("calls: %ld over %ld article lines in %ld rubros, %ld tasks, %ld concepts\n", calls, kArticles, kRubros,
                kTasks, kConcepts);
    std::printf("TotalizadorControl:                       %10.0f calls/s\n", calls / engine);
    std::printf("raw prepared sqlite3, same units of work: %10.0f calls/s\n", calls / raw);
    std::printf("ideal (the sums alone):                   %10.0f calls/s\n", calls / ideal);
    std::printf("TotalizadorControl / raw time:            %10.2fx (target: within 2x)\n", engine / raw);
    std::printf("TotalizadorControl / ideal time:          %10.2fx\n", engine / ideal);
    return 0;
}
