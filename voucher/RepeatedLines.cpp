// Whether a code already stands in another row of a voucher grid.

#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ClsCmnCptes.h"

namespace {

bool repetido(const ui::FlexGrid& grid, const std::string& codigo, std::int32_t FilaIgnorar,
              std::int32_t* FilaEncontrada)
{
    const std::string buscado = base::trim(codigo);
    for (long row = 1; row < grid.rows(); ++row) {
        if (row == FilaIgnorar) continue;
        if (!base::equalsIgnoringCase(base::trim(grid.textMatrix(row, 0)), buscado)) continue;
        if (FilaEncontrada) *FilaEncontrada = static_cast<std::int32_t>(row);
        return true;
    }
    return false;
}

}  // namespace

bool ClsCmnCptes::TareaRepetida(const ui::FlexGrid& MSFlexGrid1, const std::string& Tarea, std::int32_t FilaIgnorar,
                                std::int32_t* FilaEncontrada)
{
    return repetido(MSFlexGrid1, Tarea, FilaIgnorar, FilaEncontrada);
}

bool ClsCmnCptes::ArticuloRepetido(const ui::FlexGrid& MSFlexGrid2, const std::string& Articulo,
                                   std::int32_t FilaIgnorar, std::int32_t* FilaEncontrada)
{
    return repetido(MSFlexGrid2, Articulo, FilaIgnorar, FilaEncontrada);
}

bool ClsCmnCptes::OtrosConceptosRepetidos(const ui::FlexGrid& MSFlexGrid3, const std::string& OtroConcepto,
                                          std::int32_t FilaIgnorar, std::int32_t* FilaEncontrada)
{
    return repetido(MSFlexGrid3, OtroConcepto, FilaIgnorar, FilaEncontrada);
}
