#include "importer/ErrorList.h"

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "importer/Importar.h"
#include "platform/ui/Prompter.h"

#include <algorithm>
#include <fmt/format.h>

namespace {

// Widths in twips: the ordinal's column, and what the text's column leaves of the grid's width.
constexpr long kAnchoOrdinal = 350;
constexpr long kMargenTexto = 300;

}  // namespace

void preparaListaErrores(Importar& ventana)
{
    ui::FlexGrid& lista = ventana.MSFlexGrid1;
    lista.clear();
    lista.setColWidth(0, kAnchoOrdinal);
    lista.setColWidth(1, std::max(0L, lista.width - kMargenTexto));
}

void agregaError(Importar& ventana, std::int32_t ordinal, const std::string& texto)
{
    ui::FlexGrid& lista = ventana.MSFlexGrid1;
    lista.setRows(lista.rows() + 1);
    const long fila = lista.rows() - 1;
    lista.setTextMatrix(fila, 0, std::to_string(ordinal));
    lista.setTextMatrix(fila, 1, texto);
    lista.setTopRow(fila);
}

std::string textoNoImportados(std::string_view cuales, bool uno, std::string_view porque)
{
    return fmt::format("{} no se {}{}{}. El detalle está en la lista de errores y en el registro de errores {}", cuales,
                       uno ? "importó" : "importaron", porque.empty() ? "" : ": ", porque,
                       gDB_Dll().rutaRegistroErrores().string());
}

void avisaFinDeTarea(const std::vector<std::string>& textos)
{
    std::string mensaje;
    for (const std::string& texto : textos) {
        if (texto.empty()) continue;
        mensaje += (mensaje.empty() ? "" : "\r\n") + texto;
    }
    if (!mensaje.empty()) programPrompter().msgBox(mensaje, ui::vbOKOnly | ui::vbExclamation, "");
}
