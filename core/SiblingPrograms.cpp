#include "core/SiblingPrograms.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/StartUp.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/os/PathMapping.h"
#include "platform/os/ProgramFolder.h"
#include "platform/os/ProgramStarter.h"
#include "platform/ui/Prompter.h"

std::string ArmaParametrosConexion(std::string_view ParametroAdicional)
{
    const DB_Dll& erp = gDB_Dll();
    return " ; @server=" + erp.gServidor + "; @dbname=" + erp.gDBName + "; @usuario=" + erp.gUsuario +
           "; @Password=" + erp.gUserPassWord + "; @ParametroAdicional=" + std::string(ParametroAdicional) + "; " +
           base::toLowerCase(kClaveSupervisor) + " ; @UsuarioLogeado = " + gUsuarioLogeado + "; @Caja=" + gCaja + ";";
}

std::filesystem::path ProgramaDeOpcion(std::string_view Opcion)
{
    const std::string nombre = base::mid(Opcion, 7);
    const std::filesystem::path programa = nombre.find_first_of("\\/") != std::string::npos
                                               ? os::mapWindowsPath(nombre)
                                               : os::findIgnoringCase(os::programFolder(), nombre);
    std::error_code error;
    const std::string extension = programa.extension().string();
    if (!std::filesystem::exists(programa, error) && base::equalsIgnoringCase(extension, ".exe")) {
        const std::filesystem::path sinExe = os::findIgnoringCase(programa.parent_path(), programa.stem().string());
        if (std::filesystem::exists(sinExe, error)) return sinExe;
    }
    return programa;
}

void EjecutaOpcionMenu(std::string_view Opcion, std::string_view ParametroAdicional, long& Resultado)
{
    Resultado = 0;
    std::string parametros;
    std::filesystem::path programa;
    base::ErrorTrap trap([](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, "MenuExes"); });
    trap.step([&] { parametros = ArmaParametrosConexion(ParametroAdicional); });
    trap.step([&] { programa = ProgramaDeOpcion(Opcion); });
    trap.step([&] {
        if (!programa.empty()) Resultado = os::startProgram(programa, parametros);
    });
    trap.step([&] {
        if (Resultado == 0)
            programPrompter().msgBox("Opcion no Implementada!\rComuniquese con su proveedor de sistemas",
                                     ui::vbCritical, "Atención");
    });
}
