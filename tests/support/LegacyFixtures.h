#pragma once
// Legacy files for the tests, made by the scripts in tests/fixtures with Debian's python3-dbf and
// python3-xlwt, and the byte edits that damage them.

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// Runs tests/fixtures/<script> with Debian's /usr/bin/python3; raises std::runtime_error when it fails.
void runFixtureScript(std::string_view script, const std::vector<std::string>& arguments);

// A folder of its own holding a fresh copy of every fixture table of make_dbf_fixtures.py. The script
// runs once per test program; each folder gets its own copy, so a test may damage its files.
class DbfFixtures {
public:
    DbfFixtures();
    const std::filesystem::path& folder() const { return folder_.path(); }
    std::filesystem::path file(std::string_view name) const { return folder() / std::string(name); }
    // The connection text the imports build for a dBase folder.
    std::string connectionText(std::string_view extra = {}) const;

private:
    TempFolder folder_;
};

std::string connectionTextForDbfFolder(std::string_view folder, std::string_view extra = {});

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, std::string_view bytes);
void patchBytes(const std::filesystem::path& file, std::uint64_t offset, std::string_view bytes);
// Where a field of a record (from 1) lies in a DBF file, from the intact table's header.
std::uint64_t fieldOffset(const std::filesystem::path& file, std::uint32_t record, std::string_view field);

}  // namespace testing_support
