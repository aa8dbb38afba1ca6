// The number of a new stock voucher: the booklets' proposal, stepped past the identifiers stock movements
// already carry.

#include "stock/Stock.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "numbering/NumberingBooklets.h"
#include "platform/base/ErrorTrap.h"
#include "platform/db/Recordset.h"

#include <cstdint>
#include <fmt/format.h>

namespace {

constexpr std::int64_t kMayorNumero = 99999999;

}  // namespace

std::string AsignarNumeroComprobante(const std::string& TC, std::string& Suc, std::string& Letra)
{
    DB_Dll& erp = gDB_Dll();
    Utilidades& util = gUtilidades();
    const std::string tipo = erp.SQLValue(util.RellenaCodigo(base::trim(TC), 4));
    std::string Nro;
    bool propuesto = false;
    bool usado = false;
    // The number stands only once the stock movements have been looked at: a look-up the operator skipped
    // cannot vouch for it.
    bool comprobado = false;
    db::Recordset rs;
    base::ErrorTrap trap([](const base::Error& error) {
        return gDB_Dll().TratamientoErrores(error, {}, "AsignarNumeroComprobante");
    });
    trap.step([&] {
        bool modificaNumeracion = false;
        propuesto = Obtener_Nro_Comprobante(TC, Suc, Nro, Letra, modificaNumeracion, true, "", gUNegocio);
    });
    // Without a booklet the numbering has told the operator; no number is made up here.
    if (!propuesto) return {};
    trap.step([&] {
        gDB_Dll().abreSinTratamiento("SELECT TC,IDCOMPROBANTE From V_MV_STOCK WHERE TC = " + tipo +
                        " AND IDCOMPROBANTE = " + erp.SQLValue(Suc + Nro + Letra),
                    rs);
        usado = !rs.eof();
        comprobado = !usado;
    });
    trap.step([&] {
        if (!usado) return;
        erp.CierraRecordset(rs);
        gDB_Dll().abreSinTratamiento("SELECT MAX(IDCOMPROBANTE) AS ULTIMO From V_MV_STOCK WHERE TC = " + tipo +
                        " AND SUBSTRING(IDCOMPROBANTE, 1, 4)= " + erp.SQLValue(Suc) +
                        " AND SUBSTRING(IDCOMPROBANTE, 13, 1)= " + erp.SQLValue(Letra),
                    rs);
        const std::string ultimo = rs.eof() ? std::string() : util.NuloACadena(rs["Ultimo"].value());
        if (ultimo.empty()) {
            Nro = "00000001";
        } else {
            const std::int64_t mayor = util.ValorNumerico(base::mid(ultimo, 5, 8)).scaled() / base::Currency::kScale;
            if (mayor >= kMayorNumero)
                throw base::Error(base::errors::kOverflow,
                                  fmt::format("El comprobante {} {}{} no admite un número posterior a {}",
                                              base::trim(TC), Suc, Letra, ultimo),
                                  "AsignarNumeroComprobante");
            Nro = fmt::format("{:08}", mayor + 1);
        }
        comprobado = true;
    });
    trap.step([&] { erp.CierraRecordset(rs); });
    if (!comprobado) return {};
    return Suc + Nro + Letra;
}
