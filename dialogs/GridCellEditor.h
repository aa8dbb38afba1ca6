#pragma once
// Typing into the cells of a grid that cannot edit: a floating edit box is laid over the current cell when
// the operator types on the grid, takes the keystrokes and is folded back into the cell when he leaves it.
// The two entry dialogs share this editor; what differs between them (which cells open the box, which
// columns hold quantities, where Enter goes, what the tool bar does, how a value is checked) is the
// dialog's Policy.
//
// A value is checked whenever the box would be folded back: a leaving key, a click on another cell, the
// grid taking the focus back, the accept button and the tool bar. A refused value keeps the box open on
// its cell.

#include "platform/ui/Controls.h"
#include "platform/ui/FlexGrid.h"

#include <string_view>

class GridCellEditor {
public:
    // Where the editor sends the keyboard focus.
    enum class Target { Grid, Box, Accept };

    class Policy {
    public:
        virtual ~Policy() = default;
        // A key on this column opens the box.
        virtual bool abreCaja(long col) const = 0;
        // The column holds quantities: the box takes numbers only.
        virtual bool esColumnaCantidad(long col) const = 0;
        // The column after which Enter goes to the next row.
        virtual long ultimaColumna(const ui::FlexGrid& grid) const = 0;
        // Enter on the last column: `ultimaFila` tells whether the row was the grid's last one.
        virtual void enterEnUltimaColumna(ui::FlexGrid& grid, bool ultimaFila) = 0;
        // Enter on any other column.
        virtual void enterEnOtraColumna(ui::FlexGrid& grid) = 0;
        // Tool bar buttons 1 and 2 act on this column.
        virtual bool botonesEn(long col) const = 0;
        // What tool bar button 2 writes below the current cell.
        virtual std::string_view textoBlanqueado() const = 0;
        // Any tool bar button past 2.
        virtual void otroBoton(int index) = 0;
        // Checks the box's value; true when it was refused (the dialog has told the operator why).
        virtual bool campoValida(ui::TextBox& texto) = 0;
        virtual void enfoca(Target target) = 0;
        // A run-time error of a leaving key that is passed over rather than shown.
        virtual bool ignoraError(long numero) const = 0;
    };

    GridCellEditor(ui::FlexGrid& grid, ui::TextBox& box, Policy& policy) : grid_(grid), box_(box), policy_(policy) {}

    // A character typed on the grid opens the box over the current cell. Codes 0 to 32 (Backspace, Enter,
    // Esc, Space) open it on the cell's text with the caret at its end; any other replaces the text with
    // `typed` (the character of KeyAscii when empty).
    void MsflexGridEdt(int KeyAscii, std::string_view typed = {});
    void Text_Propiedades(ui::TextBox& Texto, long Col) const;
    // A character typed in the box, filtered as the box's column wants; at the caret.
    void TxtEdit_KeyPress(int KeyAscii, std::string_view typed = {});
    // A key pressed in the box: a leaving key is checked and, when accepted, carried out.
    void TxtEdit_KeyDown(int KeyCode);
    // Carries out a leaving key: Enter, Esc, Up, Down.
    void EditKeyCode(int KeyCode);
    // The box's text into the cell it stands over, checked first: false (and the box stays) when refused.
    // Nothing to do when the box is hidden.
    bool pliegaValidado();
    // The operator clicks a cell: it becomes current only when the open box's value was not refused.
    bool clickCelda(long row, long col);
    // Fill down (1), blank below (2) and the dialog's own buttons; an open box is folded first.
    void Toolbar1_ButtonClick(int index);

private:
    void pliega();
    void compruebaDesplazamiento();

    ui::FlexGrid& grid_;
    ui::TextBox& box_;
    Policy& policy_;
};
