// The voucher screens' grids: tasks, article lines, other concepts and control totals, and the edit box
// that floats over a cell while it is edited. Each layout is a table of columns; the article-line layout
// then moves width between its columns in five adjustments, run at fixed points of the pass. Other
// operations address the article lines by column number, so that grid always gets all 92 columns.

#include "stock/ClsCmnCptes.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/Error.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/db/AdoCodes.h"
#include "platform/db/Recordset.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextMeasurer.h"

#include <fmt/format.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// One column of a layout. The column is as wide as `medida` measures: W(n), a caption such as
// "Nro. de Lote", or "" for a hidden column.
struct Columna {
    long indice;
    std::string titulo;
    std::string medida;
    bool aLaIzquierda = false;
};

// The width of n capital X's, the unit the layouts are drawn in.
std::string W(int n) { return std::string(static_cast<std::size_t>(n), 'X'); }
const std::string kOculta;

// Taken back from the description when the stock layout gives it the price column's width.
constexpr long kMargenStock = 480;

void disponeColumna(ui::FlexGrid& grid, const Columna& columna, const ui::TextMeasurer& obj)
{
    grid.setTextArray(columna.indice, columna.titulo);
    grid.setColWidth(columna.indice, obj.textWidth(columna.medida));
    if (columna.aLaIzquierda) grid.setColAlignment(columna.indice, ui::FlexGrid::LeftCenter);
}

void disponeColumnas(ui::FlexGrid& grid, const std::vector<Columna>& columnas, const ui::TextMeasurer& obj)
{
    for (const Columna& columna : columnas) disponeColumna(grid, columna, obj);
}

void reinicia(ui::FlexGrid& grid, long filas, long columnas)
{
    grid.clear();
    grid.setRows(filas);
    grid.setCols(columnas);
}

void sumaAncho(ui::FlexGrid& grid, long columna, long ancho) { grid.setColWidth(columna, grid.colWidth(columna) + ancho); }

// Hides `desde` and gives its width to `hacia`.
void pasaAncho(ui::FlexGrid& grid, long desde, long hacia)
{
    sumaAncho(grid, hacia, grid.colWidth(desde));
    grid.setColWidth(desde, 0);
}

// What the layouts depend on, settled before any grid is touched.
struct Condiciones {
    std::string tc;  // trimmed
    bool stock = false;
    bool ventas = false;
    bool muestraDeposito = false;
    bool ocultaImportes = false;
    bool maderera = false;
    bool confirmaUDEquiv = false;
    bool listaPorItem = false;
    bool descuentoPorArticulo = false;
    std::string tituloArticulo;

    bool esTipo(std::string_view tipo) const { return base::equalsIgnoringCase(tc, tipo); }
};

bool activado(std::string_view clave) { return base::equalsIgnoringCase(LeeConfiguracion(clave), "SI"); }

// The system the voucher type belongs to ("STOCK", "VENTAS", ...). Every layout depends on it, so a type
// without its row stops here, before a grid is cleared.
std::string sistemaDelTipo(const std::string& tc)
{
    std::string sentencia = "SELECT SISTEMA FROM V_TA_CPTE WHERE CODIGO = " +
                            gDB_Dll().SQLValue(base::Value(gUtilidades().RellenaCodigo(tc, 4)));
    db::Recordset registro;
    gDB_Dll().AbrirRecordset(sentencia, registro);
    if (registro.eof())
        throw base::Error(db::adoerror::kNoCurrentRecord,
                          fmt::format("El tipo de comprobante \"{}\" no está en la tabla V_TA_CPTE; no se pueden "
                                      "preparar las grillas del comprobante",
                                      tc),
                          "InicializaGrids");
    return base::trim(gUtilidades().NuloACadena(registro.field("SISTEMA").value()));
}

Condiciones condicionesDe(std::string_view TC)
{
    Condiciones c;
    c.tc = base::trim(TC);
    const std::string sistema = sistemaDelTipo(c.tc);
    c.stock = base::equalsIgnoringCase(sistema, "STOCK");
    c.ventas = base::equalsIgnoringCase(sistema, "VENTAS");

    c.muestraDeposito = activado("PideDepositoEnCptes");
    if (c.esTipo("OP") || c.esTipo("OC")) {
        c.ocultaImportes = true;
    } else if (c.esTipo("OT")) {
        c.ocultaImportes = activado("NoMostrarImportesEnOT");
        c.muestraDeposito = false;
    } else if (c.esTipo("PR")) {
        c.muestraDeposito = false;
    }
    c.maderera = c.ventas && gMaderera;

    std::string titulo = base::trim(LeeConfiguracion("NombreArticulos"));
    if (titulo.empty()) titulo = "Código";
    c.tituloArticulo = base::properCase(titulo);

    c.confirmaUDEquiv = activado("ConfirmaUDEquiv");
    c.listaPorItem = activado("V_ListaPreciosPorItemArticulos");
    c.descuentoPorArticulo = activado("V_DescuentoPorArticulos");
    return c;
}

// --- tasks

void disponeTareas(ui::FlexGrid& grid, ui::TextBox* edicion, const Condiciones& c, const ui::TextMeasurer& obj)
{
    reinicia(grid, 2, 16);
    disponeColumnas(grid,
                    {{0, "Código", W(7)},
                     {1, "Descripción", W(37), true},
                     {2, "Horas", W(7)},
                     {3, "Valor/Hora", W(11)},
                     {4, "Total", W(11)}},
                    obj);
    if (c.ocultaImportes) {
        pasaAncho(grid, 3, 1);
        pasaAncho(grid, 4, 1);
        if (c.esTipo("OT")) pasaAncho(grid, 2, 1);
    }
    disponeColumnas(grid,
                    {{6, "ImporteSinIVA", kOculta},
                     {7, "AuxObservAdic", kOculta},
                     {5, "AuxEsExento", kOculta},
                     {8, "AuxFechaInicio", kOculta},
                     {9, "AuxFechaFin", kOculta},
                     {10, "AuxIdTecnico", kOculta},
                     {11, "CodigoOriginal", kOculta},
                     {12, "AuxFechaREALInicio", kOculta},
                     {13, "AuxFechaREALFin", kOculta},
                     {14, "AuxCuentaContable", kOculta},
                     {15, "AuxTasaIVA", kOculta}},
                    obj);
    grid.refresh();
    if (edicion) edicion->visible = false;
}

// --- article lines

constexpr long kColumnasArticulos = 92;

// Captions of the hidden article columns from 19 on; a column not listed has none.
const std::map<long, std::string> kTitulosOcultosArticulos = {
    {19, "AuxPideSerie"},       {20, "AuxPidelote"},
    {21, "AuxNroLote"},         {22, "AuxNroSerie"},
    {23, "AuxRestoPorAplicar"}, {24, "AuxTipoArticulo"},
    {25, "AuxRubroArticulo"},   {26, "AuxListaConIVA"},
    {27, "AuxPrecioConIVA"},    {28, "AuxCantidadInsumo"},
    {29, "AuxImporteDescuentoArticulo"},
    {30, "AuxTipoCoeficiente"}, {31, "AuxStockDisponible"},
    {32, "AuxStockMinimo"},     {33, "AuxTasaIVA"},
    {34, "AuxCpteOrigen"},      {35, "AuxIdCpteOrigen"},
    {36, "Lote_Origen"},        {37, "Lote_Aduana"},
    {83, "PideMedidas"},        {84, "LargoAnt"},
    {88, "EnComodato"},         {89, "MKBaseFamilia"},
    {90, "CodError"},           {91, "AuxCodigoPercepcion"},
};

// The article columns in the order they are set: 0 to 18, then 40, then the rest.
std::vector<Columna> columnasArticulos(const Condiciones& c)
{
    std::vector<Columna> columnas = {
        {0, c.tituloArticulo, W(15), true},
        {1, "Descripción", W(c.stock ? 39 : 29), true},
        {2, "Lista", kOculta},
        {3, "", kOculta},  // thickness, width, price unit and price per unit: lumber mode shows them
        {4, "", kOculta},
        {5, "UD", W(4)},
        {6, "Dep.", c.muestraDeposito ? W(4) : kOculta},
        {7, "Cant.", W(6)},
        {8, "AuxCoeficiente", kOculta},
        {9, c.confirmaUDEquiv ? "UDEquiv" : "", c.confirmaUDEquiv ? W(7) : kOculta},
        {10, c.confirmaUDEquiv ? "Cant. Equiv" : "", c.confirmaUDEquiv ? W(9) : kOculta},
        {11, "", kOculta},  // the discount: captioned with the price column
        {12, "", kOculta},
        {13, "", kOculta},
        {14, "Importe", W(11)},
        {15, "Total", kOculta},
        {16, "AuxEsExento", kOculta},
        {17, "AuxPrecioSinIVA", kOculta},
        {18, c.stock ? "" : "TOTAL", c.stock ? kOculta : W(10)},
        {40, c.stock ? "" : "Impuestos", c.stock ? kOculta : W(10)},
    };
    const bool lotesYSeries = c.esTipo("DVPE");
    for (long indice = 19; indice < kColumnasArticulos; ++indice) {
        if (indice == 40) continue;
        if (lotesYSeries && indice == 21) {
            columnas.push_back({21, "Nro. Lote", "Nro. de Lote"});
        } else if (lotesYSeries && indice == 22) {
            columnas.push_back({22, "Nro. Serie", "Nro. de Serie"});
        } else {
            const auto titulo = kTitulosOcultosArticulos.find(indice);
            columnas.push_back({indice, titulo == kTitulosOcultosArticulos.end() ? "" : titulo->second, kOculta});
        }
    }
    return columnas;
}

// The adjustments that move width into the description, each run right after the column it follows.
using Ajuste = std::function<void(ui::FlexGrid&, const Condiciones&, const ui::TextMeasurer&)>;

const std::map<long, Ajuste> kAjustesArticulos = {
    // A price list per line takes its room from the code and the description.
    {2,
     [](ui::FlexGrid& grid, const Condiciones& c, const ui::TextMeasurer& obj) {
         if (!(c.listaPorItem && c.ventas)) return;
         sumaAncho(grid, 0, -obj.textWidth(W(1)));
         sumaAncho(grid, 1, -obj.textWidth(W(3)));
         grid.setColWidth(2, obj.textWidth(W(4)));
     }},
    // A discount per line likewise, and from the price.
    {14,
     [](ui::FlexGrid& grid, const Condiciones& c, const ui::TextMeasurer& obj) {
         grid.setTextArray(11, c.stock ? "" : "% Dto.");
         grid.setColWidth(11, 0);
         if (c.stock || !(c.descuentoPorArticulo && c.ventas)) return;
         sumaAncho(grid, 14, -obj.textWidth(W(1)));
         sumaAncho(grid, 0, -obj.textWidth(W(1)));
         sumaAncho(grid, 1, -obj.textWidth(W(3)));
         grid.setColWidth(11, obj.textWidth(W(5)));
     }},
    // Hidden amounts give their room to the description.
    {18,
     [](ui::FlexGrid& grid, const Condiciones& c, const ui::TextMeasurer&) {
         if (!c.ocultaImportes) return;
         pasaAncho(grid, 14, 1);
         pasaAncho(grid, 15, 1);
         pasaAncho(grid, 18, 1);
     }},
    // A stock voucher shows no prices: the description takes the price columns' room, less a margin
    // taken even when the price column is already hidden, and unit and quantity widen.
    {23,
     [](ui::FlexGrid& grid, const Condiciones& c, const ui::TextMeasurer& obj) {
         if (!c.stock) return;
         sumaAncho(grid, 1, grid.colWidth(14) - kMargenStock);
         grid.setColWidth(14, 0);
         pasaAncho(grid, 15, 1);
         sumaAncho(grid, 5, obj.textWidth("XXXX"));
         sumaAncho(grid, 7, obj.textWidth("XXXXXXX"));
     }},
    // Lumber is priced by its measures instead of the ordinary price.
    {82,
     [](ui::FlexGrid& grid, const Condiciones& c, const ui::TextMeasurer& obj) {
         if (c.maderera) {
             for (const Columna& columna : {Columna{3, "Espesor", "XXXXXXX"}, Columna{4, "Ancho", "XXXXXXX"},
                                            Columna{8, "Largo", "XXXXXXX"}, Columna{12, "UD", "XXXX"},
                                            Columna{13, "Importe", "XXXXXXXXX"}})
                 disponeColumna(grid, columna, obj);
             grid.setColWidth(14, 0);
         } else {
             for (long indice : {3, 4, 12, 13}) grid.setColWidth(indice, 0);
         }
     }},
};

void disponeArticulos(ui::FlexGrid& grid, ui::TextBox* edicion, const Condiciones& c, const ui::TextMeasurer& obj)
{
    reinicia(grid, 2, kColumnasArticulos);
    for (const Columna& columna : columnasArticulos(c)) {
        disponeColumna(grid, columna, obj);
        const auto ajuste = kAjustesArticulos.find(columna.indice);
        if (ajuste != kAjustesArticulos.end()) ajuste->second(grid, c, obj);
    }
    grid.refresh();
    if (edicion) edicion->visible = false;
}

// --- other concepts and control totals

void disponeOtrosConceptos(ui::FlexGrid& grid, ui::TextBox* edicion, const Condiciones& c,
                           const ui::TextMeasurer& obj)
{
    if (edicion) edicion->text.clear();
    reinicia(grid, 2, 6);
    disponeColumnas(grid,
                    {{0, "Detalle", W(49), true},
                     {1, "Importe S/Iva", W(11)},
                     {2, "Importe", W(11)},
                     {3, "Cuenta", kOculta}},
                    obj);
    if (c.ocultaImportes) {
        pasaAncho(grid, 1, 0);
        pasaAncho(grid, 2, 0);
    }
    disponeColumnas(grid, {{5, "", kOculta}, {4, "", kOculta}}, obj);
}

void disponeControl(ui::FlexGrid& grid, const ui::TextMeasurer& obj)
{
    reinicia(grid, 5, 3);
    disponeColumnas(grid, {{0, "Descripcion", W(50), true}, {1, "Cantidad ITEM'S", W(15)}, {2, "Cantidad", W(10)}},
                    obj);
}

// --- edit boxes

struct PropiedadesColumna {
    std::string_view dataField;
    long maxLength;
    std::string_view tag;
};

// By column, from 0.
const std::vector<PropiedadesColumna> kEdicionTareas = {
    {"IdTarea", 4, "v_ta_tareas"}, {"Descripcion", 0, ""}, {"HorasEstimadas", 0, ""},
    {"ValorHora", 0, ""},          {"Total", 0, ""},
};

const std::vector<PropiedadesColumna> kEdicionArticulos = {
    {"IdArticulo", 25, "v_ma_articulos"},
    {"Descripcion", 50, ""},
    {"IdListaPrecioArticulo", 4, "V_MA_PRECIOS"},
    {"Espesor", 0, ""},
    {"Ancho", 0, ""},
    {"IdUnidad", 4, "V_TA_UNIDAD"},
    {"IdDepositoArt", 4, "V_TA_DEPOSITO"},
    {"Cantidad", 0, ""},
    {"Largo", 0, ""},
    {"IdUnidadEquiv", 4, "V_TA_UNIDAD"},
    {"CantidadEquiv", 0, ""},
    {"PorcDtoArticulo", 0, ""},
    {"Ud_Pr", 4, "V_TA_UNIDAD"},
    {"Importe_Ud", 0, ""},
    {"ArtImporte", 0, ""},
    {"Total", 0, ""},
};

const std::vector<PropiedadesColumna> kEdicionOtrosConceptos = {
    {"OCDescripcion", 200, "MA_CUENTAS/SOLOIMPUTABLES"},
    {"OCImporteSinIva", 0, ""},
    {"OCImporte", 0, ""},
};

// The columns an edit box edits, known by the box's name; none for a box of another name.
const std::vector<PropiedadesColumna>* edicionDe(const std::string& nombre)
{
    const std::string n = base::trim(nombre);
    if (base::equalsIgnoringCase(n, "TxtEdit")) return &kEdicionTareas;
    for (std::string_view articulos : {"TxtEdit2", "TXTAUX1", "TXTAUX2"})
        if (base::equalsIgnoringCase(n, articulos)) return &kEdicionArticulos;
    if (base::equalsIgnoringCase(n, "TxtEdit3")) return &kEdicionOtrosConceptos;
    return nullptr;
}

}  // namespace

void ClsCmnCptes::TextPropiedades(ui::TextBox& Texto, long Columna)
{
    Texto.dataField.clear();
    Texto.tag.clear();
    Texto.maxLength = 0;
    const std::vector<PropiedadesColumna>* columnas = edicionDe(Texto.name);
    if (!columnas || Columna < 0 || Columna >= static_cast<long>(columnas->size())) return;
    const PropiedadesColumna& propiedades = (*columnas)[static_cast<std::size_t>(Columna)];
    Texto.dataField = propiedades.dataField;
    Texto.maxLength = propiedades.maxLength;
    Texto.tag = propiedades.tag;
}

void ClsCmnCptes::InicializaGrids(ui::FlexGrid* MSFlexGrid1, ui::FlexGrid* MSFlexGrid2, ui::FlexGrid* MSFlexGrid3,
                                  ui::TextBox* TxtEdit, ui::TextBox* txtEdit2, ui::TextBox* txtEdit3,
                                  const ui::TextMeasurer& Obj, std::string_view TC, ui::FlexGrid* MSFlexGrid4)
{
    const Condiciones condiciones = condicionesDe(TC);
    if (MSFlexGrid1) disponeTareas(*MSFlexGrid1, TxtEdit, condiciones, Obj);
    if (MSFlexGrid2) disponeArticulos(*MSFlexGrid2, txtEdit2, condiciones, Obj);
    if (MSFlexGrid3) disponeOtrosConceptos(*MSFlexGrid3, txtEdit3, condiciones, Obj);
    if (MSFlexGrid4) disponeControl(*MSFlexGrid4, Obj);
}
