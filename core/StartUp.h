#pragma once
// The program's first steps: where the connection parameters come from (argument, command line or the
// installation's INI file), the log-in through the program-wide data-access object, the connection's tuning,
// the lookup definitions and the configuration table. The main window runs InicializaSistema from its load
// handler and ends the program when it answers false.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The installation's INI file, named without a folder: it lies in the program folder.
inline constexpr std::string_view kArchivoIni = "RU000de.INI";
// The supervisor key; the parameter texts carry it in lower case as an item without a key.
inline constexpr std::string_view kClaveSupervisor = "TUPA@";

// Module variables set at start-up, alive for the whole run (gUsuarioLogeado lives with the configuration).
inline std::string gCaja;                 // "@Caja"; "1" when the key is absent
inline std::string gParametroAdicional;   // "@ParametroAdicional"
inline std::string gMenu;                 // "@Menu"
inline std::string gSeccionIni;           // INI section of this machine and session, at most 50 characters
inline double gFlatToolbars = 1;          // toolbar style number, key "FlatToolbars" of gSeccionIni
inline std::int32_t gColorFondo = 16777215;
inline std::int32_t gColorLetra = 0;

// The value of `clave` in a connection parameter string: items "key = value" separated by ";". A key is
// matched whole and without regard to case, at its first item; the value is everything after the item's first
// "=" up to the next ";" (or the end of the text), trimmed. Nothing when no item carries the key.
std::optional<std::string> ValorParametro(std::string_view texto, std::string_view clave);

// The server name inside a server text: what follows its first "/", up to its first ":" ("tcp/SRV01:1433"
// gives "SRV01"). An embedded database ("sqlite:<folder>") is its own server text and comes back whole.
std::string ExtraeNombreServidor(std::string_view servidor);

// The INI section of a machine and session: upper-cased computer name, "|", upper-cased session name. With
// `corta`, a name whose trimmed length exceeds 50 keeps its first 50 characters.
std::string ArmaSeccionIni(std::string_view equipo, std::string_view sesion, bool corta);

// Logs in and prepares the program-wide services. `Parametros` is the parameter string or empty (then the
// command line is used, or with `UsaArchivoIni` the INI file when that is empty too); it receives the text
// actually used. `CadenaOracle` is a complete Oracle connection string or empty, and receives the one built
// for a "#" server. The log-in dialog is the one installed in gDB_Dll().dialogoAcceso.
// False when the program must end: no connection was opened (the operator cancelled the log-in or declined
// to retry), or a step failed; such a failure has been shown through the error treatment.
bool InicializaSistema(bool UsaArchivoIni, std::string& Parametros, std::string& CadenaOracle);
