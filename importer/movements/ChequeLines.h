#pragma once
// The line a cheque in portfolio writes into MV_ASIENTOS: the columns, in the order the ERP's cheque import
// has always written them. The portfolio line carries the cheque's bank details; the balancing line does not.

#include "platform/base/Currency.h"
#include "platform/base/DateTime.h"

#include <cstdint>
#include <optional>
#include <string>

namespace movimientos {

// What the portfolio line adds: the cheque's number, whether it is the firm's own, its clearing term and its
// bank (right-aligned in 4).
struct DatosCheque {
    std::string nroComprobante;
    int chPropio = 0;
    std::int32_t clearing = 0;
    std::string idBanco;
};

// One line of a cheque's entry. `fecha` is the due date, `vencimiento` the cheque's own date, as the ERP's
// reports read them. Codes as written: TC right-aligned in 4, branch "0000", number "00000000".
struct LineaCheque {
    std::string tipoReg;
    base::DateTime fecha;
    std::string cuenta;
    base::Currency importe;
    char debeHaber = 'D';
    std::string cabCuenta, cabNombre, cuentaOrigen, detalle;
    std::string tc, sucursal, numero, letra;
    base::DateTime vencimiento;
    int periodo = 0;
    int secuencia = 1;
    std::int32_t numeroAsiento = 0;
    std::optional<DatosCheque> cheque;  // the portfolio line only
    bool esAjuste = false;
};

// "INSERT INTO MV_ASIENTOS (...) VALUES (...)" for the line, recorded by the logged user at the current
// minute. The program-wide field list is left empty.
std::string lineaCheque(const LineaCheque& linea);

}  // namespace movimientos

namespace movimientos {

// One line of the opening cheque balance: the form of a cheque line without the cheque's origin, its
// narrative right after the side, and the bank details only on a line that names a bank. The file is one
// entry, so every line carries the entry's month and period, whatever its own date.
struct LineaSaldoCheque {
    std::string tipoReg;
    base::DateTime fecha;
    int mesOperativo = 1;
    std::string cuenta;
    base::Currency importe;
    char debeHaber = 'D';
    std::string detalle;
    std::string tc, sucursal, numero, letra;
    std::optional<base::DateTime> vencimiento;  // none: written Null
    int periodo = 0;
    std::int32_t secuencia = 1;
    std::int32_t numeroAsiento = 0;
    std::optional<DatosCheque> cheque;
};

std::string lineaSaldoCheque(const LineaSaldoCheque& linea);

}  // namespace movimientos
