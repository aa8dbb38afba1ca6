// The lists of lots, serial numbers and positions an article line carries in one grid cell: "|L1|L2|", a
// bar, then each item followed by a bar. Every operation reads a list the same way:
//   - the text is trimmed of blanks, and one opening bar, when there is one, is dropped ("L1|L2|" reads
//     as "|L1|L2|");
//   - each item is the text up to the next bar; blank items count ("|a||b|" holds three);
//   - text after the last bar is no item ("|L1|L2" holds only L1).
// Items are compared with each other trimmed and without regard to case. The lists may be of any length.

#include "stock/ClsCmnCptes.h"

#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <string_view>
#include <unordered_set>

namespace {

constexpr std::string_view kBlanks = " ";

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Hands each item of the list, untrimmed, to `visit` in order; `visit` answers false to stop the reading.
template <class Visit>
void forEachItem(std::string_view list, Visit&& visit)
{
    std::string_view rest = trimmed(list);
    if (!rest.empty() && rest.front() == '|') rest.remove_prefix(1);
    for (std::size_t bar; (bar = rest.find('|')) != std::string_view::npos; rest.remove_prefix(bar + 1)) {
        if (!visit(rest.substr(0, bar))) return;
    }
}

bool isAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// An item alike the sought text without regard to case. Serial numbers are nearly always ASCII, so those are
// compared byte by byte; any other letter goes through the program's own case rules.
bool sameItem(std::string_view a, std::string_view b, bool bIsAscii)
{
    if (bIsAscii && isAscii(a)) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (asciiLower(a[i]) != asciiLower(b[i])) return false;
        return true;
    }
    return base::equalsIgnoringCase(a, b);
}

// The form under which an item is remembered among those already seen: alike items share it.
std::string itemKey(std::string_view item)
{
    if (!isAscii(item)) return base::toLowerCase(item);
    std::string key(item);
    for (char& c : key) c = asciiLower(c);
    return key;
}

// The trimmed items, repeats and blank ones included, followed by the one empty slot every array ends with.
void fillWithItems(const std::string& list, std::vector<std::string>& slots)
{
    slots.clear();
    forEachItem(list, [&](std::string_view item) {
        slots.emplace_back(trimmed(item));
        return true;
    });
    slots.emplace_back();
}

// How many distinct items the list holds, blank ones left out.
std::int32_t countDistinctItems(const std::string& list)
{
    std::unordered_set<std::string> seen;
    forEachItem(list, [&](std::string_view item) {
        const std::string_view value = trimmed(item);
        if (!value.empty()) seen.insert(itemKey(value));
        return true;
    });
    return static_cast<std::int32_t>(seen.size());
}

}  // namespace

std::string ClsCmnCptes::StrSerieLote(const std::string& Serie_Lote)
{
    std::string result;
    std::unordered_set<std::string> seen;
    forEachItem(Serie_Lote, [&](std::string_view item) {
        const std::string_view value = trimmed(item);
        if (!value.empty() && seen.insert(itemKey(value)).second) {
            result += ' ';
            result += value;
        }
        return true;
    });
    return result;
}

void ClsCmnCptes::DescomponeSerieLote(const std::string& Serie_Lote, std::vector<std::string>& Arreglo)
{
    fillWithItems(Serie_Lote, Arreglo);
}

void ClsCmnCptes::DescomponePosicionCantidadLote(const std::string& Posicion_Lote, const std::string& PIPELotes,
                                                 std::vector<std::string>& ArrPosiciones,
                                                 std::vector<std::string>& ArrCantidades,
                                                 std::vector<std::string>& ArrLote)
{
    ArrPosiciones.clear();
    ArrCantidades.clear();
    forEachItem(Posicion_Lote, [&](std::string_view item) {
        const std::string_view value = trimmed(item);
        const std::size_t star = value.find('*');
        if (star == std::string_view::npos) {
            ArrPosiciones.emplace_back(value);
            ArrCantidades.emplace_back();
        } else {
            ArrPosiciones.emplace_back(value.substr(0, star));
            ArrCantidades.emplace_back(value.substr(star + 1));
        }
        return true;
    });
    ArrPosiciones.emplace_back();
    ArrCantidades.emplace_back();
    fillWithItems(PIPELotes, ArrLote);
}

std::int32_t ClsCmnCptes::Cuenta_Series_Lotes(const std::string& PipeSeries, const std::string& PIPELotes,
                                              bool SinConsolidar)
{
    // A line with series moves one piece per serial number and its lots do not count; without series each
    // lot is a movement.
    const std::string& counted = PipeSeries.empty() ? PIPELotes : PipeSeries;
    return SinConsolidar ? Cantidad_Series_Lotes(counted) : countDistinctItems(counted);
}

std::string ClsCmnCptes::ExtraeSerieLote(const std::string& Serie_Lote, std::int32_t QuePosicion)
{
    std::string found;
    if (QuePosicion < 1) return found;
    std::int32_t position = 0;
    forEachItem(Serie_Lote, [&](std::string_view item) {
        if (++position < QuePosicion) return true;
        found = item;
        return false;
    });
    return found;
}

std::int32_t ClsCmnCptes::Cantidad_Series_Lotes(const std::string& Pipes)
{
    std::int32_t count = 0;
    forEachItem(Pipes, [&](std::string_view) {
        ++count;
        return true;
    });
    return count;
}

std::string ClsCmnCptes::InsertaCHR255(const std::string& iPipe)
{
    static const std::string mark = base::characterOfCode(255);
    std::string marked = "|";
    forEachItem(iPipe, [&](std::string_view item) {
        marked += item;
        marked += mark;
        marked += '|';
        return true;
    });
    return marked;
}

std::int32_t ClsCmnCptes::Busca_Lotes_Series(const std::string& PipeSeriesLotes, const std::string& QueSerieLote)
{
    const std::string_view sought = trimmed(QueSerieLote);
    const bool soughtIsAscii = isAscii(sought);
    std::int32_t position = 0;
    bool found = false;
    forEachItem(PipeSeriesLotes, [&](std::string_view item) {
        ++position;
        found = sameItem(trimmed(item), sought, soughtIsAscii);
        return !found;
    });
    return found ? position : 0;
}
