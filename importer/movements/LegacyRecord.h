#pragma once
// A record of a legacy table read field by field, as the movement imports need its fields, and the exact
// quotient their amounts are divided with.

#include "platform/base/Currency.h"
#include "platform/base/DateTime.h"
#include "platform/base/Value.h"
#include "platform/db/Recordset.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace movimientos {

// One record of a legacy table, read as the import needs its fields. Every failure names the table, the
// record and the field, keeping the number of the error that caused it (13 for a value of the wrong kind);
// `rutina` is the import the failure is reported under.
class CamposLegado {
public:
    CamposLegado(db::Recordset& origen, std::string_view tabla, std::int32_t registro,
                 std::string_view rutina = "ImportaOrdenes")
        : origen_(origen), tabla_(tabla), registro_(registro), rutina_(rutina)
    {
    }

    // As the data layer gives it: Null for an empty number or date.
    base::Value valor(std::string_view campo) const;
    // "" for Null.
    std::string texto(std::string_view campo) const;
    // An amount the import computes with: a Null or a text that is no number fails.
    base::Currency numero(std::string_view campo) const;
    // An amount copied as it is: Null reads as 0.
    base::Currency numeroOCero(std::string_view campo) const;
    // A date the import computes with: Null fails.
    base::DateTime fecha(std::string_view campo) const;
    // A date copied as it is: Null stays Null.
    base::Value fechaONula(std::string_view campo) const;

private:
    [[noreturn]] void falla(std::string_view campo, long numero, std::string_view porque) const;

    db::Recordset& origen_;
    std::string_view tabla_;
    std::int32_t registro_;
    std::string_view rutina_;
};

// dividendo / divisor to four decimals, ties to the even neighbour, computed exactly; the divisor is not 0.
base::Currency cociente(base::Currency dividendo, base::Currency divisor);

}  // namespace movimientos
