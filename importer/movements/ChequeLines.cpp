#include "importer/movements/ChequeLines.h"

#include "core/Configuracion.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "platform/base/Value.h"
#include "platform/os/Clock.h"

namespace movimientos {
namespace {

void texto(std::string_view columna, std::string valor) { AgregaCampo(columna, base::Value(std::move(valor)), "'", false); }
void numero(std::string_view columna, base::Value valor) { AgregaCampo(columna, valor, "@", false); }
void fecha(std::string_view columna, base::DateTime valor) { AgregaCampo(columna, base::Value(valor), "'", false); }

base::DateTime minutoActual()
{
    const base::DateTime ahora = programClock().now();
    return ahora.addSeconds(-ahora.second());
}

}  // namespace

std::string lineaCheque(const LineaCheque& l)
{
    AgregaCampo("Tipo_Reg", base::Value(l.tipoReg), "'", true);
    fecha("Fecha", l.fecha);
    texto("Cuenta", l.cuenta);
    numero("Importe", l.importe);
    texto("[DEBE-HABER]", std::string(1, l.debeHaber));
    texto("CabCuenta", l.cabCuenta);
    texto("CabNombre", l.cabNombre);
    texto("CuentaOrigen", l.cuentaOrigen);
    texto("Detalle", l.detalle);
    texto("TC", l.tc);
    texto("Sucursal", l.sucursal);
    texto("Numero", l.numero);
    texto("Letra", l.letra);
    fecha("Vencimiento", l.vencimiento);
    fecha("FechaSubDiario", l.fecha);
    numero("MES_OPERATIVO", l.fecha.month());
    numero("Periodo", l.periodo);
    numero("Secuencia", l.secuencia);
    numero("[numero asiento]", l.numeroAsiento);
    if (l.cheque) {
        texto("NroComprobanteBancario", l.cheque->nroComprobante);
        numero("ChPropio", l.cheque->chPropio);
        numero("Clearing", static_cast<long>(l.cheque->clearing));
        texto("IdBanco", l.cheque->idBanco);
    }
    numero("EsAjuste", l.esAjuste ? 1 : 0);
    numero("EsResumen", 0);
    numero("Es_Saldo_Apertura", 0);
    texto("Moneda", "   1");
    numero("Transmision", 1);
    texto("usuario_logeado", gUsuarioLogeado);
    fecha("fechahora_grabacion", minutoActual());
    std::string sentencia = "INSERT INTO MV_ASIENTOS ";
    ArmaValores(sentencia, gCampos, true);
    return sentencia;
}

std::string lineaSaldoCheque(const LineaSaldoCheque& l)
{
    AgregaCampo("Tipo_Reg", base::Value(l.tipoReg), "'", true);
    fecha("Fecha", l.fecha);
    texto("Cuenta", l.cuenta);
    numero("Importe", l.importe);
    texto("[DEBE-HABER]", std::string(1, l.debeHaber));
    texto("Detalle", l.detalle);
    texto("TC", l.tc);
    texto("Sucursal", l.sucursal);
    texto("Numero", l.numero);
    texto("Letra", l.letra);
    AgregaCampo("Vencimiento", l.vencimiento ? base::Value(*l.vencimiento) : base::Value(base::Null{}), "'", false);
    fecha("FechaSubDiario", l.fecha);
    numero("MES_OPERATIVO", l.fecha.month());
    numero("Periodo", l.periodo);
    numero("Secuencia", static_cast<long>(l.secuencia));
    numero("[numero asiento]", static_cast<long>(l.numeroAsiento));
    if (l.cheque) {
        texto("NroComprobanteBancario", l.cheque->nroComprobante);
        numero("ChPropio", l.cheque->chPropio);
        numero("Clearing", static_cast<long>(l.cheque->clearing));
        texto("IdBanco", l.cheque->idBanco);
    }
    numero("EsAjuste", 0);
    numero("EsResumen", 0);
    numero("Es_Saldo_Apertura", 0);
    texto("Moneda", "   1");
    numero("Transmision", 1);
    texto("usuario_logeado", gUsuarioLogeado);
    fecha("fechahora_grabacion", minutoActual());
    std::string sentencia = "INSERT INTO MV_ASIENTOS ";
    ArmaValores(sentencia, gCampos, true);
    return sentencia;
}

}  // namespace movimientos
