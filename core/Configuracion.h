#pragma once
// The ERP's settings, one row per key in its configuration table. LeeConfiguracion reads a key on demand;
// CargaConfiguracion copies a fixed set of keys into the program-wide variables below once at start-up.
// Switches are stored as "SI" and "NO", compared without regard to case.

#include "platform/base/Currency.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The name of the configuration table; LeeConfiguracion uses "TA_CONFIGURACION" while it is blank.
inline std::string gTablaConfiguracion;
// The logged-in user, set by the start-up.
inline std::string gUsuarioLogeado;

// Settings the program reads.
inline std::string gCantidadDecimales;
inline bool gUsaStkStockUdKg = false;
inline std::string gUNegocio;
inline std::string gUnidadM3, gUnidadBL, gUnidadKG;
inline std::int16_t gPeriodo = 0;
inline bool gMaderera = false;
inline std::string gMadTiras;

// Settings the ERP keeps that nothing in this program reads; loaded all the same, under their keys' names.
struct ConfiguracionCargada {
    bool MostrarStockenConsultas = false;
    std::string TituloClientes, TituloProveedores;
    std::string DocumentoTareas;  // the task document's path: program folder + "QVDOCTareas.qvx"
    bool EXIGECLAVECONSULTALIKEARTICULOS = false, UsaConsultaLike = false;
    bool UsaMultilesMonedas = false, UsaFacturaProforma = false, USACCOSTO = false;
    bool VALIDACODIGOBARRA = false;
    std::int32_t CFondo = 0, CLetra = 0;
    bool ModuloOrdenDeTrabajo = true;
    bool V_ModificaCPrecio = false, C_ModificaCPrecio = false;
    std::string MAD_P2, MAD_ML, MAD_M2, MAD_HOJAS, MAD_ML_P2, MAD_M2_P2, MAD_ML_M2, CuentaCtroDist;
    base::Currency MaxDto;
    bool PideClave_StockNeg = false, PideClave_MarkUpBase = false, PideClave_LimiteCredito = false;
    bool SS_BloqueoActivo = false;
    std::string Top_Default;
};
inline ConfiguracionCargada gConfiguracion;

// The key's VALOR, " " (one blank) when the table has no row for it, "" after an error. `valorAux`
// receives valoraux ("" without a row).
std::string LeeConfiguracion(std::string_view clave, std::string& valorAux);
std::string LeeConfiguracion(std::string_view clave);
// The key's value as LeeConfiguracion reads it (" " for an absent key), for a reader that must not go on
// without it: nothing when the read failed. The error treatment has already shown and logged the failure.
std::optional<std::string> LeeConfiguracionComprobada(std::string_view clave);

void CargaConfiguracion(std::string_view carpetaPrograma);
