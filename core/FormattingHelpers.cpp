#include "core/FormattingHelpers.h"

#include "core/Configuracion.h"
#include "core/Utilidades.h"
#include "platform/base/Conversions.h"
#include "platform/base/Currency.h"
#include "platform/base/DateParsing.h"
#include "platform/base/Format.h"
#include "platform/base/Regional.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <array>
#include <cmath>

namespace {

const std::string kCharacter255 = base::characterOfCode(255);
const std::string kCharacter0(1, '\0');

long splitMinutes(std::string_view text)
{
    const long colon = base::inStr(text, ":");
    // A plain number of hours may carry decimals: 1.5 hours are 90 minutes.
    if (colon == 0) return static_cast<long>(base::roundHalfEven(base::leadingNumber(text) * 60));
    const auto hours = static_cast<long>(base::leadingNumber(base::left(text, colon - 1)));
    const auto minutes = static_cast<long>(base::leadingNumber(base::mid(text, colon + 1)));
    return hours * 60 + minutes;
}

}  // namespace

bool ValorLogico(std::string_view texto)
{
    static const std::array<std::string_view, 5> kFalse{"FALSE", "FALSO", "0", "NO", "N"};
    for (std::string_view word : kFalse)
        if (base::equalsIgnoringCase(texto, word)) return false;
    return true;
}

std::string FormatoFechaHora() { return "dd/mm/yy hh:mm"; }

int DecimalesDeFormato(int decimales)
{
    int places = decimales == -1 ? static_cast<int>(base::leadingNumber(gCantidadDecimales)) : decimales;
    if (places == 0) places = base::regional().currencyDigits;
    if (places == -2) places = 0;
    return std::max(places, 0);
}

std::string FormatoNumerico(std::string_view numero, int decimales)
{
    if (decimales == -3) return std::string(numero);
    const int places = DecimalesDeFormato(decimales);
    const double rounded = base::roundToDecimals(gUtilidades().ValorNumerico(numero).toDouble(), places);
    std::string text = base::format(rounded, "############0." + std::string(static_cast<std::size_t>(places), '0'));
    if (places == 0 && !text.empty() && (text.back() == '.' || text.back() == ',')) text.pop_back();
    return text;
}

long HoraAMinutos(std::string_view hora, std::string_view horas, std::string_view minutos, bool textoPlano)
{
    if (textoPlano) return splitMinutes(hora);
    if (const auto time = base::parseDate(hora)) return time->hour() * 60L + time->minute();
    if (base::trim(hora).empty()) {
        const auto h = static_cast<long>(base::leadingNumber(horas));
        const auto m = static_cast<long>(base::leadingNumber(minutos));
        return h > 0 || m > 0 ? h * 60 + m : 0;
    }
    return splitMinutes(hora);
}

std::string MinutosAHora(long minutos, long& horas, long& resto)
{
    std::string separator = LeeConfiguracion("SeparadorHora");
    if (base::trim(separator).empty()) separator = ":";
    if (separator == ".") return base::replace(base::format(minutos / 60.0, "#####.00"), ",", ".");
    horas = minutos / 60;
    resto = minutos % 60;
    return base::format(horas, "#####00") + separator + base::format(resto, "#####00");
}

long PosicionEnLista(std::string_view texto)
{
    const std::string wanted = base::trim(texto);
    for (std::size_t i = 0; i < gLista.size(); ++i)
        if (base::equalsIgnoringCase(base::trim(gUtilidades().QuitaCaracteres(gLista[i].NombreCampo, kCharacter255, kCharacter0)),
                                     wanted))
            return static_cast<long>(i);
    return -1;
}

std::string NormalizaTexto(const base::Value& valor)
{
    return base::trim(gUtilidades().QuitaCaracteres(gUtilidades().NuloACadena(valor), kCharacter0, kCharacter255, "\n"));
}

long BuscaEnArreglo(const std::vector<std::string>& arreglo, std::string_view texto, long desde)
{
    for (long i = std::max(desde, 0L); i < static_cast<long>(arreglo.size()); ++i)
        if (base::equalsIgnoringCase(arreglo[static_cast<std::size_t>(i)], texto)) return i;
    return -1;
}
