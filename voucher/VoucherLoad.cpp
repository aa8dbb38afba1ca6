// The load's shared pieces: reading columns, writing cells as steps, the row loop the three grids share,
// and the rows of the tasks and other-concepts grids.

#include "voucher/VoucherLoad.h"

#include "core/DB_Dll.h"
#include "core/FormattingHelpers.h"
#include "core/Utilidades.h"
#include "platform/base/Currency.h"
#include "platform/base/Text.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ErpReads.h"

#include <cmath>

namespace voucher {

std::string textoDe(db::Recordset& rs, std::string_view column)
{
    return base::trim(gUtilidades().NuloACadena(rs.field(column).value()));
}

double numeroDe(db::Recordset& rs, std::string_view column) { return numeroOCero(rs.field(column).value()); }

base::Currency valorCelda(const ui::FlexGrid& grid, long row, long col)
{
    return gUtilidades().ValorNumerico(grid.textMatrix(row, col));
}

CargaComprobante::CargaComprobante(ClsCmnCptes& engine_, std::string TC_, std::string SucNroLetra_, bool Compras_)
    : trap([](const base::Error& error) {
          return gDB_Dll().TratamientoErrores(error, {}, std::string(kRutinaCarga));
      }),
      engine(engine_),
      TC(std::move(TC_)),
      SucNroLetra(base::trim(SucNroLetra_)),
      Compras(Compras_)
{
}

void CargaComprobante::escribe(ui::FlexGrid& grid, long row, long col, std::string text)
{
    grid.setTextMatrix(row, col, std::move(text));
}

void CargaComprobante::llenaGrilla(ui::FlexGrid& grid, db::Recordset& rs,
                                   void (CargaComprobante::*fila)(ui::FlexGrid&, db::Recordset&))
{
    if (trap.left() || rs.bof()) return;
    // One row per record and the empty one after them; a count the recordset cannot give reserves nothing.
    grid.reserveRows(grid.rows() + rs.recordCount());
    bool first = true;
    while (!trap.left() && !rs.eof()) {
        if (!first) grid.setRows(grid.rows() + 1);
        first = false;
        (this->*fila)(grid, rs);
        // A record that cannot be left behind would be filled again and again: the load stops there.
        bool moved = false;
        step([&] {
            rs.moveNext();
            moved = true;
        });
        if (!moved) return;
    }
    if (!trap.left()) grid.setRows(grid.rows() + 1);
}

void CargaComprobante::filaTarea(ui::FlexGrid& grid, db::Recordset& rs)
{
    const long row = grid.rows() - 1;
    const auto column = [&](std::string_view name) { return [&rs, name] { return textoDe(rs, name); }; };
    const auto amount = [&](std::string_view name) {
        return [&rs, name] { return FormatoNumerico(textoDe(rs, name), -1); };
    };
    celda(grid, row, 0, column("IdTarea"));
    celda(grid, row, 11, column("IdTarea"));
    celda(grid, row, 1, column("Descripcion"));
    celda(grid, row, 2, [&rs] {
        // The time is kept in minutes; a task without one shows no time spent.
        long hours = 0, minutes = 0;
        return MinutosAHora(std::lround(numeroDe(rs, "Horas")), hours, minutes);
    });
    celda(grid, row, 3, amount("ValorHora"));
    celda(grid, row, 6, amount("valorHora_S_Iva"));
    celda(grid, row, 4, amount("Total"));
    if (Compras) return;
    celda(grid, row, 7, column("descripcionadicional"));
    celda(grid, row, 8, column("FechaEstInicio"));
    celda(grid, row, 9, column("FechaEstFin"));
    celda(grid, row, 10, column("IdTecnico"));
    celda(grid, row, 12, column("FechaREALInicio"));
    celda(grid, row, 13, column("FechaREALFin"));
}

void CargaComprobante::filaOtroConcepto(ui::FlexGrid& grid, db::Recordset& rs)
{
    const long row = grid.rows() - 1;
    celda(grid, row, 0, [&rs] { return textoDe(rs, "Observacion"); });
    celda(grid, row, 2, [&rs] { return FormatoNumerico(textoDe(rs, "Importe"), -1); });
    celda(grid, row, 1, [&rs] { return FormatoNumerico(textoDe(rs, "Importe_S_IVA"), -1); });
}

}  // namespace voucher
