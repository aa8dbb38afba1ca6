// An account's applied charges, and the caller's window that checks them.

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "stock/ClsCmnCptes.h"
#include "voucher/VentanaCargosReales.h"

base::Currency ClsCmnCptes::ImporteCargosReales(const std::string& Cuenta)
{
    DB_Dll& erp = gDB_Dll();
    const std::string sentencia = "SELECT SUM (SALDO) AS IMPORTE FROM V_MV_CargosAplicados WHERE CUENTA = " +
                                  erp.SQLValue(base::Value(base::trim(Cuenta)));
    base::Currency importe;
    db::Recordset saldo;
    base::ErrorTrap trap([](const base::Error& error) {
        return gDB_Dll().TratamientoErrores(error, {}, "ImporteCargosReales@");
    });
    trap.step([&] { erp.abreSinTratamiento(sentencia, saldo); });
    trap.step([&] {
        if (!saldo.eof()) importe = gUtilidades().ValorNumerico(gUtilidades().NuloACadena(saldo.field("Importe").value()));
    });
    return importe;
}

void ClsCmnCptes::ControlDeCargosReales(VentanaCargosReales& FrmCtrlCargosReales, const std::string& Cliente,
                                        const std::string& Matricula)
{
    FrmCtrlCargosReales.Cliente = Cliente;
    FrmCtrlCargosReales.Matricula = Matricula;
    FrmCtrlCargosReales.Show(1);
}
