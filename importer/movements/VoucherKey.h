#pragma once
// The voucher a legacy current-account record names, as its entry lines store it: the type right-aligned
// in 4, and from the number text (branch, "-", eight digits, "-", letter) the branch "0000", the number
// "00000000" and the letter.

#include <cstdint>
#include <string>
#include <unordered_map>

namespace movimientos {

struct ClaveComprobante {
    std::string tc, sucursal, numero, letra;
    bool numeroCero = false;  // the number part is 0: the voucher has no number of its own
};

// `tipo` and `numero` as read. The branch is the number in characters 1-4, the number the one in characters
// 6-13 with any "-" dropped, the letter the last character ("X" when it is blank).
ClaveComprobante claveComprobante(const std::string& tipo, const std::string& numero);

// The voucher on an account (trimmed) as one text, to tell its records apart from other vouchers' and
// accounts': letters of either case are the same, as the entries compare them.
std::string claveEnCuenta(const ClaveComprobante& clave, const std::string& cuenta);

// The open items a source gives of each voucher on each account: a voucher kept in instalments stands in
// the source once per instalment, each record repeating the voucher's own total and net.
class CuotasComprobante {
public:
    // Which record of the voucher on that account (trimmed) this one is: 1 for the first, 2 for the
    // second instalment, ...
    std::int32_t registra(const ClaveComprobante& clave, const std::string& cuenta);

private:
    std::unordered_map<std::string, std::int32_t> vistos_;
};

}  // namespace movimientos
