#pragma once
// The lot and serial-number dialog: the lot numbers, serial numbers or size-colour-sex codes of one
// article line of a voucher, with their quantities. Entry mode (incoming goods) gives one row per unit to
// type the numbers into; outgoing mode lists the lots and series the article holds in one warehouse and
// the operator types how much is taken from each.
//
// The caller sets the properties, runs CargaDatos, shows the dialog (or, hidden, runs CmdAceptar_Click)
// and reads Lotes, Series and Cantidad once it is hidden; accepted() tells an accept from a cancel. An
// operator's actions reach it as calls: characters and keys on the grid or the box, a click on a cell, the
// buttons. A view follows it through the Observer.
//
// Outgoing rows are known by their trimmed lot, the character of code 255 and their trimmed series,
// wherever the dialog matches them (earlier choices, what other lines take, the accepted lists).

#include "dialogs/GridCellEditor.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextMeasurer.h"

#include <string>
#include <string_view>

class FrmCargaLotesySeries : private GridCellEditor::Policy {
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

    // The most units entry mode gives rows to.
    static constexpr double kMaximoUnidades = 100000;

    FrmCargaLotesySeries();
    FrmCargaLotesySeries(const FrmCargaLotesySeries&) = delete;
    FrmCargaLotesySeries& operator=(const FrmCargaLotesySeries&) = delete;

    // ---- properties
    std::string Deposito;
    bool MostrarForm = true;
    bool EsConsultaDeSerieLote = false;  // outgoing mode
    bool EsSerie = false;
    bool EsLote = false;
    bool EsSerieYLote = false;  // set by CargaDatos
    bool EsTalle = false;
    double Cantidad = 0;
    std::string IdDeposito;
    std::string Articulo;
    std::string ArticuloDescripcion;
    std::string SeriesAnteriores;
    std::string LotesAnteriores;
    std::string Series;
    std::string Lotes;
    std::string SeriesExistentes;
    std::string LotesExistentes;

    // ---- controls
    std::string Caption = "Numeros de Serie";
    ui::FlexGrid MSFlexGrid1{"MSFlexGrid1"};
    ui::TextBox TxtEdit;
    ui::Label lblArticulo{"Artículo-Descripción"};
    ui::Button CmdAceptar{"F2 &Aceptar"};
    ui::Button CmdCancelar{"&Cancelar"};
    static constexpr std::string_view kBotonLlenar = "Llenar las demas celdas con el valor de las seleccionadas";
    static constexpr std::string_view kBotonBlanquear = "Blanquear las Celdas a partir de la celda seleccionada";

    // ---- operations
    void CmdAceptar_Click();
    void CargaDatos();
    void InicializaGrid();
    void VerificaAnteriores();
    void VerificaExistenciasEnGrilla();
    void CompletaTodoIgual();
    void Text_Propiedades(ui::TextBox& Texto, long Col) const { editor_.Text_Propiedades(Texto, Col); }
    void EditKeyCode(int KeyCode) { editor_.EditKeyCode(KeyCode); }
    void MsflexGridEdt(int KeyAscii, std::string_view typed = {}) { editor_.MsflexGridEdt(KeyAscii, typed); }
    void CompletaCantidades();
    void CampoValida(ui::TextBox& Texto);
    double SumaFilas(long MenosCual = -1) const;
    bool ValidaCantidadCantidadPedida() const;

    // ---- events
    // The window sees keys before its controls: F2 accepts from any of them.
    void Form_KeyDown(int& KeyCode);
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
    bool valorRechazado() const { return ValorRechazado; }

    void setObserver(Observer* observer) { observer_ = observer; }
    // Column widths are measured with it; without one every character is 120 twips wide.
    void setTextMeasurer(const ui::TextMeasurer* measurer) { measurer_ = measurer; }

private:
    // GridCellEditor::Policy
    bool abreCaja(long col) const override;
    bool esColumnaCantidad(long col) const override;
    long ultimaColumna(const ui::FlexGrid& grid) const override;
    void enterEnUltimaColumna(ui::FlexGrid& grid, bool ultimaFila) override;
    void enterEnOtraColumna(ui::FlexGrid& grid) override;
    bool botonesEn(long col) const override;
    std::string_view textoBlanqueado() const override { return {}; }
    void otroBoton(int) override {}
    bool campoValida(ui::TextBox& texto) override;
    void enfoca(GridCellEditor::Target target) override;
    bool ignoraError(long numero) const override { return numero == 5 || numero == 30010; }

    void ProponeCantidades();
    void cargaSalidas();
    void cargaEntradas();
    void reparte(const std::string& lista, long col);
    long ancho(long equis) const;
    void rechaza(std::string_view mensaje);
    std::string listaDeColumna(long col) const;
    void construyeListasSalida();
    void setFocus(Focus focus);
    void changed();

    bool ValorRechazado = false;
    bool hidden_ = false;
    bool accepted_ = false;
    Focus focus_ = Focus::Grid;
    const ui::TextMeasurer* measurer_ = nullptr;
    Observer* observer_ = nullptr;
    GridCellEditor editor_;
};
