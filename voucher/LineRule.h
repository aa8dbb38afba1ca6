#pragma once
// Which rows of a voucher grid are lines of the voucher.

#include "platform/base/Text.h"
#include "platform/ui/FlexGrid.h"

#include <cstdint>

namespace voucher {

// A data row is a line when its column 0, trimmed, is not blank.
inline bool esLineaDeArticulo(const ui::FlexGrid& grid, std::int32_t row)
{
    return !base::trim(grid.textMatrix(row, 0)).empty();
}

}  // namespace voucher
