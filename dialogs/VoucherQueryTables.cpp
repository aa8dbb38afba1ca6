// The voucher query window's tables. The statements are the ERP's own, kept letter for letter but for the
// voucher type, which goes in as an SQL literal; where the ERP built no valid statement (a pending list
// without a filter) the rows below build the same statement without the dangling condition.

#include "dialogs/VoucherQueryTables.h"

#include "core/DB_Dll.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <algorithm>

namespace consulta {

namespace {

using R = Requisito;

constexpr std::string_view kRemitosCompras =
    " SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM C_RemitosPendientes WHERE TC = ";
constexpr std::string_view kRemitosVentas =
    " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_RemitosPendientes WHERE TC = ";
constexpr std::string_view kRemitosCpte =
    " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_MV_CPTE WHERE TC = ";
constexpr std::string_view kAsientos = "SELECT * FROM MV_ASIENTOS WHERE TC = ";
constexpr std::string_view kCompras = "SELECT * FROM C_MV_CPTE WHERE TC = ";
constexpr std::string_view kOrdenesPendientes =
    " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento,ID,FECHA, Importe FROM V_OT_Pendientes WHERE TC = ";
constexpr std::string_view kOrdenes =
    " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento , ID,FECHA, Importe FROM V_OT_Pendientes WHERE TC = ";
constexpr std::string_view kOrden = " ORDER BY IDCOMPROBANTE DESC";
constexpr std::string_view kOrdenDeCompra =
    " SELECT FECHA, CUENTA , NOMBRE, ANULADA, APROBADO, TC,IDCOMPROBANTE, ID,Importe, comentarios, Garantia FROM C_MV_CPTE WHERE TC = ";
constexpr std::string_view kOrdenDeCompraAbierta = " AND (APROBADO = 1) AND (FINALIZADO = 0) AND (ANULADA = 0)";
constexpr std::string_view kVentas = "SELECT * FROM V_MV_CPTE WHERE TC = ";

const std::vector<FilaSentencia>& sentencias() {
    static const std::vector<FilaSentencia> tabla = {
        {1, {"RMC"}, R::Si, R::No, R::Cualquiera, R::Cualquiera, kRemitosCompras, true, " AND ", true, kOrden},
        {1, {"RMC"}, R::Si, R::Si, R::Cualquiera, R::Cualquiera, kRemitosCompras, true, "", false, kOrden},
        {2, {"RM"}, R::Si, R::No, R::Si, R::Cualquiera, kRemitosVentas, true, " AND ", true, kOrden},
        {3, {"RM"}, R::Si, R::No, R::Cualquiera, R::Cualquiera, kRemitosCpte, true, " AND ", true,
         "  AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC"},
        {4, {"RM"}, R::Si, R::Si, R::Si, R::No, kRemitosVentas, true, " ORDER BY IDCOMPROBANTE DESC", false, ""},
        {5, {"RM"}, R::Si, R::Si, R::Cualquiera, R::Cualquiera, kRemitosCpte, true,
         " AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC", false, ""},
        {6, {"T3"}, R::Cualquiera, R::Cualquiera, R::Cualquiera, R::Cualquiera,
         "SELECT * FROM V_MV_CPTETERCEROS ORDER BY ID,IDCOMPROBANTE, IDCOMPLEMENTO", false, "", false, ""},
        {7, {"NCPE", "NDPR"}, R::Cualquiera, R::No, R::Cualquiera, R::Cualquiera, kAsientos, true, " AND ", true,
         " ORDER BY SUCURSAL, NUMERO, LETRA DESC "},
        {8, {"NCPE", "NDPR"}, R::Cualquiera, R::Si, R::Cualquiera, R::Cualquiera, kAsientos, true,
         " AND SECUENCIA = 1 ORDER BY SUCURSAL, NUMERO, LETRA DESC", false, ""},
        {9, {"FCC", "NCC", "NCCP", "NDC", "RMC"}, R::Cualquiera, R::No, R::Cualquiera, R::Cualquiera, kCompras, true,
         " AND ", true, " ORDER BY IDCOMPROBANTE DESC "},
        {10, {"FCC", "NCC", "NCCP", "NDC", "RMC"}, R::Cualquiera, R::Si, R::Cualquiera, R::Cualquiera, kCompras, true,
         " ORDER BY IDCOMPROBANTE DESC", false, ""},
        {11, {"OT"}, R::Si, R::No, R::Cualquiera, R::Cualquiera, kOrdenesPendientes, true, " AND ", true, kOrden},
        {11, {"OT"}, R::Si, R::Si, R::Cualquiera, R::Cualquiera, kOrdenesPendientes, true, "", false, kOrden},
        {12, {"OT"}, R::No, R::No, R::Cualquiera, R::Cualquiera, kOrdenes, true, " AND ", true, kOrden},
        {13, {"OT"}, R::No, R::Si, R::Cualquiera, R::Cualquiera, kOrdenes, true, " ", false, kOrden},
        {14, {"NP"}, R::Si, R::No, R::Cualquiera, R::Cualquiera,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, FechaPreparacion FROM V_MV_CPTE WHERE TC = ",
         true, " AND ", true, " AND FINALIZADA = 0 and anulada = 0 ORDER BY IDCOMPROBANTE DESC"},
        {15, {"NP"}, R::Si, R::Si, R::Cualquiera, R::Cualquiera,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe,FechaPreparacion FROM V_MV_CPTE WHERE TC = ",
         true, " AND FINALIZADA = 0 and anulada = 0 ORDER BY IDCOMPROBANTE DESC", false, ""},
        {16, {"PR"}, R::Si, R::No, R::Cualquiera, R::Cualquiera,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_MV_CPTE WHERE TC = ",
         true, " AND APROBADO = 1 AND ", true, " AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC"},
        {17, {"PR"}, R::Si, R::Si, R::Cualquiera, R::Cualquiera,
         " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_PR_PENDIENTES WHERE TC = ",
         true, " AND APROBADO = 1", false, kOrden},
        {18, {"OC"}, R::Cualquiera, R::No, R::Cualquiera, R::Cualquiera, kOrdenDeCompra, true,
         " AND (APROBADO = 1) AND (FINALIZADO = 0) AND (ANULADA = 0) AND ", true, kOrden},
        {18, {"OC"}, R::Cualquiera, R::Si, R::Cualquiera, R::Cualquiera, kOrdenDeCompra, true, kOrdenDeCompraAbierta,
         false, kOrden},
        {19, {}, R::Cualquiera, R::No, R::Cualquiera, R::Cualquiera, kVentas, true, " AND ", true,
         " ORDER BY  IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC  "},
        {20, {}, R::Cualquiera, R::Si, R::Cualquiera, R::Cualquiera, kVentas, true,
         " ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC", false, ""},
    };
    return tabla;
}

bool cumple(Requisito requisito, bool valor) {
    return requisito == Requisito::Cualquiera || (requisito == Requisito::Si) == valor;
}

bool esDeLaLista(std::string_view TC, const std::vector<std::string_view>& tipos) {
    if (tipos.empty()) return true;
    const std::string tipo = base::trim(TC);
    return std::any_of(tipos.begin(), tipos.end(), [&](std::string_view t) { return base::equalsIgnoringCase(tipo, t); });
}

const std::vector<FilaRelleno>& rellenos() {
    using O = Origen;
    static const std::vector<FilaRelleno> tabla = {
        {1, {"T3"}, ReglaImagen::Ninguna,
         {{"Nº Int.", O::Campo, "Id"}, {"FECHA", O::Campo, "Fecha"}, {"COMPROBANTE", O::Campo, "IdComprobante"},
          {"ID", O::Campo, "IdComplemento"}, {"FH Envio", O::Campo, "FECHAENVIADO"}, {"FH Recep", O::Campo, "FECHARECIBIDO"}}},
        {2, {"FCC", "NCC", "NCCP", "NDC", "RMC"}, ReglaImagen::TipoAnulado,
         {{"FECHA", O::Campo, "Fecha"}, {"COMPROBANTE", O::Campo, "IdComprobante"}, {"PROVEEDOR", O::Campo, "Cuenta"},
          {"NOMBRE", O::Campo, "Nombre"}, {"CONCEPTO", O::Vacio, ""}, {"IMPORTE", O::Campo, "Importe"}}},
        {3, {"NCPE", "NDPR"}, ReglaImagen::Tipo,
         {{"FECHA", O::Campo, "Fecha"}, {"COMPROBANTE", O::SucursalNumeroLetra, ""}, {"PROVEEDOR", O::Campo, "Cuenta"},
          {"NOMBRE", O::NombreProveedor, ""}, {"CONCEPTO", O::Campo, "Detalle"}, {"IMPORTE", O::Campo, "Importe"}}},
        {4, {"PR"}, ReglaImagen::TipoAnulado,
         {{"FECHA", O::Campo, "Fecha"}, {"COMPROBANTE", O::Campo, "IdComprobante"}, {"NOMBRE", O::Campo, "Nombre"},
          {"ID", O::Vacio, ""}, {"Referencia", O::Campo, "COMENTARIOS"}, {"IMPORTE", O::Campo, "Importe"}}},
        {5, {"OC"}, ReglaImagen::TipoGarantiaAnulado,
         {{"FECHA", O::Campo, "Fecha"}, {"PROVEEDOR", O::CuentaYNombre, ""}, {"COMPROBANTE", O::Campo, "IdComprobante"},
          {"IMPORTE", O::Campo, "Importe"}, {"COMENTARIOS", O::Campo, "COMENTARIOS"},
          {"Inf. Recepción", O::NumeroRecepcion, ""}}},
        {6, {}, ReglaImagen::TipoEstado,
         {{"FECHA", O::Campo, "Fecha"}, {"COMPROBANTE", O::Campo, "IdComprobante"}, {"ID", O::ComplementoOTFC, ""},
          {"CUENTA", O::Campo, "Cuenta"}, {"NOMBRE", O::Campo, "Nombre"}, {"CONCEPTO", O::Vacio, ""},
          {"Referencia", O::Vacio, ""}, {"IMPORTE", O::Campo, "Importe"}}},
    };
    return tabla;
}

const std::vector<GrupoColumnas>& columnas() {
    static const std::vector<GrupoColumnas> tabla = {
        {1, {"OT", "FC", "RM", "ND", "NC", "NCFP", "OP", "NP", "FP", "GF"},
         {{"FECHA", 13}, {"COMPROBANTE", 15}, {"ID", 5}, {"NOMBRE", 21}, {"Referencia", 21, true}, {"IMPORTE", 10}}},
        {2, {"FCC", "NCC", "NCCP", "NDC", "RMC", "NCPE", "NDPR"},
         {{"FECHA", 13}, {"COMPROBANTE", 15}, {"PROVEEDOR", 15}, {"NOMBRE", 21}, {"CONCEPTO", 21}, {"IMPORTE", 10}}},
        {3, {"PR"}, {{"FECHA", 13}, {"COMPROBANTE", 15}, {"NOMBRE", 21}, {"ID", 5}, {"Referencia", 21, true}, {"IMPORTE", 10}}},
        {4, {"T3"},
         {{"Nº Int.", 7}, {"FECHA", 13}, {"COMPROBANTE", 15}, {"ID", 4}, {"FH Envio", 10}, {"FH Recep", 10}}},
        {5, {"OC"},
         {{"FECHA", 13}, {"PROVEEDOR", 13}, {"COMPROBANTE", 17}, {"IMPORTE", 9}, {"COMENTARIOS", 15}, {"Inf. Recepción", 15}}},
        {0, {}, {{"FECHA", 13}, {"COMPROBANTE", 15}, {"CUENTA", 15}, {"NOMBRE", 21}, {"CONCEPTO", 21}, {"IMPORTE", 10}}},
    };
    return tabla;
}

}  // namespace

const FilaSentencia& filaSentencia(const Seleccion& s) {
    const auto& tabla = sentencias();
    for (const FilaSentencia& fila : tabla) {
        if (esDeLaLista(s.TC, fila.tipos) && cumple(fila.pendiente, s.pendiente) && cumple(fila.filtroEnBlanco, !s.conFiltro) &&
            cumple(fila.remitoContado, s.remitoContado) && cumple(fila.entregaParcial, s.entregaParcial)) {
            return fila;
        }
    }
    return tabla.back();
}

std::string armaSentencia(const FilaSentencia& fila, std::string_view type4, std::string_view filtro) {
    std::string sentencia(fila.cabeza);
    if (fila.conTipo) sentencia += gDB_Dll().SQLValue(base::Value(std::string(type4)));
    sentencia += fila.medio;
    if (fila.conFiltro) sentencia += filtro;
    sentencia += fila.cola;
    return sentencia;
}

const FilaRelleno& filaRelleno(std::string_view TC) {
    const auto& tabla = rellenos();
    for (const FilaRelleno& fila : tabla) {
        if (esDeLaLista(TC, fila.tipos)) return fila;
    }
    return tabla.back();
}

const Celda* celdaBajo(const FilaRelleno& fila, std::string_view cabecera) {
    for (const Celda& celda : fila.celdas) {
        if (celda.cabecera == cabecera) return &celda;
    }
    return nullptr;
}

const GrupoColumnas& grupoColumnas(std::string_view TC) {
    const auto& tabla = columnas();
    for (const GrupoColumnas& grupo : tabla) {
        if (esDeLaLista(TC, grupo.tipos)) return grupo;
    }
    return tabla.back();
}

const std::vector<std::string_view>& etiquetasImagenes() {
    static const std::vector<std::string_view> etiquetas = {"PR", "Anulado", "Aprobado", "FC",  "NC", "ND",
                                                             "OT", "Generico", "T3",   "OC", "OCG"};
    return etiquetas;
}

}  // namespace consulta
