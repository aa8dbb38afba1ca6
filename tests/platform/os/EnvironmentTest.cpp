#include "tests/support/ScopedEnvironment.h"
#include "platform/os/Environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <vector>

namespace {

TEST(Environment, TheCommandLineIsTheArgumentsJoinedByOneBlank)
{
    struct Case { std::vector<const char*> argv; const char* line; };
    const Case cases[] = {
        {{"migrador"}, ""},
        {{"migrador", "@server=sqlite:; @dbname= Demo;"}, "@server=sqlite:; @dbname= Demo;"},
        {{"migrador", "a", "b c"}, "a b c"},
        {{"migrador", "", "x"}, " x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(os::joinArguments(static_cast<int>(c.argv.size()), c.argv.data()), c.line) << c.line;

    const char* argv[] = {"migrador", "@server=sqlite:;", "@dbname=Demo;"};
    os::rememberCommandLine(3, argv);
    EXPECT_EQ(os::commandLine(), "@server=sqlite:; @dbname=Demo;");
}

TEST(Environment, TheTemporaryFolderIsTempFirst)
{
    struct Case { std::optional<std::string> temp, tmpdir; const char* folder; };
    const Case cases[] = {
        {"/srv/temp", "/srv/tmpdir", "/srv/temp"},
        {"", "/srv/tmpdir", "/srv/tmpdir"},
        {std::nullopt, "/srv/tmpdir", "/srv/tmpdir"},
        {std::nullopt, std::nullopt, "/tmp"},
        {"", "", "/tmp"},
    };
    for (const Case& c : cases) {
        testing_support::ScopedEnvironment temp("TEMP", c.temp), tmpdir("TMPDIR", c.tmpdir);
        EXPECT_EQ(os::temporaryFolder(), c.folder);
    }
}

TEST(Environment, MachineAndUserNames)
{
    std::string hostname;
    std::getline(std::ifstream("/proc/sys/kernel/hostname"), hostname);
    EXPECT_EQ(os::computerName(), hostname);

    const std::string user = os::userName();
    EXPECT_FALSE(user.empty());
    testing_support::ScopedEnvironment impostor("USER", "impostor");  // the account decides, not a variable anyone can set
    EXPECT_EQ(os::userName(), user);
}

}  // namespace
