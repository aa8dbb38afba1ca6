// An import measured as the operator runs it, the window shown (offscreen when there is no display) with the
// Qt event pump, and again without a window: the same database work with no label shown and no events,
// which tells what the window costs; and what the import benchmarks set up around it and print after it.
// Every side is timed in CPU seconds and run twice, each time into a new database, its faster run kept.
#pragma once

#include "bench/BenchSupport.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "importer/Importar.h"
#include "importer/qt/ImportarView.h"
#include "platform/ui/EventPump.h"
#include "platform/ui/qt/QtEventPump.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace bench {

// Before the QApplication is made: Qt draws offscreen unless there is a display.
inline void drawOffscreenWithoutDisplay()
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

// What an import benchmark's main sets up before it measures: the number of records from the command line
// (`usage` when it is not a positive number), the Qt application, drawing offscreen when there is no display,
// and the scratch folder with the user and business unit the imports record.
class ImportBench {
public:
    ImportBench(int argc, char** argv, const char* usage)
        : records_(argc > 1 ? std::atol(argv[1]) : 100000), application_(offscreenWithoutDisplay(qtArgc_), argv)
    {
        if (records_ <= 0) fail(std::string("usage: ") + usage);
        gUsuarioLogeado = "bench";
        gUNegocio = "   1";
    }

    long records() const { return records_; }
    const std::filesystem::path& folder() const { return scratch_.folder(); }
    std::filesystem::path legacy() const { return folder() / "legacy"; }

    // The legacy folder made by the demo generator with `options`; a line says in how long, after `what`
    // (what it holds).
    void generate(const std::vector<std::string>& options, const std::string& what) const
    {
        const auto start = Clock::now();
        generateLegacyFolder(legacy(), options);
        std::printf("legacy folder with %s generated in %.1f s\n", what.c_str(), since(start));
    }

private:
    // `argc` for the QApplication, once Qt has been told how to draw.
    static int& offscreenWithoutDisplay(int& argc)
    {
        drawOffscreenWithoutDisplay();
        return argc;
    }

    long records_;
    int qtArgc_ = 1;
    QApplication application_;
    Scratch scratch_;
};

// The checked entry `entry` of the import list run by "Iniciar/Importar"; the CPU seconds it took.
inline double runEntry(Importar& window, std::size_t entry)
{
    for (ui::CheckBox& box : window.chkTabla) box.value = 0;
    window.chkTabla[entry].value = 1;
    const CpuClock clock;
    window.cmdImportar_Click();
    return clock.seconds();
}

// One line of an import's time over that of raw SQLite: "import / `what`: ..." with the window shown and not.
inline void printRatio(const std::string& what, double shown, double hidden, double raw)
{
    std::printf("import / %s: %.2fx (window shown), %.2fx (no window)\n", what.c_str(), shown / raw, hidden / raw);
}

// The imports' seconds over those of raw SQLite doing the same units of work and of the ideal, one line each.
inline void printRatios(double shown, double hidden, double units, double ideal)
{
    printRatio("same-work raw time", shown, hidden, units);
    printRatio("final rows only", shown, hidden, ideal);
}

// The faster of two measures: of two seconds, the fewer; of two runs in parts, the one whose parts took the
// fewer seconds in all. A measure whose parts are compared apart has its own, next to its type.
inline double faster(double a, double b) { return std::min(a, b); }
template <class Measure>
    requires requires(const Measure& m) { m.total(); }
Measure faster(const Measure& a, const Measure& b)
{
    return a.total() <= b.total() ? a : b;
}

// `run` on the new database `name`, then on another, `name` + "2" (every run writes into an empty ERP): the
// faster of its two measures, so that neither side is charged for what a process's first run pays alone.
template <class Run>
auto fasterOfTwo(const std::string& name, Run run)
{
    const auto first = run(name);
    return faster(first, run(name + "2"));
}

template <class Measure>
struct WindowRuns {
    Measure shown{}, hidden{};
};

// What `measure` gives; an exception it raises ends the benchmark with `what` in its line.
template <class Measure>
auto failingWith(const char* what, Measure measure)
{
    try {
        return measure();
    } catch (const std::exception& error) {
        fail(std::string(what) + ": " + error.what());
    }
}

// `run` on the window of the new database `name` in `folder`, its events pumped by a `Pump`: shown with its
// view when that is Qt's event pump.
template <class Pump, class Run>
auto onWindow(const std::filesystem::path& folder, const std::string& name, Run& run)
{
    constexpr bool shown = std::is_same_v<Pump, ui::QtEventPump>;
    return failingWith(shown ? "import with the window" : "import without a window", [&] {
        logIn(folder, name);
        Pump pump;
        Importar window(pump);
        std::optional<ImportarView> view;
        if (shown) view.emplace(window).show();
        return run(window);
    });
}

// `run` on the window of new databases "VENTANA" and "VENTANA2" in `folder`, shown, then on those of
// "SINVENTANA" and "SINVENTANA2" without a view; the faster of what it measured on each side. gDB_Dll lets
// go of the databases at the end.
template <class Run>
auto withAndWithoutWindow(const std::filesystem::path& folder, Run run)
{
    WindowRuns<decltype(run(std::declval<Importar&>()))> runs;
    runs.shown = fasterOfTwo("VENTANA", [&](const std::string& name) { return onWindow<ui::QtEventPump>(folder, name, run); });
    runs.hidden =
        fasterOfTwo("SINVENTANA", [&](const std::string& name) { return onWindow<ui::ScriptedEventPump>(folder, name, run); });
    gDB_Dll().gCnn.close();
    return runs;
}

}  // namespace bench
