#pragma once
// The storage-position and lot dialog: where the quantity of one article line goes among the article's
// positive balances by position (and lot) in one warehouse, plus one row for the balance kept without a
// position (the warehouse row), always the grid's last row when there is one. The operator types a
// quantity per row in the CANT. column.
//
// The caller sets the properties, runs CargaDatos, shows the dialog and reads Posiciones and Lotes once it
// is hidden; accepted() tells an accept from a cancel. Balances are shown in the line's unit. Numbers in
// the cells are written with "." and no grouping, as the key filter lets the operator type them.

#include "dialogs/GridCellEditor.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextMeasurer.h"

#include <string>
#include <string_view>
#include <vector>

class FrmLoteyPosicion : private GridCellEditor::Policy {
public:
    // Which control holds the keyboard focus.
    enum class Focus { Grid, Box, Aceptar };

    class Observer {
    public:
        virtual ~Observer() = default;
        // The edit box opened, closed or moved, or the caption or label changed.
        virtual void formChanged() = 0;
        virtual void focusMoved() = 0;
        virtual void formHidden() = 0;
    };

    FrmLoteyPosicion();
    FrmLoteyPosicion(const FrmLoteyPosicion&) = delete;
    FrmLoteyPosicion& operator=(const FrmLoteyPosicion&) = delete;

    // ---- properties
    std::string Deposito;
    std::string IUNIDAD;
    bool MostrarForm = false;
    bool EsConsultaDePosicionLote = false;  // earlier entries are put back instead of proposing
    bool EsPosicion = false;
    bool EsSerie = false;
    bool EsLote = false;
    bool EsPosicionYLote = false;  // set by CargaDatos
    double Cantidad1 = 0;
    std::string IdDeposito;
    std::string Articulo;
    std::string ArticuloDescripcion;
    std::string PosicionesAnteriores;
    std::string LotesAnteriores;
    std::string Posiciones;
    std::string Lotes;

    // ---- controls
    std::string Caption = "Posiciones";
    ui::FlexGrid MSFlexGrid1{"MSFlexGrid1"};
    ui::TextBox TxtEdit;
    ui::Label lblArticulo{"Artículo-Descripción"};
    ui::Button CmdAceptar{"&Aceptar"};
    ui::Button CmdCancelar{"&Cancelar"};
    static constexpr std::string_view kBotonLlenar = "Llenar las demas celdas con el valor de las seleccionadas";
    static constexpr std::string_view kBotonBlanquear = "Blanquear las Celdas a partir de la celda seleccionada";
    static constexpr std::string_view kBotonProponer = "Proponer Automaticamente";

    // ---- operations
    void CmdAceptar_Click();
    void CargaDatos();
    void InicializaGrid();
    void VerificaAnteriores();
    void CompletaTodoIgual();
    void Text_Propiedades(ui::TextBox& Texto, long Col) const { editor_.Text_Propiedades(Texto, Col); }
    void EditKeyCode(int KeyCode) { editor_.EditKeyCode(KeyCode); }
    void MsflexGridEdt(int KeyAscii, std::string_view typed = {}) { editor_.MsflexGridEdt(KeyAscii, typed); }
    void CampoValida(ui::TextBox& Texto);
    double SumaFilas(long MenosCual = -1) const;
    bool ValidaCantidadCantidadPedida() const;
    // Splits the earlier entries, items position "*" quantity, into parallel positions, quantities and
    // lots, without the empty slot at the end. A malformed item goes to the error treatment: Ignore passes
    // it over, any other answer leaves with the items before it.
    static void Cuenta_Series_Y_Lotes(const std::string& PosicionesAnt, const std::string& LotesAnt,
                                      std::vector<std::string>& ArrPosiciones, std::vector<std::string>& ArrCantidades,
                                      std::vector<std::string>& ArrLotes);

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
    bool errorEnCampo() const { return ErrorEnCampo; }
    // The grid's last row is the warehouse row.
    bool tieneFilaDeposito() const { return filaDeposito_; }

    void setObserver(Observer* observer) { observer_ = observer; }
    // Column widths are measured with it; without one every character is 120 twips wide.
    void setTextMeasurer(const ui::TextMeasurer* measurer) { measurer_ = measurer; }

private:
    // GridCellEditor::Policy
    bool abreCaja(long col) const override { return col == kCantidad; }
    bool esColumnaCantidad(long col) const override { return col == kCantidad; }
    long ultimaColumna(const ui::FlexGrid&) const override { return kCantidad; }
    void enterEnUltimaColumna(ui::FlexGrid& grid, bool ultimaFila) override;
    void enterEnOtraColumna(ui::FlexGrid& grid) override;
    bool botonesEn(long col) const override { return col == kCantidad; }
    std::string_view textoBlanqueado() const override { return "0"; }
    void otroBoton(int index) override;
    bool campoValida(ui::TextBox& texto) override;
    void enfoca(GridCellEditor::Target target) override;
    bool ignoraError(long numero) const override { return numero == 5; }

    static constexpr long kCantidad = 4;

    void ProponeCantidades();
    void cargaSaldos(bool conLote);
    void agregaFilaDeposito();
    void restauraAnteriores(const std::vector<std::string>& posiciones, const std::vector<std::string>& cantidades,
                            const std::vector<std::string>& lotes);
    std::string lista(long col, bool conCantidad) const;
    void rechaza(std::string_view mensaje);
    void setFocus(Focus focus);
    void changed();

    bool ErrorEnCampo = false;
    bool filaDeposito_ = false;
    bool hidden_ = false;
    bool accepted_ = false;
    Focus focus_ = Focus::Grid;
    const ui::TextMeasurer* measurer_ = nullptr;
    Observer* observer_ = nullptr;
    GridCellEditor editor_;
};
