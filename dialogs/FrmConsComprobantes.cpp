// The voucher query window: its load (the pending pseudo-types, the statement, the rows and their
// images), its columns, and the operator's acceptance, cancellation and sorting.

#include "dialogs/FrmConsComprobantes.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "numbering/NumberingQueries.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <array>
#include <cctype>

namespace {

const ui::FixedWidthTextMeasurer kMedidaFija;

struct SeudoTipo {
    std::string_view dado;
    std::string_view tipo;
    bool pendiente;
};

constexpr std::array<SeudoTipo, 6> kSeudoTipos{{
    {"RM/PENDIENTES", "RM", true},
    {"NP/PENDIENTES", "NP", true},
    {"OT/PENDIENTES", "OT", true},
    {"RM/PENDIENTES_COMPRAS", "RMC", true},
    {"PR/PENDIENTES", "PR", true},
    {"FC/ANTICIPOS", "FC", false},
}};

bool esLetraDePalabra(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || u >= 0x80;
}

// The filter without the word "where" where it stands as a word of its own outside quoted values: a
// caller's "where CUENTA = '1'" becomes " CUENTA = '1'", while a name such as 'Somewhere' is left whole.
std::string sinWhere(const std::string& filtro) {
    std::string resultado;
    bool enLiteral = false;
    std::size_t i = 0;
    while (i < filtro.size()) {
        const char c = filtro[i];
        if (c == '\'') enLiteral = !enLiteral;
        if (!enLiteral && i + 5 <= filtro.size() && base::equalsIgnoringCase(filtro.substr(i, 5), "where") &&
            (i == 0 || !esLetraDePalabra(filtro[i - 1])) &&
            (i + 5 == filtro.size() || !esLetraDePalabra(filtro[i + 5]))) {
            i += 5;
            continue;
        }
        resultado += c;
        ++i;
    }
    return resultado;
}

bool estaActiva(std::string_view clave) {
    return base::equalsIgnoringCase(LeeConfiguracion(clave), "SI");
}

}  // namespace

FrmConsComprobantes::FrmConsComprobantes() : ImageList1(consulta::etiquetasImagenes()) {
    ListView1.onDblClick = [this] { ListView1_DblClick(); };
    ListView1.onColumnClick = [this](long column) { ListView1_ColumnClick(column); };
    ListView1.onKeyDown = [this](int& keyCode, int shift) { ListView1_KeyDown(keyCode, shift); };
}

int FrmConsComprobantes::ObtieneIndiceImagen(std::string_view Tag) const {
    const std::string buscada = base::trim(Tag);
    for (std::size_t i = 0; i < ImageList1.size(); ++i) {
        if (base::equalsIgnoringCase(base::trim(ImageList1[i]), buscada)) return static_cast<int>(i) + 1;
    }
    return base::equalsIgnoringCase(buscada, "Generico") ? 0 : ObtieneIndiceImagen("Generico");
}

void FrmConsComprobantes::Encolumnar() {
    base::ErrorTrap trap = numbering::trampa("Encolumnar");
    trap.step([&] { ListView1.clearColumns(); });
    const ui::TextMeasurer& medida = measurer_ ? *measurer_ : kMedidaFija;
    for (const consulta::Columna& columna : consulta::grupoColumnas(TC).columnas) {
        if (columna.soloConReferencia && !UsaReferencia) continue;
        trap.step([&] {
            ListView1.addColumn(std::string(columna.cabecera),
                                medida.textWidth(std::string(static_cast<std::size_t>(columna.equis), 'X')));
        });
        if (trap.left()) return;
    }
}

void FrmConsComprobantes::Form_Load() {
    base::ErrorTrap trap([](const base::Error& error) { return gDB_Dll().TratamientoErrores(error); });
    busquedaFallida_ = false;
    hidden_ = false;
    trap.step([&] {
        itmX = nullptr;
        ListView1.clearItems();
    });
    trap.step([&] {
        ListView1.multiSelect = false;
        ListView1.setCheckboxes(false);
    });
    trap.step([&] {
        UsaReferencia = estaActiva("UsaReferenciaPresupuestos");
        Pendiente = false;
    });
    trap.step([&] {
        for (const SeudoTipo& seudo : kSeudoTipos) {
            if (base::equalsIgnoringCase(base::trim(TC), seudo.dado)) {
                TC = seudo.tipo;
                Pendiente = seudo.pendiente;
            }
        }
    });
    trap.step([&] {
        if (numbering::esTipo(TC, {"OC"})) ListView1.setCheckboxes(true);
    });
    trap.step([&] { Encolumnar(); });
    trap.step([&] {
        if (observer_) observer_->formCentred();
    });
    trap.step([&] {
        if (numbering::esTipo(TC, {"OC"})) Filtro = sinWhere(Filtro);
        consulta::Seleccion seleccion{TC, Pendiente, !base::trim(Filtro).empty(), false, false};
        if (numbering::esTipo(TC, {"RM"}) && Pendiente) {
            seleccion.remitoContado = estaActiva("UsaRemitoContado");
            if (!seleccion.conFiltro) seleccion.entregaParcial = estaActiva("EntregaParcialRemito");
        }
        Sentencia = consulta::armaSentencia(consulta::filaSentencia(seleccion), numbering::codigo4(TC), Filtro);
    });
    trap.step([&] { gDB_Dll().AbrirRecordset(Sentencia, Rs); });
    bool vacio = true;
    trap.step([&] { vacio = Rs.bof(); });
    if (!trap.left() && !vacio) {
        const consulta::FilaRelleno& relleno = consulta::filaRelleno(TC);
        while (!trap.left()) {
            bool fin = true;
            trap.step([&] { fin = Rs.eof(); });
            if (fin || trap.left()) break;
            agregaFila(trap, relleno);
            bool movido = false;
            trap.step([&] {
                Rs.moveNext();
                movido = true;
            });
            if (!movido) break;
        }
    }
    trap.step([&] { gDB_Dll().CierraRecordset(Rs); });
}

// One list row for the recordset's current row: the text of the first column, then a sub-item for
// every other column, each the value its caption names.
void FrmConsComprobantes::agregaFila(base::ErrorTrap& trap, const consulta::FilaRelleno& relleno) {
    auto cabecera = [this](long i) { return i <= ListView1.columnCount() ? ListView1.column(i).text : std::string(); };
    itmX = nullptr;
    trap.step([&] {
        const consulta::Celda* primera =
            ListView1.columnCount() > 0 ? consulta::celdaBajo(relleno, cabecera(1)) : &relleno.celdas.front();
        const int imagen = imagenDeFila(relleno);
        ui::ListItem& fila = ListView1.addItem(primera ? valorDeCelda(*primera) : std::string());
        fila.icon = imagen;
        fila.smallIcon = imagen;
        itmX = &fila;
    });
    if (!itmX) return;
    for (long j = 2; j <= ListView1.columnCount() && !trap.left(); ++j) {
        trap.step([&] {
            const consulta::Celda* celda = consulta::celdaBajo(relleno, cabecera(j));
            itmX->setSubItem(j - 1, celda ? valorDeCelda(*celda) : std::string());
        });
    }
}

int FrmConsComprobantes::imagenDeFila(const consulta::FilaRelleno& relleno) {
    using consulta::ReglaImagen;
    if (relleno.regla == ReglaImagen::Ninguna) return 0;
    int imagen = ObtieneIndiceImagen(TC);
    switch (relleno.regla) {
    case ReglaImagen::TipoAnulado:
        if (marca("Anulada")) imagen = ObtieneIndiceImagen("Anulado");
        break;
    case ReglaImagen::TipoGarantiaAnulado:
        if (marca("Garantia")) imagen = ObtieneIndiceImagen("OCG");
        if (marca("Anulada")) imagen = ObtieneIndiceImagen("Anulado");
        break;
    case ReglaImagen::TipoEstado:
        if (marca("Anulada")) imagen = ObtieneIndiceImagen("Anulado");
        else if (marca("APROBADO")) imagen = ObtieneIndiceImagen("Aprobado");
        // A pending order already prepared shows as approved. Its stored type is padded, so it is
        // compared trimmed.
        if (numbering::esTipo(TC, {"NP"}) && Pendiente && numbering::esTipo(campo("TC"), {"NP"}) &&
            !Rs.field("FechaPreparacion").value().isNull()) {
            imagen = ObtieneIndiceImagen("Aprobado");
        }
        break;
    default: break;
    }
    return imagen;
}

std::string FrmConsComprobantes::valorDeCelda(const consulta::Celda& celda) {
    using consulta::Origen;
    switch (celda.origen) {
    case Origen::Campo: return campo(celda.campo);
    case Origen::Vacio: return {};
    case Origen::CuentaYNombre: return campo("Cuenta") + " " + campo("Nombre");
    case Origen::SucursalNumeroLetra: return campo("Sucursal") + campo("Numero") + campo("Letra");
    case Origen::NombreProveedor: return busca("VT_PROVEEDORES", campo("Cuenta"), "RAZON_SOCIAL", "Codigo", {});
    case Origen::NumeroRecepcion: {
        const DB_Dll& erp = gDB_Dll();
        const std::string condicion = " TC = " + erp.SQLValue(base::Value(numbering::codigo4("IR"))) +
                                      " AND TC_ORIGEN = " + erp.SQLValue(base::Value(numbering::codigo4("OC"))) +
                                      " AND IDCOMPROBANTE_ORIGEN =" + erp.SQLValue(base::Value(campo("IdComprobante")));
        return busca("v_mv_stock", "OC", "idcomprobante", "TC_origen", condicion);
    }
    case Origen::ComplementoOTFC: return numbering::esTipo(TC, {"OT", "FC"}) ? campo("IdComplemento") : std::string();
    }
    return {};
}

std::string FrmConsComprobantes::campo(std::string_view nombre) {
    return gUtilidades().NuloACadena(Rs.field(nombre).value());
}

bool FrmConsComprobantes::marca(std::string_view nombre) {
    const base::Value valor = Rs.field(nombre).value();
    return !valor.isNull() && valor.toBoolean();
}

std::string FrmConsComprobantes::busca(std::string_view tabla, std::string_view valor, std::string_view devuelto,
                                       std::string_view clave, std::string_view condicion) {
    DB_Dll& erp = gDB_Dll();
    // The data-access object's own lookup reads every column of the row; only the one returned is read here.
    std::string sentencia = "SELECT TOP 1 " + std::string(devuelto) + " FROM " + std::string(tabla) +
                            " WHERE LTRIM(RTRIM(" + std::string(clave) +
                            ")) =" + erp.SQLValue(base::Value(base::trim(valor))) + " ";
    if (!base::trim(condicion).empty()) sentencia += " AND " + std::string(condicion);
    try {
        db::Recordset rs;
        erp.abreSinTratamiento(sentencia, rs);
        std::string resultado = rs.eof() ? std::string() : gUtilidades().NuloACadena(rs.field(devuelto).value());
        erp.CierraRecordset(rs);
        return resultado;
    } catch (const base::Error& error) {
        // One box per load: later rows are logged and left empty.
        if (!busquedaFallida_) {
            busquedaFallida_ = true;
            throw;
        }
        erp.registraError(error.description(), "FrmConsComprobantes", 0);
        return {};
    }
}

void FrmConsComprobantes::CmdAceptar_Click() {
    const ui::ListItem* elegida = ListView1.selectedItem();
    if (numbering::esTipo(TC, {"OC"})) {
        // The ticked orders are the choice, whether or not a row is selected.
        NroComprobante.clear();
        for (long i = 1; i <= ListView1.itemCount(); ++i) {
            const ui::ListItem& fila = ListView1.item(i);
            if (!fila.checked()) continue;
            if (!NroComprobante.empty()) NroComprobante += ",";
            NroComprobante += fila.subItem(2);
        }
        if (NroComprobante.empty() && elegida) NroComprobante = elegida->subItem(2);
        if (!NroComprobante.empty()) IdComplemento = "0";
    } else if (!elegida) {
        NroComprobante.clear();
    } else if (numbering::esTipo(TC, {"OT", "NP", "FC", "RM", "ND", "NC", "NCFP", "OP", "FP", "GF"})) {
        NroComprobante = elegida->subItem(1);
        IdComplemento = elegida->subItem(2);
    } else if (numbering::esTipo(TC, {"FCC", "NCC", "NCPE", "NDPR", "NCCP", "NDC", "RMC"})) {
        NroComprobante = elegida->subItem(1);
        Proveedor = elegida->subItem(2);
    } else if (numbering::esTipo(TC, {"PR"})) {
        NroComprobante = elegida->subItem(1);
        IdComplemento = "0";
    } else if (numbering::esTipo(TC, {"T3"})) {
        NroComprobante = elegida->text();
        IdComplemento = "0";
    } else {
        NroComprobante = elegida->subItem(1);
    }
    Form_Unload();
}

void FrmConsComprobantes::CmdCancelar_Click() {
    Form_Unload();
}

void FrmConsComprobantes::Form_Unload() {
    itmX = nullptr;
    ListView1.clearItems();
    Hide();
}

void FrmConsComprobantes::Hide() {
    hidden_ = true;
    if (observer_) observer_->formHidden();
}

void FrmConsComprobantes::ListView1_BeforeLabelEdit(int& Cancel) {
    Cancel = 1;
}

void FrmConsComprobantes::ListView1_AfterLabelEdit(int& Cancel, std::string& /*NewString*/) {
    Cancel = 1;
}

void FrmConsComprobantes::ListView1_ColumnClick(long column) {
    ListView1.setSorted(true);
    ListView1.setSortKey(column - 1);
    ListView1.setSortOrder(ListView1.sortOrder() == ui::ListView::Ascending ? ui::ListView::Descending
                                                                              : ui::ListView::Ascending);
}

void FrmConsComprobantes::ListView1_DblClick() {
    CmdAceptar_Click();
}

void FrmConsComprobantes::ListView1_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == 13) CmdAceptar_Click();
}
