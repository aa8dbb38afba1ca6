#include "core/EjecutaStart.h"

#include "platform/os/PathMapping.h"
#include "platform/os/ProgramStarter.h"

void EjecutaStart(std::string_view Path, bool /*ConFoco*/)
{
    if (Path.empty()) return;
    os::openDocument(os::mapWindowsPath(Path));
}
