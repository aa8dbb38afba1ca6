#include "platform/db/odbc/OdbcConnectionString.h"

#include "platform/base/Error.h"
#include "platform/db/AdoCodes.h"

#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <vector>

namespace db::odbc {
namespace {

std::string environment(const char* name, std::string fallback = {})
{
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : std::move(fallback);
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The first value under any of the names: the program writes each key once, in front of the password.
std::string firstValue(const ConnectionText& text, std::initializer_list<std::string_view> names)
{
    for (const auto& [key, value] : text.entries())
        for (std::string_view name : names)
            if (equalsIgnoringCase(key, name)) return value;
    return {};
}

struct Key {
    std::string name;
    std::string text;  // "NAME=value" as it goes into the string
};

// "Key=value;Other={a;b};" cut into its keys, each kept as written.
std::vector<Key> splitKeys(std::string_view keys)
{
    std::vector<Key> result;
    std::size_t start = 0;
    int braces = 0;
    for (std::size_t i = 0; i <= keys.size(); ++i) {
        if (i < keys.size()) {
            if (keys[i] == '{') ++braces;
            else if (keys[i] == '}' && braces > 0) --braces;
            if (keys[i] != ';' || braces > 0) continue;
        }
        const std::string_view part = trimmed(keys.substr(start, i - start));
        start = i + 1;
        const auto equals = part.find('=');
        if (part.empty() || equals == std::string_view::npos) continue;
        result.push_back({std::string(trimmed(part.substr(0, equals))), std::string(part)});
    }
    return result;
}

}  // namespace

OdbcSettings OdbcSettings::fromEnvironment()
{
    OdbcSettings settings;
    settings.sqlServerDriver = environment("MIGRA_ODBC_DRIVER", settings.sqlServerDriver);
    settings.oracleDriver = environment("MIGRA_ODBC_ORACLE_DRIVER");
    settings.extraKeys = environment("MIGRA_ODBC_EXTRA_KEYS");
    return settings;
}

std::string braceQuoted(std::string_view value)
{
    if (value.empty()) return {};
    std::string out = "{";
    for (char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}

std::string driverName(Dialect dialect, const OdbcSettings& settings)
{
    return dialect == Dialect::Oracle ? settings.oracleDriver : settings.sqlServerDriver;
}

std::string odbcConnectionString(Dialect dialect, const ConnectionText& text, const OdbcSettings& settings)
{
    const std::string driver = driverName(dialect, settings);
    if (driver.empty())
        throw base::Error(adoerror::kProviderNotFound,
                          "No database provider serves Oracle without its ODBC driver: set MIGRA_ODBC_ORACLE_DRIVER "
                          "to the driver's name in odbcinst.ini (or its library's path).",
                          "Connection");

    std::vector<Key> keys{{"DRIVER", "DRIVER=" + braceQuoted(driver)}};
    auto add = [&keys](std::string name, std::string_view value) {
        keys.push_back({name, name + "=" + braceQuoted(value)});
    };
    const std::string user = firstValue(text, {"UId", "User Id"});
    const std::string password = firstValue(text, {"Pwd", "Password"});
    if (dialect == Dialect::SqlServer) {
        add("SERVER", firstValue(text, {"Server", "Data Source"}));
        add("DATABASE", firstValue(text, {"Database", "Initial Catalog"}));
    } else {
        add("DBQ", firstValue(text, {"Data Source"}));
    }
    add("UID", user);
    add("PWD", password);

    for (Key& extra : splitKeys(settings.extraKeys)) {
        bool replaced = false;
        for (Key& key : keys)
            if (equalsIgnoringCase(key.name, extra.name)) {
                key = extra;
                replaced = true;
            }
        if (!replaced) keys.push_back(std::move(extra));
    }

    std::string result;
    for (const Key& key : keys) result += key.text + ";";
    return result;
}

}  // namespace db::odbc
