#pragma once
// A data row of a voucher grid is a line of the voucher when its column 0, trimmed, is not blank.

#include "platform/base/Text.h"
#include "platform/ui/FlexGrid.h"

#include <cstdint>

namespace voucher {

inline bool esLineaDeArticulo(const ui::FlexGrid& grid, std::int32_t row)
{
    return !base::trim(grid.textMatrix(row, 0)).empty();
}

}  // namespace voucher
