// The list pick-list window's keys, quantities, the stock-shortage report and what accept and cancel hand
// back to the lookup engine.

#include "lookup/Lib_FrmCons3.h"

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "platform/base/Conversions.h"
#include "platform/base/Format.h"
#include "platform/base/Regional.h"
#include "platform/base/Text.h"
#include "platform/os/Clock.h"
#include "platform/ui/Prompter.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int kEnter = 13;
constexpr int kBackspace = 8;
constexpr int kSpace = 32;
constexpr int kInsert = 45;
constexpr int kDelete = 46;
constexpr int kF12 = 123;
constexpr int kShift = 1;

constexpr const char* kUnDecimal = "########0.0";
constexpr const char* kDosDecimales = "########0.00";

// Quantities are written with the regional decimal separator, so they are read back with it ("." is
// read too).
std::string conPunto(std::string_view text) {
    std::string out(text);
    const char separador = base::regional().decimalSeparator;
    if (separador != '.') std::replace(out.begin(), out.end(), separador, '.');
    return out;
}

double cantidadDe(std::string_view text) {
    return base::leadingNumber(conPunto(text));
}

// Whether the text begins with a number (so that a 0 read from it is a 0 the operator typed).
bool empiezaConNumero(std::string_view text) {
    const std::string t = conPunto(base::trim(text));
    std::size_t at = 0;
    if (at < t.size() && (t[at] == '-' || t[at] == '+')) ++at;
    if (at < t.size() && t[at] == '.') ++at;
    return at < t.size() && std::isdigit(static_cast<unsigned char>(t[at]));
}

// Text a key types into a search box: printable characters only (control keys type none).
bool esTextoTecleado(std::string_view typed) {
    return !typed.empty() && std::none_of(typed.begin(), typed.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
}

}  // namespace

void Lib_FrmCons3::ListView1_KeyDown(int& KeyCode, int Shift, std::string_view typed) {
    base::ErrorTrap trap(tratamiento("ListView1_KeyDown"));
    long c = 0;
    trap.step([&] { c = IndiceColumna(kCabeceraCantidad) - 1; });
    if (trap.left()) return;
    ui::ListItem* fila = ListView1.selectedItem();

    if (KeyCode == kSpace && CheckBoxes) return;  // the list's own check box toggles
    if (KeyCode == kEnter) {
        KeyCode = 0;  // accepted here, so not once more by the default button
        CmdAceptar_Click();
        return;
    }
    if (KeyCode == kInsert && Shift == kShift && UsaCantidades) {
        if (fila) trap.step([&] { pideCantidad(*fila, c); });
        return;
    }
    if (KeyCode == kInsert && Shift == 0 && UsaCantidades) {
        if (!fila) return;
        trap.step([&] { fila->setSubItem(c, base::format(base::Value(cantidadDe(fila->subItem(c)) + 1), kUnDecimal)); });
        trap.step([&] { fila->setChecked(true); });
        return;
    }
    if (KeyCode == kDelete && Shift == 0 && UsaCantidades) {
        if (!fila) return;
        trap.step([&] { fila->setSubItem(c, base::format(base::Value(cantidadDe(fila->subItem(c)) - 1), kUnDecimal)); });
        trap.step([&] {
            if (cantidadDe(fila->subItem(c)) <= 0) {
                fila->setChecked(false);
                fila->setSubItem(c, base::format(base::Value(0.0), kDosDecimales));
            }
        });
        return;
    }
    // Any other key that types something searches with it in the box last used. The character comes from
    // what the key types, so keypad digits are digits, and Backspace takes the last character back.
    if (KeyCode == kBackspace || esTextoTecleado(typed)) {
        trap.step([&] {
            const int indice = IndiceBusquedaActual;
            std::string texto = CmbSearch.at(static_cast<std::size_t>(indice)).text();
            if (KeyCode == kBackspace) {
                if (!texto.empty()) texto = base::left(texto, base::length(texto) - 1);
            } else {
                texto += typed;
            }
            setSearchText(indice, std::move(texto));
            setFocus({Focus::Kind::SearchBox, indice});
        });
    }
}

// Shift+Insert: the operator types the quantity. An empty answer (or Cancel) and a text that is no number
// leave the row as it was; 0 clears the quantity and the tick, as Delete does when it reaches 0.
void Lib_FrmCons3::pideCantidad(ui::ListItem& row, long c) {
    const std::string respuesta =
        base::trim(programPrompter().inputBox("Ingrese la Cantidad del Articulo...", "Carga de Datos", row.subItem(c)));
    if (respuesta.empty()) return;
    const double cantidad = cantidadDe(respuesta);
    if (cantidad != 0) {
        row.setSubItem(c, base::format(base::Value(cantidad), kDosDecimales));
        row.setChecked(true);
    } else if (empiezaConNumero(respuesta)) {
        row.setSubItem(c, base::format(base::Value(0.0), kDosDecimales));
        row.setChecked(false);
    }
}

void Lib_FrmCons3::Form_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode != kF12 || !EsConsultaArticulos) return;
    KeyCode = 0;
    informaFaltante();
}

// F12 on an articles list: the selected article is reported short of stock.
void Lib_FrmCons3::informaFaltante() {
    ui::ListItem* fila = ListView1.selectedItem();
    if (!fila) return;  // no article to report
    auto celda = [&](std::string_view columna) -> std::string {
        const long k = IndiceColumna(columna);
        if (k == 1) return fila->text();
        if (k > 1) return fila->subItem(k - 1);
        return {};
    };
    const std::string id = celda("idarticulo");
    const std::string descripcion = celda("Descripcion");
    const int respuesta = programPrompter().msgBox("Desea informar el articulo " + base::trim(id) + " " +
                                                       base::trim(descripcion) + "\r\n" + "como un faltante de stock?",
                                                   ui::vbQuestion | ui::vbYesNo, "Atención!");
    if (respuesta != ui::vbYes) return;
    base::ErrorTrap trap(tratamiento("Form_KeyDown"));
    trap.step([&] {
        DB_Dll& erp = gDB_Dll();
        std::string sentencia = "INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values(" +
                                erp.SQLValue(base::Value(programClock().now())) + "," +
                                erp.SQLValue(base::Value(Utilidades_.RellenaCodigo(id, 25))) + "," +
                                erp.SQLValue(base::Value(base::trim(descripcion))) + "," +
                                erp.SQLValue(base::Value(erp.gUsuario)) + ")";
        erp.EjecutaConsultaSQL(sentencia);
        // The operator must know when the shortage was not recorded.
        if (!erp.gCnn.errors().empty()) {
            const db::ProviderError& error = erp.gCnn.errors().item(0);
            throw base::Error(error.nativeError ? error.nativeError : error.number, error.description, "Lib_FrmCons3");
        }
    });
}

void Lib_FrmCons3::ListView1_DblClick() {
    CmdAceptar_Click();
}

std::string Lib_FrmCons3::valorDeColumna(const ui::ListItem& row, std::string_view name) const {
    const long k = IndiceColumna(name);
    if (k == 1) return row.text();
    if (k > 1) return row.subItem(k - 1);
    return {};
}

void Lib_FrmCons3::CmdAceptar_Click() {
    base::ErrorTrap trap(tratamiento("CmdAceptar_Click"));
    if (CheckBoxes) {
        trap.step([&] {
            if (CampoDevuelto.empty()) CampoDevuelto = ListView1.column(1).text;
        });
        for (long i = 1; i <= ListView1.itemCount() && !trap.left(); ++i) {
            trap.step([&] {
                const ui::ListItem& fila = ListView1.item(i);
                if (fila.checked()) Valores.push_back(valorDeColumna(fila, CampoDevuelto));
            });
        }
        if (!trap.left()) Hide();
        return;
    }
    const ui::ListItem* fila = ListView1.selectedItem();
    if (!fila) {
        Hide();
        return;
    }
    std::optional<std::string> valor;
    for (const std::string& nombre : CmpsDevueltos) {
        trap.step([&] {
            valor = valorDeColumna(*fila, nombre);
            Valores.push_back(*valor);
        });
        if (trap.left()) return;
    }
    trap.step([&] {
        if (!base::trim(CampoDevuelto).empty()) valor = valorDeColumna(*fila, CampoDevuelto);
    });
    trap.step([&] { ValorDevuelto = valor ? base::Value(*valor) : base::Value(); });
    if (!trap.left()) Hide();
}

void Lib_FrmCons3::CmdCancelar_Click() {
    // The engine gets empty results, never missing ones.
    ValorDevuelto = std::string();
    CmpsDevueltos.clear();
    Valores.clear();
    Hide();
}

void Lib_FrmCons3::Hide() {
    hidden_ = true;
    if (observer_) observer_->formHidden();
}
