#include "tests/support/ScopedEnvironment.h"
#include "platform/os/ProgramStarter.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// A script that tells, through the named pipe REPORT_PIPE names, how many arguments it got and what the first
// one was. Reading the pipe waits for the script itself, so no test depends on how fast it starts; each run
// gets a pipe of its own, so a reader never meets the writer of an earlier run.
void writeReporter(const fs::path& script)
{
    std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n%s\\n' \"$#\" \"$1\" > \"$REPORT_PIPE\"\n";
    fs::permissions(script, fs::perms::owner_all);
}

fs::path newPipe(const fs::path& folder)
{
    static int made = 0;
    const fs::path pipe = folder / ("report" + std::to_string(++made));
    EXPECT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    return pipe;
}

std::pair<std::string, std::string> report(const fs::path& pipe)
{
    std::ifstream in(pipe);
    std::string count, first;
    std::getline(in, count);
    std::getline(in, first);
    return {count, first};
}

TEST(ProgramStarter, StartsAProgramOfTheProgramFolderWithTheParametersAsOneArgument)
{
    testing_support::TempFolder temp;
    testing_support::ScopedEnvironment home("MIGRA_HOME", temp.path().string());
    writeReporter(temp.path() / "RA_ROZori");

    struct Case { const char* parameters; const char* count; const char* first; };
    const Case cases[] = {
        {" ; @server=sqlite:; @dbname= Demo; @usuario= ana;", "1", " ; @server=sqlite:; @dbname= Demo; @usuario= ana;"},
        {"'$HOME' \"x\" | y", "1", "'$HOME' \"x\" | y"},
        {"", "0", ""},
    };
    for (const Case& c : cases) {
        const fs::path pipe = newPipe(temp.path());
        testing_support::ScopedEnvironment reportTo("REPORT_PIPE", pipe.string());
        EXPECT_GT(os::startProgram("RA_ROZori", c.parameters), 0) << c.parameters;
        EXPECT_EQ(report(pipe), std::pair(std::string(c.count), std::string(c.first))) << c.parameters;
    }
    EXPECT_GT(os::startProgram("/bin/true", "x"), 0);
}

TEST(ProgramStarter, AProgramThatCannotStartGivesZero)
{
    testing_support::TempFolder temp;
    const fs::path notExecutable = temp.path() / "datos.txt";
    std::ofstream(notExecutable) << "#!/bin/sh\n";
    EXPECT_EQ(os::startProgram(temp.path() / "RA_ROZori.exe", "x"), 0);
    EXPECT_EQ(os::startProgram(notExecutable, "x"), 0);
}

TEST(ProgramStarter, DocumentsOpenWithXdgOpen)
{
    testing_support::TempFolder temp;
    writeReporter(temp.path() / "xdg-open");
    const fs::path document = temp.path() / "Script953.TXT";
    const fs::path pipe = newPipe(temp.path());
    {
        testing_support::ScopedEnvironment reportTo("REPORT_PIPE", pipe.string());
        testing_support::ScopedEnvironment path("PATH", temp.path().string());
        EXPECT_TRUE(os::openDocument(document));
    }
    EXPECT_EQ(report(pipe), std::pair(std::string("1"), document.string()));

    testing_support::ScopedEnvironment path("PATH", (temp.path() / "nowhere").string());
    EXPECT_FALSE(os::openDocument(document));
}

}  // namespace
