#include "core/Utilidades.h"

#include <gtest/gtest.h>

namespace {

const Utilidades utilidades;

TEST(Utilidades, RellenaCodigoRightAlignsWithoutEverCutting)
{
    struct Case { const char* code; int width; const char* padded; };
    const Case cases[] = {
        {"1", 4, "   1"},         {"OC  ", 4, "  OC"},      {"  1 ", 4, "   1"},
        {"ELDELGRID", 4, "ELDELGRID"}, {"9001", 4, "9001"}, {"", 4, "    "},
        {"Ñu", 4, "  Ñu"},        {"A-1", 25, "                      A-1"},
    };
    for (const Case& c : cases) EXPECT_EQ(utilidades.RellenaCodigo(c.code, c.width), c.padded) << c.code;
    EXPECT_EQ(utilidades.RellenaCodigo("7"), "   7");
}

TEST(Utilidades, NumbersAreReadFromTheStartOfTheText)
{
    struct Case { const char* text; const char* currency; double asDouble; long asLong; };
    const Case cases[] = {
        {"12,5", "12.5", 12.5, 12},      {"1234.567", "1234.567", 1234.567, 1235}, {"004999", "4999", 4999, 4999},
        {"1.5abc", "1.5", 1.5, 2},       {"abc", "0", 0, 0},                       {"", "0", 0, 0},
        {"-3", "-3", -3, -3},            {" 7", "7", 7, 7},                        {"2.5", "2.5", 2.5, 2},
        {"1.2.3", "1.2", 1.2, 1},        {"12,34567", "12.3457", 12.34567, 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utilidades.ValorNumerico(c.text).toText(), c.currency) << c.text;
        EXPECT_DOUBLE_EQ(utilidades.ValorDoble(c.text), c.asDouble) << c.text;
        EXPECT_EQ(utilidades.ValorEntero(c.text), c.asLong) << c.text;
    }
}

TEST(Utilidades, TextServices)
{
    EXPECT_EQ(utilidades.LimpiaTexto("  O'Brien\t \r\n"), "OBrien");
    EXPECT_EQ(utilidades.LimpiaTexto("'  OC'"), "OC");
    EXPECT_EQ(utilidades.QuitaCaracteres("a|b\xC3\xBF" "c'", "|", "\xC3\xBF", "'"), "abc");
    EXPECT_EQ(utilidades.ReemplazaTexto("Pesos y PESOS", "pesos", "$"), "$ y $");
    EXPECT_EQ(utilidades.ReemplazaTexto("sin cambio", "", "x"), "sin cambio");
    EXPECT_EQ(utilidades.RecortaTexto("ñandú", 3), "ñan");
    EXPECT_EQ(utilidades.RecortaTexto("ab", 250), "ab");
    EXPECT_EQ(utilidades.CuentaPalabras("  SELECT  *\r\nFROM T "), 4);
    EXPECT_EQ(utilidades.CuentaPalabras(""), 0);
    EXPECT_EQ(utilidades.NormalizaCarpeta("Z:\\MIGRAR"), "Z:\\MIGRAR\\");
    EXPECT_EQ(utilidades.NormalizaCarpeta("/srv/migrar"), "/srv/migrar/");
    EXPECT_EQ(utilidades.NormalizaCarpeta("/srv/migrar/"), "/srv/migrar/");
    EXPECT_EQ(utilidades.ReemplazaTabla("SELECT * FROM v_ma_articulos WHERE X = 'V_MA_ARTICULOS_2'", "V_MA_ARTICULOS",
                                        "VT_MA_ARTICULOS"),
              "SELECT * FROM VT_MA_ARTICULOS WHERE X = 'V_MA_ARTICULOS_2'");
}

TEST(Utilidades, ValuesAsTextAndInLists)
{
    EXPECT_EQ(utilidades.NuloACadena(base::Value::null()), "");
    EXPECT_EQ(utilidades.NuloACadena(base::Value()), "");
    EXPECT_EQ(utilidades.NuloACadena(true), "Verdadero");
    EXPECT_EQ(utilidades.NuloACadena(base::DateTime::fromParts(2005, 7, 1)), "01/07/2005");
    EXPECT_TRUE(utilidades.EstaEnLista("fc", {"NC", "FC"}));
    EXPECT_TRUE(utilidades.EstaEnLista(3, {1, 3.0}));
    EXPECT_FALSE(utilidades.EstaEnLista("F", {"FC", base::Value::null()}));
}

TEST(Utilidades, EncryptedTextsComeBack)
{
    for (const char* text : {"", "sa", "clave;con=signos", "contraseña"}) {
        const std::string hidden = utilidades.Encripta(text);
        if (*text) {
            EXPECT_NE(hidden, text);
        }
        EXPECT_EQ(utilidades.Desencripta(hidden), text);
    }
    EXPECT_EQ(utilidades.Desencripta("plain"), "plain");
}

}  // namespace
