// The current row of a voucher grid, told in the screen's status bar.

#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ClsCmnCptes.h"

namespace {

std::string celda(const ui::FlexGrid& grid, long col) { return base::trim(grid.textMatrix(grid.row(), col)); }

std::string codigoYDescripcion(const ui::FlexGrid& grid) { return celda(grid, 0) + " - " + celda(grid, 1); }

}  // namespace

void ClsCmnCptes::MuestraDetalle(const std::string& Detalle, ui::StatusBar& StatB, std::int32_t Columna)
{
    StatB.panel(Columna).text = Detalle;
}

void ClsCmnCptes::MuestraDetalleTareas(const ui::FlexGrid& MSFlexGrid1, ui::StatusBar& StatB)
{
    MuestraDetalle(codigoYDescripcion(MSFlexGrid1), StatB);
}

void ClsCmnCptes::MuestraDetalleArticulos(const ui::FlexGrid& MSFlexGrid2, ui::StatusBar& StatB, std::int32_t Columna)
{
    // The detail is a courtesy while typing: a bar or a grid lacking a place shows what it can.
    base::ErrorTrap trap([](const base::Error&) { return base::answers::kIgnore; });
    trap.step([&] { MuestraDetalle(codigoYDescripcion(MSFlexGrid2), StatB, Columna); });
    trap.step([&] {
        for (long panel = 1; panel <= StatB.count(); ++panel) {
            if (!base::equalsIgnoringCase(StatB.panel(panel).key, "Stock")) continue;
            StatB.panel(panel).text = "Stock: " + base::doubleToText(gUtilidades().ValorDoble(celda(MSFlexGrid2, 31)));
            return;
        }
    });
}

void ClsCmnCptes::MuestraDetalleOtrosConceptos(const ui::FlexGrid& MSFlexGrid3, ui::StatusBar& StatB)
{
    MuestraDetalle(celda(MSFlexGrid3, 0), StatB);
}
