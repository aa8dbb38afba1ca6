#pragma once
// Legacy bytes to UTF-8, at the edge where they enter the program (DBF files, text files). The code pages
// are those the legacy system's files come in: DOS (437, 850, 852) and Windows (1250, 1252).

#include <optional>
#include <string>
#include <string_view>

namespace base {

enum class CodePage { Cp437 = 437, Cp850 = 850, Cp852 = 852, Cp1250 = 1250, Cp1252 = 1252, Utf8 = 65001 };

// "850", "cp1252", "CP437", "utf-8" ...; nothing for a code page this program does not know.
std::optional<CodePage> codePageNamed(std::string_view name);

// Decodes `bytes` into UTF-8. Bytes below 0x80 are ASCII in every code page; for UTF-8 input, invalid
// sequences become U+FFFD.
std::string toUtf8(std::string_view bytes, CodePage page);

// Encodes UTF-8 into the code page; characters it cannot hold become "?".
std::string fromUtf8(std::string_view text, CodePage page);

namespace detail {
extern const char16_t kCp437High[128];
extern const char16_t kCp850High[128];
extern const char16_t kCp852High[128];
extern const char16_t kCp1250High[128];
extern const char16_t kCp1252High[128];
}  // namespace detail

}  // namespace base
