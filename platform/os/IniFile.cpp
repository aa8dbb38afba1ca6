#include "platform/os/IniFile.h"

#include "platform/base/Error.h"
#include "platform/base/Utf8.h"
#include "platform/os/TextFile.h"

namespace os {
namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string_view unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::string readIniValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                         std::string_view defaultValue, base::CodePage codePage)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return std::string(defaultValue);
    try {
        TextReader reader(file, codePage);
        bool inSection = false;
        while (const auto line = reader.readLine()) {
            const std::string_view text = trimmed(*line);
            if (text.empty() || text.front() == ';') continue;
            if (text.front() == '[') {
                const auto close = text.find(']');
                const std::string_view name = text.substr(1, close == std::string_view::npos ? text.npos : close - 1);
                inSection = base::equalsIgnoringCase(trimmed(name), trimmed(section));
                continue;
            }
            const auto equals = text.find('=');
            if (inSection && equals != std::string_view::npos &&
                base::equalsIgnoringCase(trimmed(text.substr(0, equals)), trimmed(key)))
                return std::string(unquoted(trimmed(text.substr(equals + 1))));
        }
    } catch (const base::Error&) {
        // An unreadable file answers like a missing one, as profile files do.
    }
    return std::string(defaultValue);
}

}  // namespace os
