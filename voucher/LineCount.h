#pragma once
// The lines of a voucher grid, by the line rule; an absent grid holds none.

#include "voucher/LineRule.h"

#include <cstdint>

namespace voucher {

inline std::int64_t lineasDe(const ui::FlexGrid* grid)
{
    std::int64_t lineas = 0;
    if (!grid) return lineas;
    for (long row = 1; row < grid->rows(); ++row)
        if (esLineaDeArticulo(*grid, static_cast<std::int32_t>(row))) ++lineas;
    return lineas;
}

}  // namespace voucher
