#include "importer/movements/ChequeLines.h"

#include "core/Configuracion.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "importer/movements/EntryLines.h"
#include "platform/base/Value.h"

namespace movimientos {
namespace {

void datosCheque(TextoInsercion& fila, const DatosCheque& cheque)
{
    fila.texto("NroComprobanteBancario", cheque.nroComprobante);
    fila.valor("ChPropio", cheque.chPropio, "@");
    fila.valor("Clearing", static_cast<long>(cheque.clearing), "@");
    fila.texto("IdBanco", cheque.idBanco);
}

// The columns every cheque line ends with, from its adjustment flag on.
std::string cierre(TextoInsercion& fila, bool esAjuste)
{
    fila.valor("EsAjuste", esAjuste ? 1 : 0, "@");
    fila.valor("EsResumen", 0, "@");
    fila.valor("Es_Saldo_Apertura", 0, "@");
    fila.texto("Moneda", "   1");
    fila.valor("Transmision", 1, "@");
    fila.texto("usuario_logeado", gUsuarioLogeado);
    fila.fecha("fechahora_grabacion", minutoActual());
    // Whoever fills the field list next starts it anew, as after a line built on it.
    gCampos.clear();
    return fila.sentencia("MV_ASIENTOS");
}

}  // namespace

std::string lineaCheque(const LineaCheque& l)
{
    TextoInsercion fila;
    fila.texto("Tipo_Reg", l.tipoReg);
    fila.fecha("Fecha", l.fecha);
    fila.texto("Cuenta", l.cuenta);
    fila.valor("Importe", l.importe, "@");
    fila.texto("[DEBE-HABER]", std::string_view(&l.debeHaber, 1));
    fila.texto("CabCuenta", l.cabCuenta);
    fila.texto("CabNombre", l.cabNombre);
    fila.texto("CuentaOrigen", l.cuentaOrigen);
    fila.texto("Detalle", l.detalle);
    fila.texto("TC", l.tc);
    fila.texto("Sucursal", l.sucursal);
    fila.texto("Numero", l.numero);
    fila.texto("Letra", l.letra);
    fila.fecha("Vencimiento", l.vencimiento);
    fila.fecha("FechaSubDiario", l.fecha);
    fila.valor("MES_OPERATIVO", l.fecha.month(), "@");
    fila.valor("Periodo", l.periodo, "@");
    fila.valor("Secuencia", l.secuencia, "@");
    fila.valor("[numero asiento]", l.numeroAsiento, "@");
    if (l.cheque) datosCheque(fila, *l.cheque);
    return cierre(fila, l.esAjuste);
}

std::string lineaSaldoCheque(const LineaSaldoCheque& l)
{
    TextoInsercion fila;
    fila.texto("Tipo_Reg", l.tipoReg);
    fila.fecha("Fecha", l.fecha);
    fila.texto("Cuenta", l.cuenta);
    fila.valor("Importe", l.importe, "@");
    fila.texto("[DEBE-HABER]", std::string_view(&l.debeHaber, 1));
    fila.texto("Detalle", l.detalle);
    fila.texto("TC", l.tc);
    fila.texto("Sucursal", l.sucursal);
    fila.texto("Numero", l.numero);
    fila.texto("Letra", l.letra);
    if (l.vencimiento) fila.fecha("Vencimiento", *l.vencimiento);
    else fila.valor("Vencimiento", base::Value(base::Null{}), "'");
    fila.fecha("FechaSubDiario", l.fecha);
    fila.valor("MES_OPERATIVO", l.mesOperativo, "@");
    fila.valor("Periodo", l.periodo, "@");
    fila.valor("Secuencia", static_cast<long>(l.secuencia), "@");
    fila.valor("[numero asiento]", static_cast<long>(l.numeroAsiento), "@");
    if (l.cheque) datosCheque(fila, *l.cheque);
    return cierre(fila, false);
}

}  // namespace movimientos
