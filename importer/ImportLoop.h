#pragma once
// The loop every import of the window shares: one source record at a time, Cancel seen between records,
// progress in LblDetalle, events let run once per record. Two ways of writing: a batch per record in one
// transaction with the counters line, or statement by statement with "Procesando Registro n". A task of
// several phases shares its counters between them and lists the records it could not write (porRegistro).
//
// A record whose fields cannot be read stops the task with a message naming the table and the record: the
// records before it stay written, nothing of it is written and nothing after it is read. The message and
// the entry's label say so, so the operator knows where to resume. Records are numbered by their place in
// the source, passed-over ones included.

#include "core/StatementBuilders.h"
#include "importer/ImportCounters.h"
#include "platform/base/Error.h"
#include "platform/base/DateTime.h"
#include "platform/db/Recordset.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class Importar;

class ImportLoop {
public:
    enum class Fin { Completo, Cancelado, Detenido };

    ImportLoop(Importar& ventana, std::string tabla) : ventana_(ventana), tabla_(std::move(tabla)) {}
    // For a task of several phases: the counters go on from one phase to the next.
    ImportLoop(Importar& ventana, std::string tabla, ContadoresImportacion& compartidos)
        : ventana_(ventana), tabla_(std::move(tabla)), c_(compartidos)
    {
    }

    // Batch style: `armaRegistro` appends the record's statements; they run as one transaction.
    Fin porLotes(db::Recordset& origen, const std::function<void(ListaSentencias&)>& armaRegistro);
    // Direct style: `procesaRegistro` writes the record (through `grabaRegistro`). A record for which
    // `pasaPorAlto` answers true is passed over: no text, no count, no statement; events still run before
    // the next one.
    Fin directo(db::Recordset& origen, const std::function<void()>& procesaRegistro,
                const std::function<bool()>& pasaPorAlto = {});
    // Writes the current record's statements in one transaction. When they fail, nothing of them stays and
    // one OK box names the table, the record and `clave` (the record's legacy key, "" when it has none)
    // with the errors; the box goes to the error log too. True when written.
    bool grabaRegistro(const ListaSentencias& sentencias, std::string_view clave);

    // What reading a record decided: write its batch, pass it over as already written, or refuse it.
    enum class Destino { Escribe, Omite, Rechaza };
    // What running a record's batch came to.
    enum class Escritura { Grabado, Fallido, Termina };
    struct PasosPorRegistro {
        // The progress text, shown before the record is counted as read.
        std::function<std::string(const ContadoresImportacion&)> progreso;
        // Reads record `registro` (1 for the first of this source) and appends its statements; for Rechaza,
        // `motivo` says why it is not written.
        std::function<Destino(ListaSentencias& lote, std::int32_t registro, std::string& motivo)> arma;
        // A record that cannot be read or built, shown with these buttons; the answer decides: 4 reads it
        // again, 5 refuses the record (nothing of it written), anything else ends the loop.
        std::function<int(const base::Error& error, int botones)> trataError;
        // Lists a refused record, already counted in Errores: `texto` is the reason, or for a batch the
        // database refused, `textoFallo` of its error lines.
        std::function<void(const std::string& texto)> listaError;
        std::function<std::string(const std::string& textoError)> textoFallo;
        // Runs a record's batch: written, failed (`textoError` says why) or the end of the task, nothing more
        // read. Unset, one transaction with duplicate keys and references tolerated, a failure recorded in
        // AUX_ERR and shown in no box of its own: the task lists it and counts it.
        std::function<Escritura(const ListaSentencias& lote, std::string& textoError)> ejecuta;
    };
    // Batch style, each record a transaction of its own run by the steps' runner (unless they give one, the
    // default one above); the counters' start is set anew. A runner that ends the task ends the
    // loop as stopped. A source that cannot be read further is told through `trataError` (OK only) and ends
    // the loop.
    Fin porRegistro(db::Recordset& origen, const PasosPorRegistro& pasos);

    // The current record's place in the source, from 1, passed-over records included.
    std::int32_t registro() const { return registro_; }
    std::int32_t leidos() const { return c_.leidos; }
    std::int32_t grabados() const { return c_.grabados; }
    std::int32_t errores() const { return c_.errores; }
    // "Leidos n Grabados:n Errores: n Inicio: <date> transcurrido: m Min. (Promedio: r x minuto)"
    std::string lineaContadores() const;

private:
    bool cancelado();
    // The default runner of porRegistro.
    Escritura ejecutaTransaccion(const ListaSentencias& lote, std::string& textoError);
    // `registro` is the record's number in the message when reading it fails.
    bool leeRegistro(const std::function<void()>& trabajo, std::int32_t registro);
    // Moves to the next record, which is read as it becomes current.
    bool avanza(db::Recordset& origen);

    Importar& ventana_;
    std::string tabla_;
    ContadoresImportacion propios_;
    ContadoresImportacion& c_ = propios_;
    std::int32_t registro_ = 0;  // the current record's place in the source, from 1
};
