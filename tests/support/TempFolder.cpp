#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace testing_support {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "migra-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace testing_support
