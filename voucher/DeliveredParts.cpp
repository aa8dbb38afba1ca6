// The delivered or applied part of an article spread over its lines, in base units.

#include "voucher/DeliveredParts.h"

#include "platform/base/Text.h"
#include "stock/ErpReads.h"
#include "voucher/VoucherLoad.h"

#include <algorithm>

namespace voucher {

namespace {

// The database compares article codes without regard to case or surrounding blanks.
std::string claveDe(db::Recordset& line) { return base::toUpperCase(textoDe(line, "IdArticulo")); }

struct CantidadesDeLinea {
    double cantidad = 0;      // in the line's unit
    double base = 0;          // in base units
    double equivalencia = 1;  // base units per unit of the line
};

// A line's quantity in base units is its CantidadUD or, where that is Null, its quantity through its own
// equivalence; an equivalence that is Null or 0 counts as 1, as the delivery views count it.
CantidadesDeLinea cantidadesDe(db::Recordset& line)
{
    CantidadesDeLinea c;
    c.cantidad = numeroDe(line, "Cantidad");
    if (const double equivalencia = numeroDe(line, "Equiv_UDBase"); equivalencia != 0) c.equivalencia = equivalencia;
    const base::Value& enBase = line.field("CantidadUD").value();
    c.base = enBase.isNull() ? c.cantidad * c.equivalencia : numeroOCero(enBase);
    return c;
}

}  // namespace

void EntregasPorArticulo::cuentaLineas(db::Recordset& lines)
{
    articulos_.clear();
    if (lines.bof()) return;
    try {
        for (lines.moveFirst(); !lines.eof(); lines.moveNext()) {
            Articulo& articulo = articulos_[claveDe(lines)];
            articulo.base += cantidadesDe(lines).base;
            ++articulo.lineasPorVer;
        }
    } catch (...) {
        // The lines are still loaded from their first row.
        lines.moveFirst();
        throw;
    }
    lines.moveFirst();
}

double EntregasPorArticulo::parteDeLinea(db::Recordset& line, const Figura& figura)
{
    const std::string clave = claveDe(line);
    const CantidadesDeLinea linea = cantidadesDe(line);
    Articulo& articulo = articulos_[clave];
    if (!articulo.resto) articulo.resto = figura(articulo.base);

    // The article's last line keeps whatever its lines could not give, more than it holds included.
    const bool ultima = articulo.lineasPorVer <= 1;
    const double toma = ultima ? *articulo.resto : std::clamp(*articulo.resto, 0.0, std::max(linea.base, 0.0));
    *articulo.resto -= toma;
    --articulo.lineasPorVer;

    // Through the line's own stored quantities, so that a line giving all its base units gives all of itself.
    if (linea.cantidad != 0 && linea.base != 0) return linea.cantidad * (toma / linea.base);
    return toma / linea.equivalencia;
}

}  // namespace voucher
