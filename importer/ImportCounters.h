#pragma once
// The counters a batch-style import shows once per record: records read, written and failed, the start, the
// minutes elapsed and the records read per minute.

#include "platform/base/DateTime.h"

#include <cstdint>
#include <string>
#include <string_view>

struct ContadoresImportacion {
    std::int32_t leidos = 0, grabados = 0, errores = 0;
    base::DateTime inicio;
    std::int64_t minutos = 0, minutosPrevios = 0;
    std::int64_t promedio = 0;
    std::int32_t leidosAlCambio = 0;
    // The source's records, when the progress tells the time remaining, and the minutes it last told.
    std::int32_t total = 0;
    double restante = 0;

    // The rate is the records read during the last completed stretch between two minute changes, and during
    // the first minute the records read so far.
    // With a total, the minutes remaining follow a rate above 0 and keep their value otherwise.
    void actualizaPromedio(base::DateTime ahora);
    // "Leidos n Grabados:n Errores: n Inicio: <date> transcurrido: m Min. (Promedio: r x minuto)"
    std::string linea() const;
    // The same counters one to a line (CR LF between them), as an import of several phases shows them:
    // "Leidos n", "Grabados:n", "Errores: n", "Inicio: <date>", "Transcurrido: m" + `trasMinutos`,
    // "(Promedio: r x minuto)".
    std::string lineas(std::string_view trasMinutos) const;
    // The counters with the total and the time remaining, as the balance imports show them:
    // "Leidos n de t Grabados:n Errores: n" CR LF " Inicio: <date> transcurrido: m Min. Tiempo restante:r Min.
    // (Promedio minuto: p )".
    std::string lineaRestante() const;

private:
    // The start as every line shows it, kept with the start and the date separator it was written with.
    const std::string& inicioMostrado() const;
    mutable base::DateTime inicioEscrito_;
    mutable char separadorEscrito_ = 0;
    mutable std::string inicioTexto_;
};
