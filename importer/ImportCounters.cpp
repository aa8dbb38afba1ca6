#include "importer/ImportCounters.h"

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
