#include "numbering/NumberingQueries.h"

#include "core/DB_Dll.h"
#include "core/FormattingHelpers.h"
#include "core/Utilidades.h"
#include "platform/base/Conversions.h"
#include "platform/base/DateParsing.h"
#include "platform/base/Error.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

namespace numbering {

base::ErrorTrap trampa(std::string rutina)
{
    return base::ErrorTrap(
        [rutina = std::move(rutina)](const base::Error& error) { return gDB_Dll().TratamientoErrores(error, {}, rutina); });
}

namespace {

// The code without the spaces around it; a view, since a voucher's type is asked about many times.
std::string_view sinBlancos(std::string_view TC)
{
    const std::size_t first = TC.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return TC.substr(first, TC.find_last_not_of(' ') + 1 - first);
}

}  // namespace

std::string codigo4(std::string_view TC) { return gUtilidades().RellenaCodigo(sinBlancos(TC), 4); }

bool esTipo(std::string_view TC, std::initializer_list<std::string_view> codes)
{
    const std::string_view trimmed = sinBlancos(TC);
    return std::any_of(codes.begin(), codes.end(),
                       [&](std::string_view code) { return base::equalsIgnoringCase(trimmed, code); });
}

void abreConsulta(std::string statement, db::Recordset& rs, bool updatable)
{
    // Cursor 2 with lock 3 is the dynamic, optimistic recordset the booklet rows are written through.
    if (updatable) gDB_Dll().abreSinTratamiento(std::move(statement), rs, 2, 3);
    else gDB_Dll().abreSinTratamiento(std::move(statement), rs);
}

std::string texto(const base::Value& value) { return gUtilidades().NuloACadena(value); }

std::int64_t numero(const base::Value& value)
{
    if (value.isNull() || value.isEmpty()) return 0;
    if (value.isNumeric()) return value.toInteger();
    return static_cast<std::int64_t>(base::leadingNumber(value.toText()));
}

bool logico(const base::Value& value) { return ValorLogico(texto(value)); }

bool activado(const base::Value& value) { return !value.isNull() && logico(value); }

base::DateTime fecha(const base::Value& value)
{
    const base::DateTime moment = base::toDate(value);
    return base::DateTime::fromParts(moment.year(), moment.month(), moment.day());
}

std::int64_t enteroEstricto(const base::Value& value, std::string_view what)
{
    const auto notANumber = [&] {
        return base::Error(kNoEsNumero, fmt::format("{} no es un número entero: '{}'", what,
                                                    value.isNull() ? std::string("Null") : value.toText()));
    };
    if (value.isNumeric()) {
        const double number = value.toDouble();
        if (number != std::floor(number)) throw notANumber();
        return value.toInteger();
    }
    if (value.kind() != base::Value::Kind::Text) throw notANumber();
    const std::string text = base::trim(value.asText());
    const std::size_t digits = text.find_first_not_of("0123456789", text.starts_with('-') ? 1 : 0);
    if (text.empty() || text == "-" || digits != std::string::npos || text.size() > 15) throw notANumber();
    return std::stoll(text);
}

bool esLetraDeComprobante(std::string_view letra)
{
    return letra.size() == 1 && std::string_view("ABCERXM").find(static_cast<char>(std::toupper(
                                    static_cast<unsigned char>(letra[0])))) != std::string_view::npos;
}

std::string letraDeColumna(std::string_view TC, std::string_view letra)
{
    const std::string trimmed = base::trim(letra);
    if (!esLetraDeComprobante(trimmed))
        throw base::Error(kLetraNoValida, fmt::format("La letra '{}' del comprobante {} no es una letra de "
                                                      "comprobante (A,B,C,E,R,X,M)",
                                                      trimmed, base::trim(TC)));
    return base::toUpperCase(trimmed);
}

}  // namespace numbering
