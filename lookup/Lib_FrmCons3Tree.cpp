// The tree pick-list window: the tree built from the codes' lengths, ticks spread down the tree, the search
// box (type-ahead and F5) and what accept and cancel hand back to the lookup engine.

#include "lookup/Lib_FrmCons3Tree.h"

#include "core/DB_Dll.h"
#include "lookup/SqlWords.h"
#include "core/ProgramServices.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/db/AdoCodes.h"
#include "platform/ui/Prompter.h"
#include "platform/ui/UiErrors.h"

#include <cctype>
#include <fmt/format.h>

namespace {

constexpr int kF5 = 116;
constexpr const char* kClaveRaiz = "A";
// How many levels below a ticked node take its tick.
constexpr int kNivelesDeTilde = 3;

// A node's text split at its first "-": the code before it and the description after it, both trimmed. The
// root's "Consulta..." has no "-": all of it is description.
void parteTexto(std::string_view texto, std::string& codigo, std::string& descripcion) {
    const std::size_t guion = texto.find('-');
    if (guion == std::string_view::npos) {
        codigo.clear();
        descripcion = base::trim(texto);
        return;
    }
    codigo = base::trim(texto.substr(0, guion));
    descripcion = base::trim(texto.substr(guion + 1));
}

// Where a chosen code is looked up, by the column the caller wants back.
struct Resolucion {
    const char* tabla;
    const char* columna;
};
const Resolucion* resolucionDe(std::string_view campoDevuelto) {
    static constexpr Resolucion familias{"V_TA_FAMILIAS", "IDFAMILIA"};
    static constexpr Resolucion posiciones{"MA_POSICIONES", "IDPOSICION"};
    static constexpr Resolucion centros{"TA_CCOSTO", "CODIGO"};
    if (base::equalsIgnoringCase(campoDevuelto, "IDFAMILIA")) return &familias;
    if (base::equalsIgnoringCase(campoDevuelto, "IDPOSICION")) return &posiciones;
    if (base::equalsIgnoringCase(campoDevuelto, "CODIGO")) return &centros;
    return nullptr;
}

}  // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree() {
    CmbSearch.toolTipText = "F5 realiza nueva busqueda";
    TreeV.onNodeCheck = [this](ui::TreeNode& node) { TreeV_NodeCheck(node); };
    TreeV.onDblClick = [this] { TreeV_DblClick(); };
}

base::ErrorHandler Lib_FrmCons3Tree::tratamiento(const char* procedimiento) const {
    return [this, procedimiento](const base::Error& error) { return Utilidades_.MuestraError(error, {}, procedimiento); };
}

void Lib_FrmCons3Tree::changed() {
    if (observer_) observer_->formChanged();
}

void Lib_FrmCons3Tree::Form_Load() {
    base::ErrorTrap trap(tratamiento("FORM_LOAD"));
    trap.step([&] { Valores.clear(); });
    trap.step([&] { TreeV.clear(); });
    trap.step([&] { TreeV.setCheckboxes(CheckBoxes); });
    trap.step([&] { ArmarTreeVAutomatico(); });
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico() {
    base::ErrorTrap trap(tratamiento("ArmarTreeVAutomatico"));
    ui::TreeNode* actual = nullptr;
    trap.step([&] { TreeV.clear(); });
    trap.step([&] {
        actual = &TreeV.add({}, ui::TreeView::Relation::Child, kClaveRaiz, "Consulta...");
        actual->setExpanded(true);
    });
    if (trap.left()) return;

    db::Recordset rs;
    std::vector<db::Row> filas;
    bool vacio = true;
    // The property keeps the statement as given; the data-access object may rewrite its copy.
    std::string sentencia = SQL;
    trap.step([&] {
        gDB_Dll().AbrirRecordset(sentencia, rs, nullptr, static_cast<int>(db::CursorType::Dynamic),
                                 static_cast<int>(db::LockType::ReadOnly));
    });
    trap.step([&] { vacio = rs.eof(); });  // a statement that did not open reads as empty
    if (!trap.left() && !vacio) trap.step([&] { filas = rs.getRows(); });
    gDB_Dll().CierraRecordset(rs);

    for (const db::Row& fila : filas) {
        if (trap.left()) break;
        trap.step([&] {
            if (fila.size() < 2) throw base::Error(9, "Subscript out of range", "Lib_FrmCons3Tree");
            agregaNodo(Utilidades_.NuloACadena(fila[0]), Utilidades_.NuloACadena(fila[1]), actual);
        });
    }
}

void Lib_FrmCons3Tree::agregaNodo(const std::string& codigo, const std::string& descripcion, ui::TreeNode*& actual) {
    if (!actual) throw base::Error(91, "Object variable or With block variable not set", "Lib_FrmCons3Tree");
    const std::string clave = kClaveRaiz + codigo;
    const long largo = base::length(clave);
    // A shorter code closes the branches until one of its length (or the root) is reached.
    while (largo < base::length(actual->key()) && actual->parent()) actual = actual->parent();
    const auto relacion =
        largo > base::length(actual->key()) || !actual->parent() ? ui::TreeView::Relation::Child : ui::TreeView::Relation::Next;
    try {
        actual = &TreeV.add(actual->key(), relacion, clave, codigo + " - " + descripcion);
    } catch (const base::Error& error) {
        // One repeated code must not cost the operator the rest of the tree: its row is left out.
        if (error.number() != ui::errors::kKeyNotUnique) throw;
        gDB_Dll().registraError(fmt::format("Fila omitida, el codigo {} esta repetido: ({}) {}", base::trim(codigo),
                                            error.number(), error.description()),
                                "- ArmarTreeVAutomatico", 0);
    }
}

// Every node down to three levels below takes the node's tick, level by level; deeper levels and the
// node's ancestors keep theirs.
void Lib_FrmCons3Tree::TreeV_NodeCheck(ui::TreeNode& Node) {
    std::vector<ui::TreeNode*> nivel{&Node};
    for (int profundidad = 0; profundidad < kNivelesDeTilde && !nivel.empty(); ++profundidad) {
        std::vector<ui::TreeNode*> siguiente;
        for (ui::TreeNode* padre : nivel) {
            for (ui::TreeNode* hijo : padre->children()) {
                hijo->setChecked(padre->checked());
                siguiente.push_back(hijo);
            }
        }
        nivel = std::move(siguiente);
    }
}

void Lib_FrmCons3Tree::TreeV_DblClick() {
    CmdAceptar_Click();
}

void Lib_FrmCons3Tree::setSearchText(int index, std::string text) {
    if (index != 0 || CmbSearch.text() == text) return;
    CmbSearch.setText(std::move(text));
    changed();
    CmbSearch_Change(index);
}

void Lib_FrmCons3Tree::setFocus(Focus target) {
    if (target == focus_) return;
    focus_ = target;
    if (target == Focus::SearchBox) CmbSearch_GotFocus(0);
    if (observer_) observer_->focusMoved();
}

void Lib_FrmCons3Tree::CmbSearch_GotFocus(int Index) {
    IndiceBusquedaActual = Index;
}

// The first node, root included, whose code or description starts with the typed text is selected.
void Lib_FrmCons3Tree::CmbSearch_Change(int /*Index*/) {
    try {
        const std::string& buscado = CmbSearch.text();
        const long largo = base::length(buscado);
        std::string codigo, descripcion;
        for (long i = 1; i <= TreeV.count(); ++i) {
            ui::TreeNode& nodo = TreeV.node(i);
            parteTexto(nodo.text(), codigo, descripcion);
            if (base::equalsIgnoringCase(base::left(codigo, largo), buscado) ||
                base::equalsIgnoringCase(base::left(descripcion, largo), buscado)) {
                TreeV.setSelectedItem(&nodo);
                TreeV.ensureVisible(nodo);
                return;
            }
        }
    } catch (const base::Error&) {
    }
}

void Lib_FrmCons3Tree::CmbSearch_Click(int Index) {
    CmbSearch_Change(Index);
}

void Lib_FrmCons3Tree::CmbSearch_KeyDown(int Index, int& KeyCode, int /*Shift*/) {
    try {
        switch (KeyCode) {
        case kF5: {  // the database is asked again, with the typed text anywhere in the description
            CmbSearch.dataField = "Descripcion";
            if (const long orden = base::inStr(SQL, "order by"); orden > 0) {
                OrdenSentencia = base::mid(SQL, orden);
                SentenciaBase = base::left(SQL, orden - 1);
            } else {
                // Without an ordering part the condition goes at the end of the statement as it stands.
                OrdenSentencia.clear();
                SentenciaBase = SQL;
            }
            const std::string union_ = contienePalabra(SQL, "where") ? " and " : " where ";
            // The typed text goes in as a literal, so an apostrophe in it is a character to look for.
            const std::string patron = gDB_Dll().SQLValue(base::Value("%" + CmbSearch.text() + "%"));
            SQL = SentenciaBase + union_ + CmbSearch.dataField + " like " + patron + " " + OrdenSentencia;
            setSearchText(Index, "");
            SentenciaBase = SQL;
            Form_Load();
            break;
        }
        case 40:
        case 38:
        case 34:
        case 33:
            setFocus(Focus::Tree);
            break;
        default:
            break;
        }
    } catch (const base::Error&) {
    }
}

void Lib_FrmCons3Tree::CmdNueva_Click() {
    ArmarTreeVAutomatico();
}

void Lib_FrmCons3Tree::resuelveValorDevuelto(const std::string& codigo) {
    const Resolucion* donde = resolucionDe(CampoDevuelto);
    if (!donde) return;  // a column this window cannot resolve leaves the value as it was
    DB_Dll& erp = gDB_Dll();
    db::Recordset rs;
    if (erp.ExisteEnTabla(donde->tabla, base::Value(codigo), donde->columna, &rs)) {
        ValorDevuelto = Utilidades_.NuloACadena(rs.field(CampoDevuelto).value());
    } else {
        ValorDevuelto = std::string();
    }
    erp.CierraRecordset(rs);
}

void Lib_FrmCons3Tree::agregaValor(const std::string& codigo) {
    if (base::equalsIgnoringCase(CampoDevuelto, "IDFAMILIA") || base::equalsIgnoringCase(CampoDevuelto, "CODIGO")) {
        Valores.push_back(base::trim(codigo));
    } else if (base::equalsIgnoringCase(CampoDevuelto, "IDPOSICION")) {
        DB_Dll& erp = gDB_Dll();
        db::Recordset rs;
        if (erp.ExisteEnTabla("MA_POSICIONES", base::Value(codigo), "IDPOSICION", &rs)) {
            Valores.push_back(Utilidades_.NuloACadena(rs.field(CampoDevuelto).value()));
        }
        erp.CierraRecordset(rs);
    }
}

void Lib_FrmCons3Tree::CmdAceptar_Click() {
    base::ErrorTrap trap(tratamiento("CmdAceptar_Click"));
    if (CheckBoxes) {
        for (long i = 1; i <= TreeV.count() && !trap.left(); ++i) {
            trap.step([&] {
                const ui::TreeNode& nodo = TreeV.node(i);
                if (nodo.checked()) agregaValor(base::mid(nodo.key(), 2));
            });
        }
    } else {
        std::string codigo;
        trap.step([&] {
            const ui::TreeNode* nodo = TreeV.selectedItem();
            if (!nodo) throw base::Error(91, "Object variable or With block variable not set", "Lib_FrmCons3Tree");
            codigo = base::mid(nodo->key(), 2);
        });
        trap.step([&] { resuelveValorDevuelto(codigo); });
    }
    if (!trap.left()) Hide();
}

void Lib_FrmCons3Tree::CmdCancelar_Click() {
    // The engine gets empty results, never missing ones.
    ValorDevuelto = std::string();
    CmpsDevueltos.clear();
    Valores.clear();
    Hide();
}

void Lib_FrmCons3Tree::Hide() {
    hidden_ = true;
    if (observer_) observer_->formHidden();
}

void Lib_FrmCons3Tree::Form_Unload() {
    try {
        TreeV.clear();
    } catch (const base::Error& error) {
        programPrompter().msgBox(error.description(), ui::vbCritical, "Aviso al Operador");
    }
}
