#include "core/BatchRunner.h"

#include "core/DB_Dll.h"
#include "core/Entorno.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/os/Clock.h"
#include "platform/os/ProgramFolder.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>
#include <optional>

namespace {

struct BatchFailure {
    long code = 0;
    std::string message;      // one line per error ("native : description" CR LF)
    std::string description;  // the first error's
};

std::string errorLine(long number, std::string_view description) { return fmt::format("{} : {}\r\n", number, description); }

// Reads and clears the errors the last command left; nothing when there were none.
std::optional<BatchFailure> takeErrors(db::ErrorList& errors, bool everyLine)
{
    if (errors.empty()) return std::nullopt;
    BatchFailure failure{errors.item(0).nativeError, {}, errors.item(0).description};
    const std::size_t lines = everyLine || errors.count() == 1 ? errors.count() : errors.count() - 1;
    for (std::size_t i = 0; i < lines; ++i)
        failure.message += errorLine(errors.item(i).nativeError, errors.item(i).description);
    errors.clear();
    return failure;
}

}  // namespace

void EjecutaTransaccion(const ListaSentencias& sentencias, bool& hayError, long& codigoError, bool toleraDuplicados,
                        bool toleraReferencias, std::string& lote, std::string& textoError)
{
    EjecutaLote(sentencias, ModoLote{}, hayError, codigoError, toleraDuplicados, toleraReferencias, lote, textoError);
}

void EjecutaLote(const ListaSentencias& sentencias, const ModoLote& modo, bool& hayError, long& codigoError,
                 bool toleraDuplicados, bool toleraReferencias, std::string& lote, std::string& textoError)
{
    DB_Dll& erp = gDB_Dll();
    std::string batch;
    std::optional<BatchFailure> failure;
    base::ErrorTrap trap([&](const base::Error& error) {
        if (modo.armadoConTratamiento) return erp.TratamientoErrores(error, {}, "EjecutaTransaccion");
        // A statement left out would commit the rest of the unit of work without it.
        failure = BatchFailure{error.number(), errorLine(error.number(), error.description()), error.description()};
        return 0;
    });
    // The batch is written once into its room: a voucher's rows may be thousands of statements.
    constexpr std::string_view kBegin = "BEGIN TRANSACTION \r\r";
    std::size_t size = kBegin.size() + 1;
    for (const std::string& sentencia : sentencias) size += sentencia.size() + 1;
    batch.reserve(size);
    batch += kBegin;
    trap.step([&] {
        for (const std::string& sentencia : sentencias) {
            if (sentencia.find_first_not_of(' ') == std::string::npos) continue;  // blanks only
            batch += '\r';
            batch += sentencia;
        }
    });
    if (trap.left() && !failure) return;
    if (!failure && batch.size() == kBegin.size() && !modo.enviaSinSentencias) return;

    if (!failure) {
        batch += '\r';
        lote = batch;
        erp.EjecutaConsultaSQL(batch);
        failure = takeErrors(erp.gCnn.errors(), modo.todasLasLineas);
        if (!failure) {
            std::string commit = "COMMIT TRANSACTION";
            erp.EjecutaConsultaSQL(commit);
            // A commit the server refuses leaves nothing written: it is this batch's failure like any other.
            failure = takeErrors(erp.gCnn.errors(), modo.todasLasLineas);
        }
        if (failure) {
            std::string rollback = "ROLLBACK TRANSACTION";
            erp.EjecutaConsultaSQL(rollback);
            erp.gCnn.errors().clear();
        }
    }
    if (failure) {
        hayError = true;
        textoError = failure->message;
        const bool tolerated = (toleraDuplicados && failure->code == 2627) || (toleraReferencias && failure->code == 547);
        if (tolerated) {
            textoError = failure->description;
            failure->message.clear();
        }
        if (modo.grabaError) GrabaError(lote, os::programName(), failure->code, failure->message);
        if (modo.muestraMensaje && !base::trim(failure->message).empty())
            programPrompter().msgBox(failure->message, ui::vbCritical | ui::vbOKOnly, "Aviso al Operador!");
    }
    codigoError = failure ? failure->code : 0;
}

void GrabaError(std::string_view sentencia, std::string_view proceso, long numero, std::string_view descripcion)
{
    DB_Dll& erp = gDB_Dll();
    db::Recordset recordset;
    std::string statement = "select  top 1 * from AUX_ERR";
    base::ErrorTrap trap([](const base::Error&) { return base::answers::kIgnore; });
    trap.step([&] { erp.AbrirRecordset(statement, recordset, nullptr, 2, 3, -1, true); });
    trap.step([&] { recordset.addNew(); });
    trap.step([&] { recordset.field("Proceso").setValue(std::string(proceso)); });
    // The stamp keeps the minute, as the legacy "dd/mm/yy hh:mm" text did, but as a date the database can sort.
    trap.step([&] {
        const base::DateTime now = programClock().now();
        recordset.field("Fecha").setValue(now.addSeconds(-now.second()));
    });
    trap.step([&] { recordset.field("Error").setValue(numero); });
    trap.step([&] { recordset.field("Descripcion").setValue(gUtilidades().RecortaTexto(descripcion, 250)); });
    trap.step([&] { recordset.field("SQL").setValue(std::string(sentencia)); });
    trap.step([&] { recordset.field("PC").setValue(gEntorno().NombreEquipo()); });
    trap.step([&] { recordset.field("Usuario").setValue(erp.gUsuario); });
    trap.step([&] { recordset.update(); });
    trap.step([&] { erp.CierraRecordset(recordset); });
}
