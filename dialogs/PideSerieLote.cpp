// The engine's operations that open the lot and serial-number dialog.

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "dialogs/FrmCargaLotesySeries.h"
#include "dialogs/VoucherDialogs.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Prompter.h"
#include "stock/ClsCmnCptes.h"

#include <cstdint>

namespace {

constexpr long kColumnaLotes = 21;
constexpr long kColumnaCantidades = 22;
constexpr std::int32_t kNinguna = -1;

base::ErrorHandler tratamiento(const char* rutina) {
    return [rutina](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, std::string(rutina)); };
}

VoucherDialogs& dialogos() {
    VoucherDialogs* dialogs = voucherDialogs();
    if (!dialogs) throw base::Error(base::errors::kInvalidProcedureCall, "No hay dialogos de comprobantes instalados");
    return *dialogs;
}

// Appends one pipe list to a joined one, so the result is again one pipe list.
void agrega(std::string& unida, const std::string& lista) {
    if (unida.empty())
        unida = lista;
    else if (!lista.empty())
        unida += lista.substr(1);
}

bool esDelArticulo(const ui::FlexGrid& grilla, std::int32_t fila, const std::string& articulo) {
    return base::equalsIgnoringCase(base::trim(grilla.textMatrix(fila, 0)), base::trim(articulo));
}

// The article's lists as CuentaLotesEnGrilla joins them, leaving out one row (kNinguna: none).
void juntaLotes(const ui::FlexGrid& grilla, const std::string& articulo, std::string& lotes, std::string& cantidades,
                std::int32_t omitida) {
    lotes.clear();
    cantidades.clear();
    for (std::int32_t r = 1; r < grilla.rows(); ++r) {
        if (r == omitida || !esDelArticulo(grilla, r, articulo)) continue;
        agrega(lotes, grilla.textMatrix(r, kColumnaLotes));
        agrega(cantidades, grilla.textMatrix(r, kColumnaCantidades));
    }
}

// The row of the line being edited: the article's first row holding the earlier lists it was given. Its
// choice is the dialog's own, not another line's taking.
std::int32_t filaEditada(const ui::FlexGrid& grilla, const std::string& articulo, const std::string& lotesAnt,
                         const std::string& cantidadesAnt) {
    for (std::int32_t r = 1; r < grilla.rows(); ++r)
        if (esDelArticulo(grilla, r, articulo) && grilla.textMatrix(r, kColumnaLotes) == lotesAnt &&
            grilla.textMatrix(r, kColumnaCantidades) == cantidadesAnt)
            return r;
    return kNinguna;
}

}  // namespace

void ClsCmnCptes::PideSerieLote(const std::string& Articulo, double Cantidad, const std::string& SerieAnt,
                                const std::string& LoteAnt, std::string& SerieNvo, std::string& LoteNvo, bool* Serie,
                                bool* Lote, bool* Talle) {
    base::ErrorTrap trap(tratamiento("PideSerieLote"));
    if (Cantidad == 0) {
        SerieNvo.clear();
        LoteNvo.clear();
        return;
    }
    if (Cantidad < 0 || Cantidad > FrmCargaLotesySeries::kMaximoUnidades) {
        programPrompter().msgBox("La Cantidad debe estar entre 0 y " +
                                     base::doubleToText(FrmCargaLotesySeries::kMaximoUnidades) + " unidades",
                                 ui::vbCritical, "Aviso al Operador");
        SerieNvo = SerieAnt;
        LoteNvo = LoteAnt;
        return;
    }
    FrmCargaLotesySeries form;
    trap.step([&] {
        form.Cantidad = Cantidad;
        form.EsSerie = Serie && *Serie;
        form.EsLote = Lote && *Lote;
        form.EsTalle = Talle && *Talle;
        form.Articulo = Articulo;
        form.SeriesAnteriores = SerieAnt;
        form.LotesAnteriores = LoteAnt;
    });
    trap.step([&] {
        form.CargaDatos();
        form.lblArticulo.caption = Articulo;
    });
    trap.step([&] { dialogos().showModal(form); });
    trap.step([&] {
        SerieNvo = form.accepted() ? form.Series : SerieAnt;
        LoteNvo = form.accepted() ? form.Lotes : LoteAnt;
    });
}

void ClsCmnCptes::PideSerieLote_Salidas(ui::FlexGrid& Grilla, const std::string& Articulo,
                                        const std::string& Descripcion, double& Cantidad,
                                        const std::string& SeriesLoteAnt, const std::string& CantidadANT,
                                        std::string& SeriesLoteNvo, std::string& CantidadesNvo, bool Lote, bool Serie,
                                        bool Talle, std::string* Deposito, bool* MostrarForm) {
    base::ErrorTrap trap(tratamiento("PideSerieLote_Salidas"));
    std::string deposito = Deposito ? *Deposito : std::string();
    trap.step([&] {
        if (deposito.empty()) deposito = LeeConfiguracion("DepositoDefault");
        if (Deposito) *Deposito = deposito;
    });
    if (trap.left() || Cantidad == 0) return;
    if (Cantidad < 0) {
        // Nothing is taken of a negative quantity: the line keeps its earlier choice.
        FrmCargaLotesySeries::avisaCantidadNegativa();
        SeriesLoteNvo = SeriesLoteAnt;
        CantidadesNvo = CantidadANT;
        return;
    }
    FrmCargaLotesySeries form;
    trap.step([&] {
        form.Cantidad = Cantidad;
        form.Articulo = Articulo;
        form.EsConsultaDeSerieLote = true;
        form.EsLote = Lote;
        form.EsSerie = Serie;
        form.EsTalle = Talle;
        form.Deposito = gUtilidades().RellenaCodigo(base::trim(deposito), 4);
        form.Lotes = SeriesLoteAnt;
        form.Series = CantidadANT;
    });
    trap.step([&] {
        juntaLotes(Grilla, Articulo, form.LotesExistentes, form.SeriesExistentes,
                   filaEditada(Grilla, Articulo, SeriesLoteAnt, CantidadANT));
    });
    trap.step([&] {
        form.CargaDatos();
        form.lblArticulo.caption = Articulo + " - " + Descripcion;
        form.MostrarForm = MostrarForm ? *MostrarForm : true;
    });
    trap.step([&] {
        if (form.MostrarForm)
            dialogos().showModal(form);
        else
            form.CmdAceptar_Click();
    });
    trap.step([&] {
        SeriesLoteNvo = form.Lotes;
        CantidadesNvo = form.Series;
        Cantidad = form.Cantidad;
    });
}

void ClsCmnCptes::CuentaLotesEnGrilla(const ui::FlexGrid& Grilla, const std::string& Articulo,
                                      std::string& LotesEnGrid, std::string& CantidadesEnGrid) {
    juntaLotes(Grilla, Articulo, LotesEnGrid, CantidadesEnGrid, kNinguna);
}
