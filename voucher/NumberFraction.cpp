// Whether a number has a fractional part.

#include "core/Utilidades.h"
#include "stock/ClsCmnCptes.h"

#include <cmath>

bool ClsCmnCptes::NumeroEsFraccion(const base::Value& Numero)
{
    // Compared with its own whole part in a double, so that no range of numbers overflows on the way.
    const double numero = gUtilidades().ValorDoble(Numero.toText());
    return std::isfinite(numero) && numero != std::trunc(numero);
}
