#include "lookup/SqlWords.h"

#include "platform/base/Utf8.h"

#include <cctype>

namespace {

bool esDeNombre(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || u >= 0x80;
}

}  // namespace

bool contienePalabra(std::string_view sql, std::string_view palabra)
{
    for (std::size_t at = base::findIgnoringCase(sql, palabra); at != std::string_view::npos;
         at = base::findIgnoringCase(sql, palabra, at + 1)) {
        const std::size_t fin = at + palabra.size();
        const bool antes = at > 0 && esDeNombre(sql[at - 1]);
        const bool despues = fin < sql.size() && esDeNombre(sql[fin]);
        if (!antes && !despues) return true;
    }
    return false;
}
