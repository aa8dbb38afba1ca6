// The purchase price lists (type 'C') rebuilt from the ERP's own articles: one list per supplier, named after
// the supplier and carrying his three discounts, with one row per article he supplies; then the list headers
// rebuilt from the rows. A list's id is the last 4 characters of the supplier's account code.
//
// The rebuild is one transaction, from the removal of the old lists to the new headers: a failure, a record
// that cannot be read or a cancel leaves the old lists exactly as they were.

#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "importer/Importar.h"
#include "importer/OpenTransaction.h"
#include "importer/PriceRows.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/os/ProgramFolder.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>

namespace {

constexpr std::string_view kSinCambios = " - LAS LISTAS DE COMPRAS QUEDARON COMO ESTABAN";

std::string listaDe(const std::string& proveedor) { return base::right(proveedor, 4); }

}  // namespace

void Importar::ImportaListasCompras()
{
    using Registro = precios::RecorridoPrecios::Registro;
    DB_Dll& erp = gDB_Dll();
    Reconstruccion transaccion;
    // How a rebuild that did not finish ends. A cancel or a stop during the walk keeps the walk's text
    // ("CANCELADO", "DETENIDO en el registro n ..."); a failure before or after it says so.
    const auto sinCambios = [&](bool durante) {
        transaccion.deshace();
        if (!durante) LblDetalle.caption = "ERROR AL GENERAR LISTAS DE COMPRAS";
        LblDetalle.caption += kSinCambios;
        cambio();
    };

    LblDetalle.caption = "ELIMINANDO LISTAS DE COMPRAS";
    cambio();
    if (!transaccion.comienza() || !transaccion.ejecuta("Delete v_ma_precios where tipolista = 'C'"))
        return sinCambios(false);
    LblDetalle.caption = "PREPARANDOSE PARA GENERAR LISTAS DE COMPRAS";
    cambio();
    db::Recordset articulos;
    std::string fuente = "SELECT * FROM V_MA_ARTICULOS WHERE SUSPENDIDOC = 0 AND (NOT CUENTAPROVEEDOR IS NULL AND "
                         "CUENTAPROVEEDOR <> '') ORDER BY CUENTAPROVEEDOR";
    erp.AbrirRecordset(fuente, articulos);
    if (articulos.state() == db::kStateClosed) {  // reported by the data-access object
        transaccion.deshace();
        return sinCambios(false);
    }

    // Every row of the supplier's list takes his business name and his three discounts; a supplier the ERP
    // does not list keeps the list id as name and the articles' discounts.
    const auto cierraProveedor = [&](const std::string& proveedor) {
        if (proveedor.empty()) return true;
        db::Recordset datos;
        std::string busqueda = "Select * from vt_proveedores where codigo = " + precios::literal(proveedor);
        erp.AbrirRecordset(busqueda, datos);
        if (datos.state() == db::kStateClosed) {
            transaccion.deshace();
            return false;
        }
        if (datos.eof()) return true;
        const auto campo = [&datos](std::string_view nombre) -> const base::Value& {
            return datos.field(nombre).value();
        };
        const std::string actualizacion =
            "UPDATE V_MA_PRECIOS SET NOMBRE = " + precios::literal(precios::texto(campo("RAZON_SOCIAL"))) +
            ", Dto1 = " + erp.SQLValue(campo("Dto1"), "@") + ", Dto2 = " + erp.SQLValue(campo("Dto2"), "@") +
            ", Dto3 = " + erp.SQLValue(campo("Dto3"), "@") +
            " WHERE TIPOLISTA = 'C' AND IDLISTA = " + precios::literal(listaDe(proveedor));
        erp.CierraRecordset(datos);
        return transaccion.ejecuta(actualizacion);
    };

    std::string anterior;
    precios::RecorridoPrecios recorrido(*this, "V_MA_ARTICULOS");
    const auto campo = [&articulos](std::string_view nombre) -> const base::Value& {
        return articulos.field(nombre).value();
    };
    const auto fin = recorrido.recorre(
        articulos,
        [&](ListaSentencias& lote) {
            const std::string articulo = precios::codigoArticulo(campo("IdArticulo"));
            const std::string proveedor = precios::texto(campo("CuentaProveedor"));
            const std::string lista = listaDe(proveedor);
            if (!base::equalsIgnoringCase(proveedor, anterior)) {
                db::Recordset cabecera;
                std::string busqueda = "SELECT * FROM V_MA_PRECIOSCAB WHERE TIPOLISTA = 'C' AND IDLISTA = " +
                                       precios::literal(lista);
                erp.AbrirRecordset(busqueda, cabecera);
                if (cabecera.state() == db::kStateClosed) {
                    transaccion.deshace();
                    return Registro::Fallido;
                }
                const bool existe = !cabecera.eof();
                erp.CierraRecordset(cabecera);
                const std::string nombre =
                    base::trim(erp.DatosTabla("MA_CUENTAS", base::Value(proveedor), "DESCRIPCION", "Codigo"));
                // First in the article's statements: the header is written with the supplier's first row.
                lote.push_back(existe ? "UPDATE V_MA_PRECIOSCAB SET NOMBRE = " + precios::literal(nombre) +
                                            " WHERE TIPOLISTA = 'C' AND IDLISTA = " + precios::literal(lista)
                                      : "INSERT INTO V_MA_PRECIOSCAB (IDLISTA,NOMBRE,TIPOLISTA) VALUES (" +
                                            precios::literal(lista) + "," + precios::literal(nombre) + ",'C')");
                if (!cierraProveedor(anterior)) return Registro::Fallido;
                eventos().doEvents();
            }
            anterior = proveedor;

            AgregaCampo("IdLista", base::Value(lista), "'", true);
            AgregaCampo("idarticulo", base::Value(articulo), "'", false);
            AgregaCampo("Nombre", base::Value(lista), "'", false);
            AgregaCampo("CuentaProveedor", base::Value(proveedor), "'", false);
            AgregaCampo("IdMoneda", base::Value("   1"), "'", false);
            AgregaCampo("IDARTICULOPROVEEDOR", base::Value(precios::texto(campo("CodigoArtProveedor"))), "'", false);
            AgregaCampo("TipoLista", base::Value("C"), "'", false);
            AgregaCampo("ConIVA", base::Value(0), "@", false);
            AgregaCampo("Costo", campo("Costo"), "@", false);
            AgregaCampo("PRECIO1", campo("precio1"), "@", false);
            AgregaCampo("PRECIO2", campo("precio2"), "@", false);
            AgregaCampo("PORCSEGURO", campo("PorcSeguro"), "@", false);
            for (const char* dto : {"DTO1", "DTO2", "DTO3", "DTO4", "DTO5", "DTO6", "DTO7", "DTO8", "DTO9"})
                AgregaCampo(dto, campo(dto), "@", false);
            AgregaCampo("REC1", campo("Rec1"), "@", false);
            AgregaCampo("REC2", campo("Rec2"), "@", false);
            AgregaCampo("UTILIDAD", base::Value(0), "@", false);
            for (const char* precio : {"PRECIO4", "PRECIO5", "PRECIO6", "PRECIO7", "PRECIO8"})
                AgregaCampo(precio, base::Value(0), "@", false);
            std::string sinCondicion;
            ArmaSentencia(gCampos, lote, "V_MA_PRECIOS", false, sinCondicion, false);
            return Registro::Ejecutar;
        },
        [&](const ListaSentencias& lote) {
            std::string cuerpo;
            for (const std::string& sentencia : lote)
                if (!base::trim(sentencia).empty()) cuerpo += "\r" + sentencia;
            return cuerpo.empty() || transaccion.ejecuta(cuerpo);
        },
        true);
    if (fin != precios::RecorridoPrecios::Fin::Completo) return sinCambios(true);
    const bool cerrado = cierraProveedor(anterior);
    erp.CierraRecordset(articulos);
    // The purchase headers rebuilt from the rows: one per list, named like its rows.
    const std::string cabeceras = std::string("INSERT INTO V_MA_PreciosCab ") +
                                  " (IDLISTA, NOMBRE, TIPOLISTA) (SELECT IDLISTA, NOMBRE,TIPOLISTA " +
                                  " From V_MA_PRECIOS WHERE TIPOLISTA = 'C' GROUP BY IDLISTA, NOMBRE,TIPOLISTA)";
    if (!cerrado || !transaccion.ejecuta("DELETE V_MA_PreciosCab WHERE TIPOLISTA = 'C' ") ||
        !transaccion.ejecuta(cabeceras) || !transaccion.confirma())
        return sinCambios(false);
    LblDetalle.caption = "FINALIZADO LISTAS DE PROVEEDORES";
    cambio();
}
