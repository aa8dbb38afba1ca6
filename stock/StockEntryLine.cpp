// One line of the accounting entry of a stock movement, as the statement that writes it.

#include "stock/StockEntrySteps.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/StartUp.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/db/Recordset.h"
#include "platform/os/Clock.h"

namespace {

std::string codigo4(std::string_view code) { return gUtilidades().RellenaCodigo(base::trim(code), 4); }

// The voucher's line on the same account and side.
std::string condicionLinea(const CabeceraAsiento& c, const LineaAsiento& l)
{
    const DB_Dll& erp = gDB_Dll();
    return " WHERE TC = " + erp.SQLValue(codigo4(c.TC)) + " AND SUCURSAL = " + erp.SQLValue(c.Suc) +
           " AND NUMERO = " + erp.SQLValue(c.Nro) + " AND LETRA = " + erp.SQLValue(c.Letra) +
           " AND CUENTA = " + erp.SQLValue(l.Cuenta) + " AND [DEBE-HABER] = " + erp.SQLValue(l.Debe ? "D" : "H");
}

bool existeLinea(const std::string& condicion)
{
    std::string statement = "SELECT * FROM MV_ASIENTOS" + condicion;
    db::Recordset rs;
    DB_Dll& erp = gDB_Dll();
    erp.AbrirRecordset(statement, rs);
    const bool found = !rs.eof();
    erp.CierraRecordset(rs);
    return found;
}

std::string insercion(const CabeceraAsiento& c, const LineaAsiento& l)
{
    const base::Value fecha(c.Fecha);
    AgregaCampo("Cuenta", l.Cuenta, "'", true);
    AgregaCampo("Secuencia", l.Secuencia, "", false);
    AgregaCampo("Mes_Operativo", c.Fecha.month(), "", false);
    AgregaCampo("[Numero Asiento]", c.NroAsiento, "", false);
    AgregaCampo("Fecha", fecha, "'", false);
    AgregaCampo("FechaSubDiario", fecha, "'", false);
    AgregaCampo("Detalle", c.Detalle, "'", false);
    AgregaCampo("TC", codigo4(c.TC), "'", false);
    AgregaCampo("SUCURSAL", c.Suc, "'", false);
    AgregaCampo("NUMERO", c.Nro, "'", false);
    AgregaCampo("LETRA", c.Letra, "'", false);
    AgregaCampo("PERIODO", static_cast<int>(gPeriodo), "", false);
    AgregaCampo("Tipo_Reg", c.TipoReg, "'", false);
    AgregaCampo("[DEBE-HABER]", l.Debe ? "D" : "H", "'", false);
    AgregaCampo("FechaHora_Grabacion", programClock().now(), "'", false);
    AgregaCampo("USUARIO_LOGEADO", gUsuarioLogeado, "'", false);
    AgregaCampo("Importe", l.Importe, "@", false);
    AgregaCampo("Moneda", "   1", "'", false);
    AgregaCampo("Cotizacion", 1, "", false);
    AgregaCampo("CABImporte", c.Total, "@", false);
    AgregaCampo("CABCuenta", base::trim(c.CuentaMotivo), "'", false);
    AgregaCampo("CABNombre", c.Motivo, "'", false);
    // The business unit may hold the word Null: the entry then belongs to none.
    AgregaCampo("Unegocio", base::equalsIgnoringCase(gUNegocio, "Null") ? gUNegocio : codigo4(gUNegocio), "'", false);
    AgregaCampo("IdCajas", base::trim(gCaja).empty() ? "NULL" : codigo4(gCaja), "'", false);
    if (c.CostoMercaderia) {
        AgregaCampo("TC_ORIGEN", codigo4(c.TcOrigen), "'", false);
        AgregaCampo("CPTE_ORIGEN", c.CpteOrigen, "'", false);
    }
    std::string statement = "INSERT INTO MV_ASIENTOS ";
    ArmaValores(statement, gCampos, true);
    return statement;
}

}  // namespace

std::string EmiteLineaAsiento(const CabeceraAsiento& Cabecera, const LineaAsiento& Linea)
{
    if (Linea.Importe <= base::Currency{}) return {};
    if (Cabecera.SoloRegistro != 0) {
        const std::string condicion = condicionLinea(Cabecera, Linea);
        if (existeLinea(condicion))
            return "UPDATE MV_ASIENTOS SET IMPORTE = IMPORTE + " + gDB_Dll().SQLValue(Linea.Importe, "@") + condicion;
    }
    return insercion(Cabecera, Linea);
}
