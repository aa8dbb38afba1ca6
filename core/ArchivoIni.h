#pragma once
// The ERP library's INI reader. The program names its INI file without a folder ("RU000de.INI"); the
// file is looked for in the program's folder.

#include <string>
#include <string_view>

class ArchivoIni {
public:
    // The key's value, or `valorDefecto` when the file, the section or the key is missing.
    std::string LeeClave(std::string_view archivo, std::string_view seccion, std::string_view clave,
                         std::string_view valorDefecto) const;
};

ArchivoIni& gArchivoIni();
