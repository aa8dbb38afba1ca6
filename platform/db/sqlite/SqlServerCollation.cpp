#include "platform/db/sqlite/SqlServerCollation.h"

#include "platform/base/Utf8.h"
#include "platform/db/sqlite/StoredValues.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numeric>
#include <string>
#include <unicode/ucol.h>

namespace db::sqlite {
namespace {

static_assert(std::endian::native == std::endian::little, "bytes of a word are read lowest first");

struct CollatorClose {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
using Collator = std::unique_ptr<UCollator, CollatorClose>;

Collator openSpanish()
{
    UErrorCode status = U_ZERO_ERROR;
    Collator collator(ucol_open("es", &status));
    if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        collator.reset(ucol_open("", &status));  // the root order still puts accents next to their letters
    }
    if (collator) ucol_setStrength(collator.get(), UCOL_SECONDARY);
    return collator;
}

// One collator per thread: a collator is not to be shared by threads comparing at the same time.
UCollator* spanish()
{
    thread_local const Collator collator = openSpanish();
    return collator.get();
}

// The place of each printable ASCII character in the Spanish order, upper and lower case alike; 0 for the
// others (control characters, which the collation ignores, and every byte of a multi-byte character).
struct AsciiOrder {
    std::array<unsigned char, 256> rank{};

    AsciiOrder()
    {
        std::array<char, 0x7F - 0x20> characters{};
        std::iota(characters.begin(), characters.end(), static_cast<char>(0x20));
        UCollator* collator = spanish();
        auto compare = [collator](char a, char b) {
            UErrorCode status = U_ZERO_ERROR;
            return ucol_strcollUTF8(collator, &a, 1, &b, 1, &status);
        };
        std::stable_sort(characters.begin(), characters.end(), [&](char a, char b) { return compare(a, b) < 0; });
        unsigned char next = 1;
        for (std::size_t i = 0; i < characters.size(); ++i) {
            if (i > 0 && compare(characters[i - 1], characters[i]) != 0) ++next;
            rank[static_cast<unsigned char>(characters[i])] = next;
        }
    }
};

const AsciiOrder& asciiOrder()
{
    static const AsciiOrder order;
    return order;
}

std::string_view withoutTrailingBlanks(std::string_view s)
{
    std::size_t size = s.size();
    while (size > 0 && s[size - 1] == ' ') --size;
    return s.substr(0, size);
}

// Lower-case code points, the tie-break between texts the collation finds equal.
int compareFolded(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = base::lowerCase(base::nextCodePoint(a, i));
        const char32_t y = base::lowerCase(base::nextCodePoint(b, j));
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

int compareWithIcu(std::string_view a, std::string_view b)
{
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult order = ucol_strcollUTF8(spanish(), a.data(), static_cast<int32_t>(a.size()), b.data(),
                                                    static_cast<int32_t>(b.size()), &status);
    if (U_SUCCESS(status) && order != UCOL_EQUAL) return order == UCOL_LESS ? -1 : 1;
    return compareFolded(a, b);
}

// A stored date against a text in another accepted date form: the two as dates; 2 when that is not the case.
int compareAsDates(std::string_view a, std::string_view b, DateOrder order)
{
    const bool storedA = isCanonicalDateTime(a), storedB = isCanonicalDateTime(b);
    if (storedA == storedB) return 2;
    std::string other;
    if (canonicalDateTime(storedA ? b : a, other, order) != DateReading::Valid) return 2;
    const int sign = storedA ? a.compare(other) : std::string_view(other).compare(b);
    return sign < 0 ? -1 : sign > 0 ? 1 : 0;
}

// Where `a` and `b` first differ, or where a byte of their common beginning is not ASCII: an identical ASCII
// beginning (a code padded with blanks, a voucher id's branch) decides nothing, while a letter outside ASCII
// may still combine with what follows it. Eight bytes at a time.
std::size_t identicalAsciiPrefix(std::string_view a, std::string_view b, std::size_t common)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t i = 0;
    for (; i + 8 <= common; i += 8) {
        std::uint64_t x = 0, y = 0;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        // The first byte that differs, or that is not ASCII, is the lowest one set.
        if (const std::uint64_t stop = (x ^ y) | (x & kHighBits); stop != 0)
            return i + static_cast<std::size_t>(std::countr_zero(stop)) / 8;
    }
    while (i < common && a[i] == b[i] && static_cast<unsigned char>(a[i]) < 0x80) ++i;
    return i;
}

}  // namespace

int compareSqlServer(std::string_view a, std::string_view b, DateOrder order)
{
    a = withoutTrailingBlanks(a);
    b = withoutTrailingBlanks(b);
    // Most comparisons of an index seek meet the same key (a voucher type, an order's id): equal bytes are
    // equal in every order this collation knows.
    if (a == b) return 0;
    if (const int dates = compareAsDates(a, b, order); dates != 2) return dates;

    const auto& rank = asciiOrder().rank;
    const std::size_t common = std::min(a.size(), b.size());
    int tie = 0;
    for (std::size_t i = identicalAsciiPrefix(a, b, common); i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        const unsigned char rx = rank[x], ry = rank[y];
        if (rx == 0 || ry == 0) return compareWithIcu(a, b);
        if (rx != ry) {
            // A mark combining with the next character could still change this one's place.
            const bool marked = (i + 1 < a.size() && static_cast<unsigned char>(a[i + 1]) >= 0x80)
                                || (i + 1 < b.size() && static_cast<unsigned char>(b[i + 1]) >= 0x80);
            if (marked) return compareWithIcu(a, b);
            return rx < ry ? -1 : 1;
        }
        if (tie == 0 && x != y) {
            const int fx = std::tolower(x), fy = std::tolower(y);
            if (fx != fy) tie = fx < fy ? -1 : 1;
        }
    }
    if (a.size() == b.size()) return tie;
    // The longer one's rest decides, whatever it holds; only its first character need be one ICU reads.
    const std::string_view rest = a.size() > b.size() ? a.substr(common) : b.substr(common);
    if (rank[static_cast<unsigned char>(rest.front())] == 0) return compareWithIcu(a, b);
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace db::sqlite
