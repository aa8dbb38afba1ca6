// The engine's voucher query: a fresh query window per call, shown through the installed dialogs.

#include "dialogs/FrmConsComprobantes.h"
#include "dialogs/VoucherDialogs.h"
#include "numbering/NumberingQueries.h"
#include "stock/ClsCmnCptes.h"

#include <memory>

void ClsCmnCptes::ConsultaComprobante(const std::string& TC, std::string& Respuesta, const std::string* Filtro,
                                      std::string* IdComplemento, std::string* Proveedor) {
    base::ErrorTrap trap = numbering::trampa("ConsultaComprobante");
    std::unique_ptr<FrmConsComprobantes> form;
    trap.step([&] {
        if (!form) form = std::make_unique<FrmConsComprobantes>();
        form->TC = TC;
    });
    trap.step([&] { form->Filtro = Filtro ? *Filtro : std::string(); });
    trap.step([&] { form->NroComprobante.clear(); });
    trap.step([&] {
        VoucherDialogs* dialogs = voucherDialogs();
        if (!dialogs) throw base::Error(91, "No window can show the voucher query", "ConsultaComprobante");
        dialogs->showModal(*form);
    });
    trap.step([&] { Respuesta = form->NroComprobante; });
    trap.step([&] {
        if (IdComplemento) *IdComplemento = form->IdComplemento;
    });
    trap.step([&] {
        if (Proveedor) *Proveedor = form->Proveedor;
    });
    trap.step([&] { form.reset(); });
}
