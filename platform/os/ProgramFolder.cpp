#include "platform/os/ProgramFolder.h"

#include <cstdlib>
#include <system_error>

namespace os {

std::filesystem::path programFolder()
{
    if (const char* home = std::getenv("MIGRA_HOME"); home && *home) return home;
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : executable.parent_path();
}

std::string programName()
{
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : executable.stem().string();
}

}  // namespace os
