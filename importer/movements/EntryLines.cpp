#include "importer/movements/EntryLines.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "platform/os/Clock.h"

#include <fmt/format.h>

namespace movimientos {
namespace {

std::string fechaSql(base::DateTime fecha) { return gDB_Dll().gCnn.dateLiteral(fecha); }

}  // namespace

base::DateTime minutoActual()
{
    const base::DateTime ahora = programClock().now();
    return ahora.addSeconds(-ahora.second());
}

int periodoDe(base::DateTime fecha) { return fecha < base::DateTime::fromParts(2005, 7, 1) ? 0 : 1; }

std::string filaCalendario(base::DateTime fecha)
{
    const std::string dia = fechaSql(fecha.dateOnly());
    return fmt::format("IF NOT EXISTS (SELECT FECHA FROM MA_CALENDARIO WHERE FECHA = {0}) INSERT INTO MA_CALENDARIO "
                       "(FECHA,NOLABORABLE) VALUES ({0},0)",
                       dia);
}

std::string lineaSaldo(const LineaAsiento& l)
{
    TextoInsercion fila;
    fila.texto("Tipo_Reg", l.tipoReg);
    fila.fecha("Fecha", l.fecha);
    fila.fecha("FechaSubDiario", l.fecha);
    fila.texto("Cuenta", l.cuenta);
    fila.valor("Importe", l.importe, "@");
    fila.texto("[DEBE-HABER]", std::string_view(&l.debeHaber, 1));
    fila.texto("CabCuenta", l.cabCuenta);
    fila.valor("CabImporte", l.cabImporte, "@");
    fila.texto("TC", l.tc);
    fila.texto("Sucursal", l.sucursal);
    fila.texto("Numero", l.numero);
    fila.texto("Letra", l.letra);
    if (l.cabecera) {
        const CabeceraAsiento& c = *l.cabecera;
        if (c.livaTipo) fila.texto("LIVA_TIPO", *c.livaTipo);
        fila.valor("LIVA_TOTAL", c.livaTotal, "@");
        fila.texto("CabNombre", c.nombre);
        fila.valor("Vencimiento", c.vencimiento, "'");
        fila.texto("CabCUIT", c.cuit);
        fila.texto("CabCondIVA", c.condicionIva);
    }
    fila.texto("Detalle", l.detalle);
    fila.valor("MES_OPERATIVO", l.fecha.month(), "@");
    fila.valor("Periodo", l.periodo, "@");
    fila.valor("Secuencia", l.secuencia, "@");
    fila.valor("[numero asiento]", l.numeroAsiento, "@");
    fila.texto("IDCAJAS", "   1");
    fila.texto("UNEGOCIO", gUNegocio);
    fila.valor("EsResumen", 0, "@");
    fila.valor("Es_Saldo_Apertura", 0, "@");
    fila.valor("EsAjuste", l.esAjuste ? 1 : 0, "@");
    fila.valor("ChPropio", 0, "@");
    fila.texto("Moneda", "   1");
    fila.valor("Transmision", l.transmision, "@");
    fila.texto("usuario_logeado", gUsuarioLogeado);
    fila.fecha("fechahora_grabacion", minutoActual());
    if (l.idVendedor) fila.texto("IdVendedor", *l.idVendedor);
    // Whoever fills the field list next starts it anew, as after a line built on it.
    gCampos.clear();
    return fila.sentencia("MV_ASIENTOS");
}

}  // namespace movimientos
