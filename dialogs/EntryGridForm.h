#pragma once
// What the two entry dialogs share: a grid the operator types quantities or numbers into through the
// floating edit box, the article's label, "Aceptar" and "Cancelar", the tool bar's fill and blank buttons,
// which control holds the focus, and the view that follows them. Each dialog adds its properties, its
// loading, its checks and its accept, and is the cell editor's policy for what differs.
//
// An operator's actions reach it as calls: characters and keys on the grid or the box, a click on a cell
// (it becomes current only when the open box's value was not refused), a button.

#include "dialogs/GridCellEditor.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/FormObserver.h"
#include "platform/ui/TextMeasurer.h"

#include <string>
#include <string_view>

class EntryGridForm : protected GridCellEditor::Policy {
public:
    // Which control holds the keyboard focus.
    enum class Focus { Grid, Box, Aceptar };

    // formChanged: the edit box opened, closed or moved, or the caption or label changed.
    using Observer = ui::FormObserver;

    EntryGridForm(const EntryGridForm&) = delete;
    EntryGridForm& operator=(const EntryGridForm&) = delete;

    // ---- controls
    std::string Caption;
    ui::FlexGrid MSFlexGrid1{"MSFlexGrid1"};
    ui::TextBox TxtEdit;
    ui::Label lblArticulo{"Artículo-Descripción"};
    ui::Button CmdAceptar;
    ui::Button CmdCancelar{"&Cancelar"};
    static constexpr std::string_view kBotonLlenar = "Llenar las demas celdas con el valor de las seleccionadas";
    static constexpr std::string_view kBotonBlanquear = "Blanquear las Celdas a partir de la celda seleccionada";
    // A negative quantity is refused with it, typed into a cell or asked for by the engine.
    static constexpr std::string_view kCantidadNegativa = "La Cantidad no puede ser Menor a Cero";

    // Tells the operator that the quantity asked for is negative.
    static void avisaCantidadNegativa();

    // ---- operations
    void Text_Propiedades(ui::TextBox& Texto, long Col) const { editor_.Text_Propiedades(Texto, Col); }
    void EditKeyCode(int KeyCode) { editor_.EditKeyCode(KeyCode); }
    void MsflexGridEdt(int KeyAscii, std::string_view typed = {}) { editor_.MsflexGridEdt(KeyAscii, typed); }

    // ---- events
    void CmdCancelar_Click();
    void MSFlexGrid1_KeyPress(int KeyAscii, std::string_view typed = {}) { editor_.MsflexGridEdt(KeyAscii, typed); }
    // The grid takes the focus back: the open box is folded, checked; a refusal keeps the focus in it.
    void MSFlexGrid1_GotFocus();
    void TxtEdit_KeyPress(int KeyAscii, std::string_view typed = {}) { editor_.TxtEdit_KeyPress(KeyAscii, typed); }
    void TxtEdit_KeyDown(int KeyCode) { editor_.TxtEdit_KeyDown(KeyCode); }
    void Toolbar1_ButtonClick(int index) { editor_.Toolbar1_ButtonClick(index); }

    // ---- what the operator does
    // A click on a cell; it becomes current only when the open box's value was not refused.
    bool clickCell(long row, long col) { return editor_.clickCelda(row, col); }
    void Hide();
    bool hidden() const { return hidden_; }
    // The last hide came from an accept.
    bool accepted() const { return accepted_; }
    Focus focus() const { return focus_; }

    void setObserver(Observer* observer) { observer_ = observer; }
    // Column widths are measured with it; without one every character is 120 twips wide.
    void setTextMeasurer(const ui::TextMeasurer* measurer) { measurer_ = measurer; }

protected:
    EntryGridForm(std::string caption, std::string aceptar);
    ~EntryGridForm() override = default;

    // The open box folded back, checked: false (and the box stays) when its value was refused.
    bool pliegaCaja() { return editor_.pliegaValidado(); }
    // The dialog hides itself after an accept.
    void aceptado();
    // Two quantities compared as the program keeps them: at 4 decimals.
    static long long aCuatroDecimales(double value);
    // The rows add up to `suma`, not to the quantity asked for: the operator is asked whether to take the
    // sum instead (Yes sets `pedida` to it) or, with the dialog unseen and the sum short, told
    // `menorSinVer`. True when the accept goes on.
    static bool ajustaPedida(double suma, double& pedida, bool mostrarForm, std::string_view menorSinVer);
    // The width of `text` in the grid's font.
    long anchoDe(const std::string& text) const;
    void changed();

    // GridCellEditor::Policy
    void enfoca(GridCellEditor::Target target) override;

private:
    void setFocus(Focus focus);

    bool hidden_ = false;
    bool accepted_ = false;
    Focus focus_ = Focus::Grid;
    const ui::TextMeasurer* measurer_ = nullptr;
    Observer* observer_ = nullptr;
    GridCellEditor editor_;
};
