#include "platform/os/IniFile.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(IniFile, FindsSectionsAndKeysWithoutRegardToCase)
{
    testing_support::TempFolder temp;
    const auto file = temp.path() / "RU000de.INI";
    std::ofstream(file, std::ios::binary) << "; written by hand\r\n"
                                             "[PC1|JUAN]\r\n"
                                             "  FlatToolbars = 0 \r\n"
                                             "Vacio=\r\n"
                                             "Comillas=\"  con blancos  \"\r\n"
                                             "Igual=a=b\r\n"
                                             "[pc1|juanBaseDeDatos]\n"
                                             "Servidor=sqlite:\n"
                                             "\n"
                                             "[ Iconos ]\r"
                                             "IconoDelSistema=ICONQUORVEX\r"
                                             "[A\xD1O]\r\n"
                                             "Clave=\xD1" "and\xFA\r\n";

    struct Case { const char* section; const char* key; const char* defaultValue; const char* value; };
    const Case cases[] = {
        {"pc1|juan", "flattoolbars", "1", "0"},
        {"PC1|JUAN", "FlatToolbars", "1", "0"},
        {"PC1|JUAN", "Vacio", "x", ""},
        {"PC1|JUAN", "Comillas", "", "  con blancos  "},
        {"PC1|JUAN", "Igual", "", "a=b"},
        {"PC1|JUAN", "Servidor", "ninguno", "ninguno"},  // a key of another section
        {"PC1|JUAN", "Falta", "1", "1"},
        {"PC1|JUANBASEDEDATOS", "servidor", "", "sqlite:"},
        {"PC1", "FlatToolbars", "1", "1"},
        {"Iconos", "IconoDelSistema", "", "ICONQUORVEX"},
        {"año", "CLAVE", "", "Ñandú"},
        {"Nada", "Nada", "por defecto", "por defecto"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(os::readIniValue(file, c.section, c.key, c.defaultValue), c.value) << c.section << " / " << c.key;

    EXPECT_EQ(os::readIniValue(temp.path() / "missing.ini", "Iconos", "IconoDelSistema", "ICONQUORVEX"), "ICONQUORVEX");
    EXPECT_EQ(os::readIniValue(temp.path(), "Iconos", "IconoDelSistema", "def"), "def");  // a folder, not a file
}

}  // namespace
