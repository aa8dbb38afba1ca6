// Users who are not administrators read some tables through per-user synonyms (SS_ + the table's name);
// "@Admin_" in front of a table name asks for the table itself.

#include "core/DB_Dll.h"

#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <array>
#include <utility>

std::string DB_Dll::SS_TSinonimos(std::string_view SQL) const
{
    std::string text(SQL);
    if (!gEsAdmin) {
        static const std::array<std::pair<std::string_view, std::string_view>, 7> kSynonyms{{
            {"MA_CUENTAS", "SS_MA_CUENTAS"},
            {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO"},
            {"MV_ASIENTOS", "SS_MV_ASIENTOS"},
            {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS"},
            {"V_TA_CAJAS", "SS_V_TA_CAJAS"},
            {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO"},
            {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO"},
        }};
        // Only these forms are the table's name; anything else (a longer name, the text's very start or end)
        // is left alone.
        static const std::array<std::pair<std::string_view, std::string_view>, 5> kForms{{
            {" ", " "}, {"(", " "}, {" ", "."}, {"(", "."}, {",", "."},
        }};
        for (const auto& [table, synonym] : kSynonyms) {
            // Every form holds the table's name: a statement that does not name the table has nothing to change.
            if (base::findIgnoringCase(text, table) == std::string_view::npos) continue;
            for (const auto& [before, after] : kForms) {
                const std::string from = std::string(before) + std::string(table) + std::string(after);
                const std::string to = std::string(before) + std::string(synonym) + std::string(after);
                text = base::replace(text, from, to);
            }
            if (table == "MA_CUENTAS") {
                text = base::replace(text, "{MA_CUENTAS.", "{SS_MA_CUENTAS.");
                text = base::replace(text, "@Admin_MA_CUENTAS", "MA_CUENTAS");
            }
        }
    }
    if (base::findIgnoringCase(text, "@Admin_") == std::string_view::npos) return text;
    return base::replace(text, "@Admin_", "");
}
