#include "core/Configuracion.h"

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/Conversions.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

namespace {

bool si(const std::string& value) { return base::equalsIgnoringCase(value, "SI"); }
bool notNo(const std::string& value) { return !base::trim(value).empty() && !base::equalsIgnoringCase(value, "NO"); }
std::string text(const std::string& value) { return base::trim(value); }

std::int32_t colour(const std::string& value)
{
    return static_cast<std::int32_t>(base::Value(gUtilidades().ValorNumerico(value)).toInteger());
}

// One read of the key. `leida` ends false when a step failed or the table could not be opened, whatever
// the operator answered.
std::string leeClave(std::string_view clave, std::string& valorAux, bool& leida)
{
    std::string result;
    std::string statement;
    db::Recordset recordset;
    leida = true;
    // Any answer but "go on" gives up: a setting that cannot be read reads as "".
    base::ErrorTrap trap([&leida](const base::Error& error) {
        leida = false;
        const int answer = gDB_Dll().TratamientoErrores(error, {}, "Cfg");
        return answer == base::answers::kIgnore ? answer : 0;
    });
    trap.step([&] {
        if (base::trim(gTablaConfiguracion).empty()) gTablaConfiguracion = "TA_CONFIGURACION";
    });
    trap.step([&] {
        const std::string key = base::trim(clave);
        statement = "SELECT VALOR, valoraux FROM " + gTablaConfiguracion + " WHERE CLAVE = " + gDB_Dll().SQLValue(key);
        if (base::equalsIgnoringCase(key, "[FECHA DESDE]") || base::equalsIgnoringCase(key, "[FECHA HASTA]"))
            statement = base::toUpperCase(statement);
    });
    trap.step([&] {
        gDB_Dll().AbrirRecordset(statement, recordset, nullptr, 0, 1, -1, true);
        // The open's own error treatment has shown the failure; the recordset stays closed.
        if (recordset.state() == db::kStateClosed) leida = false;
    });
    trap.step([&] {
        if (recordset.bof()) {
            result = " ";
            valorAux.clear();
        } else {
            result = gUtilidades().NuloACadena(recordset.field("VALOR").value());
            valorAux = gUtilidades().NuloACadena(recordset.field("valoraux").value());
        }
    });
    trap.step([&] { gDB_Dll().CierraRecordset(recordset); });
    return trap.left() ? std::string() : result;
}

}  // namespace

std::string LeeConfiguracion(std::string_view clave, std::string& valorAux)
{
    bool leida = true;
    return leeClave(clave, valorAux, leida);
}

std::optional<std::string> LeeConfiguracionComprobada(std::string_view clave)
{
    std::string valorAux;
    bool leida = true;
    std::string valor = leeClave(clave, valorAux, leida);
    if (!leida) return std::nullopt;
    return valor;
}

std::string LeeConfiguracion(std::string_view clave)
{
    std::string ignored;
    return LeeConfiguracion(clave, ignored);
}

void CargaConfiguracion(std::string_view carpetaPrograma)
{
    gTablaConfiguracion = "ta_configuracion";
    ConfiguracionCargada& c = gConfiguracion;
    c.MostrarStockenConsultas = si(LeeConfiguracion("MostrarStockenConsultas"));
    c.TituloClientes = text(LeeConfiguracion("TituloClientes"));
    c.TituloProveedores = text(LeeConfiguracion("TituloProveedores"));
    c.DocumentoTareas = std::string(carpetaPrograma) + "QVDOCTareas.qvx";
    c.EXIGECLAVECONSULTALIKEARTICULOS = si(LeeConfiguracion("EXIGECLAVECONSULTALIKEARTICULOS"));
    c.UsaConsultaLike = si(LeeConfiguracion("UsaConsultaLike"));
    gCantidadDecimales = LeeConfiguracion("CantidadDecimales");
    c.UsaMultilesMonedas = si(LeeConfiguracion("UsaMultilesMonedas"));
    c.UsaFacturaProforma = si(LeeConfiguracion("UsaFacturaProforma"));
    c.USACCOSTO = si(LeeConfiguracion("USACCOSTO"));
    gUsaStkStockUdKg = si(LeeConfiguracion("USA_STK_STOCK_UDKG"));

    gUNegocio = gUtilidades().RellenaCodigo(
        gUtilidades().NuloACadena(gDB_Dll().DatosTabla("ta_usuarios", gUsuarioLogeado, "UNegocio", "nombre", 8, "", true)), 4);
    if (base::trim(gUNegocio).empty()) gUNegocio = "   1";

    gUnidadM3 = text(LeeConfiguracion("UNIDADDEMEDIDA_M3"));
    gUnidadBL = text(LeeConfiguracion("UNIDADDEMEDIDA_BL"));
    gUnidadKG = text(LeeConfiguracion("UNIDADDEMEDIDA_KG"));
    const std::string periodo = base::trim(LeeConfiguracion("PERIODO"));
    gPeriodo = base::toInteger16(base::leadingNumber(periodo));
    c.VALIDACODIGOBARRA = si(base::trim(LeeConfiguracion("VALIDACODIGOBARRA")));
    c.CFondo = colour(LeeConfiguracion("CFondo"));
    if (c.CFondo == 0) c.CFondo = 0xFFFF00;
    c.CLetra = colour(LeeConfiguracion("CLetra"));
    c.ModuloOrdenDeTrabajo = !base::equalsIgnoringCase(base::trim(LeeConfiguracion("ModuloOrdenDeTrabajo")), "NO");
    c.V_ModificaCPrecio = notNo(LeeConfiguracion("V_ModificaCPrecio"));
    c.C_ModificaCPrecio = notNo(LeeConfiguracion("C_ModificaCPrecio"));
    gMaderera = notNo(LeeConfiguracion("MADERERA"));
    gMadTiras = text(LeeConfiguracion("MAD_TIRAS"));
    c.MAD_P2 = text(LeeConfiguracion("MAD_P2"));
    c.MAD_ML = text(LeeConfiguracion("MAD_ML"));
    c.MAD_M2 = text(LeeConfiguracion("MAD_M2"));
    c.MAD_HOJAS = text(LeeConfiguracion("MAD_HOJAS"));
    c.MAD_ML_P2 = text(LeeConfiguracion("MAD_ML_P2"));
    c.MAD_M2_P2 = text(LeeConfiguracion("MAD_M2_P2"));
    c.MAD_ML_M2 = text(LeeConfiguracion("MAD_ML_M2"));
    c.CuentaCtroDist = text(LeeConfiguracion("CuentaCtroDist"));
    c.MaxDto = gUtilidades().ValorNumerico(base::trim(LeeConfiguracion("MaxDto")));
    c.PideClave_StockNeg = notNo(LeeConfiguracion("PideClave_StockNeg"));
    c.PideClave_MarkUpBase = notNo(LeeConfiguracion("PideClave_MarkUpBase"));
    c.PideClave_LimiteCredito = notNo(LeeConfiguracion("PideClave_LimiteCredito"));
    c.SS_BloqueoActivo = si(LeeConfiguracion("SS_BloqueoActivo"));
    c.Top_Default = LeeConfiguracion("Top_Default");
    if (base::trim(c.Top_Default).empty()) c.Top_Default = "1000";
}
