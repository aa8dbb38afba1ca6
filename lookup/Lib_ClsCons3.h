#pragma once
// The lookup engine: the one way any part of the program lets the operator pick rows of an ERP table or
// view. A caller sets CampoDevuelto (and, as needed, Checks and UsaCantidades) on the program-wide engine,
// calls ConsultaSearch with a table name or a SELECT statement, and reads ValorDevuelto (single pick),
// Valores (multi-pick) and Cantidades:
//
//     Lib_ClsCons3& consulta = gLib_ClsCons3();
//     consulta.CampoDevuelto = "codigo";
//     consulta.ConsultaSearch("ma_Cuentas");
//     if (!trim(NuloACadena(consulta.ValorDevuelto)).empty()) ...
//
// A table name becomes a SELECT statement from its definition in "consultas.qvx" or, without one, from the
// table's own columns; the statement is then shown in the list window (Lib_FrmCons3) or the tree window
// (Lib_FrmCons3Tree). The windows are shown through the installed LookupWindows: the Qt dialogs in the
// program, a script in tests.

#include "core/ConsultasFile.h"
#include "core/Utilidades.h"
#include "platform/base/Value.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Lib_FrmCons3;
class Lib_FrmCons3Tree;

// How the engine shows its windows. Each call loads the window (its Form_Load) and returns once the window
// has hidden itself, as a modal window does; the engine then reads the results and unloads it.
class LookupWindows {
public:
    virtual ~LookupWindows() = default;
    virtual void showModal(Lib_FrmCons3& form) = 0;
    virtual void showModal(Lib_FrmCons3Tree& form) = 0;
};

// The windows every lookup is shown through; nullptr until one is installed.
LookupWindows* lookupWindows();
void setLookupWindows(LookupWindows* windows);

class Lib_ClsCons3 {
public:
    // Reads the stock colours, the stock display setting and the like-search setting from the
    // configuration table.
    Lib_ClsCons3();
    Lib_ClsCons3(const Lib_ClsCons3&) = delete;
    Lib_ClsCons3& operator=(const Lib_ClsCons3&) = delete;

    // ---- properties
    base::Value StkNivel1, StkNivel2, StkNivel3, StkNivel4;  // handed to the list window
    std::string MuestraStock;                                 // handed to the list window
    std::vector<std::string> CmpsDevueltos;                   // kept; a lookup uses its argument of that name
    std::vector<std::string> Valores;                         // result: the values of a multi-pick
    std::vector<std::string> Cantidades;                      // result: the list window's quantities
    bool Checks = false;                                      // multi-pick for the next lookup that shows a window
    base::Value ValorDevuelto;                                // result: the single chosen value
    // The settings start-up gives the lookups: they live in gAjustesConsultas(), and these name them.
    std::string& gConnString;
    std::string& gRutaMascaraConsultas;
    bool& gUsarMascarasConsultas;
    bool UsaCantidades = false;   // the list window asks quantities
    std::string CampoDevuelto;    // column returned by the next lookup that shows a window

    // Lets the operator pick. SQL is a table or view name, or a whole SELECT statement. CmpsDevueltos names
    // further columns the list window returns in Valores; it is emptied once the window closes. Clave is the
    // list window's first search text. CampoBusqueda is the search and ordering column; the engine may fill
    // it in, and the caller's variable then holds the column used. Where is a condition without WHERE; the
    // engine puts a condition of more than one character between " (" and ") " in the caller's variable.
    // SentenciaOpcional replaces the statement built from a table's columns. TreeView chooses the tree
    // window. ValoresDefault lists the values whose rows start ticked in the list window.
    void ConsultaSearch(std::string_view SQL, std::vector<std::string>* CmpsDevueltos = nullptr,
                        std::string_view Clave = {}, std::string* CampoBusqueda = nullptr, std::string* Where = nullptr,
                        std::string_view SentenciaOpcional = {}, bool TreeView = false,
                        std::string_view ValoresDefault = {});

    // Appends the built-in lookup definitions to the file at gRutaMascaraConsultas.
    void RegistraConsultas();

    bool usaConsultaLike() const { return UsaConsultaLike_; }

private:
    // The statement for a table of the definition file; nothing when the definition names one column only
    // and the caller gave no search column (the operator has been told).
    std::optional<std::string> sentenciaDeDefinicion(const RegistroConsulta& definicion, long limite,
                                                     std::string& campoBusqueda, const std::string& where);
    // The statement built from the table's own columns.
    std::string sentenciaGenerada(std::string_view tabla, long limite, std::string& campoBusqueda,
                                  const std::string& where, std::string_view sentenciaOpcional);
    // The first definition of the table in the definition file; nothing without a file or a definition.
    std::optional<RegistroConsulta> buscaDefinicion(std::string_view tabla) const;
    void muestraLista(const std::string& sentencia, const std::vector<std::string>* cmpsDevueltos,
                      std::string_view clave, const std::string& campoBusqueda, std::string_view valoresDefault);
    void muestraArbol(const std::string& sentencia);

    bool UsaConsultaLike_ = false;
    Utilidades Utilidades_;
};

// The program-wide engine, created on first use.
Lib_ClsCons3& gLib_ClsCons3();
// Discards the program-wide engine: the next gLib_ClsCons3() creates one that reads its settings afresh.
void resetLib_ClsCons3();
