#pragma once
// The window's error list (MSFlexGrid1), where a task lists the records it could not write, and the one box
// at the end of a task that counts them. A box per record would keep the operator answering boxes through a
// run with many of them; the list and the error log keep each record's detail instead.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Importar;

// The list cleared (its number of rows kept), its two columns as wide as the grid allows; the caller tells
// the window when it is ready to show it.
void preparaListaErrores(Importar& ventana);
// A row at the end of the list, `ordinal` beside `texto`; it becomes the top row. The caller tells the window.
void agregaError(Importar& ventana, std::int32_t ordinal, const std::string& texto);

// "<cuales> no se importó" (`uno`) or "no se importaron", then ": " and `porque` when there is a reason, then
// where the detail is: the error list and the error log.
std::string textoNoImportados(std::string_view cuales, bool uno, std::string_view porque = {});
// The one box at the end of a task: the texts that are not empty, one after the other; no box when all are.
void avisaFinDeTarea(const std::vector<std::string>& textos);
