#include "stock/ClsCmnCptes.h"

#include "core/Configuracion.h"
#include "core/Utilidades.h"
#include "platform/base/Error.h"
#include "platform/base/Text.h"
#include "platform/db/AdoCodes.h"

#include <fmt/format.h>

namespace {

// A setting the engine cannot do without: an engine made on a rate it could not read would post wrong
// VAT on every stock line, so a failed read ends the creation.
std::string ajuste(std::string_view clave)
{
    std::optional<std::string> valor = LeeConfiguracionComprobada(clave);
    if (!valor)
        throw base::Error(db::adoerror::kClosed,
                          fmt::format("No se pudo leer el ajuste \"{}\" de la configuración; el motor de "
                                      "comprobantes no se crea",
                                      clave),
                          "ClsCmnCptes");
    return *valor;
}

}  // namespace

ClsCmnCptes::ClsCmnCptes()
{
    PIVA = gUtilidades().ValorNumerico(ajuste("PIVA")).toDouble();
    PIVARec = gUtilidades().ValorNumerico(ajuste("PIVARec")).toDouble();
    // "SI " is off: the value is compared as stored.
    AsientosXStock = base::toUpperCase(ajuste("AsientosXStock")) == "SI";
}
