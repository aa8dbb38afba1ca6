#include "tests/support/LegacyFixtures.h"

#include "platform/db/dbf/DbfTable.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>

extern char** environ;

namespace testing_support {
namespace {

std::filesystem::path fixtureScripts()
{
    // This file is tests/support/LegacyFixtures.cpp; the scripts are in tests/fixtures.
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "fixtures";
}

}  // namespace

void runFixtureScript(std::string_view script, const std::vector<std::string>& arguments)
{
    // Debian's own interpreter, where python3-dbf and python3-xlwt are installed.
    std::vector<std::string> words{"/usr/bin/python3", (fixtureScripts() / std::string(script)).string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start /usr/bin/python3 for " + std::string(script));
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("fixture script " + std::string(script) + " failed");
}

DbfFixtures::DbfFixtures()
{
    static TempFolder made;
    static bool ready = false;
    if (!ready) {
        runFixtureScript("make_dbf_fixtures.py", {"tables", made.path().string()});
        ready = true;
    }
    std::filesystem::copy(made.path(), folder_.path(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

std::string DbfFixtures::connectionText(std::string_view extra) const
{
    return connectionTextForDbfFolder(folder().string() + "/", extra);
}

std::string connectionTextForDbfFolder(std::string_view folder, std::string_view extra)
{
    return "Provider=MSDASQL.1;Persist Security Info=False;Extended Properties=Driver={Microsoft Visual FoxPro "
           "Driver};UID=;SourceDB=" +
           std::string(folder) +
           ";SourceType=DBF;Exclusive=No;BackgroundFetch=Yes;Collate=Machine;Null=Yes;Deleted=Yes;" +
           std::string(extra);
}

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void patchBytes(const std::filesystem::path& file, std::uint64_t offset, std::string_view bytes)
{
    std::string content = readBytes(file);
    if (offset + bytes.size() > content.size()) throw std::out_of_range("patch past the end of " + file.string());
    content.replace(offset, bytes.size(), bytes);
    writeBytes(file, content);
}

std::uint64_t fieldOffset(const std::filesystem::path& file, std::uint32_t record, std::string_view field)
{
    const auto table = db::dbf::DbfTable::open(file);
    for (const auto& f : table->fields())
        if (f.name == field) return table->headerLength() + std::uint64_t{record - 1} * table->recordLength() + f.offset;
    throw std::runtime_error("no field " + std::string(field));
}

}  // namespace testing_support
