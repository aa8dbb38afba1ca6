#pragma once
// How the stock operations read the ERP database: each opens its own recordset and reads numbers and
// switches from it, and a failure reaches the operation's own error treatment, which names it.

#include "platform/base/Value.h"
#include "platform/db/Recordset.h"

#include <string>

// Opens `rows` forward-only and read-only on the ERP connection as the data-access object opens its
// recordsets (tables behind their synonyms for a user who is not an administrator, Oracle's dialect on
// Oracle), but raises a failure instead of asking about it.
void abreLecturaErp(const std::string& statement, db::Recordset& rows);

// A quantity or balance as a number: Null (no balance) and a text without a number read 0.
double numeroOCero(const base::Value& value);

// A switch column: Null, 0 and blank are off.
bool interruptorActivo(const base::Value& value);
