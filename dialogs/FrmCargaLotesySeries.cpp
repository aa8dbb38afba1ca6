#include "dialogs/FrmCargaLotesySeries.h"

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "platform/base/Currency.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/base/Value.h"
#include "platform/db/AdoCodes.h"
#include "platform/ui/Prompter.h"
#include "stock/ClsCmnCptes.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kF2 = 113;
constexpr const char* kAviso = "Aviso al Operador";
constexpr long kNoRow = -1;

const std::string& separador() {
    static const std::string sep = base::characterOfCode(255);
    return sep;
}

// The text in lower case; plain ASCII, the usual code, without the general conversion's cost.
void agregaEnMinusculas(std::string& destino, std::string_view texto) {
    const bool ascii = std::all_of(texto.begin(), texto.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        destino += base::toLowerCase(texto);
        return;
    }
    for (const char c : texto) destino += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view recortado(std::string_view texto) {
    const std::size_t first = texto.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return texto.substr(first, texto.find_last_not_of(' ') - first + 1);
}

// The key of an outgoing row: trimmed lot, the separator and the trimmed series, without regard to case.
std::string clave(std::string_view lote, std::string_view serie) {
    std::string key;
    key.reserve(lote.size() + serie.size() + separador().size());
    agregaEnMinusculas(key, recortado(lote));
    key += separador();
    agregaEnMinusculas(key, recortado(serie));
    return key;
}

// The key of an item of a lot-and-series list; an item without the separator is a lot alone.
std::string claveDeItem(std::string_view item) {
    const std::size_t at = item.find(separador());
    if (at == std::string_view::npos) return clave(item, {});
    return clave(item.substr(0, at), item.substr(at + separador().size()));
}

// A list of nothing but bars and spaces holds no item.
bool sinItems(std::string_view lista) {
    return lista.find_first_not_of("| ") == std::string_view::npos;
}

bool esSeparadorSolo(std::string_view item) {
    return base::trim(item) == separador();
}

// The slots of a list as DescomponeSerieLote gives them, the vector sized once for them all.
std::vector<std::string> slotsDe(const std::string& lista) {
    std::vector<std::string> slots;
    slots.reserve(static_cast<std::size_t>(std::count(lista.begin(), lista.end(), '|')) + 1);
    ClsCmnCptes::DescomponeSerieLote(lista, slots);
    return slots;
}

// The items of a list, without the empty slot DescomponeSerieLote leaves at the end.
std::vector<std::string> itemsDe(const std::string& lista) {
    std::vector<std::string> items = slotsDe(lista);
    if (!items.empty()) items.pop_back();
    return items;
}

}  // namespace

FrmCargaLotesySeries::FrmCargaLotesySeries() : EntryGridForm("Numeros de Serie", "F2 &Aceptar") {}

long FrmCargaLotesySeries::ancho(long equis) const {
    return anchoDe(base::repeated(equis, "X"));
}

// ---- loading

void FrmCargaLotesySeries::CargaDatos() {
    base::ErrorTrap trap([](const base::Error& error) {
        gDB_Dll().registraError(error.description(), "CargaDatos", 0);
        return base::answers::kIgnore;
    });
    trap.step([&] { EsSerieYLote = EsSerie && EsLote; });
    trap.step([&] {
        const std::string deposito = "(Deposito: " + Deposito + ")";
        if (EsTalle) {
            Caption = "Talles, Colores, Sexo " + deposito;
            if (EsSerieYLote) EsSerieYLote = EsLote = false;
        } else if (EsSerieYLote) {
            Caption = "Números de Lote y Serie " + deposito;
        } else if (EsSerie) {
            Caption = "Números de Serie " + deposito;
        } else if (EsLote) {
            Caption = "Números de Lote " + deposito;
        }
    });
    trap.step([&] { lblArticulo.caption = base::properCase(ArticuloDescripcion); });
    trap.step([&] { InicializaGrid(); });
    trap.step([&] { VerificaAnteriores(); });
    trap.step([&] { VerificaExistenciasEnGrilla(); });
    changed();
}

void FrmCargaLotesySeries::InicializaGrid() {
    ui::FlexGrid& g = MSFlexGrid1;
    g.clear();
    filaDeClave_.clear();
    clavesDeFilas_.clear();
    if (EsConsultaDeSerieLote) {
        g.setCols(4);
        g.setFixedCols(2);
        g.setRows(1);
        g.setTextMatrix(0, 0, EsTalle ? "TALLE-COLOR-SEXO" : "LOTE");
        g.setTextMatrix(0, 1, "SERIE");
        g.setTextMatrix(0, 2, "CANT. STOCK");
        g.setTextMatrix(0, 3, "CANT. ");
        g.setColWidth(0, EsLote ? ancho(18) : 0);
        g.setColWidth(1, EsSerie ? ancho(15) : 0);
        g.setColWidth(2, ancho(12));
        g.setColWidth(3, ancho(12));
        g.setColAlignment(0, ui::FlexGrid::CenterTop);
        g.setColAlignment(1, ui::FlexGrid::CenterTop);
        return;
    }
    if (Cantidad < 0 || Cantidad > kMaximoUnidades)
        throw base::Error(base::errors::kInvalidProcedureCall, "Cantidad fuera de rango: " + base::doubleToText(Cantidad));
    long filas = static_cast<long>(base::roundHalfEven(Cantidad));
    if (Cantidad > 0 && filas < 1) filas = 1;
    g.setCols(4);
    g.setFixedCols(1);
    g.setRows(filas + 1);
    g.setColWidth(0, 0);
    g.setTextMatrix(0, 1, "ITEM");
    g.setColWidth(1, ancho(5));
    g.setColAlignment(1, ui::FlexGrid::CenterCenter);
    for (long r = 1; r <= filas; ++r) g.setTextMatrix(r, 1, std::to_string(r));
    g.setTextMatrix(0, 2, EsSerie && !EsSerieYLote ? "Número de Serie" : "Número de Lote");
    g.setColWidth(2, ancho(EsSerieYLote ? 25 : 35));
    g.setTextMatrix(0, 3, EsSerieYLote ? "Número de Serie" : "");
    g.setColWidth(3, EsSerieYLote ? ancho(25) : 0);
}

void FrmCargaLotesySeries::VerificaAnteriores() {
    if (EsConsultaDeSerieLote)
        cargaSalidas();
    else
        cargaEntradas();
}

void FrmCargaLotesySeries::cargaSalidas() {
    DB_Dll& db = gDB_Dll();
    Utilidades& u = gUtilidades();
    std::string sql = "SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = " +
                      db.SQLValue(base::Value(u.RellenaCodigo(Articulo, 25))) +
                      " AND CANTIDAD > 0  AND IDDEPOSITO = " + db.SQLValue(base::Value(u.RellenaCodigo(Deposito, 4))) +
                      " ORDER BY NROLOTE, NROSERIE ";
    db::Recordset rs;
    db.AbrirRecordset(sql, rs);
    if (rs.state() != db::kStateOpen) return;  // told by the error treatment; the grid keeps its header

    // The rows go straight into the grid, which grows with them when the count is not known beforehand.
    ui::FlexGrid& g = MSFlexGrid1;
    db::Field lote = rs.field("NroLote");
    db::Field serie = rs.field("NroSerie");
    db::Field cantidad = rs.field("Cantidad");
    // Room for the rows and the empty one after them, so that the grid is laid out once in the usual case.
    if (rs.recordCount() > 0) g.setRows(rs.recordCount() + 2);
    long filas = 0;
    for (; !rs.eof(); rs.moveNext()) {
        const long r = ++filas;
        if (r + 1 >= g.rows()) g.setRows(2 * r + 2);
        const base::Value& stock = cantidad.value();
        g.setTextMatrix(r, 0, base::trim(u.NuloACadena(lote.value())));
        g.setTextMatrix(r, 1, base::trim(u.NuloACadena(serie.value())));
        g.setTextMatrix(r, 2, stock.isNull() || stock.isEmpty() ? std::string() : base::doubleToText(stock.toDouble()));
    }
    const bool hayStock = filas > 0;

    const std::vector<std::string> items = Lotes.empty() ? std::vector<std::string>() : itemsDe(Lotes);
    indexaFilas(filas + 1, items.size() + 1);

    // Earlier choices whose lot or series is no longer in stock get rows of their own.
    std::vector<std::string> clavesDeItems;
    clavesDeItems.reserve(items.size());
    for (const std::string& item : items) clavesDeItems.push_back(claveDeItem(item));
    std::vector<std::size_t> idos;
    for (std::size_t p = 0; p < items.size(); ++p) {
        if (esSeparadorSolo(items[p]) || base::trim(items[p]).empty()) continue;
        if (filaDeClave_.contains(clavesDeItems[p])) continue;
        clavesDeFilas_.push_back(clavesDeItems[p]);
        filaDeClave_.emplace(clavesDeFilas_.back(), filas + 1 + static_cast<long>(idos.size()));
        idos.push_back(p);
    }
    g.setRows(filas + 1 + static_cast<long>(idos.size()) + (hayStock ? 1 : 0));
    for (std::size_t i = 0; i < idos.size(); ++i) {
        const long r = filas + 1 + static_cast<long>(i);
        const std::string& item = items[idos[i]];
        const std::size_t at = item.find(separador());
        g.setTextMatrix(r, 0, base::trim(item.substr(0, at)));
        if (at != std::string::npos) g.setTextMatrix(r, 1, base::trim(item.substr(at + separador().size())));
        g.setTextMatrix(r, 2, "0");
        g.setTextMatrix(r, 3, "0");
    }
    if (hayStock) {
        clavesDeFilas_.push_back(clave({}, {}));
        filaDeClave_.emplace(clavesDeFilas_.back(), g.rows() - 1);
    }

    if (!Lotes.empty()) {
        // The earlier quantities come back, on rows still in stock and on rows gone from it alike.
        const std::vector<std::string> cantidades = slotsDe(Series);
        std::unordered_map<std::string_view, std::size_t> posicion;
        posicion.reserve(items.size());
        for (std::size_t p = 0; p < items.size(); ++p) posicion.emplace(clavesDeItems[p], p);
        for (long r = 1; r < g.rows(); ++r) {
            const auto found = posicion.find(clavesDeFilas_[static_cast<std::size_t>(r)]);
            if (found == posicion.end()) continue;
            const std::string cantidad = found->second < cantidades.size() ? cantidades[found->second] : std::string();
            g.setTextMatrix(r, 3, base::doubleToText(u.ValorDoble(cantidad)));
        }
    } else if (hayStock) {
        CompletaCantidades();
    }
}

void FrmCargaLotesySeries::cargaEntradas() {
    if (EsSerieYLote) {
        reparte(LotesAnteriores, 2);
        reparte(SeriesAnteriores, 3);
    } else {
        reparte(SeriesAnteriores + LotesAnteriores, 2);
    }
}

// Spreads a list down a column from row 1, one item a row, as far as the grid goes.
void FrmCargaLotesySeries::reparte(const std::string& lista, long col) {
    if (sinItems(lista)) return;
    std::string texto = base::trim(lista);
    std::size_t desde = texto.starts_with('|') ? 1 : 0;
    ui::FlexGrid& g = MSFlexGrid1;
    for (long r = 1; r < g.rows(); ++r) {
        const std::size_t barra = texto.find('|', desde);
        if (barra == std::string::npos) break;
        g.setTextMatrix(r, col, texto.substr(desde, barra - desde));
        desde = barra + 1;
        if (base::trim(std::string_view(texto).substr(desde)).empty()) break;
    }
}

// The keys of rows 1 to `hasta` - 1, by row, and the first row of each key; room for `mas` keys more, so that
// the map's views of them stay put.
void FrmCargaLotesySeries::indexaFilas(long hasta, std::size_t mas) {
    const ui::FlexGrid& g = MSFlexGrid1;
    filaDeClave_.clear();
    clavesDeFilas_.clear();
    const std::size_t filas = static_cast<std::size_t>(std::max(hasta, 1L));
    clavesDeFilas_.reserve(filas + mas);
    filaDeClave_.reserve(filas + mas);
    clavesDeFilas_.emplace_back();
    for (long r = 1; r < hasta; ++r) {
        clavesDeFilas_.push_back(clave(g.textMatrix(r, 0), g.textMatrix(r, 1)));
        filaDeClave_.emplace(clavesDeFilas_.back(), r);
    }
}

// ---- proposal and checks

void FrmCargaLotesySeries::VerificaExistenciasEnGrilla() {
    if (!EsConsultaDeSerieLote) return;
    base::ErrorTrap trap([](const base::Error&) { return base::answers::kIgnore; });
    ui::FlexGrid& g = MSFlexGrid1;
    Utilidades& u = gUtilidades();
    trap.step([&] {
        if (LotesExistentes.empty()) return;
        const std::vector<std::string> tomados = itemsDe(LotesExistentes);
        const std::vector<std::string> cantidades = slotsDe(SeriesExistentes);
        // The load's keys serve while they are the grid's rows (the lots and series are never typed over).
        if (clavesDeFilas_.size() != static_cast<std::size_t>(g.rows())) indexaFilas(g.rows(), 0);
        for (std::size_t i = 0; i < tomados.size(); ++i) {
            if (esSeparadorSolo(tomados[i])) continue;
            const auto found = filaDeClave_.find(claveDeItem(tomados[i]));
            if (found == filaDeClave_.end()) continue;
            const double tomado = i < cantidades.size() ? u.ValorDoble(cantidades[i]) : 0.0;
            const long r = found->second;
            g.setTextMatrix(r, 2, base::doubleToText(u.ValorDoble(g.textMatrix(r, 2)) - tomado));
        }
    });
    trap.step([&] {
        if (!Lotes.empty()) return;
        for (long r = 1; r < g.rows(); ++r) g.setTextMatrix(r, 3, "0");
        ProponeCantidades();
    });
}

void FrmCargaLotesySeries::ProponeCantidades() {
    ui::FlexGrid& g = MSFlexGrid1;
    Utilidades& u = gUtilidades();
    double resto = Cantidad;
    if (g.rows() == 2) {
        g.setTextMatrix(1, 3, base::doubleToText(resto));
        return;
    }
    // The sum of the quantities is kept as rows change, rather than added up again for every row.
    double suma = SumaFilas(kNoRow);
    for (long i = 1; i < g.rows() && aCuatroDecimales(resto) != 0; ++i) {
        const double cantidad = u.ValorDoble(g.textMatrix(i, 3));
        const double stock = u.ValorDoble(g.textMatrix(i, 2));
        if (cantidad + resto <= stock) {
            g.setTextMatrix(i, 3, base::doubleToText(cantidad + resto));
            resto = 0;
        } else {
            // A row left with no stock, or less than none after what other lines take, gives nothing.
            const double toma = stock > 0 ? stock : 0.0;
            g.setTextMatrix(i, 3, base::doubleToText(toma));
            suma += toma - cantidad;
            resto = static_cast<double>(aCuatroDecimales(Cantidad - suma)) / 10000.0;
        }
    }
}

void FrmCargaLotesySeries::CompletaCantidades() {
    ui::FlexGrid& g = MSFlexGrid1;
    Utilidades& u = gUtilidades();
    double resto = Cantidad;
    for (long r = 1; r < g.rows(); ++r) {
        double v = u.ValorDoble(g.textMatrix(r, 2));
        if (v > resto) v = resto;
        if (v == 0 && resto > 0) v = resto;
        resto -= v;
        g.setTextMatrix(r, 3, base::doubleToText(v));
        if (!(resto > 0)) break;
    }
}

void FrmCargaLotesySeries::CompletaTodoIgual() {
    // Serial numbers are one per unit: the first one is never copied to the others.
    if (EsSerie && !EsSerieYLote) return;
    ui::FlexGrid& g = MSFlexGrid1;
    if (g.rows() < 2 || g.cols() < 3) return;
    const std::string primero = base::trim(g.textMatrix(1, 2));
    for (long r = 1; r < g.rows(); ++r)
        if (base::trim(g.textMatrix(r, 2)).empty()) g.setTextMatrix(r, 2, primero);
}

void FrmCargaLotesySeries::rechaza(std::string_view mensaje) {
    ValorRechazado = true;
    programPrompter().msgBox(mensaje, ui::vbCritical, kAviso);
}

void FrmCargaLotesySeries::CampoValida(ui::TextBox& Texto) {
    ValorRechazado = false;
    const std::string texto = base::trim(Texto.text);
    const std::string campo = base::trim(Texto.dataField);
    ui::FlexGrid& g = MSFlexGrid1;
    Utilidades& u = gUtilidades();
    if (base::equalsIgnoringCase(campo, "Cantidad")) {
        if (!EsConsultaDeSerieLote) return;
        const double v = u.ValorDoble(texto);
        if (v < 0) return rechaza(kCantidadNegativa);
        if (v != std::nearbyint(v)) return rechaza("No Puede Informase Cantidades que no Sean Enteras");
        const long r = g.row();
        const bool nombraAlgo = !base::trim(g.textMatrix(r, 0)).empty() || !base::trim(g.textMatrix(r, 1)).empty();
        const double stock = u.ValorNumerico(g.textMatrix(r, 2)).toDouble();
        if (nombraAlgo && aCuatroDecimales(v) > aCuatroDecimales(stock))
            return rechaza("La Cantidad supera a la cantidad disponible en Stock");
        return;
    }
    if (g.row() == 1) {
        g.setText(texto);
        CompletaTodoIgual();
    }
}

double FrmCargaLotesySeries::SumaFilas(long MenosCual) const {
    const ui::FlexGrid& g = MSFlexGrid1;
    Utilidades& u = gUtilidades();
    double suma = 0;
    if (g.cols() < 4) return suma;
    for (long r = 1; r < g.rows(); ++r)
        if (r != MenosCual) suma += u.ValorDoble(g.textMatrix(r, 3));
    return suma;
}

bool FrmCargaLotesySeries::ValidaCantidadCantidadPedida() const {
    return aCuatroDecimales(SumaFilas(kNoRow)) == aCuatroDecimales(Cantidad);
}

// ---- accept and cancel

std::string FrmCargaLotesySeries::listaDeColumna(long col) const {
    const ui::FlexGrid& g = MSFlexGrid1;
    std::string lista = "|";
    for (long r = 1; r < g.rows(); ++r) {
        const std::string_view item = recortado(g.textMatrix(r, col));
        lista += item.empty() ? std::string_view("-") : item;
        lista += '|';
    }
    return sinItems(lista) ? std::string() : lista;
}

void FrmCargaLotesySeries::construyeListasSalida() {
    const ui::FlexGrid& g = MSFlexGrid1;
    std::string lotes = "|";
    for (long r = 1; r < g.rows(); ++r) {
        lotes += recortado(g.textMatrix(r, 0));
        lotes += separador();
        lotes += recortado(g.textMatrix(r, 1));
        lotes += '|';
    }
    Lotes = sinItems(lotes) ? std::string() : lotes;
    Series = listaDeColumna(3);
}

void FrmCargaLotesySeries::CmdAceptar_Click() {
    if (!pliegaCaja()) return;
    if (EsConsultaDeSerieLote) {
        if (!ValidaCantidadCantidadPedida() &&
            !ajustaPedida(SumaFilas(kNoRow), Cantidad, MostrarForm, "El Stock es Menor a la cantidad solicitada "))
            return;
        construyeListasSalida();
    } else {
        CompletaTodoIgual();
        if (EsSerieYLote) {
            Lotes = listaDeColumna(2);
            Series = listaDeColumna(3);
        } else if (EsLote) {
            Lotes = listaDeColumna(2);
            Series.clear();
        } else {
            Series = listaDeColumna(2);
            Lotes.clear();
        }
    }
    aceptado();
}

void FrmCargaLotesySeries::Form_KeyDown(int& KeyCode) {
    if (KeyCode == kF2) CmdAceptar_Click();
}

// ---- the cell editor's policy

bool FrmCargaLotesySeries::abreCaja(long col) const {
    return !EsConsultaDeSerieLote || col == 3;
}

bool FrmCargaLotesySeries::esColumnaCantidad(long col) const {
    return EsConsultaDeSerieLote && (col == 2 || col == 3);
}

long FrmCargaLotesySeries::ultimaColumna(const ui::FlexGrid& grid) const {
    long ultima = (EsSerieYLote || EsConsultaDeSerieLote) ? 3 : 2;
    if (grid.cols() == 2) ultima = 1;
    return ultima;
}

void FrmCargaLotesySeries::enterEnUltimaColumna(ui::FlexGrid& grid, bool ultimaFila) {
    if (ultimaFila) grid.setCol(1);
    if (EsSerieYLote) grid.setCol(2);
    if (EsConsultaDeSerieLote) grid.setCol(3);
}

void FrmCargaLotesySeries::enterEnOtraColumna(ui::FlexGrid& grid) {
    if (EsSerieYLote && grid.cols() != grid.col() + 1) grid.setCol(grid.col() + 1);
    if (EsConsultaDeSerieLote) grid.setCol(3);
}

bool FrmCargaLotesySeries::botonesEn(long col) const {
    return !EsConsultaDeSerieLote || col == 3;
}

bool FrmCargaLotesySeries::campoValida(ui::TextBox& texto) {
    CampoValida(texto);
    return ValorRechazado;
}
