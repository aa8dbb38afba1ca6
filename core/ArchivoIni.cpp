#include "core/ArchivoIni.h"

#include "platform/os/IniFile.h"
#include "platform/os/PathMapping.h"
#include "platform/os/ProgramFolder.h"

std::string ArchivoIni::LeeClave(std::string_view archivo, std::string_view seccion, std::string_view clave,
                                 std::string_view valorDefecto) const
{
    return os::readIniValue(os::findIgnoringCase(os::programFolder(), archivo), seccion, clave, valorDefecto);
}

ArchivoIni& gArchivoIni()
{
    static ArchivoIni instance;
    return instance;
}
