// The list pick-list window: loading a statement into columns and rows, stock colours, the layout and the
// saved column widths.

#include "lookup/Lib_FrmCons3.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "lookup/ColumnWidthsFile.h"
#include "platform/base/Conversions.h"
#include "platform/base/Currency.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/db/AdoCodes.h"
#include "platform/ui/Prompter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

namespace {

const ui::FixedWidthTextMeasurer kMedidaFija;

// A stock level's colour: a number, or a text holding one (decimal or "&H" hexadecimal, as colours are
// written in the configuration table). Raises for a text that is no number.
ui::Color colorDe(const base::Value& valor) {
    if (valor.kind() == base::Value::Kind::Text) {
        std::string text = base::trim(valor.asText());
        if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
            if (text.back() == '&') text.pop_back();
            std::uint32_t color = 0;
            const auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), color, 16);
            if (error != std::errc() || end != text.data() + text.size()) {
                throw base::Error(base::errors::kTypeMismatch, "Type mismatch", "Lib_FrmCons3");
            }
            return color;
        }
    }
    return static_cast<ui::Color>(base::toInteger32(valor));
}

// A stock or reorder point as the colour table compares it; nothing when the article has none recorded.
std::optional<base::Currency> cantidadDeStock(const base::Value& valor) {
    if (valor.isNull() || valor.isEmpty()) return std::nullopt;
    if (valor.kind() == base::Value::Kind::Text && base::trim(valor.asText()).empty()) return std::nullopt;
    return valor.toCurrency();
}

}  // namespace

Lib_FrmCons3::Lib_FrmCons3() {
    ui::ComboBox& primera = CmbSearch.emplace_back();
    primera.toolTipText = "F5 realiza nueva busqueda";
    primera.tabIndex = 0;
    primera.width = 1215;
    primera.height = 315;
    Frame1.width = 4260;
    Frame1.height = 495;
    ListView1.onDblClick = [this] { ListView1_DblClick(); };
    ListView1.onColumnClick = [this](long column) { ListView1_ColumnClick(column); };
}

void Lib_FrmCons3::setTextMeasurer(const ui::TextMeasurer* measurer) {
    measurer_ = measurer;
}

base::ErrorHandler Lib_FrmCons3::tratamiento(const char* procedimiento) const {
    return [this, procedimiento](const base::Error& error) { return Utilidades_.MuestraError(error, {}, procedimiento); };
}

void Lib_FrmCons3::changed() {
    if (observer_) observer_->formChanged();
}

void Lib_FrmCons3::Form_Load() {
    base::ErrorTrap trap(tratamiento("FORM_LOAD"));
    trap.step([&] { EsConsultaArticulos = base::inStr(SQL, "articulos") > 0; });
    trap.step([&] {
        Valores.clear();
        Cantidades.clear();
    });
    trap.step([&] {
        FilaActual = nullptr;
        ListView1.clearItems();
    });
    // The blank lets the table name be found when it ends the statement.
    trap.step([&] { SQL += " "; });
    trap.step([&] {
        const long desde = base::inStr(SQL, "from");
        const long blanco = base::inStr(desde + 5, SQL, " ");
        TablaAnchos = base::trim(base::mid(SQL, desde + 4, blanco - desde - 4));
    });
    trap.step([&] {
        if (SentenciaInicial.empty()) SentenciaInicial = SQL;
    });
    trap.step([&] { SentenciaBase = SQL; });
    trap.step([&] { gDB_Dll().AbrirRecordset(SQL, RsConsulta); });
    trap.step([&] { ListView1.setCheckboxes(CheckBoxes); });
    trap.step([&] { Encolumnar(); });
    trap.step([&] { Leer(1, 0); });
    trap.step([&] {
        if (OrdenarPorLwv) ListView1.setSorted(true);
    });
    trap.step([&] {
        if (!base::trim(FiltroInicial).empty()) setSearchText(0, FiltroInicial);
    });
    trap.step([&] { gDB_Dll().CierraRecordset(RsConsulta); });
    trap.step([&] { LeeAnchosColumnas(); });
    trap.step([&] { CalcularAncho(); });
    trap.step([&] {
        if (observer_) observer_->formCentred();
    });
    changed();
}

void Lib_FrmCons3::Encolumnar() {
    try {
        ListView1.clearColumns();
        long tab = CmbSearch.front().tabIndex;
        const bool clasesDePrecio = base::inStr(SQL, "V_MA_ARTICULOS") > 0 || base::inStr(SQL, "STK_MA_ARTICULOS") > 0;
        const std::size_t campos = RsConsulta.fieldCount();
        for (std::size_t i = 0; i < campos; ++i) {
            db::Field campo = RsConsulta.field(i);
            long ancho = campo.definedSize();
            if (i > 0) {
                // A repeated load keeps the boxes it made before.
                if (i >= CmbSearch.size()) {
                    ui::ComboBox& nueva = CmbSearch.emplace_back();
                    const ui::ComboBox& modelo = CmbSearch.front();
                    nueva.toolTipText = modelo.toolTipText;
                    nueva.top = modelo.top;
                    nueva.width = modelo.width;
                    nueva.height = modelo.height;
                }
                CmbSearch[i].tabIndex = ++tab;
            }
            CmbSearch[i].dataField = campo.name();
            CmbSearch[i].visible = true;
            ancho = std::clamp(ancho, 0L, 60L);
            std::string cabecera = campo.name();
            if (clasesDePrecio && base::length(cabecera) == 7 && base::equalsIgnoringCase(base::left(cabecera, 6), "PRECIO")) {
                const std::string digito = base::right(cabecera, 1);
                if (digito >= "1" && digito <= "8") cabecera = LeeConfiguracion("NOM_PCLASE" + digito);
            }
            const ui::TextMeasurer& medida = measurer_ ? *measurer_ : kMedidaFija;
            ListView1.addColumn(cabecera, ancho > 0 ? medida.textWidth(std::string(static_cast<std::size_t>(ancho), 'X')) : 0,
                                ui::ListView::Left);
        }
    } catch (const base::Error& error) {
        programPrompter().msgBox(error.description(), ui::vbOKOnly, "");
    }
}

void Lib_FrmCons3::Leer(std::int32_t /*Cdesde*/, std::int32_t /*Cuantas*/) {
    // The view rebuilds its rows once the window is idle, so adding rows needs no painting of its own.
    base::ErrorTrap trap(tratamiento("FORM_LOAD"));
    bool vacio = true;
    trap.step([&] {
        ContadorFilas = 0;
        vacio = RsConsulta.bof();
    });
    if (trap.left() || vacio) return;
    const bool colorea = base::equalsIgnoringCase(MuestraStock, "SI") && EsConsultaArticulos;
    while (!trap.left()) {
        bool fin = true;
        trap.step([&] { fin = RsConsulta.eof(); });
        if (fin || trap.left()) break;
        trap.step([&] { ++ContadorFilas; });
        base::Value color;
        if (EsConsultaArticulos) trap.step([&] { color = colorDeFila(); });
        FilaActual = nullptr;
        trap.step([&] {
            ui::ListItem& fila = ListView1.addItem(base::trim(Utilidades_.NuloACadena(RsConsulta.field(std::size_t{0}).value())));
            FilaActual = &fila;
            if (CheckBoxes && estaEnValoresDefault(valorDelCampoDevuelto())) fila.setChecked(true);
        });
        std::size_t campos = 0;
        trap.step([&] { campos = RsConsulta.fieldCount(); });
        const bool conColor = colorea && !base::trim(Utilidades_.NuloACadena(color)).empty();
        for (std::size_t j = 1; j < campos && !trap.left(); ++j) {
            trap.step([&] {
                if (!FilaActual) throw base::Error(91, "Object variable or With block variable not set", "Lib_FrmCons3");
                FilaActual->setSubItem(static_cast<long>(j),
                                       Utilidades_.RellenaCodigo(Utilidades_.NuloACadena(RsConsulta.field(j).value())));
            });
            if (conColor && FilaActual) {
                try {
                    const ui::Color valor = colorDe(color);
                    FilaActual->setBold(true);
                    FilaActual->setForeColor(valor);
                    FilaActual->setSubItemForeColor(static_cast<long>(j), valor);
                    FilaActual->setSubItemBold(static_cast<long>(j), true);
                } catch (const base::Error&) {
                }
            }
        }
        trap.step([&] { RsConsulta.moveNext(); });
    }
}

// The row's colour by its stock against its reorder point. A result without either column, or an article
// with neither recorded, gets none.
base::Value Lib_FrmCons3::colorDeFila() {
    base::Value puntoPedido, stock;
    try {
        puntoPedido = RsConsulta.field("PUNTOPEDIDO").value();
        stock = RsConsulta.field("Stock").value();
    } catch (const base::Error& error) {
        if (error.number() == db::adoerror::kNotFoundInCollection) return {};
        throw;
    }
    const auto pp = cantidadDeStock(puntoPedido);
    const auto s = cantidadDeStock(stock);
    if (!pp || !s) return {};
    const base::Currency cero;
    if (*pp == cero && *s > cero) return StkNivel1;
    if (*pp > cero && *s > *pp) return StkNivel2;
    if (*pp > cero && *s < *pp) return StkNivel3;
    return StkNivel4;
}

// The returned column's value in the current record; "" when the result has no such column, so that no
// row starts ticked.
std::string Lib_FrmCons3::valorDelCampoDevuelto() {
    try {
        return Utilidades_.NuloACadena(RsConsulta.field(CampoDevuelto).value());
    } catch (const base::Error& error) {
        if (error.number() == db::adoerror::kNotFoundInCollection) return {};
        throw;
    }
}

// Whole items of the list of default values: "1" ticks the row 1, not the row 10. The items are separated
// by commas, semicolons, "|" or line breaks.
bool Lib_FrmCons3::estaEnValoresDefault(std::string_view valor) const {
    const std::string buscado = base::trim(valor);
    if (buscado.empty()) return false;
    std::size_t desde = 0;
    while (desde <= ValoresDefault.size()) {
        const std::size_t hasta = std::min(ValoresDefault.find_first_of(",;|\r\n", desde), ValoresDefault.size());
        if (base::equalsIgnoringCase(base::trim(std::string_view(ValoresDefault).substr(desde, hasta - desde)), buscado)) {
            return true;
        }
        desde = hasta + 1;
    }
    return false;
}

void Lib_FrmCons3::placeSearchBoxes() {
    long total = 0;
    for (long i = 1; i <= ListView1.columnCount(); ++i) {
        const long ancho = ListView1.column(i).width;
        if (static_cast<std::size_t>(i - 1) < CmbSearch.size()) {
            ui::ComboBox& caja = CmbSearch[static_cast<std::size_t>(i - 1)];
            caja.left = ListView1.columnLeft(i);
            caja.width = ancho - 50;
        }
        total += ancho;
    }
    anchoColumnas_ = total;
    changed();
}

void Lib_FrmCons3::CalcularAncho() {
    placeSearchBoxes();
    const long total = anchoColumnas_;
    ListView1Bounds.width = total + 360;
    picFields.width = total + 360;
    HScroll1.width = total;
    HScroll1.max = picFields.width > 32700 ? 32700
                                           : static_cast<long>(base::roundHalfEven((picFields.width + 480) * 0.6));
    const long ancho = ListView1Bounds.width + 360 >= ScreenWidth ? ScreenWidth - 480 : ListView1Bounds.width + 280;
    setSize(ancho, Height);
}

void Lib_FrmCons3::setSize(long width, long height) {
    Width = width;
    Height = height;
    Form_Resize();
}

void Lib_FrmCons3::Form_Resize() {
    picFields.height = Height - Frame1.height - 480;
    ListView1Bounds.height = picFields.height - Frame1.height - 600;
    // The panel is never narrower than its columns: it slides under the window with the scroll bar, taking
    // the headers and the boxes over them along together.
    picFields.width = std::max(Width - 120, anchoColumnas_ + 360);
    ListView1Bounds.width = picFields.width - 20;
    Frame1.top = Height - Frame1.height - 420;
    HScroll1.top = picFields.height - HScroll1.height - 120;
    HScroll1.width = Width - 120;
    Frame1.left = Width / 2 - Frame1.width / 2;
    changed();
}

void Lib_FrmCons3::HScroll1_Change() {
    picFields.left = -HScroll1.value;
    changed();
}

void Lib_FrmCons3::ListView1_ColumnClick(long column) {
    try {
        ListView1.setSorted(true);
        ListView1.setSortKey(column - 1);
        ListView1.setSortOrder(ListView1.sortOrder() == ui::ListView::Ascending ? ui::ListView::Descending
                                                                                 : ui::ListView::Ascending);
    } catch (const base::Error&) {
    }
}

void Lib_FrmCons3::LeeAnchosColumnas() {
    try {
        const lookup::ColumnWidthsFile archivo = lookup::ColumnWidthsFile::inProgramFolder();
        if (!archivo.exists()) return;
        if (base::equalsIgnoringCase(TablaAnchos, "Stk_ma_articulos")) TablaAnchos = "VT_MA_ARTICULOS";
        for (std::string lista : archivo.widthListsOf(TablaAnchos)) {
            for (long i = 1; i <= ListView1.columnCount(); ++i) {
                // A list shorter than the columns leaves the rest as the field sizes made them.
                const std::size_t barra = lista.find('|');
                if (barra == std::string::npos) break;
                const long ancho = static_cast<long>(base::roundHalfEven(Utilidades_.ValorNumerico(lista.substr(0, barra)).toDouble()));
                ListView1.setColumnWidth(i, ancho);
                if (static_cast<std::size_t>(i - 1) < CmbSearch.size()) {
                    CmbSearch[static_cast<std::size_t>(i - 1)].left = ListView1.columnLeft(i);
                    CmbSearch[static_cast<std::size_t>(i - 1)].width = ancho;
                }
                lista.erase(0, barra + 1);
            }
        }
    } catch (const base::Error&) {
        // Widths that cannot be read leave the columns as they are.
    }
}

void Lib_FrmCons3::GuardaAnchosColumnas() {
    if (!GrabarCfg) return;
    std::vector<long> anchos;
    for (long i = 1; i <= ListView1.columnCount(); ++i) anchos.push_back(ListView1.column(i).width);
    lookup::ColumnWidthsFile::inProgramFolder().save(TablaAnchos, lookup::ColumnWidthsFile::widthList(anchos));
}

void Lib_FrmCons3::Form_Unload() {
    try {
        GuardaAnchosColumnas();
        FilaActual = nullptr;
        ListView1.clearItems();
    } catch (const base::Error& error) {
        programPrompter().msgBox(error.description(), ui::vbCritical, "Aviso al Operador");
    }
}
