#include "importer/ImportCounters.h"

#include "core/FormattingHelpers.h"
#include "core/Utilidades.h"
#include "platform/base/Currency.h"
#include "platform/base/DateDifference.h"
#include "platform/base/Regional.h"
#include "platform/base/Value.h"

#include <fmt/format.h>

#include <cstdlib>

namespace {

// The minutes as the progress shows them: their shortest text read back as an amount (four decimals), then
// rounded half to even to the configured decimals. Written here on the amount's whole number of ten-
// thousandths, as FormatoNumerico's text round trip would give it; beyond four decimals or beyond the
// amounts that trip is known to keep whole, it is made as FormatoNumerico makes it.
double minutosMostrados(double minutos)
{
    const int decimales = DecimalesDeFormato(-1);
    constexpr std::int64_t kMayorExacto = 100'000'000'000'000;
    char texto[64];
    const auto escrito = fmt::format_to_n(texto, sizeof texto, "{}", minutos);
    const std::int64_t leido =
        escrito.size < sizeof texto
            ? gUtilidades().ValorNumerico(std::string_view(texto, escrito.size)).scaled()
            : kMayorExacto;
    if (decimales > 4 || leido >= kMayorExacto || leido <= -kMayorExacto)
        return gUtilidades().ValorNumerico(FormatoNumerico(fmt::format("{}", minutos), -1)).toDouble();
    std::int64_t paso = 1;
    for (int d = decimales; d < 4; ++d) paso *= 10;
    const std::int64_t magnitud = std::abs(leido);
    std::int64_t cociente = magnitud / paso;
    const std::int64_t resto = magnitud % paso;
    if (2 * resto > paso || (2 * resto == paso && cociente % 2 != 0)) ++cociente;
    const std::int64_t redondeado = cociente * paso;
    return base::Currency::fromScaled(leido < 0 ? -redondeado : redondeado).toDouble();
}

}  // namespace

void ContadoresImportacion::actualizaPromedio(base::DateTime ahora)
{
    minutos = base::minutesBetween(inicio, ahora);
    if (minutos != minutosPrevios) {
        promedio = leidos - leidosAlCambio;
        leidosAlCambio = leidos;
    } else if (minutos == 0) {
        promedio = leidos;
    }
    minutosPrevios = minutos;
    if (total > 0 && promedio > 0) {
        // To the configured decimals, as the time is shown.
        restante = minutosMostrados(static_cast<double>(total - leidos) / static_cast<double>(promedio));
    }
}

const std::string& ContadoresImportacion::inicioMostrado() const
{
    const char separador = base::regional().dateSeparator;
    if (separadorEscrito_ != separador || inicioEscrito_ != inicio) {
        inicioTexto_ = base::Value(inicio).toText();
        inicioEscrito_ = inicio;
        separadorEscrito_ = separador;
    }
    return inicioTexto_;
}

std::string ContadoresImportacion::linea() const
{
    return fmt::format("Leidos {} Grabados:{} Errores: {} Inicio: {} transcurrido: {} Min. (Promedio: {} x minuto)", leidos,
                       grabados, errores, inicioMostrado(), minutos, promedio);
}

std::string ContadoresImportacion::lineas(std::string_view trasMinutos) const
{
    return fmt::format("Leidos {}\r\nGrabados:{}\r\nErrores: {}\r\nInicio: {}\r\nTranscurrido: {}{}\r\n(Promedio: {} x minuto)",
                       leidos, grabados, errores, inicioMostrado(), minutos, trasMinutos, promedio);
}

std::string ContadoresImportacion::lineaRestante() const
{
    return fmt::format("Leidos {} de {} Grabados:{} Errores: {}\r\n Inicio: {} transcurrido: {} Min. Tiempo restante:{} Min. "
                       "(Promedio minuto: {} )",
                       leidos, total, grabados, errores, inicioMostrado(), minutos,
                       base::Value(restante).toText(), promedio);
}
