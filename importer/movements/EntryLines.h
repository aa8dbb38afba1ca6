#pragma once
// The lines the movement imports write into MV_ASIENTOS, the accounting period a date falls in, and the
// calendar row every entry date gets.
//
// The balance form of a line: the columns, in the order the ERP's balance imports have always written
// them. A voucher's first line (its customer or supplier) carries the voucher's VAT book data; the lines
// after it go straight from the letter to the narrative.

#include "platform/base/Currency.h"
#include "platform/base/DateTime.h"
#include "platform/base/Value.h"

#include <cstdint>
#include <optional>
#include <string>

namespace movimientos {

// The mark the balance import's lines carry in TRANSMISION, which tells them from the lines of the ERP and of
// the other tasks.
constexpr std::int32_t kTransmisionSaldos = 4;

// The accounting period of a date: 0 for the year before the migration (before 1 July 2005), else 1.
int periodoDe(base::DateTime fecha);

// The minute the lines are recorded at (FECHAHORA_GRABACION).
base::DateTime minutoActual();

// The statement that adds the day to MA_CALENDARIO as a working day, when it is not there yet.
std::string filaCalendario(base::DateTime fecha);

// What the first line of a voucher adds: its VAT book kind (none for a type outside the books), total,
// the party's name, tax id and VAT condition, and the due date (Null when there is none).
struct CabeceraAsiento {
    std::optional<std::string> livaTipo;
    base::Currency livaTotal;
    std::string nombre;
    base::Value vencimiento;
    std::string cuit;
    std::string condicionIva;  // right-aligned in 4
};

// One line of an entry in the balance form. Codes as they are written: TC right-aligned in 4, branch
// "0000", number "00000000".
struct LineaAsiento {
    std::string tipoReg;
    base::DateTime fecha;
    std::string cuenta;
    base::Currency importe;
    char debeHaber = 'D';
    std::string cabCuenta;
    base::Currency cabImporte;
    std::string tc, sucursal, numero, letra;
    std::optional<CabeceraAsiento> cabecera;  // the voucher's first line only
    std::string detalle;
    int periodo = 0;
    int secuencia = 1;
    std::int32_t numeroAsiento = 0;
    bool esAjuste = false;
    std::int32_t transmision = kTransmisionSaldos;
    std::optional<std::string> idVendedor;  // right-aligned in 4; customers' lines only
};

// "INSERT INTO MV_ASIENTOS (...) VALUES (...)" for the line, recorded by the logged user at the current
// minute. The program-wide field list is left empty.
std::string lineaSaldo(const LineaAsiento& linea);

}  // namespace movimientos
