#include "importer/ImportCounters.h"

#include "core/FormattingHelpers.h"
#include "core/Utilidades.h"
#include "platform/base/DateDifference.h"
#include "platform/base/Value.h"

#include <fmt/format.h>

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
        const double minutosRestantes = static_cast<double>(total - leidos) / static_cast<double>(promedio);
        restante = gUtilidades().ValorNumerico(FormatoNumerico(fmt::format("{}", minutosRestantes), -1)).toDouble();
    }
}

std::string ContadoresImportacion::linea() const
{
    return fmt::format("Leidos {} Grabados:{} Errores: {} Inicio: {} transcurrido: {} Min. (Promedio: {} x minuto)", leidos,
                       grabados, errores, base::Value(inicio).toText(), minutos, promedio);
}

std::string ContadoresImportacion::lineas(std::string_view trasMinutos) const
{
    return fmt::format("Leidos {}\r\nGrabados:{}\r\nErrores: {}\r\nInicio: {}\r\nTranscurrido: {}{}\r\n(Promedio: {} x minuto)",
                       leidos, grabados, errores, base::Value(inicio).toText(), minutos, trasMinutos, promedio);
}

std::string ContadoresImportacion::lineaRestante() const
{
    return fmt::format("Leidos {} de {} Grabados:{} Errores: {}\r\n Inicio: {} transcurrido: {} Min. Tiempo restante:{} Min. "
                       "(Promedio minuto: {} )",
                       leidos, total, grabados, errores, base::Value(inicio).toText(), minutos,
                       base::Value(restante).toText(), promedio);
}
