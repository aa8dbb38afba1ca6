#pragma once
// One run of a movement import, from the error list's preparation to its end: the run's counters, the error
// list of the window, the error trap, the texts that tell how the run ended, and the one box that counts
// the records it could not write.

#include "importer/ImportCounters.h"
#include "importer/ImportLoop.h"
#include "platform/base/Error.h"
#include "platform/db/Recordset.h"

#include <string>
#include <string_view>

class Importar;

namespace movimientos {

class CorridaImportacion {
public:
    // `rutina` names the import in the error log and in the error dialog's title.
    CorridaImportacion(Importar& ventana, std::string rutina) : ventana(ventana), rutina_(std::move(rutina)) {}

    // The error list cleared (its number of rows kept), its two columns as wide as the grid allows.
    void preparaListaErrores();
    // Opens a task's legacy table through DBOrigen; false when it could not be opened (the operator has been
    // told, and the task's entry is marked " ---> ERROR").
    bool abre(std::string sentencia, db::Recordset& origen);
    // The common error dialog with these buttons, its answer written to the error log.
    int trataError(const base::Error& error, int botones) const;
    // A row at the end of MSFlexGrid1: Errores as its ordinal, the text beside it; it becomes the top row.
    void listaError(const std::string& texto);
    // Something refused without a database error (an ambiguous id, a number too long): written to the error
    // log, then `motivo` takes it for the error list.
    void rechaza(std::string texto, std::string& motivo) const;
    // A batch the database did not take: `texto` (what it was, then the error lines) written to the error
    // log without its closing line ends, and handed back so for the error list.
    std::string registraFallo(std::string texto) const;
    // What the tasks hand the shared loop: the progress text with `trasMinutos` after the minutes, the
    // trap, the listing. The caller adds how a record is built and, for lines, how a refusal is listed.
    ImportLoop::PasosPorRegistro pasos(std::string trasMinutos);

    // The end of the task as the loop reported it: after the source's end " FINALIZADO " on LblDetalle; on
    // Cancel " ---> CANCELADO " on lblTabla (LblDetalle already says "CANCELADO"); stopped, " ---> DETENIDO"
    // on lblTabla and the run ends as on Cancel, so no later entry writes over where to resume. Then the
    // one box counting the records of `tabla` not written, when there were any.
    void termina(ImportLoop::Fin fin, std::string_view tabla);
    // The one box counting the records of `tabla` that were refused or that the database did not take.
    void informaRechazos(std::string_view tabla) const;

    Importar& ventana;
    ContadoresImportacion contadores;

protected:
    // The one box of a task that could not write everything: `cuales` counts what was not written ("2
    // registros de X"), `uno` when that is a single one.
    void avisaNoImportados(const std::string& cuales, bool uno) const;

private:
    std::string rutina_;
};

}  // namespace movimientos
