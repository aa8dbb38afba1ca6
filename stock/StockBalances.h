#pragma once
// Stock balances of the stock module. The ERP keeps them by article, unit and warehouse in
// STK_SALDOS_UNIDADES or, where the configuration says so (USA_STK_STOCK_UDKG), by article and warehouse in
// units in STK_STOCK_UDKG; by lot, serial number and position in STK_SERIES_Y_LOTES.

#include <string>

// The article's balance in the unit at the warehouse, or summed over all warehouses when none is given.
// A blank article leaves Saldo untouched; no balance, or a failure (after the error treatment), gives 0.
void ControlStock(const std::string& IdDeposito, const std::string& IdArticulo, const std::string& IdUnidad,
                  double& Saldo);
