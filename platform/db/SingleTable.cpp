#include "platform/db/SingleTable.h"

#include <cctype>
#include <vector>

namespace db {
namespace {

// Words of the statement outside literals and parentheses, upper-cased, with their text as written.
struct Word { std::string upper, text; };

std::vector<Word> topLevelWords(std::string_view sql)
{
    std::vector<Word> words;
    int depth = 0;
    for (std::size_t i = 0; i < sql.size();) {
        const char c = sql[i];
        if (c == '\'') {
            for (++i; i < sql.size(); ++i)
                if (sql[i] == '\'' && !(i + 1 < sql.size() && sql[i + 1] == '\'' && ++i)) break;
            ++i;
            words.push_back({"'", "'"});
        } else if (c == '(') { ++depth; ++i; }
        else if (c == ')') { --depth; ++i; }
        else if (c == ',' && depth == 0) { words.push_back({",", ","}); ++i; }
        else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '[' || c == '@' || c == '#') {
            const std::size_t start = i;
            if (c == '[') i = sql.find(']', i) == std::string_view::npos ? sql.size() : sql.find(']', i) + 1;
            while (i < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[i])) || sql[i] == '_' ||
                                      sql[i] == '.' || sql[i] == '$' || sql[i] == '[' || sql[i] == ']' || sql[i] == '@' ||
                                      sql[i] == '#')) {
                if (sql[i] == '[') i = sql.find(']', i) == std::string_view::npos ? sql.size() : sql.find(']', i);
                ++i;
            }
            if (depth == 0) {
                Word w{std::string(sql.substr(start, i - start)), std::string(sql.substr(start, i - start))};
                for (char& ch : w.upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
                words.push_back(std::move(w));
            }
        } else {
            ++i;
        }
    }
    return words;
}

std::string bareName(std::string name)
{
    if (const auto dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
    return name;
}

}  // namespace

std::optional<std::string> singleTableOf(std::string_view statement)
{
    const std::vector<Word> words = topLevelWords(statement);
    if (words.empty() || words.front().upper != "SELECT") return std::nullopt;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i].upper != "FROM") continue;
        if (i + 1 >= words.size()) return std::nullopt;
        for (std::size_t j = i + 2; j < words.size(); ++j) {
            const std::string& w = words[j].upper;
            if (w == "WHERE" || w == "ORDER" || w == "GROUP") break;
            if (w == "," || w == "JOIN" || w == "UNION") return std::nullopt;
        }
        return bareName(words[i + 1].text);
    }
    return std::nullopt;
}

}  // namespace db
