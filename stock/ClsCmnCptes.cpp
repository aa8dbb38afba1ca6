#include "stock/ClsCmnCptes.h"

#include "core/Configuracion.h"
#include "core/Utilidades.h"
#include "platform/base/Text.h"

ClsCmnCptes::ClsCmnCptes()
{
    PIVA = gUtilidades().ValorNumerico(LeeConfiguracion("PIVA")).toDouble();
    PIVARec = gUtilidades().ValorNumerico(LeeConfiguracion("PIVARec")).toDouble();
    // "SI " is off: the value is compared as stored.
    AsientosXStock = base::toUpperCase(LeeConfiguracion("AsientosXStock")) == "SI";
}
