#include "importer/movements/EntryLines.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "platform/os/Clock.h"

namespace movimientos {
namespace {

std::string fechaSql(base::DateTime fecha) { return gDB_Dll().SQLValue(base::Value(fecha)); }

void texto(std::string_view columna, std::string valor) { AgregaCampo(columna, base::Value(std::move(valor)), "'", false); }
void numero(std::string_view columna, base::Value valor) { AgregaCampo(columna, valor, "@", false); }

// The minute the lines are recorded at.
base::DateTime minutoActual()
{
    const base::DateTime ahora = programClock().now();
    return ahora.addSeconds(-ahora.second());
}

}  // namespace

int periodoDe(base::DateTime fecha) { return fecha < base::DateTime::fromParts(2005, 7, 1) ? 0 : 1; }

std::string filaCalendario(base::DateTime fecha)
{
    const std::string dia = fechaSql(fecha.dateOnly());
    return "IF NOT EXISTS (SELECT FECHA FROM MA_CALENDARIO WHERE FECHA = " + dia +
           ") INSERT INTO MA_CALENDARIO (FECHA,NOLABORABLE) VALUES (" + dia + ",0)";
}

std::string lineaSaldo(const LineaAsiento& l)
{
    AgregaCampo("Tipo_Reg", base::Value(l.tipoReg), "'", true);
    AgregaCampo("Fecha", base::Value(l.fecha), "'", false);
    AgregaCampo("FechaSubDiario", base::Value(l.fecha), "'", false);
    texto("Cuenta", l.cuenta);
    numero("Importe", l.importe);
    texto("[DEBE-HABER]", std::string(1, l.debeHaber));
    texto("CabCuenta", l.cabCuenta);
    numero("CabImporte", l.cabImporte);
    texto("TC", l.tc);
    texto("Sucursal", l.sucursal);
    texto("Numero", l.numero);
    texto("Letra", l.letra);
    if (l.cabecera) {
        const CabeceraAsiento& c = *l.cabecera;
        if (c.livaTipo) texto("LIVA_TIPO", *c.livaTipo);
        numero("LIVA_TOTAL", c.livaTotal);
        texto("CabNombre", c.nombre);
        AgregaCampo("Vencimiento", c.vencimiento, "'", false);
        texto("CabCUIT", c.cuit);
        texto("CabCondIVA", c.condicionIva);
    }
    texto("Detalle", l.detalle);
    numero("MES_OPERATIVO", l.fecha.month());
    numero("Periodo", l.periodo);
    numero("Secuencia", l.secuencia);
    numero("[numero asiento]", l.numeroAsiento);
    texto("IDCAJAS", "   1");
    texto("UNEGOCIO", gUNegocio);
    numero("EsResumen", 0);
    numero("Es_Saldo_Apertura", 0);
    numero("EsAjuste", l.esAjuste ? 1 : 0);
    numero("ChPropio", 0);
    texto("Moneda", "   1");
    numero("Transmision", l.transmision);
    texto("usuario_logeado", gUsuarioLogeado);
    AgregaCampo("fechahora_grabacion", base::Value(minutoActual()), "'", false);
    if (l.idVendedor) texto("IdVendedor", *l.idVendedor);
    std::string sentencia = "INSERT INTO MV_ASIENTOS ";
    ArmaValores(sentencia, gCampos, true);
    return sentencia;
}

}  // namespace movimientos
