#include "tests/support/LegacyTables.h"

#include "tests/support/LegacyFixtures.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <fmt/format.h>
#include <fstream>

namespace testing_support {

std::string text(std::string_view value)
{
    std::string out = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string number(std::string_view value) { return std::string(value); }

std::string date(std::string_view isoDate) { return "{\"date\": " + text(isoDate) + "}"; }

std::string null() { return "null"; }

LegacyRow with(LegacyRow row, const LegacyRow& changes)
{
    for (const auto& [name, value] : changes) {
        const auto found = std::find_if(row.begin(), row.end(), [&](const auto& field) { return field.first == name; });
        if (found != row.end()) found->second = value;
        else row.emplace_back(name, value);
    }
    return row;
}

namespace {

std::string joined(const std::vector<std::string>& parts)
{
    std::string out;
    for (const std::string& part : parts) out += (out.empty() ? "" : ", ") + part;
    return out;
}

}  // namespace

LegacyTables& LegacyTables::table(std::string name, std::vector<LegacyRow> rows, std::vector<int> deleted)
{
    std::vector<std::string> rowTexts;
    for (const LegacyRow& row : rows) {
        std::vector<std::string> fields;
        for (const auto& [field, value] : row) fields.push_back(text(field) + ": " + value);
        rowTexts.push_back("{" + joined(fields) + "}");
    }
    std::vector<std::string> deletedTexts;
    for (int index : deleted) deletedTexts.push_back(std::to_string(index));
    tables_.emplace_back(name, fmt::format("{{\"rows\": [{}], \"deleted\": [{}]}}", joined(rowTexts), joined(deletedTexts)));
    return *this;
}

LegacyTables& LegacyTables::employees(std::vector<std::vector<std::string>> rows)
{
    std::vector<std::string> rowTexts;
    for (const auto& row : rows) rowTexts.push_back("[" + joined(row) + "]");
    tables_.emplace_back("EMPLEADOSTEMO", "[" + joined(rowTexts) + "]");
    return *this;
}

void LegacyTables::write(const std::filesystem::path& folder) const
{
    std::vector<std::string> entries;
    for (const auto& [name, json] : tables_) entries.push_back(text(name) + ": " + json);
    TempFolder scratch;
    const std::filesystem::path spec = scratch.path() / "rows.json";
    std::ofstream(spec, std::ios::binary) << "{" << joined(entries) << "}";
    runFixtureScript("make_legacy_tables.py", {folder.string(), spec.string()});
}

}  // namespace testing_support
