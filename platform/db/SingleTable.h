#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace db {

// The table a SELECT reads when it reads exactly one ("select top 1 * from AUX_ERR where ..."): the name
// after FROM, without brackets or owner; nothing for joins, several tables or anything but a SELECT.
std::optional<std::string> singleTableOf(std::string_view statement);

}  // namespace db
