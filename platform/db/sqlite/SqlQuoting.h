#pragma once
// Names and texts written into SQLite statements the provider builds itself.

#include <string>
#include <string_view>

namespace db::sqlite {

// "name" with inner double quotes doubled.
std::string quoteIdentifier(std::string_view identifier);
// 'text' with inner apostrophes doubled.
std::string quoteLiteral(std::string_view text);

}  // namespace db::sqlite
