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

// What sets a batch runner apart from EjecutaTransaccion. Every runner sends the same texts, commits or
// rolls back on the batch's own errors and tolerates the same two kinds; the defaults are EjecutaTransaccion.
struct ModoLote {
    // A list with nothing to send still sends the empty transaction and commits it, and sets `lote`.
    bool enviaSinSentencias = false;
    // A failure writes its AUX_ERR row.
    bool grabaError = true;
    // A failure not tolerated is shown in a box.
    bool muestraMensaje = true;
    // The message has a line for every error; otherwise the server's last one (its closing "statement
    // terminated") is left out.
    bool todasLasLineas = false;
    // A failure while the batch is put together goes to the error treatment, whose answer decides; otherwise
    // it is the batch's failure: nothing is sent and the outputs say why.
    bool armadoConTratamiento = true;
};

// The runner behind EjecutaTransaccion and the import window's gActualizarDatosScript3; the arguments are
// EjecutaTransaccion's.
void EjecutaLote(const ListaSentencias& sentencias, const ModoLote& modo, bool& hayError, long& codigoError,
                 bool toleraDuplicados, bool toleraReferencias, std::string& lote, std::string& textoError);
