#include "importer/RefusedRecords.h"

#include "core/DB_Dll.h"
#include "importer/ErrorList.h"
#include "importer/Importar.h"

#include <fmt/format.h>

RegistrosRechazados::RegistrosRechazados(Importar& ventana, std::string rutina, std::string tabla)
    : ventana_(ventana), rutina_(std::move(rutina)), tabla_(std::move(tabla))
{
}

void RegistrosRechazados::rechaza(std::int32_t registro, std::string_view campo, std::string_view valor,
                                  std::string_view porque)
{
    const std::string texto = fmt::format("Tabla {}, registro {}, {} \"{}\": {}", tabla_, registro, campo, valor, porque);
    ++rechazados_;
    // Like the movement imports' list, this one follows its last row: a shown list costs the same per row
    // however long it gets, as it must on a first migration, where the credit-limit task refuses every customer.
    agregaError(ventana_, rechazados_, texto);
    ventana_.cambio();
    gDB_Dll().registraError(texto, rutina_, 0);
}

std::string RegistrosRechazados::aviso(std::string_view porque) const
{
    if (rechazados_ == 0) return {};
    const std::string cuales =
        rechazados_ == 1 ? fmt::format("1 registro de {}", tabla_) : fmt::format("{} registros de {}", rechazados_, tabla_);
    return textoNoImportados(cuales, rechazados_ == 1, porque);
}
