#pragma once
// The steps of the accounting entry of a stock movement (ClsCmnCptes::GeneraAsientoStock): the value of
// each article of the grid, the amount each article cost account takes, and the statement of one line.

#include "platform/base/Currency.h"
#include "platform/base/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ui {
class FlexGrid;
}

struct ImporteArticulo {
    std::string IdArticulo;  // right-aligned in 25
    base::Currency Importe;
};

struct ImporteCuenta {
    std::string Cuenta;
    base::Currency Importe;
};

// The articles of the grid with their values (quantity, column 7, times the value per unit in
// `ColumnaValor`), each article once, in the order it first appears. With `SoloRegistro` 0 every data row
// counts; otherwise only that row.
std::vector<ImporteArticulo> CargaImportesArticulos(const ui::FlexGrid& Grid, long SoloRegistro, long ColumnaValor);

// The cost accounts of the articles (v_ma_articulos.cuentacontableC), in ascending account order, each with
// the sum of the values of its articles. An article without a cost account, or not in the table, takes no
// part.
std::vector<ImporteCuenta> CargaCuentasArticulos(const std::vector<ImporteArticulo>& Articulos);

// What every line of one entry shares.
struct CabeceraAsiento {
    base::DateTime Fecha;
    std::int32_t NroAsiento = 0;
    std::string Detalle;  // the motive's description
    std::string TC;       // trimmed; written right-aligned in 4
    std::string Suc, Nro, Letra;
    std::string TipoReg;
    base::Currency Total;
    std::string CuentaMotivo;
    std::string Motivo;  // the stock or sales motive code
    bool CostoMercaderia = false;
    std::string TcOrigen, CpteOrigen;  // the sale, for the cost of goods
    long SoloRegistro = 0;
};

struct LineaAsiento {
    std::string Cuenta;
    std::int32_t Secuencia = 0;
    bool Debe = false;
    base::Currency Importe;
};

// The statement that writes the line: an INSERT, or with `SoloRegistro` an UPDATE adding to the voucher's
// line of the same account and side when there is one. Empty for a line whose amount is zero or less.
std::string EmiteLineaAsiento(const CabeceraAsiento& Cabecera, const LineaAsiento& Linea);
