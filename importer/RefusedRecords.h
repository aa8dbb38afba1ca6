#pragma once
// The legacy records a master-data task refuses because a value cannot be written as it is meant: each one a
// row of the window's error list and a line of the error log naming the table, the record, the field and its
// value, and at the end of the task a count of them for the task's one box. Nothing of a refused record is
// written; a run after the legacy table or the ERP is put right writes it.

#include <cstdint>
#include <string>
#include <string_view>

class Importar;

class RegistrosRechazados {
public:
    // `rutina` is the import's name in the error log, `tabla` the legacy table or sheet. The rows go after
    // those earlier tasks of the run listed: the window empties the list when a run starts.
    RegistrosRechazados(Importar& ventana, std::string rutina, std::string tabla);

    // Record `registro` (its place in the source, from 1) is not written: its field `campo` holds `valor`,
    // and `porque` says why that cannot be written.
    void rechaza(std::int32_t registro, std::string_view campo, std::string_view valor, std::string_view porque);
    // For the end box: how many records were refused and `porque`; "" when none was.
    std::string aviso(std::string_view porque) const;

private:
    Importar& ventana_;
    std::string rutina_, tabla_;
    std::int32_t rechazados_ = 0;
};
