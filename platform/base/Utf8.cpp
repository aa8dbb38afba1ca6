#include "platform/base/Utf8.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace base {
namespace {

static_assert(std::endian::native == std::endian::little, "bytes of a word are read lowest first");

// Which of eight bytes read as a word fold to one ASCII byte: a letter in either case, any other byte as it is.
class ByteTest {
public:
    explicit ByteTest(unsigned char lower)
        : fold_(lower >= 'a' && lower <= 'z' ? kOnes * 0x20 : 0), target_(kOnes * lower)
    {
    }
    // The high bit of each byte that folds to it, and no other bit.
    std::uint64_t matches(std::uint64_t word) const
    {
        const std::uint64_t x = (word | fold_) ^ target_;  // a zero byte where it matches
        return ~(((x & kLows) + kLows) | x) & kHighs;
    }

private:
    static constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kLows = 0x7F7F7F7F7F7F7F7FULL,
                                   kHighs = 0x8080808080808080ULL;
    std::uint64_t fold_, target_;
};

}  // namespace

char32_t nextCodePoint(std::string_view s, std::size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    const int length = b0 < 0x80 ? 1 : (b0 & 0xE0) == 0xC0 ? 2 : (b0 & 0xF0) == 0xE0 ? 3 : (b0 & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || i + length > s.size()) {
        ++i;
        return kReplacementCharacter;
    }
    char32_t c = length == 1 ? b0 : (b0 & (0x7F >> length));
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kReplacementCharacter;
        }
        c = (c << 6) | (b & 0x3F);
    }
    i += length;
    return c;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t lowerCase(char32_t c)
{
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c < 0x80) return c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x178) return 0xFF;  // Ÿ pairs with ÿ of Latin-1
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddPairs) return (c % 2 == 1) ? c + 1 : c;
        return (c % 2 == 0) ? c + 1 : c;
    }
    return c;
}

char32_t upperCase(char32_t c)
{
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c < 0x80) return c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x178;
    // Latin Extended-A pairs an upper-case letter with the lower-case one right after it.
    if (c > 0x100 && c <= 0x17F && lowerCase(c) == c && lowerCase(c - 1) == c) return c - 1;
    return c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    // Names and keys are mostly ASCII: byte by byte while both are, a character of each at a time from the
    // first byte that is not (the bytes before were characters of one byte in both).
    std::size_t i = 0;
    const std::size_t common = std::min(a.size(), b.size());
    for (; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if ((x | y) >= 0x80) break;
        // Two bytes that differ are alike only as the two cases of a letter.
        const unsigned folded = x | 0x20u;
        if (x != y && (folded != (y | 0x20u) || folded < 'a' || folded > 'z')) return false;
    }
    if (i == common) return a.size() == b.size();
    std::size_t j = i;
    while (i < a.size() && j < b.size())
        if (lowerCase(nextCodePoint(a, i)) != lowerCase(nextCodePoint(b, j))) return false;
    return i == a.size() && j == b.size();
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    std::size_t i = 0, j = 0;
    while (j < prefix.size()) {
        if (i >= text.size() || lowerCase(nextCodePoint(text, i)) != lowerCase(nextCodePoint(prefix, j))) return false;
    }
    return true;
}

std::size_t findIgnoringCase(std::string_view haystack, std::string_view needle, std::size_t from)
{
    if (needle.empty()) return from <= haystack.size() ? from : std::string_view::npos;
    // The common case, an ASCII word sought in a statement, compares bytes: a byte of a multi-byte character
    // is never an ASCII letter, so it can neither match nor start a match.
    if (std::all_of(needle.begin(), needle.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        const auto lower = [](char c) {
            return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
        };
        const std::size_t m = needle.size();
        if (from > haystack.size() || haystack.size() - from < m) return std::string_view::npos;
        // A needle that begins with no letter ("@ADMIN_") has one spelling of its first byte: the library's
        // memchr finds its few occurrences far faster than any window can move.
        if (const char first = static_cast<char>(lower(needle[0])); !(first >= 'a' && first <= 'z')) {
            const char* const begin = haystack.data();
            const char* const last = begin + (haystack.size() - m) + 1;  // one past the last possible start
            for (const char* at = begin + from;
                 (at = static_cast<const char*>(std::memchr(at, first, static_cast<std::size_t>(last - at))));
                 ++at) {
                std::size_t k = 1;
                while (k < m && lower(at[k]) == lower(needle[k])) ++k;
                if (k == m) return static_cast<std::size_t>(at - begin);
            }
            return std::string_view::npos;
        }
        // Eight starts at a time are tested for the needle's first two bytes (a letter in either case), and
        // only where both are found is the needle compared: a statement holds its few words' first letters often.
        const auto matchesAt = [&](std::size_t start) {
            std::size_t k = 0;
            while (k < m && lower(haystack[start + k]) == lower(needle[k])) ++k;
            return k == m;
        };
        const std::size_t lastStart = haystack.size() - m;
        std::size_t start = from;
        const ByteTest firstTest(lower(needle[0])), secondTest(m > 1 ? lower(needle[1]) : 0);
        for (; start + 8 <= lastStart + 1; start += 8) {
            std::uint64_t word;
            std::memcpy(&word, haystack.data() + start, sizeof word);
            std::uint64_t hits = firstTest.matches(word);
            if (hits != 0 && m > 1) {
                // The next eight bytes lie inside the text: the last start tested leaves a byte of the needle after it.
                std::memcpy(&word, haystack.data() + start + 1, sizeof word);
                hits &= secondTest.matches(word);
            }
            for (; hits != 0; hits &= hits - 1) {
                const std::size_t at = start + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
                if (matchesAt(at)) return at;
            }
        }
        for (; start <= lastStart; ++start)
            if (matchesAt(start)) return start;
        return std::string_view::npos;
    }
    for (std::size_t start = from; start < haystack.size(); nextCodePoint(haystack, start))
        if (startsWithIgnoringCase(haystack.substr(start), needle)) return start;
    return std::string_view::npos;
}

}  // namespace base
