#pragma once
// Reading and writing UTF-8 one character at a time: the program's text is UTF-8 and the legacy runtime
// counted characters, not bytes.

#include <string>
#include <string_view>

namespace base {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character at byte `i`, advancing `i` past it. A malformed sequence reads as U+FFFD and skips one byte.
char32_t nextCodePoint(std::string_view text, std::size_t& i);

void appendUtf8(std::string& out, char32_t c);

}  // namespace base
