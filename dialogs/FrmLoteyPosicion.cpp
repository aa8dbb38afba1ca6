#include "dialogs/FrmLoteyPosicion.h"

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/base/Value.h"
#include "platform/db/AdoCodes.h"
#include "platform/ui/Prompter.h"
#include "stock/ClsCmnCptes.h"
#include "stock/UnitEquivalences.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr long kPosicion = 0;
constexpr long kLote = 1;
constexpr long kUnidad = 2;
constexpr long kDisponible = 3;
constexpr long kCant = 4;
constexpr long kNoRow = -1;
constexpr const char* kAviso = "Aviso al Operador";
constexpr const char* kNoHayDisponible = "No hay disponible para esa posicion";

// The number a cell starts with ("." as the decimal point), 0 when it starts with none.
double numeroInicial(std::string_view text) {
    return gUtilidades().ValorNumerico(text).toDouble();
}

// A malformed earlier entry, told to the error treatment; true when the operator passes it over.
bool pasaPorAlto(const std::string& item) {
    const base::Error error(base::errors::kInvalidProcedureCall, "Posicion sin cantidad: " + item);
    return gDB_Dll().TratamientoErrores(error, {}, std::string("Cuenta_Series_Y_Lotes%")) == base::answers::kIgnore;
}

}  // namespace

FrmLoteyPosicion::FrmLoteyPosicion() : EntryGridForm("Posiciones", "&Aceptar") {
    MSFlexGrid1.setCols(5);
    MSFlexGrid1.setRows(1);
}

// ---- loading

void FrmLoteyPosicion::CargaDatos() {
    base::ErrorTrap trap([](const base::Error& error) {
        gDB_Dll().registraError(error.description(), "CargaDatos", 0);
        return base::answers::kIgnore;
    });
    trap.step([&] { EsPosicionYLote = EsPosicion && EsLote; });
    trap.step([&] {
        const std::string deposito = "(Deposito: " + Deposito + ")";
        if (EsPosicionYLote)
            Caption = "Posiciones y Lotes " + deposito;
        else if (EsPosicion)
            Caption = "Posiciones " + deposito;
        else if (EsLote)
            Caption = "Números de Lote " + deposito;
    });
    trap.step([&] { lblArticulo.caption = base::properCase(ArticuloDescripcion); });
    trap.step([&] { InicializaGrid(); });
    trap.step([&] { VerificaAnteriores(); });
    trap.step([&] {
        MSFlexGrid1.setRow(MSFlexGrid1.rows() - 1);
        MSFlexGrid1.setCol(kCant);
    });
    changed();
}

void FrmLoteyPosicion::InicializaGrid() {
    ui::FlexGrid& g = MSFlexGrid1;
    g.clear();
    g.setRows(1);
    g.setCols(5);
    filaDeposito_ = false;
    if (!EsPosicion) return;
    g.setTextMatrix(0, kPosicion, "POSICION");
    g.setTextMatrix(0, kLote, EsPosicionYLote ? "LOTE" : "");
    g.setTextMatrix(0, kUnidad, "UNIDAD");
    g.setTextMatrix(0, kDisponible, "DISPONIBLE");
    g.setTextMatrix(0, kCant, "CANT.");
    g.setColAlignment(kPosicion, ui::FlexGrid::CenterTop);
    g.setColAlignment(kLote, ui::FlexGrid::CenterTop);
    if (!EsPosicionYLote) g.setColWidth(kLote, 0);
}

void FrmLoteyPosicion::VerificaAnteriores() {
    if (EsConsultaDePosicionLote) {
        std::vector<std::string> posiciones, cantidades, lotes;
        Cuenta_Series_Y_Lotes(PosicionesAnteriores, LotesAnteriores, posiciones, cantidades, lotes);
        cargaSaldos(EsPosicionYLote);
        agregaFilaDeposito();
        restauraAnteriores(posiciones, cantidades, lotes);
        return;
    }
    if (!EsPosicion) return;
    cargaSaldos(EsPosicionYLote);
    agregaFilaDeposito();
    ProponeCantidades();
}

void FrmLoteyPosicion::cargaSaldos(bool conLote) {
    DB_Dll& db = gDB_Dll();
    Utilidades& u = gUtilidades();
    const std::string deposito = db.SQLValue(base::Value(u.RellenaCodigo(Deposito, 4)));
    const std::string articulo = db.SQLValue(base::Value(u.RellenaCodigo(Articulo, 25)));
    std::string sql = std::string("SELECT AC_SALDOSLAYOUT.idposicion,") + (conLote ? "AC_SALDOSLAYOUT.nrolote," : "") +
                      "AC_SALDOSLAYOUT.idunidadbase, isnull(AC_SALDOSLAYOUT.saldo,0) as disponible FROM "
                      "AC_SALDOSLAYOUT, ma_posiciones WHERE  ac_saldoslayout.iddeposito=ma_posiciones.iddeposito and "
                      "ac_saldoslayout.idposicion=ma_posiciones.idposicion and  ac_saldoslayout.IDDEPOSITO=" +
                      deposito + " and ac_saldoslayout.idarticulo=" + articulo +
                      " and ac_saldoslayout.saldo > 0 order by "
                      "ac_saldoslayout.nrolote,ma_posiciones.ordeningreso,ac_saldoslayout.idposicion  ";
    db::Recordset rs;
    db.AbrirRecordset(sql, rs);
    if (rs.state() != db::kStateOpen) return;  // told by the error treatment
    db::Field posicion = rs.field("idposicion");
    std::optional<db::Field> lote;
    if (conLote) lote = rs.field("nrolote");
    db::Field unidad = rs.field("idunidadbase");
    db::Field disponible = rs.field("disponible");
    ui::FlexGrid& g = MSFlexGrid1;
    // The grid is laid out once for all the rows when their number is known.
    const long primera = g.rows();
    if (rs.recordCount() > 0) g.setRows(primera + rs.recordCount());
    long r = primera;
    try {
        for (; !rs.eof(); rs.moveNext(), ++r) {
            if (r >= g.rows()) g.setRows(r + 1);
            g.setTextMatrix(r, kPosicion, base::trim(u.NuloACadena(posicion.value())));
            if (lote) g.setTextMatrix(r, kLote, base::trim(u.NuloACadena(lote->value())));
            g.setTextMatrix(r, kUnidad, IUNIDAD);
            std::string base = u.RellenaCodigo(base::trim(u.NuloACadena(unidad.value())), 4);
            const base::Value& saldo = disponible.value();
            const double cantidad = saldo.isNull() || saldo.isEmpty() ? 0.0 : saldo.toDouble();
            g.setTextMatrix(r, kDisponible,
                            base::doubleToText(ConvierteCantidadAEquiv(Articulo, base, cantidad, IUNIDAD)));
            g.setTextMatrix(r, kCant, conLote ? "0" : "");
        }
    } catch (const base::Error&) {
        g.setRows(r + 1);  // the rows so far stay, the one that failed as far as it got
        throw;
    }
    g.setRows(r);
}

// The balance kept without a position, each row converted from its own unit, added up.
void FrmLoteyPosicion::agregaFilaDeposito() {
    DB_Dll& db = gDB_Dll();
    Utilidades& u = gUtilidades();
    std::string sql = "SELECT (ISNULL(SALDO,0)) AS SALDO, IDUNIDADBASE FROM AC_SALDOSLAYOUT WHERE IDDEPOSITO=" +
                      db.SQLValue(base::Value(u.RellenaCodigo(Deposito, 4))) +
                      " AND IDARTICULO=" + db.SQLValue(base::Value(u.RellenaCodigo(Articulo, 25))) +
                      " and idposicion is null";
    db::Recordset rs;
    db.AbrirRecordset(sql, rs);
    if (rs.state() != db::kStateOpen || rs.eof()) return;
    double total = 0;
    for (; !rs.eof(); rs.moveNext()) {
        std::string base = u.RellenaCodigo(base::trim(u.NuloACadena(rs.field("IDUNIDADBASE").value())), 4);
        const base::Value& saldo = rs.field("SALDO").value();
        const double cantidad = saldo.isNull() || saldo.isEmpty() ? 0.0 : saldo.toDouble();
        total += ConvierteCantidadAEquiv(Articulo, base, cantidad, IUNIDAD);
    }
    ui::FlexGrid& g = MSFlexGrid1;
    const long r = g.rows();
    g.setRows(r + 1);
    g.setTextMatrix(r, kPosicion, "DEPOSITO " + Deposito);
    g.setTextMatrix(r, kDisponible, base::doubleToText(total));
    g.setTextMatrix(r, kCant, "0");
    filaDeposito_ = true;
    const std::string etiqueta = "   DEPOSITO " + Deposito;
    g.setColWidth(kPosicion, anchoDe(etiqueta));
}

void FrmLoteyPosicion::restauraAnteriores(const std::vector<std::string>& posiciones,
                                          const std::vector<std::string>& cantidades,
                                          const std::vector<std::string>& lotes) {
    ui::FlexGrid& g = MSFlexGrid1;
    const long ultimaPosicion = g.rows() - (filaDeposito_ ? 2 : 1);
    for (std::size_t i = 0; i < posiciones.size(); ++i) {
        const std::string posicion = base::trim(posiciones[i]);
        const std::string cantidad = i < cantidades.size() ? cantidades[i] : std::string();
        if (posicion.empty()) {
            // The warehouse row's entry; without a warehouse row it has nowhere to go.
            if (filaDeposito_) g.setTextMatrix(g.rows() - 1, kCant, cantidad);
            continue;
        }
        const std::string lote = i < lotes.size() ? base::trim(lotes[i]) : std::string();
        for (long r = 1; r <= ultimaPosicion; ++r) {
            if (!base::equalsIgnoringCase(base::trim(g.textMatrix(r, kPosicion)), posicion)) continue;
            if (EsPosicionYLote && !base::equalsIgnoringCase(base::trim(g.textMatrix(r, kLote)), lote)) continue;
            g.setTextMatrix(r, kCant, cantidad);
            break;
        }
    }
}

void FrmLoteyPosicion::Cuenta_Series_Y_Lotes(const std::string& PosicionesAnt, const std::string& LotesAnt,
                                             std::vector<std::string>& ArrPosiciones,
                                             std::vector<std::string>& ArrCantidades,
                                             std::vector<std::string>& ArrLotes) {
    ArrPosiciones.clear();
    ArrCantidades.clear();
    ArrLotes.clear();
    ClsCmnCptes::DescomponeSerieLote(LotesAnt, ArrLotes);
    if (!ArrLotes.empty()) ArrLotes.pop_back();

    const std::string recortado = base::trim(PosicionesAnt);
    std::string_view s = recortado;
    if (s.starts_with('|')) s.remove_prefix(1);
    if (s.find('|') == std::string_view::npos) return;
    std::vector<std::string> items;
    for (;;) {
        const std::size_t barra = s.find('|');
        if (barra == std::string_view::npos) {
            // Text after the last bar: an item left without its closing bar. Passed over or not, the items
            // before it stand.
            pasaPorAlto(std::string(s));
            break;
        }
        items.push_back(base::trim(s.substr(0, barra)));
        s.remove_prefix(barra + 1);
        if (base::trim(s).empty()) break;
    }
    for (const std::string& item : items) {
        const std::size_t estrella = item.find('*');
        if (estrella == std::string::npos) {
            if (pasaPorAlto(item)) continue;
            return;
        }
        ArrPosiciones.push_back(item.substr(0, estrella));
        ArrCantidades.push_back(item.substr(estrella + 1));
    }
}

// ---- proposal and checks

void FrmLoteyPosicion::ProponeCantidades() {
    ui::FlexGrid& g = MSFlexGrid1;
    double resto = Cantidad1;
    if (g.rows() == 2) {
        g.setTextMatrix(1, kCant, base::doubleToText(resto));
        return;
    }
    for (long r = 1; r < g.rows() && aCuatroDecimales(resto) != 0; ++r) {
        const double cantidad = numeroInicial(g.textMatrix(r, kCant));
        const double disponible = numeroInicial(g.textMatrix(r, kDisponible));
        // A row with nothing available gives nothing, rather than a negative quantity.
        if (disponible <= 0) continue;
        if (resto + cantidad <= disponible) {
            g.setTextMatrix(r, kCant, base::doubleToText(resto + cantidad));
            resto = 0;
        } else {
            g.setTextMatrix(r, kCant, base::doubleToText(disponible));
            resto = static_cast<double>(aCuatroDecimales(Cantidad1 - SumaFilas(kNoRow))) / 10000.0;
        }
    }
}

void FrmLoteyPosicion::CompletaTodoIgual() {
    ui::FlexGrid& g = MSFlexGrid1;
    if (g.rows() < 2) return;
    const std::string primero = base::trim(g.textMatrix(1, kUnidad));
    for (long r = 1; r < g.rows(); ++r)
        if (base::trim(g.textMatrix(r, kUnidad)).empty()) g.setTextMatrix(r, kUnidad, primero);
}

void FrmLoteyPosicion::rechaza(std::string_view mensaje) {
    ErrorEnCampo = true;
    programPrompter().msgBox(mensaje, ui::vbCritical, kAviso);
}

void FrmLoteyPosicion::CampoValida(ui::TextBox& Texto) {
    ErrorEnCampo = false;
    const std::string texto = base::trim(Texto.text);
    if (!base::equalsIgnoringCase(base::trim(Texto.dataField), "Cantidad")) return;
    if (texto.empty()) return;  // no quantity
    // A text that is not a number cannot be compared with what is available.
    double cantidad = 0;
    try {
        cantidad = base::Value(texto).toDouble();
    } catch (const base::Error&) {
        return rechaza(kNoHayDisponible);
    }
    if (!(gUtilidades().ValorDoble(texto) >= 0)) return rechaza(kCantidadNegativa);
    const double disponible = numeroInicial(MSFlexGrid1.textMatrix(MSFlexGrid1.row(), kDisponible));
    if (aCuatroDecimales(cantidad) > aCuatroDecimales(disponible)) rechaza(kNoHayDisponible);
}

double FrmLoteyPosicion::SumaFilas(long MenosCual) const {
    const ui::FlexGrid& g = MSFlexGrid1;
    Utilidades& u = gUtilidades();
    double suma = 0;
    for (long r = 1; r < g.rows(); ++r)
        if (r != MenosCual) suma += u.ValorDoble(g.textMatrix(r, kCant));
    return suma;
}

bool FrmLoteyPosicion::ValidaCantidadCantidadPedida() const {
    return aCuatroDecimales(SumaFilas(kNoRow)) == aCuatroDecimales(Cantidad1);
}

// ---- accept and cancel

// The rows holding a quantity, each as its label (and "*" and its quantity); the warehouse row's label is
// empty.
std::string FrmLoteyPosicion::lista(long col, bool conCantidad) const {
    const ui::FlexGrid& g = MSFlexGrid1;
    Utilidades& u = gUtilidades();
    std::string resultado = "|";
    for (long r = 1; r < g.rows(); ++r) {
        const std::string q = base::trim(g.textMatrix(r, kCant));
        if (q.empty() || aCuatroDecimales(u.ValorDoble(q)) == 0) continue;
        const bool esDeposito = filaDeposito_ && r == g.rows() - 1;
        const std::string etiqueta = esDeposito ? std::string() : base::trim(g.textMatrix(r, col));
        resultado += conCantidad ? etiqueta + "*" + q + "|" : etiqueta + "|";
    }
    return resultado;
}

void FrmLoteyPosicion::CmdAceptar_Click() {
    if (!pliegaCaja()) return;
    if (!ValidaCantidadCantidadPedida() &&
        !ajustaPedida(SumaFilas(kNoRow), Cantidad1, MostrarForm,
                      "La suma de cantidades informadas es Menor a la cantidad solicitada "))
        return;
    if (EsPosicionYLote) {
        Posiciones = lista(kPosicion, true);
        Lotes = lista(kLote, false);
    } else if (EsPosicion) {
        Posiciones = lista(kPosicion, true);
    }
    aceptado();
}

// ---- the cell editor's policy

void FrmLoteyPosicion::enterEnUltimaColumna(ui::FlexGrid& grid, bool ultimaFila) {
    if (ultimaFila) enfoca(GridCellEditor::Target::Accept);
    if (EsPosicionYLote) grid.setCol(kCant);
}

void FrmLoteyPosicion::enterEnOtraColumna(ui::FlexGrid& grid) {
    if (EsPosicionYLote) grid.setCol(grid.col() + 1);
}

void FrmLoteyPosicion::otroBoton(int index) {
    if (index != 3) return;
    ui::FlexGrid& g = MSFlexGrid1;
    g.setRow(0);
    for (long r = 1; r < g.rows(); ++r) g.setTextMatrix(r, kCant, "0");
    ProponeCantidades();
    g.setRow(g.rows() - 1);
    g.setCol(kCant);
}

bool FrmLoteyPosicion::campoValida(ui::TextBox& texto) {
    CampoValida(texto);
    return ErrorEnCampo;
}
