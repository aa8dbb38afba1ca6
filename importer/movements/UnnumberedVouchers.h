#pragma once
// The numbers the balance import gives the open items whose voucher has no number of its own (a zero number
// part). One counter over the run, from 1, that passes over every number another voucher of the same type,
// branch and letter holds: a number of the source itself, or a first line of the entries that another task
// or the ERP wrote. The balance import's own lines do not count, so a second run of the same source gives
// each such record the number it got the first time and finds it imported; and a voucher the ERP holds is
// never taken for one of them.

#include "importer/movements/VoucherKey.h"
#include "platform/db/Recordset.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace movimientos {

class NumeracionSinNumero {
public:
    // Walks `origen` (the source's tipo_fte and Nume_fte, every record) to its end, then reads the numbers
    // the entries hold for each type, branch and letter a record without number has. A record or a read
    // that fails raises base::Error, the record's naming `tabla`, the record and the field.
    void lee(db::Recordset& origen, std::string_view tabla, std::string_view rutina);
    // The number, "00000000", of the next record without one of its own, of this type, branch and letter.
    std::string siguiente(const ClaveComprobante& clave);

private:
    void leeAsientos(const ClaveComprobante& clave);

    std::int64_t contador_ = 1;
    // The numbers held, by type, branch and letter.
    std::unordered_map<std::string, std::unordered_set<std::int64_t>> ocupados_;
};

}  // namespace movimientos
