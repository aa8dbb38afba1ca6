// Imports this version of the program does not carry yet: each says so beside its entry's caption.

#include "importer/Importar.h"

void Importar::ImportaLimiteCredito() { noDisponible(); }
void Importar::ImportaClientes() { noDisponible(); }
void Importar::ImportaProveedores() { noDisponible(); }
void Importar::ImportaEmpleadosTEMO() { noDisponible(); }
void Importar::ImportaArticulos() { noDisponible(); }
void Importar::ImportaCostos() { noDisponible(); }
void Importar::ImportaListasCompras() { noDisponible(); }
void Importar::ImportaOrdenes() { noDisponible(); }
void Importar::ImportaSaldosStock() { noDisponible(); }
void Importar::ImportaMovimientosStock(std::string_view) { noDisponible(); }
void Importar::ImportaSaldosCtaCte(std::string_view) { noDisponible(); }
void Importar::ImportaChequesCartera(std::string_view) { noDisponible(); }
void Importar::ImportaSaldoCheques() { noDisponible(); }
void Importar::CmdNETO_FTE_Click() { noDisponible(); }
