// Legacy articles (FARTICUL) of local suppliers get a row in each of the six sale lists "A1" to "A6": a row
// the article already has stays as it is, a missing one is created with cost and price 0, for the costs
// import to fill later.

#include "core/DB_Dll.h"
#include "core/MasterLookups.h"
#include "importer/Importar.h"
#include "importer/LegacySource.h"
#include "importer/PriceRows.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

namespace {

// The row of one sale list for the article, inserted only when the list has none for it yet, so the import
// can run again and adds only what is missing.
std::string filaDeLista(const precios::ListaVenta& lista, const std::string& articuloSql, const std::string& cuentaSql)
{
    const std::string id(lista.id);
    const std::string cero = gDB_Dll().SQLValue(base::Value("0"), "@");
    return "IF NOT EXISTS(SELECT IDARTICULO FROM V_MA_PRECIOS WHERE TIPOLISTA = 'V' AND IDLISTA = '" + id +
           "' AND IDARTICULO = " + articuloSql + ") " +
           (lista.conGrupo ? "INSERT INTO V_MA_PRECIOS "
                             "(IdLista,Nombre,IdArticulo,ConIva,Costo,Precio4,IdMoneda,TipoLista,CuentaProveedor,Grupo) "
                           : "INSERT INTO V_MA_PRECIOS "
                             "(IdLista,Nombre,IdArticulo,ConIva,Costo,Precio4,IdMoneda,TipoLista,CuentaProveedor) ") +
           " Values ('" + id + "','" + std::string(lista.nombre) + "'," + articuloSql + ",1," + cero + "," + cero +
           ",'   1','V'," + cuentaSql + (lista.conGrupo ? ",'RG')" : ")");
}

}  // namespace

void Importar::ImportaArticulos()
{
    DB_Dll& erp = gDB_Dll();
    db::Recordset origen;
    if (!abreOrigen(*this, std::string(precios::kArticulosConListas), origen) || origen.eof()) return;

    precios::RecorridoPrecios recorrido(*this, "FARTICUL");
    const auto fin = recorrido.recorre(origen, [&](ListaSentencias& lote) {
        std::string cuenta = precios::cuentaProveedor(origen.field("PROV_FAR").value());
        db::Recordset proveedor;
        // Found by its optional code, the supplier's own code replaces the one made from the legacy record.
        if (!BuscaCuentaSucursal("VT_PROVEEDORES", cuenta, &proveedor, true, 0))
            return precios::RecorridoPrecios::Registro::Omitir;
        const bool local = precios::esProveedorLocal(proveedor.field("PROVEEDORLOCAL").value());
        erp.CierraRecordset(proveedor);
        if (!local) return precios::RecorridoPrecios::Registro::Omitir;

        const std::string articuloSql = precios::literal(precios::codigoArticulo(origen.field("CODI_FAR").value()));
        const std::string cuentaSql = precios::literal(cuenta);
        lote.assign(1, std::string());
        for (const precios::ListaVenta& lista : precios::kListasVenta) {
            if (base::equalsIgnoringCase(precios::texto(origen.field(lista.bandera).value()), "N"))
                lote.push_back(filaDeLista(lista, articuloSql, cuentaSql));
        }
        return precios::RecorridoPrecios::Registro::Ejecutar;
    });
    if (fin != precios::RecorridoPrecios::Fin::Completo) return;
    // No end text: the last counters line stays.
    erp.CierraRecordset(origen);
}
