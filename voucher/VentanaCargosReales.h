#pragma once
// The window a voucher screen hands to ControlDeCargosReales to check a customer's applied charges. It
// belongs to the screen, outside this program: the engine only fills in whom it is about and shows it.

#include <string>

class VentanaCargosReales {
public:
    virtual ~VentanaCargosReales() = default;

    std::string Cliente;
    std::string Matricula;

    // 1 shows the window modally: the call returns when it is closed.
    virtual void Show(int Modal) = 0;
};
