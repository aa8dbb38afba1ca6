#pragma once
// How the stock operations read the values of the rows they open (through DB_Dll::abreSinTratamiento, so
// that a failure reaches the operation's own error treatment, which names it).

#include "platform/base/Value.h"

// A quantity or balance as a number: Null (no balance) and a text without a number read 0.
double numeroOCero(const base::Value& value);

// A switch column: Null, 0 and blank are off.
bool interruptorActivo(const base::Value& value);
