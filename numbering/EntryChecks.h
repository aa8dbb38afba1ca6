#pragma once
// Questions about the accounting entries of MV_ASIENTOS: whether a voucher has one, under which registration
// type a voucher type's entries go, the next free entry number of a month, and whether a voucher's entry
// touches a customer account. Opening a file for the operator is EjecutaStart, in core/EjecutaStart.h.

#include "platform/base/Value.h"

#include <cstdint>
#include <string>
#include <string_view>

// True when MV_ASIENTOS holds a line of the voucher (on `Cuenta` when it is not empty); `Asiento` then gets
// the entry's reference, month and number as "03 - 000125". Purchase orders ("OC") have no entries: False
// without reading. A failed read raises base::Error for the caller's error treatment.
bool ExisteAsientoComprobante(const std::string& TC, const std::string& Suc, const std::string& Nro,
                              const std::string& Letra, std::string& Asiento, const std::string& Cuenta = {});

// The sub-journal under which the type's entries are registered, as stored (untrimmed); four blanks when the
// type has none or its sub-journal is not listed. Failures go to the error treatment; leaving answers "".
std::string ObtieneTipoRegCont(const std::string& TC);

// The next entry number of the month and period in the registration type's series (at least 1): the
// highest stored plus one, read anew on every call. An empty type is the series of the blank type together
// with the reserved type "ÿRS". `Mes` and `Periodo` are whole numbers or texts holding one (" 2" is 2).
// Failures, a month or period that is no number among them, go to the error treatment and answer 0, which
// is no entry number.
std::int32_t ObtieneNroAsiento(const base::Value& Mes, const base::Value& Periodo, std::string_view TipoReg = {});

// True when the voucher's entry has a line on a customer account (TipoVista "CL"). Given `Cuenta`, the lines
// on that account marked `Transmision` do not count: a task that counts its own lines of the voucher there
// asks about the others. A failed read raises base::Error for the caller's error treatment.
bool ExisteAsientoCliente(const std::string& TC, const std::string& Suc, const std::string& Nro,
                          const std::string& Letra, const std::string& Cuenta = {}, std::int32_t Transmision = 0);
