#include "core/ProgramServices.h"

#include "platform/base/Error.h"
#include "platform/os/Clock.h"

namespace {
ui::Prompter* installedPrompter = nullptr;
const os::Clock* installedClock = nullptr;
}  // namespace

ui::Prompter& programPrompter()
{
    if (!installedPrompter)
        throw base::Error(base::errors::kInvalidProcedureCall, "No prompter is installed to show a box.");
    return *installedPrompter;
}

void setProgramPrompter(ui::Prompter* prompter) { installedPrompter = prompter; }

const os::Clock& programClock()
{
    static const os::SystemClock system;
    return installedClock ? *installedClock : system;
}

void setProgramClock(const os::Clock* clock) { installedClock = clock; }
