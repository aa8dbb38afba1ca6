#include "core/Entorno.h"

#include "platform/os/Environment.h"

std::string Entorno::NombreEquipo() const { return os::computerName(); }
std::string Entorno::NombreSesion() const { return os::userName(); }
std::string Entorno::CarpetaTemporal() const { return os::temporaryFolder().string(); }

Entorno& gEntorno()
{
    static Entorno instance;
    return instance;
}
