#pragma once
// The tree pick-list window: the operator picks one row, or ticks several, of a coded hierarchy (cost
// centres, article families, storage positions). The lookup engine sets SQL, CampoDevuelto and CheckBoxes,
// shows the window modally, reads ValorDevuelto and Valores back once it hides itself, and unloads it.
//
// The hierarchy is stored nowhere: it follows from the lengths of the codes, a code being the child of the
// nearest code before it that is shorter. The statement's first column is the code, its second the
// description, and it must list the codes in order.
//
// Like the list window, it runs with or without a view: its handlers carry the names of the events they
// answer, an operator's actions reach it as the view (or a test) calls them, and a view follows it through
// the Observer.

#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Value.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FormObserver.h"
#include "platform/ui/TreeView.h"

#include <string>
#include <string_view>
#include <vector>

class Lib_FrmCons3Tree {
public:
    // Which control holds the keyboard focus.
    enum class Focus { None, Tree, SearchBox, Other };

    // formChanged: the search box's text changed by the window's own code; focusMoved: by focus().
    using Observer = ui::FormObserver;

    Lib_FrmCons3Tree();
    Lib_FrmCons3Tree(const Lib_FrmCons3Tree&) = delete;
    Lib_FrmCons3Tree& operator=(const Lib_FrmCons3Tree&) = delete;

    // ---- properties; only SQL, CampoDevuelto, CheckBoxes, ValorDevuelto and Valores are used here
    std::string SQL;                         // the statement; F5 extends it
    std::string CampoDevuelto;               // IDFAMILIA, IDPOSICION or CODIGO: how a chosen code is resolved
    std::vector<std::string> CmpsDevueltos;  // emptied by cancel
    bool CheckBoxes = false;                 // multi-pick
    std::string gConnString;
    base::Value ValorDevuelto;               // result of a single pick
    std::string FiltroInicial;
    std::string CampoBusqueda;
    bool OrdenarPorLwv = false;
    std::vector<std::string> Valores;        // result of a multi-pick; made new by every load
    std::vector<std::string> Cantidades;
    bool UsaCantidades = false;

    // ---- controls
    std::string Caption = "Consulta...";
    ui::TreeView TreeV;
    ui::ComboBox CmbSearch;  // the one search box, index 0; F5 re-queries on the column in its dataField
    ui::Label lblFieldName;
    ui::Button CmdAceptar{"&Aceptar"};  // Enter
    ui::Button CmdCancelar{"&Cancelar"};  // Esc
    ui::Button CmdNueva{"&Nueva Busqueda"};

    // ---- operations
    // Builds the tree from the rows of SQL.
    void ArmarTreeVAutomatico();

    // ---- events
    void Form_Load();
    void Form_Resize() {}  // the layout is the view's
    void Form_Unload();
    // A tick the operator made or took away.
    void TreeV_NodeCheck(ui::TreeNode& Node);
    void TreeV_DblClick();
    void CmbSearch_GotFocus(int Index);
    void CmbSearch_Change(int Index);
    void CmbSearch_Click(int Index);
    void CmbSearch_KeyDown(int Index, int& KeyCode, int Shift);
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void CmdNueva_Click();

    // ---- what the operator does, and what the window's code does to its controls
    // The box's text becomes `text` (typed, chosen or set by code); when it differs, its change runs.
    void setSearchText(int index, std::string text);
    // The focus moves; the box's focus handling runs.
    void setFocus(Focus target);
    Focus focus() const { return focus_; }
    void Hide();
    bool hidden() const { return hidden_; }
    void setObserver(Observer* observer) { observer_ = observer; }

    // ---- state a view or a test reads
    int indiceBusquedaActual() const { return IndiceBusquedaActual; }

private:
    // Adds the node of one row at its place after `actual`, which becomes the added node. A code already
    // in the tree skips its row.
    void agregaNodo(const std::string& codigo, const std::string& descripcion, ui::TreeNode*& actual);
    // The accept's resolution of a single pick's code.
    void resuelveValorDevuelto(const std::string& codigo);
    // The accept's resolution of a ticked node's code, added to Valores when it resolves.
    void agregaValor(const std::string& codigo);
    void changed();
    base::ErrorHandler tratamiento(const char* procedimiento) const;

    int IndiceBusquedaActual = 0;
    std::string SentenciaBase;   // the statement without its ordering part
    std::string OrdenSentencia;  // the ordering part, from "order by" to the end
    Utilidades Utilidades_;

    Focus focus_ = Focus::None;
    bool hidden_ = false;
    Observer* observer_ = nullptr;
};
