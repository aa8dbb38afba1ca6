// Colouring a voucher grid's rows and columns by moving its current cell, as the screens expect to find it
// afterwards.

#include "platform/base/ErrorTrap.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ClsCmnCptes.h"

void ClsCmnCptes::PintarFila(std::int32_t Fila, ui::FlexGrid& MsFlexGrid, ui::Color Color)
{
    const long columna = MsFlexGrid.col();
    for (long col = 0; col < MsFlexGrid.cols(); ++col) {
        MsFlexGrid.setCol(col);
        MsFlexGrid.setRow(Fila);
        MsFlexGrid.setCellBackColor(Color);
    }
    MsFlexGrid.setCol(columna);
}

void ClsCmnCptes::PintarColuma(std::int32_t Columna, ui::FlexGrid& MsFlexGrid, std::int32_t FilaDesde,
                               std::int32_t FilaHasta, ui::Color Color)
{
    // A cell outside the grid is simply not painted: never the current cell in its place.
    base::ErrorTrap trap([](const base::Error&) { return base::answers::kIgnore; });
    const long fila = MsFlexGrid.row();
    const long desde = FilaDesde == -1 ? 0 : FilaDesde;
    const long hasta = FilaHasta == -1 ? MsFlexGrid.rows() - 1 : FilaHasta;
    for (long row = desde; row <= hasta; ++row) {
        trap.step([&] {
            MsFlexGrid.setCol(Columna);
            MsFlexGrid.setRow(row);
            MsFlexGrid.setCellBackColor(Color);
        });
    }
    trap.step([&] { MsFlexGrid.setRow(fila); });
}
