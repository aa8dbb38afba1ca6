#pragma once
// The V_MV_STOCK row of one stock movement: which columns a movement writes, in which order and from which
// source, each value already an SQL literal in the program-wide field list.

#include "platform/base/Currency.h"
#include "stock/MovementPieces.h"
#include "stock/StockPostingPreparation.h"

#include <string>

namespace ui {
class FlexGrid;
}

// The line's quantity in the base unit, and that unit's literal, when its movements write them: a weighable
// article, or one whose base unit (column 41) is known, gives column 74 in that unit; with "ConfirmaUDEquiv"
// an article that is not weighable gives column 10 in its equivalent unit (column 9). Normalises the line's
// cells 9 (padded to 4) and 76 ("0" when empty) as it reads them.
struct UnidadBaseDeLinea {
    bool escribe = false;
    base::Currency cantidad;
    std::string unidad;
};
UnidadBaseDeLinea UnidadBaseDeLaLinea(ui::FlexGrid& grilla, long fila, const PreparacionStock& preparacion);

// Fills gCampos, from its start, with the row of the piece of line `fila` under the posting's state (its
// pass, sign and sequence number). Cell 8 of the line becomes "1" when empty. The state keeps the motive and
// origin the row wrote, the line's loan mark and the supplier accounts read.
void ArmaMovimientoStock(ui::FlexGrid& grilla, long fila, const PiezaMovimiento& pieza, const UnidadBaseDeLinea& unidadBase,
                         const PreparacionStock& preparacion, EstadoPosteo& estado);
