#include "importer/movements/StoredInstalments.h"

#include "core/DB_Dll.h"
#include "importer/movements/EntryLines.h"
#include "platform/db/Recordset.h"

#include <fmt/format.h>

namespace movimientos {

std::optional<CuotasGuardadas::Forma> CuotasGuardadas::forma(const base::Value& importe, const base::Value& vencimiento)
{
    if (!importe.isNumeric()) return std::nullopt;
    if (vencimiento.isNull()) return Forma{importe.toCurrency(), std::nullopt};
    if (vencimiento.kind() == base::Value::Kind::DateTime) return Forma{importe.toCurrency(), vencimiento.asDateTime()};
    return std::nullopt;
}

bool CuotasGuardadas::guardada(const ClaveComprobante& clave, const std::string& cuenta, const Cuota& cuota)
{
    const std::string llave = claveEnCuenta(clave, cuenta);
    auto leida = leidas_.find(llave);
    if (leida == leidas_.end()) leida = leidas_.emplace(llave, lee(clave, cuenta)).first;
    Guardadas& guardadas = leida->second;
    if (guardadas.ajenas) return true;
    const auto escrita = forma(base::Value(cuota.importe), cuota.vencimiento);
    const auto iguales = escrita ? guardadas.propias.find(*escrita) : guardadas.propias.end();
    if (iguales == guardadas.propias.end()) return false;
    Lineas& lineas = iguales->second;
    // The voucher's first record is the one whose line has the VAT figures. The others' have none, or the
    // voucher's own when the lines were written while every instalment repeated them.
    std::int32_t& libres = cuota.conIva || lineas.sinIva == 0 ? lineas.conIva : lineas.sinIva;
    if (libres == 0) return false;
    --libres;
    return true;
}

CuotasGuardadas::Guardadas CuotasGuardadas::lee(const ClaveComprobante& clave, const std::string& cuenta)
{
    DB_Dll& erp = gDB_Dll();
    const auto sql = [&erp](const std::string& texto) { return erp.SQLValue(base::Value(texto)); };
    db::Recordset filas;
    erp.abreSinTratamiento(fmt::format("SELECT SECUENCIA, TRANSMISION, IMPORTE, VENCIMIENTO, LIVA_TOTAL FROM MV_ASIENTOS "
                                       "WHERE TC = {} AND SUCURSAL = {} AND NUMERO = {} AND LETRA = {} AND CUENTA = {}",
                                       sql(clave.tc), sql(clave.sucursal), sql(clave.numero), sql(clave.letra), sql(cuenta)),
                           filas);
    const auto es = [](const base::Value& valor, std::int64_t numero) {
        return valor.isNumeric() && valor.toInteger() == numero;
    };
    Guardadas guardadas;
    for (; !filas.eof(); filas.moveNext()) {
        if (!es(filas.field("TRANSMISION").value(), kTransmisionSaldos)) {
            guardadas.ajenas = true;
            break;
        }
        // This import's balancing line stands on the account only when the account is the adjustment one.
        if (!es(filas.field("SECUENCIA").value(), 1)) continue;
        const auto escrita = forma(filas.field("IMPORTE").value(), filas.field("VENCIMIENTO").value());
        if (!escrita) continue;
        const base::Value iva = filas.field("LIVA_TOTAL").value();
        Lineas& lineas = guardadas.propias[*escrita];
        ++(iva.isNumeric() && iva.toCurrency() != base::Currency() ? lineas.conIva : lineas.sinIva);
    }
    return guardadas;
}

}  // namespace movimientos
