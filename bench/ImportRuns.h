// An import measured as the operator runs it, the window shown (offscreen when there is no display) with the
// Qt event pump, and again without a window: the same database work with no label shown and no events,
// which tells what the window costs.
#pragma once

#include "bench/BenchSupport.h"
#include "core/DB_Dll.h"
#include "importer/Importar.h"
#include "importer/qt/ImportarView.h"
#include "platform/ui/EventPump.h"
#include "platform/ui/qt/QtEventPump.h"

#include <cstdlib>
#include <exception>
#include <utility>

namespace bench {

// Before the QApplication is made: Qt draws offscreen unless there is a display.
inline void drawOffscreenWithoutDisplay()
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

template <class Measure>
struct WindowRuns {
    Measure shown{}, hidden{};
};

// `run` on the window of a new database "VENTANA" in `folder`, shown, then on one of "SINVENTANA" without a
// view; what it measured each time. gDB_Dll lets go of the databases at the end.
template <class Run>
auto withAndWithoutWindow(const std::filesystem::path& folder, Run run)
{
    WindowRuns<decltype(run(std::declval<Importar&>()))> runs;
    try {
        logIn(folder, "VENTANA");
        ui::QtEventPump pump;
        Importar window(pump);
        ImportarView view(window);
        view.show();
        runs.shown = run(window);
    } catch (const std::exception& error) {
        fail(std::string("import with the window: ") + error.what());
    }
    try {
        logIn(folder, "SINVENTANA");
        ui::ScriptedEventPump pump;
        Importar window(pump);
        runs.hidden = run(window);
    } catch (const std::exception& error) {
        fail(std::string("import without a window: ") + error.what());
    }
    gDB_Dll().gCnn.close();
    return runs;
}

}  // namespace bench
