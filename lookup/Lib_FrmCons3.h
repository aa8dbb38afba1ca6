#pragma once
// The list pick-list window: the operator picks one row, or ticks several, of the result of a SELECT
// statement. The lookup engine sets the properties below, shows the window modally, reads ValorDevuelto,
// Valores and Cantidades back once it hides itself, and unloads it; every lookup uses a fresh window.
//
// The window runs with or without a view. Its handlers carry the names of the events they answer, and
// an operator's actions reach it as the view (or a test) calls them: typing in a search box is
// setSearchText, keys arrive as legacy key codes, focus moves through setFocus. A view follows the
// window through the Observer.

#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Value.h"
#include "platform/db/Recordset.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FormObserver.h"
#include "platform/ui/ListView.h"
#include "platform/ui/TextMeasurer.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

class Lib_FrmCons3 {
public:
    // Places and sizes in twips, as the window lays itself out.
    struct Area {
        long left = 0, top = 0, width = 0, height = 0;
    };
    struct ScrollBar {
        long left = 0, top = 0, width = 0, height = 255;
        long max = 32767;
        long value = 0;
    };

    // Which control holds the keyboard focus.
    struct Focus {
        enum class Kind { None, List, SearchBox, Other };
        Kind kind = Kind::None;
        int index = 0;  // the search box's index
        bool operator==(const Focus&) const = default;
    };

    // formChanged: search boxes (how many, texts, colours, places) or the layout changed; focusMoved: by
    // focus().
    class Observer : public ui::FormObserver {
    public:
        virtual void formCentred() = 0;
    };

    // The header of the column that holds the quantities the operator enters.
    static constexpr std::string_view kCabeceraCantidad = "**Cantidad**";

    Lib_FrmCons3();
    Lib_FrmCons3(const Lib_FrmCons3&) = delete;
    Lib_FrmCons3& operator=(const Lib_FrmCons3&) = delete;

    // ---- properties, set by the lookup engine before the window loads
    base::Value StkNivel1, StkNivel2, StkNivel3, StkNivel4;  // stock-level colours; a blank text: no colour
    std::string MuestraStock;                                 // "SI" colours article rows by stock
    std::string SQL;                                          // the statement shown; re-queries extend it
    std::string CampoDevuelto;                                // the column whose value is returned
    std::vector<std::string> CmpsDevueltos;                   // further columns returned (single pick)
    bool CheckBoxes = false;                                  // multi-pick
    std::string gConnString;                                  // kept; the window uses the program's connection
    base::Value ValorDevuelto;                                // result of a single pick
    std::string FiltroInicial;                                // first text of search box 0
    std::string CampoBusqueda;                                // kept; the engine's search column
    bool OrdenarPorLwv = false;                               // the list sorts itself
    std::vector<std::string> Valores;                         // results; made new by every load
    std::vector<std::string> Cantidades;                      // made new by every load and left empty
    bool UsaCantidades = false;                               // Insert, Delete and Shift+Insert enter quantities
    std::string ValoresDefault;                               // values whose rows start ticked
    bool CfgUsaConsultaLIKE = false;                          // re-queries match anywhere in the field
    bool GrabarCfg = false;                                   // save the column widths at unload

    // ---- controls
    std::string Caption = "Consulta...";
    ui::ListView ListView1;
    Area ListView1Bounds;
    std::deque<ui::ComboBox> CmbSearch;  // one per column; box 0 always exists
    Area picFields;                      // holds the list and the boxes; slides sideways with HScroll1
    ScrollBar HScroll1;
    Area Frame1;  // the button bar
    ui::Button CmdNueva{"&Nueva Busqueda"};
    ui::Button CmdCancelar{"&Cancelar"};  // Esc
    ui::Button CmdAceptar{"&Aceptar"};    // Enter
    long Width = 9000;
    long Height = 6615;
    long ScreenWidth = 19200;  // the screen's width; a view sets the real one

    // ---- operations
    void CalcularAncho();
    void Leer(std::int32_t Cdesde, std::int32_t Cuantas = 0);
    void Encolumnar();
    // The first row (from 1) whose cell in column Clave + 1 starts with QueValor, without regard to case.
    std::int32_t Busqueda(std::int32_t Clave, std::string_view QueValor);
    // The first column (from 1) headed Columna, without regard to case or surrounding blanks; 0 when none.
    std::int16_t IndiceColumna(std::string_view Columna) const;
    void LeeAnchosColumnas();
    void GuardaAnchosColumnas();

    // ---- events
    void Form_Load();
    void Form_Resize();
    // The window sees keys before its controls; setting KeyCode to 0 keeps a key from them.
    void Form_KeyDown(int& KeyCode, int Shift);
    void Form_Unload();
    void HScroll1_Change();
    void ListView1_ColumnClick(long column);
    void ListView1_DblClick();
    // `typed` is the text the key types (empty for keys that type nothing).
    void ListView1_KeyDown(int& KeyCode, int Shift, std::string_view typed = {});
    void CmbSearch_GotFocus(int Index);
    void CmbSearch_LostFocus(int Index);
    void CmbSearch_Change(int Index);
    void CmbSearch_Click(int Index);
    void CmbSearch_KeyDown(int Index, int& KeyCode, int Shift);
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void CmdNueva_Click();

    // ---- what the operator does, and what the window's code does to its controls
    // The box's text becomes `text` (typed, chosen or set by code); when it differs, its change runs.
    void setSearchText(int index, std::string text);
    // The focus moves; the boxes' focus handling runs.
    void setFocus(Focus target);
    const Focus& focus() const { return focus_; }
    // The outer size changes; the resize handling runs.
    void setSize(long width, long height);
    // The boxes stand over their columns again (after the operator drags a column's edge).
    void placeSearchBoxes();
    void Hide();
    bool hidden() const { return hidden_; }

    void setObserver(Observer* observer) { observer_ = observer; }
    // Column widths are measured with it; without one every character is 120 twips wide.
    void setTextMeasurer(const ui::TextMeasurer* measurer);

    // ---- state a view or a test reads
    bool esConsultaArticulos() const { return EsConsultaArticulos; }
    const std::string& tablaAnchos() const { return TablaAnchos; }
    const std::string& sentenciaInicial() const { return SentenciaInicial; }
    std::int16_t indiceBusquedaActual() const { return IndiceBusquedaActual; }
    std::int32_t contadorFilas() const { return ContadorFilas; }

private:
    // Stock colour of the row being read (articles statements); Empty when the row gets none.
    base::Value colorDeFila();
    // The value of a column of a row as the accept hands it back: "" for a name that is no column.
    std::string valorDeColumna(const ui::ListItem& row, std::string_view name) const;
    std::string valorDelCampoDevuelto();
    bool estaEnValoresDefault(std::string_view valor) const;
    void informaFaltante();
    void pideCantidad(ui::ListItem& row, long c);
    void changed();
    // The window's error handling: the common error box titled with the procedure's name.
    base::ErrorHandler tratamiento(const char* procedimiento) const;

    bool EsConsultaArticulos = false;
    ui::ListItem* FilaActual = nullptr;
    db::Recordset RsConsulta;
    std::int16_t IndiceBusquedaActual = 0;
    std::string SentenciaBase;
    std::string SentenciaInicial;
    std::string OrdenSentencia;
    std::string TablaAnchos;
    std::int32_t ContadorFilas = 0;
    Utilidades Utilidades_;

    long anchoColumnas_ = 0;  // the columns' total width, from the last CalcularAncho
    Focus focus_;
    bool hidden_ = false;
    const ui::TextMeasurer* measurer_ = nullptr;
    Observer* observer_ = nullptr;
};
