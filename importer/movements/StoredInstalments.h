#pragma once
// What the entries already hold of the open items of one voucher on one account, for the balance import to
// pass over what an earlier run wrote and to write what it did not. The voucher's lines on that account are
// read once, at its first record of the run. A line there that this import did not write (no mark, or
// another's) means the ERP holds the voucher: every record of it is there. Otherwise each record is matched
// with a first line this import wrote by what the record writes there itself: its amount, its due date (Null
// included) and, for the voucher's first record, the VAT figures. A line matched is not matched again: k
// records alike are there when k such lines are, and a record refused on an earlier run finds no line of its
// own however many of its voucher's other records were written.

#include "importer/movements/VoucherKey.h"
#include "platform/base/Currency.h"
#include "platform/base/DateTime.h"
#include "platform/base/Value.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

namespace movimientos {

class CuotasGuardadas {
public:
    // What a record writes on its voucher's first line.
    struct Cuota {
        base::Currency importe;
        base::Value vencimiento;  // Null or a date
        bool conIva = false;      // it carries the voucher's VAT figures, a VAT total other than 0
    };

    // Whether the entries already hold this record of the voucher on `cuenta` (trimmed). Asked once for each
    // record, in the order of the source. A failed read raises base::Error.
    bool guardada(const ClaveComprobante& clave, const std::string& cuenta, const Cuota& cuota);

private:
    // The first lines of one amount and due date not matched yet, with and without the VAT figures.
    struct Lineas {
        std::int32_t conIva = 0, sinIva = 0;
    };
    using Forma = std::pair<base::Currency, std::optional<base::DateTime>>;
    struct Guardadas {
        bool ajenas = false;  // a line this import did not write
        std::map<Forma, Lineas> propias;
    };

    // A line's amount and due date as records are matched by them; none when they are no amount and no date
    // or Null, which no record writes.
    static std::optional<Forma> forma(const base::Value& importe, const base::Value& vencimiento);
    static Guardadas lee(const ClaveComprobante& clave, const std::string& cuenta);

    std::unordered_map<std::string, Guardadas> leidas_;  // by voucher on account
};

}  // namespace movimientos
