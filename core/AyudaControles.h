#pragma once
// The ERP library's help with keys and controls: which keys leave a grid's edit box, what a typed
// character becomes in a box, and which box of a control array stands for a field.

#include "platform/ui/Controls.h"

#include <string_view>
#include <vector>

class AyudaControles {
public:
    // Enter, Esc, Up and Down leave an in-cell edit box; the key code comes back unchanged.
    bool EsTeclaSalida(int& keyCode) const;
    // A quantity box ("Cantidad") takes digits, one decimal point ("," becomes ".") and a leading minus;
    // a box with a MaxLength takes no more characters than that. A refused character becomes 0.
    // Backspace always passes.
    void FiltraTecla(const ui::TextBox& box, int& keyAscii) const;
    // The index of the box whose DataField is the field (without regard to case); -1 when none is.
    int IndiceDeCampo(std::string_view fieldName, const std::vector<const ui::TextBox*>& boxes) const;
};

AyudaControles& gAyudaControles();
