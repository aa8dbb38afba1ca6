#include "platform/os/PathMapping.h"

#include "platform/base/Utf8.h"
#include "platform/os/ProgramFolder.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace os {

std::filesystem::path drivesRoot()
{
    if (const char* root = std::getenv("MIGRA_DRIVES"); root && *root) return root;
    return programFolder() / "drives";
}

std::filesystem::path findIgnoringCase(const std::filesystem::path& folder, std::string_view name)
{
    const std::filesystem::path exact = folder / std::string(name);
    std::error_code error;
    if (std::filesystem::exists(exact, error)) return exact;
    for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error))
        // Windows matches accented letters without regard to case too: "AÑO.DBF" is "año.dbf".
        if (base::equalsIgnoringCase(entry.path().filename().string(), name)) return folder / entry.path().filename();
    return exact;
}

std::filesystem::path mapWindowsPath(std::string_view windowsPath)
{
    std::string text(windowsPath);
    std::replace(text.begin(), text.end(), '\\', '/');
    std::filesystem::path result;
    std::string_view rest = text;
    if (rest.size() >= 2 && std::isalpha(static_cast<unsigned char>(rest[0])) && rest[1] == ':') {
        result = drivesRoot() / std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(rest[0]))));
        rest.remove_prefix(2);
    } else if (!rest.empty() && rest.front() == '/') {
        result = "/";
    }
    bool trailingSeparator = !rest.empty() && rest.back() == '/';
    while (!rest.empty()) {
        const auto slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        if (!part.empty() && part != ".") result = findIgnoringCase(result, part);
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    if (trailingSeparator && !result.empty()) result /= "";
    return result;
}

}  // namespace os
