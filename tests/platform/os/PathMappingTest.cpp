#include "tests/support/ScopedEnvironment.h"
#include "platform/os/PathMapping.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

// Sets (or removes) an environment variable for the life of the object.
void touch(const fs::path& file) { std::ofstream(file) << "x"; }

TEST(PathMapping, DrivesBecomeFoldersAndExistingNamesAreFoundWithoutRegardToCase)
{
    testing_support::TempFolder temp;
    const fs::path drives = temp.path() / "drives";
    const fs::path migrar = drives / "z" / "voriradiriv" / "Migrar";
    fs::create_directories(migrar);
    touch(migrar / "FCLIENTE.DBF");
    touch(migrar / "AÑO.TXT");
    testing_support::ScopedEnvironment root("MIGRA_DRIVES", drives.string());

    struct Case { std::string windows; fs::path expected; };
    const Case cases[] = {
        {R"(Z:\VORIRADIRIV\MIGRAR\DEMO)", migrar / "DEMO"},
        {R"(Z:\VORIRADIRIV\MIGRAR\)", migrar / ""},
        {R"(z:\voriradiriv\migrar\fcliente.dbf)", migrar / "FCLIENTE.DBF"},
        {R"(Z:\VORIRADIRIV\MIGRAR\Fcliente.Dbf)", migrar / "FCLIENTE.DBF"},
        {"Z:/VORIRADIRIV/MIGRAR/fcliente.dbf", migrar / "FCLIENTE.DBF"},
        {R"(Z:\VORIRADIRIV\MIGRAR\año.txt)", migrar / "AÑO.TXT"},
        {R"(Z:\VORIRADIRIV\.\MIGRAR\\FCLIENTE.DBF)", migrar / "FCLIENTE.DBF"},
        {R"(c:\a.txt)", drives / "c" / "a.txt"},
        {R"(C:\PROVLOCAL.TXT)", drives / "c" / "PROVLOCAL.TXT"},
        {R"(d:\libro5.txt)", drives / "d" / "libro5.txt"},
        // Without a drive letter the path is used as it is, still found without regard to case.
        {temp.path().string() + R"(\DRIVES\Z\VORIRADIRIV\MIGRAR\FCLIENTE.dbf)", migrar / "FCLIENTE.DBF"},
        {"RU000de.INI", "RU000de.INI"},
    };
    for (const Case& c : cases) EXPECT_EQ(os::mapWindowsPath(c.windows).string(), c.expected.string()) << c.windows;
}

TEST(PathMapping, TheDrivesRootDefaultsToTheProgramFolder)
{
    testing_support::TempFolder temp;
    testing_support::ScopedEnvironment home("MIGRA_HOME", temp.path().string());
    testing_support::ScopedEnvironment root("MIGRA_DRIVES", std::nullopt);
    EXPECT_EQ(os::drivesRoot(), temp.path() / "drives");
    EXPECT_EQ(os::mapWindowsPath(R"(d:\libro5.txt)"), temp.path() / "drives" / "d" / "libro5.txt");
}

}  // namespace
