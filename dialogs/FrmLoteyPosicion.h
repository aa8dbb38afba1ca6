#pragma once
// The storage-position and lot dialog: where the quantity of one article line goes among the article's
// positive balances by position (and lot) in one warehouse, plus one row for the balance kept without a
// position (the warehouse row), always the grid's last row when there is one. The operator types a
// quantity per row in the CANT. column.
//
// The caller sets the properties, runs CargaDatos, shows the dialog and reads Posiciones and Lotes once it
// is hidden; accepted() tells an accept from a cancel. Balances are shown in the line's unit. Numbers in
// the cells are written with "." and no grouping, as the key filter lets the operator type them.

#include "dialogs/EntryGridForm.h"
#include "platform/ui/FlexGrid.h"

#include <string>
#include <string_view>
#include <vector>

class FrmLoteyPosicion : public EntryGridForm {
public:
    FrmLoteyPosicion();

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

    static constexpr std::string_view kBotonProponer = "Proponer Automaticamente";

    // ---- operations
    void CmdAceptar_Click();
    void CargaDatos();
    void InicializaGrid();
    void VerificaAnteriores();
    void CompletaTodoIgual();
    void CampoValida(ui::TextBox& Texto);
    double SumaFilas(long MenosCual = -1) const;
    bool ValidaCantidadCantidadPedida() const;
    // Splits the earlier entries, items position "*" quantity, into parallel positions, quantities and
    // lots, without the empty slot at the end. A malformed item goes to the error treatment: Ignore passes
    // it over, any other answer leaves with the items before it.
    static void Cuenta_Series_Y_Lotes(const std::string& PosicionesAnt, const std::string& LotesAnt,
                                      std::vector<std::string>& ArrPosiciones, std::vector<std::string>& ArrCantidades,
                                      std::vector<std::string>& ArrLotes);

    bool errorEnCampo() const { return ErrorEnCampo; }
    // The grid's last row is the warehouse row.
    bool tieneFilaDeposito() const { return filaDeposito_; }

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
    bool ignoraError(long numero) const override { return numero == 5; }

    static constexpr long kCantidad = 4;

    void ProponeCantidades();
    void cargaSaldos(bool conLote);
    void agregaFilaDeposito();
    void restauraAnteriores(const std::vector<std::string>& posiciones, const std::vector<std::string>& cantidades,
                            const std::vector<std::string>& lotes);
    std::string lista(long col, bool conCantidad) const;
    void rechaza(std::string_view mensaje);

    bool ErrorEnCampo = false;
    bool filaDeposito_ = false;
};
