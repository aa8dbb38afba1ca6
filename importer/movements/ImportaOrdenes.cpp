// The legacy system's pending purchase orders become purchase-order vouchers: the order headers of FORCOMPR,
// then their lines of FDEORCOM, then the lines the legacy system marks as received are posted to stock as
// reception vouchers, one per order. Each phase runs once; any of them ends the whole import when its table
// cannot be opened or is empty, on Cancel, and when the operator leaves it from the error dialog. What was
// committed before stays, and the import writes no end text of its own: the last progress text and the
// error list remain. Whatever it could not write is listed and logged one by one and counted in one box
// at the end.

#include "core/DB_Dll.h"
#include "core/StatementBuilders.h"
#include "importer/Importar.h"
#include "importer/movements/OrdenesCompra.h"
#include "platform/base/ErrorTrap.h"
#include "platform/ui/Prompter.h"

namespace {

// The state code the ERP's purchase orders rely on.
void aseguraEstado()
{
    DB_Dll& erp = gDB_Dll();
    if (erp.ExisteEnTabla("TA_ESTADOS", base::Value("  99"), "CODIGO")) return;
    std::string alta = "INSERT INTO TA_ESTADOS (CODIGO,DESCRIPCION) VALUES('  99','OTROS')";
    erp.EjecutaConsultaSQL(alta);
}

}  // namespace

void Importar::ImportaOrdenes()
{
    using Fase = ordenes::CorridaOrdenes::Fase;
    ordenes::CorridaOrdenes corrida(*this);
    base::ErrorTrap trap(
        [&corrida](const base::Error& error) { return corrida.trataError(error, ui::vbAbortRetryIgnore | ui::vbCritical); });
    bool sigue = true;
    trap.step([] { gCampos.clear(); });
    trap.step([&] { corrida.preparaListaErrores(); });
    trap.step(aseguraEstado);
    corrida.empieza(Fase::Cabeceras);
    trap.step([&] { sigue = ordenes::ImportaCabeceras(corrida); });
    if (sigue) {
        corrida.empieza(Fase::Lineas);
        trap.step([&] { sigue = ordenes::ImportaLineas(corrida); });
    }
    if (sigue) {
        corrida.empieza(Fase::Recepciones);
        trap.step([&] { ordenes::ImportaRecepciones(corrida); });
    }
    corrida.informaNoImportados();
}
