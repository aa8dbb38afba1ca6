// Imports this version of the program does not carry yet: each says so beside its entry's caption.

#include "importer/Importar.h"

void Importar::ImportaChequesCartera(std::string_view) { noDisponible(); }
void Importar::ImportaSaldoCheques() { noDisponible(); }
