#include "stock/MovementRow.h"

#include "core/DB_Dll.h"
#include "core/FormattingHelpers.h"
#include "core/StartUp.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/base/Value.h"
#include "platform/ui/FlexGrid.h"

namespace {

std::string text(std::string_view value) { return gDB_Dll().SQLValue(base::Value(std::string(value))); }
std::string number(std::string_view value) { return gDB_Dll().SQLValue(base::Value(std::string(value)), "@"); }
std::string number(base::Currency value) { return gDB_Dll().SQLValue(base::Value(value), "@"); }
std::string code4(std::string_view value) { return text(gUtilidades().RellenaCodigo(base::trim(value), 4)); }

base::Currency signed_(base::Currency value, int signo)
{
    if (signo > 0) return value;
    if (signo < 0) return -value;
    return {};
}

// The warehouse a line moves from in the first pass: its own (column 6), else the posting's.
std::string lineWarehouse(const ui::FlexGrid& grilla, long fila, const PreparacionStock& p)
{
    if (p.signoRemota == 1 && !p.depositoDelGrid) return p.deposito;
    const std::string own = base::trim(grilla.textMatrix(fila, 6));
    return own.empty() ? p.depositoDeLinea : code4(own);
}

// The controlling code: the line's own, else its customs lot, else the posting's customs lot.
std::string controlledBy(const ui::FlexGrid& grilla, long fila, const PreparacionStock& p)
{
    const Utilidades& u = gUtilidades();
    const std::string own = base::trim(grilla.textMatrix(fila, 87));
    if (!own.empty()) return text(own);
    const std::string customs = base::trim(grilla.textMatrix(fila, 37));
    return text(u.QuitaCaracteres(customs.empty() ? base::trim(p.aduana) : customs, "'"));
}

// The supplier account the movement names: the posting's, or the article's own for "PorDefault" (read once
// per article and posting); NULL, or an account that is not there, writes no column.
std::string supplierAccount(const std::string& articulo, const PreparacionStock& p, EstadoPosteo& e)
{
    if (!base::equalsIgnoringCase(p.cuenta, "PorDefault")) return p.cuenta;
    auto known = e.cuentasProveedor.find(articulo);
    if (known == e.cuentasProveedor.end()) {
        const std::string account =
            base::trim(gDB_Dll().DatosTabla("V_MA_ARTICULOS", articulo, "CUENTAPROVEEDOR", "IDARTICULO", 8, "", true));
        known = e.cuentasProveedor.emplace(articulo, account.empty() ? "NULL" : account).first;
    }
    return known->second;
}

}  // namespace

UnidadBaseDeLinea UnidadBaseDeLaLinea(ui::FlexGrid& grilla, long fila, const PreparacionStock& p)
{
    const Utilidades& u = gUtilidades();
    grilla.setTextMatrix(fila, 9, u.RellenaCodigo(base::trim(grilla.textMatrix(fila, 9)), 4));
    if (grilla.textMatrix(fila, 76).empty()) grilla.setTextMatrix(fila, 76, "0");
    const bool pesable = ValorLogico(base::trim(grilla.textMatrix(fila, 76)));
    if (!pesable && p.confirmaUDEquiv)
        return {true, u.ValorNumerico(grilla.textMatrix(fila, 10)), text(grilla.textMatrix(fila, 9))};
    const std::string unidad = base::trim(grilla.textMatrix(fila, 41));
    if (unidad.empty()) return {};
    return {true, u.ValorNumerico(grilla.textMatrix(fila, 74)), code4(unidad)};
}

void ArmaMovimientoStock(ui::FlexGrid& grilla, long fila, const PiezaMovimiento& pieza, const UnidadBaseDeLinea& unidadBase,
                         const PreparacionStock& p, EstadoPosteo& e)
{
    const Utilidades& u = gUtilidades();
    const auto cell = [&](long col) -> const std::string& { return grilla.textMatrix(fila, col); };
    ListaCampos& campos = gCampos;
    campos.clear();
    const auto add = [&](const char* column, std::string value) { campos.push_back({column, std::move(value)}); };

    add("TC", p.tc);
    add("IdComprobante", p.idComprobante);
    if (!p.compras) add("IdComplemento", p.idComplemento);
    add("Secuencia", std::to_string(e.secuencia));
    add("Fecha", p.fecha);
    if (!base::trim(gCaja).empty()) {
        gCaja = u.QuitaCaracteres(gCaja, "'");
        add("IdCaja", text(u.RellenaCodigo(gCaja, 4)));
    }
    // The second pass puts into the transfer's destination what the first took from each line's warehouse.
    if (e.pasada == 1) add("IdDeposito", lineWarehouse(grilla, fila, p));
    else add("IdDeposito", p.depositoDestino == kElDelGrid ? lineWarehouse(grilla, fila, p) : p.depositoDestino);
    if (p.esTransferencia) add("IDDEPOSITO_DESTINO", e.pasada == 1 ? p.depositoDestino : lineWarehouse(grilla, fila, p));
    const std::string articulo = u.RellenaCodigo(base::trim(cell(0)), 25);
    add("IdArticulo", text(articulo));
    std::string descripcion = base::trim(cell(1));
    if (base::length(descripcion) > 100) descripcion = base::left(descripcion, 100);
    add("Descripcion", text(u.QuitaCaracteres(descripcion, "'")));
    add("NroLote", pieza.lote.empty() ? "NULL" : text(pieza.lote));
    add("ControladoPor", controlledBy(grilla, fila, p));
    const std::string loteOrigen = base::trim(cell(36)).empty() ? base::trim(p.loteOrigen) : base::trim(cell(36));
    if (!loteOrigen.empty()) add("IdOrigen", code4(loteOrigen));
    add("NroSerie", pieza.serie.empty() ? "NULL" : text(pieza.serie));
    add("IdUnidad", base::trim(cell(5)).empty() ? "NULL" : code4(cell(5)));
    add("Cantidad", number(signed_(pieza.cantidad, e.signo)));
    if (unidadBase.escribe) {
        add("CantidadUD", number(signed_(pieza.cantidadUD, e.signo)));
        add("IdUnidadBase", unidadBase.unidad);
    }
    const std::string cuenta = supplierAccount(articulo, p, e);
    if (!base::equalsIgnoringCase(base::trim(cuenta), "NULL")) add("CuentaProveedor", text(cuenta));
    if (p.motivoDelGrid) e.motivo = base::trim(cell(86)).empty() ? p.motivoDeLinea : code4(cell(86));
    add("IdMotivoStock", e.motivo);
    add("PrecioVenta", number(cell(14)));
    add("Importe_S_Iva", number(cell(17)));
    add("Costo", number(cell(38)));
    add("Impuestos", number(cell(40)));
    add("DtoItem", number(cell(11)));
    if (p.tcOrigenDelGrid) {
        e.tcOrigenCodigo = base::trim(base::left(cell(34), 4));
        e.tcOrigen = e.tcOrigenCodigo.empty() ? "NULL" : code4(e.tcOrigenCodigo);
    }
    if (p.comprobanteOrigenDelGrid) {
        const std::string comprobante = base::trim(base::mid(cell(34), 5, 13));
        e.comprobanteOrigen = comprobante.empty() ? "NULL" : text(comprobante);
    }
    add("Tc_Origen", e.tcOrigen);
    add("IdComprobante_Origen", e.comprobanteOrigen);
    add("Id_Origen", number(cell(35)));
    // A line without its own rate takes the general one, unless it is exempt.
    const base::Currency tasa = u.ValorNumerico(cell(33));
    const bool exento = base::Value(u.ValorNumerico(cell(16))).toInteger() == -1;
    add("IVARI", tasa == base::Currency() && !exento ? gDB_Dll().SQLValue(base::Value(p.piva), "@") : number(tasa));
    add("IVARNI", number(cell(45)));
    if (!p.idTecnico.empty()) add("IdTecnico", p.idTecnico);
    if (cell(8).empty()) grilla.setTextMatrix(fila, 8, "1");
    add("EQUIV_UDBASE", number(cell(8)));
    add("IDINSERT", number(cell(80)));
    add("IDCOMPULSA", number(cell(81)));
    add("Oferta", number(cell(85)));
    add("IdVendedor", p.idVendedor);
    add("Importe_Ud", number(cell(13)));
    add("Ud_Pr", text(u.RellenaCodigo(cell(12), 4)));
    add("EnComodato", number(cell(88)));
    if (!e.comodato && u.ValorNumerico(cell(88)) == base::Currency::fromInteger(1)) e.comodato = true;
}
