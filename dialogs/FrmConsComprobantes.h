#pragma once
// The voucher query window: lists the stored vouchers of one voucher type and lets the operator pick one,
// or tick several purchase orders. The voucher engine sets TC and Filtro, shows the window modally (its
// load fills the list) and reads NroComprobante, IdComplemento and Proveedor once it has unloaded itself.
//
// The window runs with or without a view: the operator's actions reach it as the view (or a test) calls
// its handlers; a view follows it through the Observer.

#include "dialogs/VoucherQueryTables.h"
#include "platform/base/ErrorTrap.h"
#include "platform/db/Recordset.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ListView.h"
#include "platform/ui/TextMeasurer.h"

#include <string>
#include <string_view>
#include <vector>

class FrmConsComprobantes {
public:
    // Places and sizes in twips.
    struct Area {
        long left = 0, top = 0, width = 0, height = 0;
    };

    class Observer {
    public:
        virtual ~Observer() = default;
        // The load wants the window centred and set up as every window is.
        virtual void formCentred() = 0;
        // The window unloaded itself (accepted or cancelled).
        virtual void formHidden() = 0;
    };

    FrmConsComprobantes();
    FrmConsComprobantes(const FrmConsComprobantes&) = delete;
    FrmConsComprobantes& operator=(const FrmConsComprobantes&) = delete;

    // ---- properties
    std::string TC;              // in: a voucher type or a pending pseudo-type; a plain type after the load
    std::string Filtro;          // in: the caller's own SQL condition; empty for none
    std::string NroComprobante;  // out: the number chosen ("OC": the ticked numbers joined by ",")
    std::string IdComplemento;   // out
    std::string Proveedor;       // out

    // ---- controls
    std::string Caption = "Consulta de Comprobantes";
    ui::ListView ListView1;
    // The tags of the row images; a row's image is its index here, from 1.
    const std::vector<std::string_view>& ImageList1;
    ui::Button CmdAceptar{"&Aceptar"};
    ui::Button CmdCancelar{"&Cancelar"};
    long ScaleWidth = 7260;  // the client area
    long ScaleHeight = 4590;
    Area ListView1Bounds{0, 0, 7215, 4095};
    Area CmdAceptarBounds{1320, 4200, 2055, 255};
    Area CmdCancelarBounds{3960, 4200, 2055, 255};

    // ---- operations
    // The index in ImageList1 of the image tagged `Tag` (trimmed, without regard to case), else that of
    // "Generico".
    int ObtieneIndiceImagen(std::string_view Tag) const;
    void Encolumnar();

    // ---- events
    void Form_Load();
    void Form_Unload();
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void ListView1_BeforeLabelEdit(int& Cancel);
    void ListView1_AfterLabelEdit(int& Cancel, std::string& NewString);
    void ListView1_ColumnClick(long column);
    void ListView1_DblClick();
    void ListView1_KeyDown(int& KeyCode, int Shift);

    bool hidden() const { return hidden_; }
    void setObserver(Observer* observer) { observer_ = observer; }
    // Column widths are measured with it; without one every character is 120 twips wide.
    void setTextMeasurer(const ui::TextMeasurer* measurer) { measurer_ = measurer; }

    // ---- state a view or a test reads
    bool pendiente() const { return Pendiente; }
    bool usaReferenciaPresupuestos() const { return UsaReferencia; }
    // The statement the last load read.
    const std::string& sentencia() const { return Sentencia; }

private:
    void agregaFila(base::ErrorTrap& trap, const consulta::FilaRelleno& relleno);
    int imagenDeFila(const consulta::FilaRelleno& relleno);
    std::string valorDeCelda(const consulta::Celda& celda);
    std::string campo(std::string_view nombre);
    bool marca(std::string_view nombre);
    // The first column of the first row of DatosTabla's statement; a failure goes to the load's error
    // treatment the first time, and is logged with an empty answer after that.
    std::string busca(std::string_view tabla, std::string_view valor, std::string_view devuelto,
                      std::string_view clave, std::string_view condicion);
    void Hide();

    ui::ListItem* itmX = nullptr;
    db::Recordset Rs;
    bool Pendiente = false;
    bool UsaReferencia = false;
    std::string Sentencia;
    bool busquedaFallida_ = false;
    bool hidden_ = false;
    const ui::TextMeasurer* measurer_ = nullptr;
    Observer* observer_ = nullptr;
};
