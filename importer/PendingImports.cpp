// Imports this version of the program does not carry yet: each says so beside its entry's caption.

#include "importer/Importar.h"

void Importar::ImportaSaldosCtaCte(std::string_view) { noDisponible(); }
void Importar::CmdNETO_FTE_Click() { noDisponible(); }
