#include "importer/movements/LegacyRecord.h"

#include "core/Utilidades.h"
#include "platform/base/Error.h"
#include "platform/base/Text.h"

#include <fmt/format.h>

namespace movimientos {
namespace {

constexpr long kTipoIncorrecto = 13;

}  // namespace

void CamposLegado::falla(std::string_view campo, long numero, std::string_view porque) const
{
    throw base::Error(numero, fmt::format("Tabla {}, registro {}, campo {}: {}", tabla_, registro_, campo, porque),
                      std::string(rutina_));
}

base::Value CamposLegado::valor(std::string_view campo) const
{
    try {
        return origen_.field(campo).value();
    } catch (const base::Error& error) {
        falla(campo, error.number(), error.description());
    }
}

std::string CamposLegado::texto(std::string_view campo) const { return gUtilidades().NuloACadena(valor(campo)); }

base::Currency CamposLegado::numero(std::string_view campo) const
{
    const base::Value leido = valor(campo);
    if (leido.isNull() || leido.isEmpty()) falla(campo, kTipoIncorrecto, "está vacío y hace falta un número");
    try {
        if (leido.isNumeric()) return leido.toCurrency();
    } catch (const base::Error& error) {
        falla(campo, error.number(), error.description());
    }
    if (const auto importe = base::Currency::parse(base::trim(leido.toText()))) return *importe;
    falla(campo, kTipoIncorrecto, fmt::format("\"{}\" no es un número", leido.toText()));
}

base::Currency CamposLegado::numeroOCero(std::string_view campo) const
{
    const base::Value leido = valor(campo);
    if (leido.isNull() || leido.isEmpty()) return base::Currency();
    return numero(campo);
}

base::DateTime CamposLegado::fecha(std::string_view campo) const
{
    const base::Value leido = valor(campo);
    if (leido.kind() == base::Value::Kind::DateTime) return leido.asDateTime();
    if (leido.isNull() || leido.isEmpty()) falla(campo, kTipoIncorrecto, "está vacío y hace falta una fecha");
    falla(campo, kTipoIncorrecto, fmt::format("\"{}\" no es una fecha", leido.toText()));
}

base::Value CamposLegado::fechaONula(std::string_view campo) const
{
    const base::Value leido = valor(campo);
    if (leido.isNull() || leido.isEmpty()) return base::Value::null();
    return base::Value(fecha(campo));
}

base::Currency cociente(base::Currency dividendo, base::Currency divisor)
{
    __int128 numerador = static_cast<__int128>(dividendo.scaled()) * base::Currency::kScale;
    __int128 denominador = divisor.scaled();
    if (denominador < 0) {
        numerador = -numerador;
        denominador = -denominador;
    }
    __int128 entero = numerador / denominador;
    const __int128 resto = numerador % denominador;
    const __int128 doble = (resto < 0 ? -resto : resto) * 2;
    if (doble > denominador || (doble == denominador && entero % 2 != 0)) entero += resto < 0 ? -1 : 1;
    return base::Currency::fromScaled(static_cast<std::int64_t>(entero));
}

}  // namespace movimientos
