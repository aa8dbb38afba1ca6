#pragma once
// Opening a task's legacy source through the window's DBOrigen, under the error treatment: the operator
// may try again (Retry), give up this task (Ignore) or give up the whole run (Abort).

#include "platform/db/Recordset.h"

#include <string>

class Importar;

// True when `origen` is open on the statement. Otherwise the operator has been told why, the entry is
// marked " ---> ERROR" and the task must end without its end text; after Abort no later entry starts.
bool abreOrigen(Importar& ventana, std::string sentencia, db::Recordset& origen);
