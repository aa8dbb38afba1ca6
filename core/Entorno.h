#pragma once
// The ERP library's view of the machine: its name, a second identity for the session, the folder for
// temporary files, and the registry of open windows (which nothing here needs to observe).

#include <string>

class Entorno {
public:
    std::string NombreEquipo() const;
    // The name of the session's user: stable for one user on one machine.
    std::string NombreSesion() const;
    std::string CarpetaTemporal() const;
    template <class Window>
    void RegistraFormulario(const Window&) const {}
};

Entorno& gEntorno();
