#pragma once
// One unit of work (one imported record, one order) runs as one batch in one transaction: committed when
// the server reports nothing, otherwise rolled back, recorded in AUX_ERR and shown to the operator, except
// the duplicate-key (2627) and reference (547) failures a caller may declare tolerated.

#include "core/StatementBuilders.h"

#include <string>
#include <string_view>

// Sends the non-blank statements behind "BEGIN TRANSACTION ", then COMMIT or ROLLBACK on this batch's own
// errors. `hayError` only ever turns True (callers clear it); `codigoError` gets the server's first native
// error or 0; `lote` the text sent; `textoError` the message lines ("native : description", the server's
// closing "statement terminated" left out) or, for a tolerated failure, the first description alone.
// A list with nothing to send leaves every output as it was.
void EjecutaTransaccion(const ListaSentencias& sentencias, bool& hayError, long& codigoError, bool toleraDuplicados,
                        bool toleraReferencias, std::string& lote, std::string& textoError);

// Writes one AUX_ERR row; a row that cannot be written is let go, the failure having been shown already.
void GrabaError(std::string_view sentencia, std::string_view proceso, long numero, std::string_view descripcion);
