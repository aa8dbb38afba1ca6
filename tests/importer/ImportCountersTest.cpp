// The counters an import shows per record: the time remaining, as the balance imports show it, against the
// way it has always been worked out (the minutes' text through FormatoNumerico and read back), over many
// remaining records, rates, configured decimals and decimal separators.

#include "core/Configuracion.h"
#include "core/FormattingHelpers.h"
#include "core/Utilidades.h"
#include "importer/ImportCounters.h"
#include "platform/base/Regional.h"
#include "platform/base/Value.h"
#include "tests/core/ProgramFixture.h"

#include <cstdint>
#include <fmt/format.h>
#include <limits>
#include <vector>

namespace {

using Counters = ProgramFixture;

// The minutes remaining as they were always worked out and shown.
double minutosDeSiempre(std::int64_t quedan, std::int64_t promedio)
{
    const double minutos = static_cast<double>(quedan) / static_cast<double>(promedio);
    return gUtilidades().ValorNumerico(FormatoNumerico(fmt::format("{}", minutos), -1)).toDouble();
}

// Counters one minute into a stretch that read `promedio` records, with `quedan` records of the total left.
ContadoresImportacion contadores(std::int64_t quedan, std::int64_t promedio)
{
    ContadoresImportacion c;
    c.inicio = base::DateTime::fromParts(2024, 3, 1, 10, 0, 0);
    c.leidos = static_cast<std::int32_t>(promedio + 7);
    c.leidosAlCambio = 7;
    c.total = static_cast<std::int32_t>(c.leidos + quedan);
    c.actualizaPromedio(c.inicio.addSeconds(61));
    return c;
}

TEST_F(Counters, TheTimeRemainingIsShownAsItAlwaysWas)
{
    std::vector<std::int64_t> quedan;
    for (std::int64_t n = -40; n <= 1200; ++n) quedan.push_back(n);
    for (std::int64_t n = 1201; n < std::numeric_limits<std::int32_t>::max() / 2; n = n * 7 / 3 + 11) quedan.push_back(n);
    const std::int64_t promedios[] = {1,   2,    3,    7,    8,     13,    16,     25,     32,      80,
                                      99,  128,  200,  333,  400,   1000,  1024,   1600,   2000,    4096,
                                      9999, 20000, 65536, 100000, 200000, 999999, 4000000, 123456789};
    const char* decimales[] = {"", "0", "-2", "1", "2", "3", "4", "5", "6"};
    const base::Regional saved = base::regional();
    int comparados = 0;
    for (const char separador : {'.', ','}) {
        base::regional().decimalSeparator = separador;
        for (const char* configurados : decimales) {
            gCantidadDecimales = configurados;
            for (const std::int64_t p : promedios) {
                for (const std::int64_t n : quedan) {
                    const std::int64_t total = p + 7 + n;
                    if (total <= 0 || total > std::numeric_limits<std::int32_t>::max()) continue;
                    const ContadoresImportacion c = contadores(n, p);
                    ASSERT_EQ(c.promedio, p);
                    ContadoresImportacion siempre = c;
                    siempre.restante = minutosDeSiempre(n, p);
                    ASSERT_EQ(c.lineaRestante(), siempre.lineaRestante())
                        << n << " / " << p << " decimales '" << configurados << "' separador " << separador;
                    ++comparados;
                }
            }
        }
    }
    base::regional() = saved;
    gCantidadDecimales.clear();
    EXPECT_GT(comparados, 400000);
}

TEST_F(Counters, WithoutATotalOrARateTheTimeRemainingKeepsItsValue)
{
    ContadoresImportacion c;
    c.inicio = base::DateTime::fromParts(2024, 3, 1, 10, 0, 0);
    c.restante = 2.5;
    c.leidos = 10;
    c.actualizaPromedio(c.inicio.addSeconds(30));
    EXPECT_EQ(c.restante, 2.5);  // no total
    c.total = 100;
    c.leidos = 0;
    c.actualizaPromedio(c.inicio.addSeconds(40));
    EXPECT_EQ(c.promedio, 0);
    EXPECT_EQ(c.restante, 2.5);  // no rate yet
    c.leidos = 20;
    c.actualizaPromedio(c.inicio.addSeconds(50));
    EXPECT_EQ(c.restante, 4.0);  // 80 left at 20 a minute
}

TEST_F(Counters, TheLinesShowTheStartAsItIsNowWithTheSeparatorOfNow)
{
    const base::Regional saved = base::regional();
    ContadoresImportacion c;
    c.leidos = 3;
    c.total = 9;
    struct Case { int day, hour; char separator; const char* start; };
    const Case cases[] = {
        {1, 10, '/', "01/03/2024 10:00:00"}, {1, 10, '/', "01/03/2024 10:00:00"}, {1, 10, '-', "01-03-2024 10:00:00"},
        {2, 10, '-', "02-03-2024 10:00:00"}, {2, 0, '-', "02-03-2024"},           {2, 0, '/', "02/03/2024"},
    };
    for (const Case& k : cases) {
        base::regional().dateSeparator = k.separator;
        c.inicio = base::DateTime::fromParts(2024, 3, k.day, k.hour, 0, 0);
        EXPECT_EQ(c.linea(), fmt::format("Leidos 3 Grabados:0 Errores: 0 Inicio: {} transcurrido: 0 Min. (Promedio: 0 x "
                                         "minuto)",
                                         k.start));
        EXPECT_EQ(c.lineas(" Min."), fmt::format("Leidos 3\r\nGrabados:0\r\nErrores: 0\r\nInicio: {}\r\nTranscurrido: 0 "
                                                 "Min.\r\n(Promedio: 0 x minuto)",
                                                 k.start));
        EXPECT_EQ(c.lineaRestante(), fmt::format("Leidos 3 de 9 Grabados:0 Errores: 0\r\n Inicio: {} transcurrido: 0 Min. "
                                                 "Tiempo restante:0 Min. (Promedio minuto: 0 )",
                                                 k.start));
    }
    base::regional() = saved;
}

}  // namespace
