#pragma once
// The comparison of the collation SQLSRV, which stands for the server's Spanish case-insensitive,
// accent-sensitive collation: 'a' = 'A', 'á' right after 'a', 'Ñ' after 'N' and before 'O', trailing blanks
// ignored, leading blanks significant. Texts of plain ASCII are compared by a table (as fast as a
// case-insensitive byte comparison); others by ICU's Spanish collation, ties broken by their lower-case
// code points so that two texts are equal only when they differ in case alone.
//
// A stored date (in the form of StoredValues.h) compared with a text in another of the accepted date forms
// compares as a date, the text read in the session's order: FECHA >= '20240229' and FECHA = '29/02/2024'
// mean what they say.

#include "platform/db/sqlite/StoredValues.h"

#include <string_view>

namespace db::sqlite {

// Dates in another form than the stored one are read in `order`.
int compareSqlServer(std::string_view a, std::string_view b, DateOrder order = DateOrder::DMY);

}  // namespace db::sqlite
