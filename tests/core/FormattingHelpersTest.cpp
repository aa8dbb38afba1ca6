// Truth values, numbers with decimals, times and list searches.

#include "core/Configuracion.h"
#include "core/FormattingHelpers.h"
#include "platform/base/Regional.h"
#include "tests/core/ProgramFixture.h"

namespace {

using Formatting = ProgramFixture;

TEST_F(Formatting, TruthValues)
{
    for (const char* no : {"falso", "n", "FALSE", "0", "No"}) EXPECT_FALSE(ValorLogico(no)) << no;
    for (const char* yes : {"F", "", "off", " NO", "SI", "1"}) EXPECT_TRUE(ValorLogico(yes)) << yes;
}

TEST_F(Formatting, NumbersWithTheConfiguredDecimals)
{
    gCantidadDecimales = "3";
    struct Case { const char* number; int decimals; const char* text; };
    const Case cases[] = {
        {"1234.567", 2, "1234.57"}, {"1234.5", -2, "1234"}, {"1235.5", -2, "1236"}, {"abc", -3, "abc"},
        {"12,5", -1, "12.500"},     {"0.5", 0, "0.50"},     {"-3", 1, "-3.0"},     {"", 2, "0.00"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatoNumerico(c.number, c.decimals), c.text) << c.number << " " << c.decimals;
    gCantidadDecimales = " ";  // an absent key: the regional currency digits
    EXPECT_EQ(FormatoNumerico("2.345", -1), "2.34");
    base::Regional saved = base::regional();
    base::regional().decimalSeparator = ',';
    EXPECT_EQ(FormatoNumerico("2.5", 1), "2,5");
    base::regional() = saved;
    gCantidadDecimales.clear();
    EXPECT_EQ(FormatoFechaHora(), "dd/mm/yy hh:mm");
}

TEST_F(Formatting, TimesToMinutesAndBack)
{
    struct Case { const char* time; const char* hours; const char* minutes; bool plain; long result; };
    const Case cases[] = {
        {"1:30", "", "", false, 90}, {"1:30", "", "", true, 90}, {"25:10", "", "", false, 1510},
        {"", "2", "15", false, 135}, {" ", "0", "0", false, 0},   {"3", "", "", true, 180},
        {"1.5", "", "", true, 90}, {"0.25", "", "", true, 15}, {"abc", "", "", true, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(HoraAMinutos(c.time, c.hours, c.minutes, c.plain), c.result) << c.time;

    long hours = -1, rest = -1;
    EXPECT_EQ(MinutosAHora(125, hours, rest), "02:05");
    EXPECT_EQ(hours, 2);
    EXPECT_EQ(rest, 5);
    EXPECT_EQ(MinutosAHora(6000, hours, rest), "100:00");
    std::string separator = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('SeparadorHora', '.')";
    gDB_Dll().EjecutaConsultaSQL(separator);
    hours = rest = -1;
    EXPECT_EQ(MinutosAHora(125, hours, rest), "2.08");
    EXPECT_EQ(MinutosAHora(30, hours, rest), ".50");
    EXPECT_EQ(hours, -1);
}

TEST_F(Formatting, ListSearches)
{
    gLista = {{"A", ""}, {" B\xC3\xBF", ""}, {"c", ""}};
    EXPECT_EQ(PosicionEnLista("b"), 1);
    EXPECT_EQ(PosicionEnLista(" C "), 2);
    EXPECT_EQ(PosicionEnLista("D"), -1);
    gLista.clear();
    EXPECT_EQ(BuscaEnArreglo({"A", "b", "B"}, "B", 0), 1);
    EXPECT_EQ(BuscaEnArreglo({"A", "b", "B"}, "B", 2), 2);
    EXPECT_EQ(BuscaEnArreglo({"A", "b", "B"}, "B", 3), -1);
    EXPECT_EQ(BuscaEnArreglo({"A", " B"}, "B", 0), -1);
    EXPECT_EQ(NormalizaTexto(std::string("  linea\nuno\xC3\xBF ") + '\0'), "lineauno");
    EXPECT_EQ(NormalizaTexto(base::Value::null()), "");
}

}  // namespace
