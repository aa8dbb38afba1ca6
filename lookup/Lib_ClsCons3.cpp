// The lookup engine: the statement a lookup shows (from a definition, from the table's columns, or the
// caller's own), and the list or tree window that shows it.

#include "lookup/Lib_ClsCons3.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "lookup/SqlWords.h"
#include "core/ProgramServices.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Prompter.h"

#include <cctype>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace {

constexpr long kLimitePorDefecto = 1000;

LookupWindows* gLookupWindows = nullptr;

// Every step of a lookup runs with its failures passed over: a step that fails is skipped and the next
// one runs. The data-access object has already told the operator about a failing statement.
template <class Paso>
void ignora(Paso&& paso) {
    try {
        paso();
    } catch (const base::Error&) {
    }
}

LookupWindows& ventanas() {
    if (!gLookupWindows) throw std::logic_error("No LookupWindows installed: a lookup cannot show its window");
    return *gLookupWindows;
}

bool es(std::string_view a, std::string_view b) {
    return base::equalsIgnoringCase(a, b);
}

// A statement never ends in an ORDER BY without a column: without a search column it keeps its natural
// order.
std::string ordenPor(const std::string& campoBusqueda) {
    return base::trim(campoBusqueda).empty() ? std::string() : " ORDER BY " + campoBusqueda;
}

// A stock level's colour as the configuration table holds it; an empty text stands for 0.
base::Value nivelDeStock(const std::string& valor) {
    return valor.empty() ? base::Value(0) : base::Value(valor);
}

std::unique_ptr<Lib_ClsCons3>& instancia() {
    static std::unique_ptr<Lib_ClsCons3> engine;
    return engine;
}

}  // namespace

LookupWindows* lookupWindows() {
    return gLookupWindows;
}

void setLookupWindows(LookupWindows* windows) {
    gLookupWindows = windows;
}

Lib_ClsCons3& gLib_ClsCons3() {
    std::unique_ptr<Lib_ClsCons3>& engine = instancia();
    if (!engine) engine = std::make_unique<Lib_ClsCons3>();
    return *engine;
}

void resetLib_ClsCons3() {
    instancia().reset();
}

Lib_ClsCons3::Lib_ClsCons3()
    : gConnString(gAjustesConsultas().gConnString),
      gRutaMascaraConsultas(gAjustesConsultas().gRutaMascaraConsultas),
      gUsarMascarasConsultas(gAjustesConsultas().gUsarMascarasConsultas) {
    MuestraStock = LeeConfiguracion("MostrarStockenConsultas");
    StkNivel1 = nivelDeStock(LeeConfiguracion("Stk_Nivel1"));
    StkNivel2 = nivelDeStock(LeeConfiguracion("Stk_Nivel2"));
    StkNivel3 = nivelDeStock(LeeConfiguracion("Stk_Nivel3"));
    StkNivel4 = nivelDeStock(LeeConfiguracion("Stk_Nivel4"));
    UsaConsultaLike_ = es(base::trim(LeeConfiguracion("UsaConsultaLIKE")), "SI");
}

void Lib_ClsCons3::RegistraConsultas() {
    ::RegistraConsultas();
}

void Lib_ClsCons3::ConsultaSearch(std::string_view SQL, std::vector<std::string>* CmpsDevueltos, std::string_view Clave,
                                  std::string* CampoBusqueda, std::string* Where, std::string_view SentenciaOpcional,
                                  bool TreeView, std::string_view ValoresDefault) {
    // A lookup that ends without showing a window must not hand back the pick of an earlier one.
    ValorDevuelto = base::Value();
    Valores.clear();
    Cantidades.clear();

    std::string sinCondicion, sinCampo;
    std::string& where = Where ? *Where : sinCondicion;
    std::string& campoBusqueda = CampoBusqueda ? *CampoBusqueda : sinCampo;

    if (base::length(base::trim(where)) > 1 && !where.starts_with('(')) where = " (" + where + ") ";

    long limite = kLimitePorDefecto;
    ignora([&] {
        const long configurado = static_cast<long>(
            base::Value(Utilidades_.ValorNumerico(LeeConfiguracion("TopConsArt"))).toInteger());
        // A limit of no rows (or fewer) would show nothing: the default stands for it.
        if (configurado > 0) limite = configurado;
    });

    std::string sentencia;
    if (contienePalabra(SQL, "select")) {
        sentencia = SQL;
        // The articles' view without stock is read through the one that carries it.
        ignora([&] { sentencia = Utilidades_.ReemplazaTabla(sentencia, "V_MA_ARTICULOS", "VT_MA_ARTICULOS"); });
    } else {
        std::optional<RegistroConsulta> definicion;
        if (gUsarMascarasConsultas) ignora([&] { definicion = buscaDefinicion(SQL); });
        if (definicion) {
            std::optional<std::string> deDefinicion = sentenciaDeDefinicion(*definicion, limite, campoBusqueda, where);
            if (!deDefinicion) return;
            sentencia = std::move(*deDefinicion);
        } else {
            // Also when the definition file is missing: a table name is no statement a window can show.
            sentencia = sentenciaGenerada(SQL, limite, campoBusqueda, where, SentenciaOpcional);
        }
    }

    if (TreeView) muestraArbol(sentencia);
    else muestraLista(sentencia, CmpsDevueltos, Clave, campoBusqueda, ValoresDefault);

    CampoDevuelto.clear();
    if (CmpsDevueltos) CmpsDevueltos->clear();
}

std::optional<RegistroConsulta> Lib_ClsCons3::buscaDefinicion(std::string_view tabla) const {
    std::error_code error;
    if (gRutaMascaraConsultas.empty() || !std::filesystem::exists(gRutaMascaraConsultas, error)) return std::nullopt;
    const ArchivoConsultas archivo(gRutaMascaraConsultas);
    const std::string buscada = base::trim(tabla);
    const long registros = archivo.cantidadRegistros();
    // Of several definitions of one table, the first in the file is the one used.
    for (long n = 1; n <= registros; ++n) {
        std::optional<RegistroConsulta> registro = archivo.lee(n);
        if (!registro) break;
        std::string nombre = base::trim(
            Utilidades_.QuitaCaracteres(registro->TablaConsulta, base::characterOfCode(0), base::characterOfCode(255)));
        if (es(nombre, buscada)) {
            registro->TablaConsulta = std::move(nombre);
            return registro;
        }
    }
    return std::nullopt;
}

std::optional<std::string> Lib_ClsCons3::sentenciaDeDefinicion(const RegistroConsulta& definicion, long limite,
                                                               std::string& campoBusqueda, const std::string& where) {
    std::string vista = definicion.TablaConsulta;
    std::string lista = base::trim(Utilidades_.ReemplazaTexto(definicion.CamposConsulta, "|", ","));
    if (lista.starts_with(',')) lista.erase(0, 1);
    if (lista.ends_with(',')) lista.pop_back();
    if (lista.empty()) lista = "*";

    if (campoBusqueda.empty()) {
        const std::size_t coma = lista.find(',');
        if (coma == std::string::npos) {
            programPrompter().msgBox("Debe configurar la consulta para esta tabla", ui::vbInformation, "Aviso al operador");
            return std::nullopt;
        }
        campoBusqueda = lista.substr(0, coma);
    }

    // The definition's own condition wins over the caller's.
    std::string condicion = base::trim(
        Utilidades_.QuitaCaracteres(definicion.CondicionConsulta, base::characterOfCode(0), base::characterOfCode(255)));
    if (condicion.empty() && !base::trim(where).empty()) condicion = where;

    const bool sinCondicion = base::trim(condicion).empty();
    if (es(vista, "VT_PROVEEDORES") || es(vista, "VT_CLIENTES")) {
        if (sinCondicion) condicion = "Dada_De_Baja = 0";
    } else if (es(vista, "V_MA_ARTICULOS")) {
        vista = "VT_MA_ARTICULOS";
        if (sinCondicion) condicion = "SUSPENDIDO = 0";
    }

    std::string sentencia = "SELECT TOP " + std::to_string(limite) + " " + lista + " FROM " + vista;
    if (!base::trim(condicion).empty()) sentencia += " WHERE " + condicion;
    return sentencia + ordenPor(campoBusqueda);
}

std::string Lib_ClsCons3::sentenciaGenerada(std::string_view tabla, long limite, std::string& campoBusqueda,
                                            const std::string& where, std::string_view sentenciaOpcional) {
    if (!sentenciaOpcional.empty()) return std::string(sentenciaOpcional);

    // Every column but the key and the time stamps, each put in front of the ones before it; a
    // description-like column is the one searched and ordered by.
    DB_Dll& erp = gDB_Dll();
    db::Recordset rs;
    std::string lista;
    ignora([&] {
        std::string sonda = "select top 1 * from " + std::string(tabla);
        erp.AbrirRecordset(sonda, rs);
        for (std::size_t i = 0; i < rs.fieldCount(); ++i) {
            const std::string nombre = rs.field(i).name();
            if (es(nombre, "ID") || es(nombre, "FECHAHORA_MODIFICACION") || es(nombre, "FECHAHORA_GRABACION")) continue;
            const bool descriptiva = es(nombre, "DESCRIPCION") || es(nombre, "NOMBRE") || es(nombre, "DETALLE");
            if (descriptiva || lista.empty()) campoBusqueda = nombre;
            lista = nombre + "," + lista;
        }
    });
    ignora([&] { erp.CierraRecordset(rs); });

    if (lista.empty()) lista = " * ";
    else lista.pop_back();
    std::string sentencia = "SELECT TOP " + std::to_string(limite) + " " + lista + " FROM " + std::string(tabla);
    // The caller's condition filters a table without a definition as well.
    if (!base::trim(where).empty()) sentencia += " WHERE " + where;
    return sentencia + ordenPor(campoBusqueda);
}

void Lib_ClsCons3::muestraLista(const std::string& sentencia, const std::vector<std::string>* cmpsDevueltos,
                                std::string_view clave, const std::string& campoBusqueda,
                                std::string_view valoresDefault) {
    Lib_FrmCons3 ventana;
    ventana.StkNivel1 = StkNivel1;
    ventana.StkNivel2 = StkNivel2;
    ventana.StkNivel3 = StkNivel3;
    ventana.StkNivel4 = StkNivel4;
    ventana.MuestraStock = MuestraStock;
    ventana.CfgUsaConsultaLIKE = UsaConsultaLike_;
    ventana.OrdenarPorLwv = base::inStr(sentencia, "ORDER BY") == 0;
    ventana.FiltroInicial = clave;
    ventana.CampoBusqueda = campoBusqueda;
    ventana.SQL = sentencia;
    ventana.gConnString = gConnString;
    ventana.CampoDevuelto = CampoDevuelto;
    ventana.CheckBoxes = Checks;
    ventana.UsaCantidades = UsaCantidades;
    ventana.ValoresDefault = valoresDefault;
    if (cmpsDevueltos) ventana.CmpsDevueltos = *cmpsDevueltos;

    ignora([&] { ventanas().showModal(ventana); });

    Checks = false;
    Valores = ventana.Valores;
    Cantidades = ventana.Cantidades;
    ValorDevuelto = ventana.ValorDevuelto;
    ventana.CampoDevuelto.clear();
    ventana.Form_Unload();
}

void Lib_ClsCons3::muestraArbol(const std::string& sentencia) {
    Lib_FrmCons3Tree ventana;
    ventana.SQL = sentencia;
    ventana.CampoDevuelto = CampoDevuelto;
    ventana.CheckBoxes = Checks;

    ignora([&] { ventanas().showModal(ventana); });

    ValorDevuelto = ventana.ValorDevuelto;
    Valores = ventana.Valores;
    Checks = false;
    ventana.Form_Unload();
}
