#pragma once
// The lot and serial-number dialog: the lot numbers, serial numbers or size-colour-sex codes of one
// article line of a voucher, with their quantities. Entry mode (incoming goods) gives one row per unit to
// type the numbers into; outgoing mode lists the lots and series the article holds in one warehouse and
// the operator types how much is taken from each.
//
// The caller sets the properties, runs CargaDatos, shows the dialog (or, hidden, runs CmdAceptar_Click)
// and reads Lotes, Series and Cantidad once it is hidden; accepted() tells an accept from a cancel.
//
// Outgoing rows are known by their trimmed lot, the character of code 255 and their trimmed series,
// wherever the dialog matches them (earlier choices, what other lines take, the accepted lists).

#include "dialogs/EntryGridForm.h"
#include "platform/ui/FlexGrid.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class FrmCargaLotesySeries : public EntryGridForm {
public:
    // The most units entry mode gives rows to.
    static constexpr double kMaximoUnidades = 100000;

    FrmCargaLotesySeries();

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

    // ---- operations
    void CmdAceptar_Click();
    void CargaDatos();
    void InicializaGrid();
    void VerificaAnteriores();
    void VerificaExistenciasEnGrilla();
    void CompletaTodoIgual();
    void CompletaCantidades();
    void CampoValida(ui::TextBox& Texto);
    double SumaFilas(long MenosCual = -1) const;
    bool ValidaCantidadCantidadPedida() const;

    // ---- events
    // The window sees keys before its controls: F2 accepts from any of them.
    void Form_KeyDown(int& KeyCode);

    bool valorRechazado() const { return ValorRechazado; }

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
    bool ignoraError(long numero) const override { return numero == 5 || numero == 30010; }

    void ProponeCantidades();
    void cargaSalidas();
    void cargaEntradas();
    void reparte(const std::string& lista, long col);
    long ancho(long equis) const;
    void rechaza(std::string_view mensaje);
    std::string listaDeColumna(long col) const;
    void construyeListasSalida();
    void indexaFilas(long hasta, std::size_t mas);

    bool ValorRechazado = false;
    // Outgoing rows: each row's key, by row, and the first row of each key (its views point into the keys).
    std::vector<std::string> clavesDeFilas_;
    std::unordered_map<std::string_view, long> filaDeClave_;
};
