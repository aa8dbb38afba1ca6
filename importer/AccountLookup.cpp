// F5 in the balancing-account boxes: the operator picks the account from the ERP's chart of accounts.

#include "importer/Importar.h"

#include "core/Utilidades.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

namespace {

constexpr int kF5 = 116;

}  // namespace

void Importar::txtFields_KeyDown(std::size_t index, int keyCode)
{
    if (keyCode != kF5 || index >= txtFields.size()) return;
    IndiceCuentaAjuste = static_cast<int>(index);
    ConsultaCuentaAjuste();
}

void Importar::ConsultaCuentaAjuste()
{
    if (IndiceCuentaAjuste < 0 || static_cast<std::size_t>(IndiceCuentaAjuste) >= txtFields.size()) return;
    ui::TextBox& cuenta = txtFields[static_cast<std::size_t>(IndiceCuentaAjuste)];
    if (!base::equalsIgnoringCase(base::trim(cuenta.tag), "ma_Cuentas")) return;

    Lib_ClsCons3& consulta = gLib_ClsCons3();
    consulta.CampoDevuelto = "codigo";
    consulta.ConsultaSearch("ma_Cuentas");
    // An empty value is a lookup closed without a choice: the box keeps its account.
    const std::string elegida = base::trim(gUtilidades().NuloACadena(consulta.ValorDevuelto));
    if (elegida.empty()) return;
    cuenta.text = elegida;
    cambio();
}
