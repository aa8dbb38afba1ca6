#include "importer/OpenTransaction.h"

#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "platform/os/ProgramFolder.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>

#include <optional>

bool Reconstruccion::comienza()
{
    abierta_ = true;
    return ejecuta("BEGIN TRANSACTION");
}

namespace {

// The statements sent as EjecutaConsultaSQL sends them, but without its box: a failure here is told once, by
// the caller, naming what was being written. Oracle's dialect is EjecutaConsultaSQL's alone, box and all: the
// text it sent is kept in `reescrita`.
void envia(DB_Dll& erp, std::string_view sentencias, std::optional<std::string>& reescrita)
{
    if (erp.conexionOracle()) {
        reescrita.emplace(sentencias);
        return erp.EjecutaConsultaSQL(*reescrita);
    }
    try {
        erp.gCnn.execute(sentencias, -1);
    } catch (const base::Error&) {
        // The connection's error list holds the failure.
    }
}

}  // namespace

bool Reconstruccion::ejecuta(std::string_view sentencias, std::string_view contexto)
{
    DB_Dll& erp = gDB_Dll();
    std::optional<std::string> reescrita;
    envia(erp, sentencias, reescrita);
    db::ErrorList& errores = erp.gCnn.errors();
    if (errores.empty()) return true;
    const long codigo = errores.item(0).nativeError;
    std::string mensaje(contexto);
    for (std::size_t i = 0; i < errores.count(); ++i)
        mensaje += fmt::format("{} : {}\r\n", errores.item(i).nativeError, errores.item(i).description);
    errores.clear();
    deshace();
    // After the rollback, or the error row would be undone with the rest.
    GrabaError(reescrita ? std::string_view(*reescrita) : sentencias, os::programName(), codigo, mensaje);
    const int respuesta = programPrompter().msgBox(mensaje, ui::vbCritical | ui::vbOKOnly, "Aviso al Operador!");
    erp.registraError(mensaje, "Reconstruccion", respuesta);
    fallo_ = std::move(mensaje);
    return false;
}

bool Reconstruccion::confirma()
{
    if (!ejecuta("COMMIT TRANSACTION")) return false;
    abierta_ = false;
    return true;
}

void Reconstruccion::deshace()
{
    if (!abierta_) return;
    abierta_ = false;
    std::string rollback = "ROLLBACK TRANSACTION";
    gDB_Dll().EjecutaConsultaSQL(rollback);
    gDB_Dll().gCnn.errors().clear();
}
