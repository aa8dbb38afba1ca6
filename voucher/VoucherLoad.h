#pragma once
// One load of a stored voucher into the voucher grids: the working values the load's steps share, and the
// steps that fill a row of each grid. Every step runs under the load's one error trap, so a failure names
// the load and the operator decides whether the cell is tried again, skipped, or the load left.

#include "platform/base/ErrorTrap.h"
#include "platform/base/Value.h"
#include "platform/db/Recordset.h"
#include "voucher/DeliveredParts.h"

#include <string>
#include <string_view>
#include <utility>

class ClsCmnCptes;

namespace ui {
class FlexGrid;
}

namespace voucher {

// The name the load's failures are shown and logged under.
inline constexpr std::string_view kRutinaCarga = "AsignarDatosComprobante";

// A column's value as the grids take it: Null as "", trimmed.
std::string textoDe(db::Recordset& rs, std::string_view column);
// A column's value as a number: Null and a text that is no number read 0.
double numeroDe(db::Recordset& rs, std::string_view column);
// A cell's text as a number, as the voucher screens read their cells; a text without a number is 0.
base::Currency valorCelda(const ui::FlexGrid& grid, long row, long col);

class CargaComprobante {
public:
    CargaComprobante(ClsCmnCptes& engine, std::string TC, std::string SucNroLetra, bool Compras);

    base::ErrorTrap trap;
    ClsCmnCptes& engine;
    const std::string TC;            // as the caller gave it
    const std::string SucNroLetra;   // trimmed
    const bool Compras;
    bool entregaParcial = false;     // deliveries in parts are allowed
    bool cantidadNegada = false;     // quantities are loaded negated
    bool sistemaCompras = false;     // the type belongs to the purchase system
    std::string condIvaEmpresa;      // the issuer's IVA condition
    db::Recordset header;

    // Decides what the article lines lose as already delivered or applied and, when they lose anything,
    // counts them; `lines` is left on its first row.
    void preparaEntregas(db::Recordset& lines);

    // Runs one step of the load; false once the load has been left.
    template <class Step>
    bool step(Step&& body) { return trap.step(std::forward<Step>(body)); }
    // Writes one cell as a step of its own: `value()` gives its text.
    template <class Value>
    void celda(ui::FlexGrid& grid, long row, long col, Value&& value)
    {
        step([&] { escribe(grid, row, col, value()); });
    }
    static void escribe(ui::FlexGrid& grid, long row, long col, std::string text);

    // Fills the grid from the recordset, one row per record and an empty row after them; a recordset
    // without rows leaves the grid as it is.
    void llenaGrilla(ui::FlexGrid& grid, db::Recordset& rs, void (CargaComprobante::*fila)(ui::FlexGrid&, db::Recordset&));

    void filaTarea(ui::FlexGrid& grid, db::Recordset& rs);
    void filaOtroConcepto(ui::FlexGrid& grid, db::Recordset& rs);
    void filaArticulo(ui::FlexGrid& grid, db::Recordset& rs);

private:
    // What the article lines lose: nothing, what the voucher's own stock movements delivered, or what
    // vouchers made from it applied.
    enum class Descuento { Nada, Entregado, Aplicado };

    // How much of the line is deducted as already delivered or applied, in the line's unit.
    double parteEntregada(db::Recordset& line);
    void datosDelMaestro(ui::FlexGrid& grid, long row, db::Recordset& line);
    // Measures of a timber line and the merge of equal lines; true when the row was merged into an
    // earlier one, whose row number is then in `destino`.
    bool madera(ui::FlexGrid& grid, long row, db::Recordset& line, long& destino);
    bool fusionaLinea(ui::FlexGrid& grid, long& destino);

    Descuento descuento_ = Descuento::Nada;
    EntregasPorArticulo entregas_;
};

}  // namespace voucher
