#pragma once

#include <string_view>

// Whether `palabra` stands in the statement as a word of its own (without regard to case), not as letters
// inside a longer name: "where" is not in a column NOWHERE_ID, nor "select" in a table TA_SELECTORES.
bool contienePalabra(std::string_view sql, std::string_view palabra);
