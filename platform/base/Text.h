#pragma once
// The text functions of the legacy runtime on UTF-8 text: positions and lengths count characters, not
// bytes, and start at 1, so "Año" has three characters and Mid("Año", 2, 1) is "ñ". Searches and
// replacements ignore case unless told otherwise, since the program compares its texts that way; the
// case of letters follows base::upperCase / base::lowerCase (Spanish letters included).
//
// A start or count below what the function allows raises invalid procedure call (5), as it did.

#include <string>
#include <string_view>
#include <vector>

namespace base {

enum class Compare { Binary, IgnoringCase };

long length(std::string_view text);

std::string mid(std::string_view text, long start);
std::string mid(std::string_view text, long start, long count);
std::string left(std::string_view text, long count);
std::string right(std::string_view text, long count);

// The position of `sought` at or after `start`, or 0. An empty `sought` is found at `start` (when that lies
// inside the text); nothing is found in an empty text.
long inStr(std::string_view text, std::string_view sought, Compare compare = Compare::IgnoringCase);
long inStr(long start, std::string_view text, std::string_view sought, Compare compare = Compare::IgnoringCase);

// Every occurrence, left to right; an empty `sought` leaves the text as it is.
std::string replace(std::string_view text, std::string_view sought, std::string_view replacement,
                    Compare compare = Compare::IgnoringCase);

// Blanks only: tabs and line breaks stay.
std::string trim(std::string_view text);
std::string leftTrim(std::string_view text);
std::string rightTrim(std::string_view text);

std::string toUpperCase(std::string_view text);
std::string toLowerCase(std::string_view text);
// Each word with its first letter in upper case and the rest in lower case; words are separated by blanks,
// tabs, line breaks, form feeds and character 0 ("o'brien" becomes "O'brien").
std::string properCase(std::string_view text);

// The parts between the delimiters, empty ones included; an empty text has no parts, an empty delimiter
// gives the whole text as the one part.
std::vector<std::string> split(std::string_view text, std::string_view delimiter);

// The character of a code of the Windows code page the legacy data is written in: 255 is "ÿ", 0 is the
// character 0. Codes outside 0-255 raise invalid procedure call.
std::string characterOfCode(int code);

// `count` times the first character of `character`.
std::string repeated(long count, std::string_view character);

// The text as a field of fixed width holds it: cut at `width` characters, or padded with blanks.
std::string fixedLength(std::string_view text, long width);

}  // namespace base
