#pragma once
// The program-wide services the ERP library and the data-access object reach for: the prompter every box
// goes through (the Qt one in the program, a scripted one in tests) and the clock ("now" in logs and
// stamps; fixed in tests).

namespace ui {
class Prompter;
}
namespace os {
class Clock;
}

// Raises base::Error when none has been installed: a box with nobody to answer it is a fault.
ui::Prompter& programPrompter();
void setProgramPrompter(ui::Prompter* prompter);

// The system clock unless another has been installed.
const os::Clock& programClock();
void setProgramClock(const os::Clock* clock);
