#include "platform/base/Text.h"

#include "platform/base/CodePages.h"
#include "platform/base/Error.h"
#include "platform/base/Utf8.h"

namespace base {
namespace {

[[noreturn]] void invalidCall() { throw Error(errors::kInvalidProcedureCall, "Invalid procedure call or argument"); }

// The byte offset after the first `characters` characters, or the text's size when it has fewer.
std::size_t offsetAfter(std::string_view text, long characters, std::size_t from = 0)
{
    std::size_t i = from;
    for (long n = 0; n < characters && i < text.size(); ++n) nextCodePoint(text, i);
    return i;
}

long charactersIn(std::string_view text)
{
    long n = 0;
    for (std::size_t i = 0; i < text.size(); ++n) nextCodePoint(text, i);
    return n;
}

// Where `sought` next occurs at or after byte `from`, and how many bytes of `text` the occurrence spans.
struct Match { std::size_t at = std::string_view::npos, size = 0; };

Match findFrom(std::string_view text, std::string_view sought, std::size_t from, Compare compare)
{
    Match match;
    if (compare == Compare::Binary) {
        match.at = text.find(sought, from);
        match.size = sought.size();
    } else {
        match.at = findIgnoringCase(text, sought, from);
        if (match.at != std::string_view::npos)
            match.size = offsetAfter(text, charactersIn(sought), match.at) - match.at;
    }
    return match;
}

template <class Map>
std::string mapped(std::string_view text, Map map)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) appendUtf8(out, map(nextCodePoint(text, i)));
    return out;
}

bool isWordSeparator(char32_t c) { return c == 0 || c == ' ' || (c >= 9 && c <= 13); }

}  // namespace

long length(std::string_view text) { return charactersIn(text); }

std::string mid(std::string_view text, long start)
{
    if (start < 1) invalidCall();
    return std::string(text.substr(offsetAfter(text, start - 1)));
}

std::string mid(std::string_view text, long start, long count)
{
    if (start < 1 || count < 0) invalidCall();
    const std::size_t from = offsetAfter(text, start - 1);
    return std::string(text.substr(from, offsetAfter(text, count, from) - from));
}

std::string left(std::string_view text, long count)
{
    if (count < 0) invalidCall();
    return std::string(text.substr(0, offsetAfter(text, count)));
}

std::string right(std::string_view text, long count)
{
    if (count < 0) invalidCall();
    const long total = charactersIn(text);
    return std::string(text.substr(offsetAfter(text, total > count ? total - count : 0)));
}

long inStr(std::string_view text, std::string_view sought, Compare compare) { return inStr(1, text, sought, compare); }

long inStr(long start, std::string_view text, std::string_view sought, Compare compare)
{
    if (start < 1) invalidCall();
    if (text.empty() || start > charactersIn(text)) return 0;
    if (sought.empty()) return start;
    const Match match = findFrom(text, sought, offsetAfter(text, start - 1), compare);
    return match.at == std::string_view::npos ? 0 : charactersIn(text.substr(0, match.at)) + 1;
}

std::string replace(std::string_view text, std::string_view sought, std::string_view replacement, Compare compare)
{
    if (sought.empty()) return std::string(text);
    std::string out;
    std::size_t from = 0;
    for (Match match; (match = findFrom(text, sought, from, compare)).at != std::string_view::npos;) {
        out.append(text, from, match.at - from);
        out += replacement;
        from = match.at + match.size;
    }
    out.append(text.substr(from));
    return out;
}

std::string trim(std::string_view text) { return leftTrim(rightTrim(text)); }

std::string leftTrim(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string rightTrim(std::string_view text)
{
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string toUpperCase(std::string_view text) { return mapped(text, [](char32_t c) { return upperCase(c); }); }
std::string toLowerCase(std::string_view text) { return mapped(text, [](char32_t c) { return lowerCase(c); }); }

std::string properCase(std::string_view text)
{
    bool wordStart = true;
    return mapped(text, [&](char32_t c) {
        const char32_t result = wordStart ? upperCase(c) : lowerCase(c);
        wordStart = isWordSeparator(c);
        return result;
    });
}

std::vector<std::string> split(std::string_view text, std::string_view delimiter)
{
    std::vector<std::string> parts;
    if (text.empty()) return parts;
    if (delimiter.empty()) return {std::string(text)};
    std::size_t from = 0;
    for (auto at = text.find(delimiter); at != std::string_view::npos; at = text.find(delimiter, from)) {
        parts.emplace_back(text.substr(from, at - from));
        from = at + delimiter.size();
    }
    parts.emplace_back(text.substr(from));
    return parts;
}

std::string characterOfCode(int code)
{
    if (code < 0 || code > 255) invalidCall();
    return toUtf8(std::string(1, static_cast<char>(code)), CodePage::Cp1252);
}

std::string repeated(long count, std::string_view character)
{
    if (count < 0 || character.empty()) invalidCall();
    const std::string_view first = character.substr(0, offsetAfter(character, 1));
    std::string out;
    out.reserve(first.size() * static_cast<std::size_t>(count));
    for (long n = 0; n < count; ++n) out += first;
    return out;
}

std::string fixedLength(std::string_view text, long width)
{
    if (width < 0) invalidCall();
    const long characters = charactersIn(text);
    if (characters >= width) return left(text, width);
    return std::string(text) + std::string(static_cast<std::size_t>(width - characters), ' ');
}

}  // namespace base
