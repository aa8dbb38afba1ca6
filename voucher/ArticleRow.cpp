// One stored article line into the article grid: the quantity still to deliver, the line's own columns,
// the article master's data and the sales or purchase columns.

#include "voucher/VoucherLoad.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/MasterLookups.h"
#include "core/Utilidades.h"
#include "numbering/NumberingQueries.h"
#include "numbering/VoucherTypes.h"
#include "platform/base/Text.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ClsCmnCptes.h"
#include "stock/ErpReads.h"
#include "stock/UnitEquivalences.h"
#include "voucher/LineRule.h"

#include <algorithm>

namespace voucher {

namespace {

// A switch as the grid holds it: "-1" or "0"; `siNulo` when the column is Null.
std::string marca(db::Recordset& rs, std::string_view column, std::string_view siNulo)
{
    const base::Value& value = rs.field(column).value();
    if (value.isNull()) return std::string(siNulo);
    return interruptorActivo(value) ? "-1" : "0";
}

std::string articuloDeClave(db::Recordset& line)
{
    return gUtilidades().RellenaCodigo(textoDe(line, "IdArticulo"), 25);
}

}  // namespace

void CargaComprobante::preparaEntregas(db::Recordset& lines)
{
    descuento_ = Descuento::Nada;
    if (Compras || lines.bof()) return;
    const bool repartoPendiente = textoDe(header, "IdReparto") == "-1";
    if (numbering::esTipo(TC, {"RM", "NP"}) && entregaParcial)
        descuento_ = repartoPendiente ? Descuento::Entregado : Descuento::Aplicado;
    else if (repartoPendiente)
        descuento_ = Descuento::Entregado;
    if (descuento_ != Descuento::Nada) entregas_.cuentaLineas(lines);
}

double CargaComprobante::parteEntregada(db::Recordset& line)
{
    switch (descuento_) {
    case Descuento::Nada: return 0;
    case Descuento::Entregado:
        // What the article's lines add up to less what is still to deliver of it.
        return entregas_.parteDeLinea(line, [&](double enComprobante) {
            const std::string articulo = gUtilidades().NuloACadena(line.field("IdArticulo").value());
            return std::max(0.0, enComprobante - engine.CantRepartoPend(TC, SucNroLetra, articulo));
        });
    case Descuento::Aplicado:
        return entregas_.parteDeLinea(line, [&](double) {
            // Only what vouchers made from this one applied counts; another type's voucher of the same
            // number is another voucher.
            const DB_Dll& erp = gDB_Dll();
            db::Recordset applied;
            gDB_Dll().abreSinTratamiento(
                "SELECT CantidadAplicada FROM VT_V_MV_INSUMOS_APLICACION WHERE TCO_ORIGEN = " +
                    erp.SQLValue(numbering::codigo4(TC)) + " AND IDCOMPROBANTEORIGEN = " + erp.SQLValue(SucNroLetra) +
                    " AND IDARTICULO = " + erp.SQLValue(articuloDeClave(line)),
                applied);
            return applied.eof() ? 0.0
                                 : gUtilidades().ValorNumerico(textoDe(applied, "CantidadAplicada")).toDouble();
        });
    }
    return 0;
}

void CargaComprobante::filaArticulo(ui::FlexGrid& grid, db::Recordset& line)
{
    const auto column = [&line](std::string_view name) { return [&line, name] { return textoDe(line, name); }; };
    step([&] {
        if (esLineaDeArticulo(grid, static_cast<std::int32_t>(grid.rows() - 1))) grid.setRows(grid.rows() + 1);
    });
    const long row = grid.rows() - 1;
    double cantidad = 0, entregada = 0;
    step([&] {
        cantidad = numeroDe(line, "Cantidad");
        entregada = parteEntregada(line);
    });

    celda(grid, row, 0, column("IdArticulo"));
    celda(grid, row, 1, column("Descripcion"));
    celda(grid, row, 5, column("IdUnidad"));
    celda(grid, row, 67, column("IdUnidad"));
    celda(grid, row, 7, [&] {
        if (cantidadNegada) return base::doubleToText(-cantidad - entregada);
        const double quantity = cantidad - entregada;
        return quantity < 0 ? std::string("0") : base::doubleToText(quantity);
    });
    celda(grid, row, 9, column("IdUnidadBase"));
    celda(grid, row, 10, column("CantidadUD"));
    celda(grid, row, 14, column("Importe"));
    step([&] {
        const bool exento = interruptorActivo(line.field("Exento").value());
        if (!exento && ObtieneLetraComprobante(condIvaEmpresa, textoDe(header, "CondicionIVA")) == "B")
            grid.setTextMatrix(row, 27, textoDe(line, "Importe"));
    });
    if (!sistemaCompras) {
        celda(grid, row, 11, column("PorcDto"));
        celda(grid, row, 2, column("IDLista"));
        celda(grid, row, 88, [&] { return interruptorActivo(header.field("EnComodato").value()) ? "1" : "0"; });
    }
    step([&] { datosDelMaestro(grid, row, line); });

    celda(grid, row, 8, [&] { return line.field("Equiv_UDBase").value().isNull() ? "1" : textoDe(line, "Equiv_UDBase"); });
    celda(grid, row, 41, [&] {
        return line.field("IdUnidadBase").value().isNull() ? grid.textMatrix(row, 5) : textoDe(line, "IdUnidadBase");
    });
    step([&] {
        if (!line.field("Presentacion").value().isNull()) grid.setTextMatrix(row, 60, textoDe(line, "Presentacion"));
    });
    celda(grid, row, 38, column("Costo"));
    celda(grid, row, 17, column("Importe_S_IVA"));
    celda(grid, row, 40, column("Impuestos"));
    celda(grid, row, 15, column("Total"));
    if (!numbering::esTipo(TC, {"NP"})) {
        celda(grid, row, 21, column("Nro_Lote"));
        celda(grid, row, 22, column("Nro_Serie"));
        celda(grid, row, 37, column("ControladoPor"));
        celda(grid, row, 36, column("IdOrigen"));
    }
    celda(grid, row, 16, [&] { return marca(line, "Exento", ""); });

    const auto total = [&] {
        const base::Currency value = valorCelda(grid, row, 15) + valorCelda(grid, row, 40) * valorCelda(grid, row, 7);
        return base::doubleToText(value.toDouble());
    };
    if (!sistemaCompras) {
        celda(grid, row, 33, column("AlicIVA"));
        celda(grid, row, 18, total);
    } else {
        step([&] {
            const base::Value& listPrice = line.field("Precio_Lista").value();
            if (!listPrice.isNull()) grid.setTextMatrix(row, 79, gUtilidades().NuloACadena(listPrice));
        });
        celda(grid, row, 18, total);
        celda(grid, row, 75, [&] { return gUtilidades().NuloACadena(line.field("CodigoArtProveedor").value()); });
    }
    celda(grid, row, 23, [&] { return base::doubleToText(cantidad - entregada); });
    celda(grid, row, 69, [&] { return SucNroLetra; });

    long merged = 0;
    bool wasMerged = false;
    if (!sistemaCompras && gMaderera) wasMerged = madera(grid, row, line, merged);

    if (wasMerged) {
        // The row that took the line holds a new quantity: its conversions are worked again.
        step([&] {
            grid.setRow(merged);
            CalculaEquivalenciasFila(grid);
        });
    }
    step([&] {
        grid.setRow(grid.rows() - 1);
        if (!wasMerged) CalculaEquivalenciasFila(grid);
    });
}

void CargaComprobante::datosDelMaestro(ui::FlexGrid& grid, long row, db::Recordset& line)
{
    db::Recordset article;
    std::string code = articuloDeClave(line);
    bool byBarcode = false;
    std::string description;
    if (!BuscaArticulo(code, &article, true, byBarcode, description)) return;

    const DB_Dll& erp = gDB_Dll();
    celda(grid, row, 59, [&] {
        db::Recordset type;
        gDB_Dll().abreSinTratamiento("SELECT TOP 1 Descripcion FROM V_TA_TipoArticulo WHERE LTRIM(RTRIM(Tipo)) = " +
                                         erp.SQLValue(textoDe(article, "IdTipo")),
                                     type);
        return type.eof() ? std::string() : textoDe(type, "Descripcion");
    });
    celda(grid, row, 60, [&] { return textoDe(article, "Presentacion"); });
    const auto flag = [&](std::string_view name) { return [&article, name] { return marca(article, name, "0"); }; };
    celda(grid, row, 19, flag("UsaSerie"));
    celda(grid, row, 20, flag("UsaLote"));
    celda(grid, row, 46, flag("Perecedero"));
    celda(grid, row, 8, [] { return std::string("1"); });
    celda(grid, row, 30, [] { return std::string("*"); });
    celda(grid, row, 61, flag("UsaTalle"));
    celda(grid, row, 76, [&] { return marca(article, "pesable", ""); });
    celda(grid, row, 77, [&] { return textoDe(article, "CodigoBarra"); });
}

}  // namespace voucher
