#include "core/StartUp.h"

#include "core/ArchivoIni.h"
#include "core/Configuracion.h"
#include "core/ConsultasFile.h"
#include "core/ContextoAplicacion.h"
#include "core/DB_Dll.h"
#include "core/Entorno.h"
#include "core/Utilidades.h"
#include "platform/base/Conversions.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/os/Environment.h"
#include "platform/os/ProgramFolder.h"
#include "platform/ui/Prompter.h"

#include <filesystem>

namespace {

constexpr int kTiempoEsperaComandos = 360;  // seconds: the imports run long statements
constexpr long kAislamientoLecturaSinConfirmar = 256;

// The connection keys, in the order they are read.
struct ParametrosLeidos {
    std::string parametroAdicional, menu, servidor, dbName, usuario, password, usuarioLogeado, caja;
};

ParametrosLeidos leeParametros(std::string_view texto)
{
    auto valor = [&](std::string_view clave) { return ValorParametro(texto, clave).value_or(""); };
    ParametrosLeidos p;
    p.parametroAdicional = valor("@ParametroAdicional");
    p.menu = valor("@Menu");
    p.servidor = valor("@Server");
    p.dbName = valor("@DbName");
    p.usuario = valor("@Usuario");
    p.password = valor("@Password");
    p.usuarioLogeado = valor("@UsuarioLogeado");
    p.caja = ValorParametro(texto, "@Caja").value_or("1");
    return p;
}

// The parameter text of the installation's INI file, in the section of this machine and session.
std::string parametrosDelIni()
{
    const Utilidades& u = gUtilidades();
    const std::string seccion =
        ArmaSeccionIni(gEntorno().NombreEquipo(), gEntorno().NombreSesion(), false) + "BaseDeDatos";
    auto lee = [&](std::string_view clave, std::string_view defecto) {
        return gArchivoIni().LeeClave(kArchivoIni, seccion, clave, defecto);
    };
    const std::string servidor = u.QuitaCaracteres(lee("Servidor", ""), "|");
    const std::string dbName = u.QuitaCaracteres(lee("DbName", ""), "|");
    const std::string usuario = u.QuitaCaracteres(u.Desencripta(lee("Usuario", u.Encripta("Quorvex"))), "|");
    const std::string password = u.QuitaCaracteres(u.Desencripta(lee("UserPassWord", u.Encripta("brumelo"))), "|");
    return "@server=" + servidor + "; @dbname= " + dbName + "; @usuario= " + usuario + "; @Password= " + password +
           "; @ParametroAdicional=; @Caja=1;" + base::toLowerCase(kClaveSupervisor);
}

}  // namespace

std::optional<std::string> ValorParametro(std::string_view texto, std::string_view clave)
{
    std::size_t inicio = 0;
    while (inicio <= texto.size()) {
        std::size_t fin = texto.find(';', inicio);
        if (fin == std::string_view::npos) fin = texto.size();
        const std::string_view item = texto.substr(inicio, fin - inicio);
        const std::size_t igual = item.find('=');
        if (igual != std::string_view::npos && base::equalsIgnoringCase(base::trim(item.substr(0, igual)), clave))
            return base::trim(item.substr(igual + 1));
        inicio = fin + 1;
    }
    return std::nullopt;
}

std::string ExtraeNombreServidor(std::string_view servidor)
{
    if (base::startsWithIgnoringCase(servidor, "sqlite:")) return std::string(servidor);
    std::string_view nombre = servidor;
    if (const std::size_t barra = nombre.find('/'); barra != std::string_view::npos) nombre.remove_prefix(barra + 1);
    if (const std::size_t puerto = nombre.find(':'); puerto != std::string_view::npos)
        nombre = nombre.substr(0, puerto);
    return std::string(nombre);
}

std::string ArmaSeccionIni(std::string_view equipo, std::string_view sesion, bool corta)
{
    std::string seccion = base::toUpperCase(equipo) + "|" + base::toUpperCase(sesion);
    if (corta && base::length(base::trim(seccion)) > 50) seccion = base::left(seccion, 50);
    return seccion;
}

bool InicializaSistema(bool UsaArchivoIni, std::string& Parametros, std::string& CadenaOracle)
{
    DB_Dll& erp = gDB_Dll();
    std::string carpetaPrograma;
    std::string texto;
    ParametrosLeidos p;
    bool sinConexion = false;

    // Error 5 (an invalid call or argument) skips its step, as it always did. Any other failure is shown and
    // ends start-up: a window left running without its connection or configuration would import wrongly.
    base::ErrorTrap trap([&](const base::Error& error) {
        if (error.number() == base::errors::kInvalidProcedureCall) return base::answers::kIgnore;
        erp.TratamientoErrores(error, ui::vbOKOnly | ui::vbCritical, "InicializaSistema");
        return 0;
    });

    trap.step([&] { carpetaPrograma = gUtilidades().NormalizaCarpeta(os::programFolder().string()); });
    trap.step([&] {
        gColorLetra = 0;
        gColorFondo = 16777215;
    });
    trap.step([&] { texto = !Parametros.empty() ? Parametros : os::commandLine(); });
    trap.step([&] {
        if (UsaArchivoIni && base::trim(texto).empty()) texto = parametrosDelIni();
        Parametros = texto;
    });
    trap.step([&] {
        gSeccionIni = ArmaSeccionIni(gEntorno().NombreEquipo(), gEntorno().NombreSesion(), true);
        gFlatToolbars = base::leadingNumber(gArchivoIni().LeeClave(kArchivoIni, gSeccionIni, "FlatToolbars", "1"));
    });

    // Once logged in, a later call neither parses nor logs in again: it only prepares the services again.
    if (!erp.gOpenFlag) {
        trap.step([&] {
            p = leeParametros(texto);
            gParametroAdicional = p.parametroAdicional;
            gMenu = p.menu;
            gUsuarioLogeado = p.usuarioLogeado;
            gCaja = p.caja;
        });
        trap.step([&] {
            if (!base::trim(p.servidor).empty() && p.servidor.front() == '#') {
                p.servidor.erase(0, 1);
                // The Oracle data source is what the parameters call the database.
                if (CadenaOracle.empty())
                    CadenaOracle = "Provider=OraOLEDB.Oracle.1;Data Source=" + p.dbName + ";User Id=" + p.usuario +
                                   ";Password=" + p.password + ";";
            }
        });
        trap.step([&] {
            erp.gUsuario = p.usuario;
            erp.gDBName = p.dbName;
            erp.gUserPassWord = p.password;
            erp.gServidor = ExtraeNombreServidor(p.servidor);
            erp.OpenServerADODB(base::trim(p.servidor).empty(), 3, CadenaOracle, true);
        });
        // No connection (log-in cancelled, retry declined): the program ends, without a message.
        trap.step([&] { sinConexion = !erp.gOpenFlag || !erp.gCnn.isOpen(); });
        if (sinConexion) return false;
        trap.step([&] {
            gUsuarioLogeado = erp.gUsuario;
            erp.gCnn.setCommandTimeout(kTiempoEsperaComandos);
            erp.gCnn.setIsolationLevel(kAislamientoLecturaSinConfirmar);
        });
    }

    trap.step([&] { gContextoAplicacion().AsignaCarpetaAplicacion(carpetaPrograma); });
    trap.step([&] {
        AjustesConsultas& consultas = gAjustesConsultas();
        consultas.gConnString = erp.gConnString;
        consultas.gUsarMascarasConsultas = true;
        consultas.gRutaMascaraConsultas = carpetaPrograma + std::string(kArchivoConsultas);
    });
    trap.step([&] {
        std::error_code error;
        if (!std::filesystem::exists(gAjustesConsultas().gRutaMascaraConsultas, error)) RegistraConsultas();
    });
    trap.step([&] {
        if (!erp.gDBName.empty()) {
            CargaConfiguracion(carpetaPrograma);
            gColorFondo = gConfiguracion.CFondo;
            gColorLetra = gConfiguracion.CLetra;
        }
    });
    trap.step([&] { erp.gCnn.setDefaultDatabase(erp.gDBName); });
    return !trap.left();
}
