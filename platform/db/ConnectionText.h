#pragma once
// Reads the connection texts the program builds ("PROVIDER=SQLOLEDB;Server=...;Database =...;",
// "...Extended Properties=\"Excel 8.0;HDR=Yes;IMEX=1\"", "...Driver={Microsoft Visual FoxPro Driver};..."):
// keys without regard to case or surrounding blanks, empty values, values in double quotes or braces that
// hold ";".

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace db {

class ConnectionText {
public:
    // Raises an error naming the text's problem for an unterminated quote or brace.
    static ConnectionText parse(std::string_view text);

    // The value of a key (the last one when a key repeats), its quotes or enclosing braces removed.
    std::optional<std::string> get(std::string_view key) const;
    std::string value(std::string_view key) const { return get(key).value_or(std::string()); }
    bool has(std::string_view key) const { return get(key).has_value(); }

    const std::vector<std::pair<std::string, std::string>>& entries() const { return entries_; }

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace db
