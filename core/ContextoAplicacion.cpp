#include "core/ContextoAplicacion.h"

ContextoAplicacion& gContextoAplicacion()
{
    static ContextoAplicacion instance;
    return instance;
}
