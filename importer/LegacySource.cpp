#include "importer/LegacySource.h"

#include "core/DB_Dll.h"
#include "importer/Importar.h"
#include "platform/base/ErrorTrap.h"
#include "platform/ui/Prompter.h"

bool abreOrigen(Importar& ventana, std::string sentencia, db::Recordset& origen)
{
    // The data-access object's AbrirRecordset keeps the operator's answer to itself; here it decides whether
    // the run goes on, so the open runs under a trap of its own with the same error treatment.
    DB_Dll& legado = *ventana.DBOrigen;
    int respuesta = 0;
    base::ErrorTrap trap([&respuesta](const base::Error& error) {
        respuesta = gDB_Dll().TratamientoErrores(error, {}, "AbrirRecordset");
        return respuesta;
    });
    trap.step([&] { origen.open(sentencia, legado.gCnn); });
    if (origen.state() != db::kStateClosed) return true;
    ventana.lblTabla.caption += " ---> ERROR";
    // Abort is the operator giving up the run, as Cancelar would: the dispatcher starts no later entry.
    if (respuesta == ui::vbAbort) ventana.Cancelado = true;
    ventana.cambio();
    return false;
}
