#include "platform/os/ProgramStarter.h"

#include "platform/os/ProgramFolder.h"

#include <cerrno>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace os {
namespace {

enum class Lookup { AsGiven, OnPath };

long spawn(const std::string& program, std::vector<std::string> arguments, Lookup lookup)
{
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int failed = lookup == Lookup::OnPath
                           ? posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ)
                           : posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (failed || pid <= 0) return 0;
    // The started program lives on its own; this only keeps it from staying a zombie once it ends.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return pid;
}

}  // namespace

long startProgram(const std::filesystem::path& program, std::string_view parameters)
{
    const std::filesystem::path path = program.is_relative() ? programFolder() / program : program;
    std::vector<std::string> arguments;
    if (!parameters.empty()) arguments.emplace_back(parameters);
    return spawn(path.string(), std::move(arguments), Lookup::AsGiven);
}

bool openDocument(const std::filesystem::path& document)
{
    return spawn("xdg-open", {document.string()}, Lookup::OnPath) != 0;
}

}  // namespace os
