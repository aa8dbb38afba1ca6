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

// Lower case for the letters Spanish and its neighbours write (ASCII, Latin-1, Latin Extended-A); accents
// stay, so "Á" becomes "á", never "a".
char32_t lowerCase(char32_t c);
char32_t upperCase(char32_t c);

// Comparison and search without regard to case, character by character.
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
// The byte offset of the first occurrence of `needle` at or after byte `from`, or npos.
std::size_t findIgnoringCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);

}  // namespace base
