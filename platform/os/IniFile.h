#pragma once
// Reading a key of an INI file the way Windows profile files are read: sections and keys are found without
// regard to case, any character but "]" may stand in a section name ("PC1|JUAN"), blanks around keys and
// values do not count, lines starting with ";" are comments, and a value in quotes loses its quotes.

#include "platform/base/CodePages.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace os {

// The value of `key` in `section`, or `defaultValue` when the file, the section or the key is missing. A key
// that is present with nothing after "=" gives "". The file's bytes are read in `codePage`.
std::string readIniValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                         std::string_view defaultValue, base::CodePage codePage = base::CodePage::Cp1252);

}  // namespace os
