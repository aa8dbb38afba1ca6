// The engine's operation that opens the storage-position and lot dialog.

#include "core/DB_Dll.h"
#include "dialogs/FrmLoteyPosicion.h"
#include "dialogs/VoucherDialogs.h"
#include "platform/base/ErrorTrap.h"
#include "stock/ClsCmnCptes.h"

void ClsCmnCptes::PidePosicionLote(const std::string& Articulo, const std::string& IdUnidad, double& Cantidad,
                                   const std::string& Deposito, const std::string& PosicionAnt,
                                   const std::string& LoteAnt, std::string& PosicionNVO, std::string& LoteNvo,
                                   bool Posicion, bool Lote) {
    base::ErrorTrap trap(
        [](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, std::string("PidePosicionLote")); });
    if (Cantidad == 0) {
        PosicionNVO.clear();
        LoteNvo.clear();
        return;
    }
    if (Cantidad < 0) {
        // Nothing goes anywhere of a negative quantity: the line keeps its earlier choice.
        FrmLoteyPosicion::avisaCantidadNegativa();
        PosicionNVO = PosicionAnt;
        LoteNvo = LoteAnt;
        return;
    }
    FrmLoteyPosicion form;
    trap.step([&] {
        form.Cantidad1 = Cantidad;
        form.EsConsultaDePosicionLote = !PosicionAnt.empty() || !LoteAnt.empty();
        form.EsPosicion = Posicion;
        form.EsLote = Lote;
        form.IUNIDAD = IdUnidad;
        form.Articulo = Articulo;
        form.Deposito = Deposito;
        form.PosicionesAnteriores = PosicionAnt;
        form.LotesAnteriores = LoteAnt;
    });
    trap.step([&] {
        form.CargaDatos();
        form.lblArticulo.caption = Articulo;
    });
    trap.step([&] {
        VoucherDialogs* dialogs = voucherDialogs();
        if (!dialogs) throw base::Error(base::errors::kInvalidProcedureCall, "No hay dialogos de comprobantes instalados");
        dialogs->showModal(form);
    });
    trap.step([&] {
        // Only a mode with positions builds lists; any other hands the earlier ones back, as a cancel does.
        if (form.accepted() && form.EsPosicion) {
            PosicionNVO = form.Posiciones;
            LoteNvo = form.Lotes;
            Cantidad = form.Cantidad1;
        } else {
            PosicionNVO = PosicionAnt;
            LoteNvo = LoteAnt;
        }
    });
}
