#include "platform/db/ConnectionText.h"

#include "platform/base/Error.h"

#include <algorithm>
#include <cctype>

namespace db {
namespace {

std::string_view trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

[[noreturn]] void malformed(std::string_view text, std::string_view what)
{
    throw base::Error(base::errors::kInvalidProcedureCall,
                      std::string("Malformed connection text (") + std::string(what) + "): " + std::string(text),
                      "ConnectionText");
}

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

ConnectionText ConnectionText::parse(std::string_view text)
{
    ConnectionText result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t equals = text.find('=', pos);
        const std::size_t semicolon = text.find(';', pos);
        if (equals == std::string_view::npos || semicolon < equals) {
            // A piece without "=" carries no key: skip it (a stray ";" or trailing blanks).
            if (!trim(text.substr(pos, semicolon == std::string_view::npos ? text.size() - pos : semicolon - pos)).empty())
                malformed(text, "a part without '='");
            if (semicolon == std::string_view::npos) break;
            pos = semicolon + 1;
            continue;
        }
        std::string key(trim(text.substr(pos, equals - pos)));
        pos = equals + 1;
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;

        std::string value;
        if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
            const char quote = text[pos++];
            for (;; ++pos) {
                if (pos >= text.size()) malformed(text, "unterminated quote");
                if (text[pos] == quote) {
                    if (pos + 1 < text.size() && text[pos + 1] == quote) { value += quote; ++pos; continue; }
                    ++pos;
                    break;
                }
                value += text[pos];
            }
            while (pos < text.size() && text[pos] != ';') ++pos;
        } else if (pos < text.size() && text[pos] == '{') {
            for (++pos;; ++pos) {
                if (pos >= text.size()) malformed(text, "unterminated brace");
                if (text[pos] == '}') {
                    if (pos + 1 < text.size() && text[pos + 1] == '}') { value += '}'; ++pos; continue; }
                    ++pos;
                    break;
                }
                value += text[pos];
            }
            while (pos < text.size() && text[pos] != ';') ++pos;
        } else {
            // An unquoted value runs to the next ";" outside braces, so "Driver={a;b}" stays whole.
            const std::size_t start = pos;
            int braces = 0;
            for (; pos < text.size() && (text[pos] != ';' || braces > 0); ++pos) {
                if (text[pos] == '{') ++braces;
                else if (text[pos] == '}' && braces > 0) --braces;
            }
            if (braces > 0) malformed(text, "unterminated brace");
            value = std::string(trim(text.substr(start, pos - start)));
        }
        if (pos < text.size()) ++pos;  // the ";"
        if (key.empty()) malformed(text, "an empty key");
        result.entries_.emplace_back(std::move(key), std::move(value));
    }
    return result;
}

std::optional<std::string> ConnectionText::get(std::string_view key) const
{
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (equalsIgnoringCase(it->first, key)) return it->second;
    return std::nullopt;
}

}  // namespace db
