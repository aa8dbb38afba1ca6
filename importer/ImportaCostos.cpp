// Legacy costs (FCOSTEOS) priced into the sale lists "A1" to "A6": every row an article already has in a
// list gets the record's cost, prices, discounts, surcharges, the list's own price and margin, and the
// current offer. No row is created here; the article import and "PROV.LO" create them.

#include "core/DB_Dll.h"
#include "importer/ImportLoop.h"
#include "importer/Importar.h"
#include "importer/LegacySource.h"
#include "importer/PriceRows.h"

void Importar::ImportaCostos()
{
    DB_Dll& erp = gDB_Dll();
    db::Recordset origen;
    if (!abreOrigen(*this, "SELECT * FROM FCOSTEOS ", origen)) return;

    ImportLoop loop(*this, "FCOSTEOS");
    const ImportLoop::Fin fin = loop.porLotes(origen, [&](ListaSentencias& lote) {
        const std::string articulo = precios::codigoArticulo(origen.field("CODI_FCO").value());
        const std::string articuloSql = precios::literal(articulo);
        eventos().doEvents();
        for (const precios::ListaVenta& lista : precios::kListasVenta) {
            db::Recordset fila;
            std::string busqueda = "Select * from V_MA_PRECIOS where IdLista = '" + std::string(lista.id) +
                                   "' and idarticulo = " + articuloSql;
            erp.AbrirRecordset(busqueda, fila);
            const bool existe = !fila.eof();
            erp.CierraRecordset(fila);
            if (!existe) continue;
            precios::agregaCosteo(origen, lista, true);
            // Every row of the list and article takes the prices, duplicates included.
            std::string condicion =
                "WHERE IDARTICULO = " + articuloSql + " AND IDLISTA = '" + std::string(lista.id) + "'";
            ArmaSentencia(gCampos, lote, "V_MA_PRECIOS", true, condicion, false);
        }
    });
    if (fin != ImportLoop::Fin::Completo) return;
    erp.CierraRecordset(origen);
    // The last counters line stays behind the end text, so the final counts remain visible.
    LblDetalle.caption = "FINALIZADO COSTOS.. " + LblDetalle.caption;
    cambio();
}
