#include "platform/os/Environment.h"

#include <climits>
#include <cstdlib>
#include <mutex>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace os {
namespace {

std::mutex commandLineMutex;
std::string rememberedCommandLine;

const char* nonEmptyVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

}  // namespace

std::string joinArguments(int argc, const char* const argv[])
{
    std::string joined;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) joined += ' ';
        joined += argv[i];
    }
    return joined;
}

void rememberCommandLine(int argc, const char* const argv[])
{
    std::lock_guard lock(commandLineMutex);
    rememberedCommandLine = joinArguments(argc, argv);
}

std::string commandLine()
{
    std::lock_guard lock(commandLineMutex);
    return rememberedCommandLine;
}

std::string computerName()
{
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

std::string userName()
{
    const long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        return found->pw_name;
    if (const char* user = nonEmptyVariable("USER")) return user;
    if (const char* user = nonEmptyVariable("LOGNAME")) return user;
    return {};
}

std::filesystem::path temporaryFolder()
{
    for (const char* name : {"TEMP", "TMPDIR"})
        if (const char* folder = nonEmptyVariable(name)) return folder;
    return "/tmp";
}

}  // namespace os
