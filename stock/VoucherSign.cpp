// The direction in which a voucher type moves stock and the VAT book. The voucher-type table says it (ES
// "E" or "S"; SIGNO); where it is silent, fixed lists of the common types decide.

#include "stock/ClsCmnCptes.h"

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Prompter.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace {

constexpr std::string_view kRutina = "ObtieneSignoComprobante%";

constexpr std::array<std::string_view, 7> kStockEntries{"IR", "AJP", "FCC", "NDC", "FPC", "NC", "RMC"};
constexpr std::array<std::string_view, 7> kStockExits{"VS", "AJN", "FC", "ND", "FP", "NCC", "RM"};
constexpr std::array<std::string_view, 4> kVatBookNegative{"NC", "NCC", "NCP", "NCCP"};

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& list, std::string_view code)
{
    for (const std::string_view listedCode : list)
        if (base::equalsIgnoringCase(listedCode, code)) return true;
    return false;
}

// The stock direction the lists give a type whose row leaves it undefined; 0 for a type in neither.
std::int16_t stockSignOfList(std::string_view code)
{
    if (listed(kStockEntries, code)) return 1;
    if (listed(kStockExits, code)) return -1;
    return 0;
}

// The VAT-book direction of a type without a stored sign: credit notes subtract, every other type adds.
std::int16_t vatBookSignOfList(std::string_view code) { return listed(kVatBookNegative, code) ? -1 : 1; }

}  // namespace

std::int16_t ClsCmnCptes::ObtieneSignoComprobante(const std::string& TC, bool LibroIVA)
{
    DB_Dll& erp = gDB_Dll();
    // Codes are stored padded and may arrive padded; the lists know them trimmed.
    const std::string code = base::trim(TC);
    const std::string statement =
        "SELECT * FROM V_TA_CPTE WHERE CODIGO=" + erp.SQLValue(gUtilidades().RellenaCodigo(code, 4));

    std::int16_t sign = 0;
    db::Recordset row;
    base::ErrorTrap trap([](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, std::string(kRutina)); });
    trap.step([&] { gDB_Dll().abreSinTratamiento(statement, row); });
    if (trap.left()) return sign;
    if (row.eof()) {
        // The posting goes on with a sign of 0; the log keeps the type that was missing.
        static constexpr std::string_view kMissing = "El Tipo de Comprobante informado no existe en la tabla de comprobantes";
        const int answer = programPrompter().msgBox(kMissing, ui::vbOKOnly | ui::vbCritical, "Aviso al operador!!!");
        erp.registraError(std::string(kMissing) + ": '" + TC + "'", kRutina, answer);
        erp.CierraRecordset(row);
        return sign;
    }
    trap.step([&] {
        if (LibroIVA) {
            const base::Value stored = row.field("SIGNO").value();
            if (stored.isNull()) {
                sign = vatBookSignOfList(code);
            } else {
                const std::int64_t value = stored.toInteger();
                if (value < INT16_MIN || value > INT16_MAX)
                    throw base::Error(base::errors::kOverflow, "Overflow: SIGNO " + std::to_string(value), "V_TA_CPTE");
                sign = static_cast<std::int16_t>(value);
            }
        } else {
            const base::Value es = row.field("ES").value();
            const std::string direction = es.isNull() ? std::string() : es.toText();
            if (base::equalsIgnoringCase(direction, "E"))
                sign = 1;
            else if (base::equalsIgnoringCase(direction, "S"))
                sign = -1;
            else
                sign = stockSignOfList(code);
        }
    });
    erp.CierraRecordset(row);
    return sign;
}
