// The ERP library's services for keys, notices and errors.

#include "core/ArchivoIni.h"
#include "core/AyudaControles.h"
#include "core/Cartel.h"
#include "core/Entorno.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "platform/ui/ScriptedPrompter.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

TEST(AyudaControles, LeavingKeysAreEnterEscUpAndDown)
{
    for (int key : {13, 27, 38, 40}) {
        int code = key;
        EXPECT_TRUE(gAyudaControles().EsTeclaSalida(code)) << key;
        EXPECT_EQ(code, key);
    }
    for (int key : {9, 37, 39, 113, 65}) EXPECT_FALSE(gAyudaControles().EsTeclaSalida(key)) << key;
}

TEST(AyudaControles, QuantityBoxesTakeNumbersAndLimitedBoxesStopAtTheirLength)
{
    ui::TextBox quantity;
    quantity.dataField = "Cantidad";
    struct Case { const char* text; long selStart; int typed; int passed; };
    const Case cases[] = {
        {"12", 2, '5', '5'}, {"12", 2, 'a', 0},  {"12", 2, ',', '.'}, {"1.2", 3, '.', 0},
        {"", 0, '-', '-'},   {"5", 1, '-', 0},   {"12", 2, 8, 8},     {"12", 2, ' ', 0},
    };
    for (const Case& c : cases) {
        quantity.text = c.text;
        quantity.selStart = c.selStart;
        int key = c.typed;
        gAyudaControles().FiltraTecla(quantity, key);
        EXPECT_EQ(key, c.passed) << c.text << " + " << c.typed;
    }
    ui::TextBox code;
    code.maxLength = 3;
    code.text = "ABC";
    int key = 'D';
    gAyudaControles().FiltraTecla(code, key);
    EXPECT_EQ(key, 0);
    key = 8;
    gAyudaControles().FiltraTecla(code, key);
    EXPECT_EQ(key, 8);
}

TEST(AyudaControles, FindsTheBoxBoundToAField)
{
    ui::TextBox a, b, c;
    a.dataField = "CtaAjusteCliente";
    b.dataField = "CtaAjusteProveedor";
    c.dataField = "CtaChequesEnCartera";
    const std::vector<const ui::TextBox*> boxes{&a, &b, &c};
    EXPECT_EQ(gAyudaControles().IndiceDeCampo("ctaajusteproveedor", boxes), 1);
    EXPECT_EQ(gAyudaControles().IndiceDeCampo("CtaAjusteCheque", boxes), -1);
}

TEST(Cartel, ClosingANoticeThatIsNotOpenDoesNothing)
{
    Cartel notice;
    notice.CierraCartel();
    EXPECT_FALSE(notice.abierto());
    notice.AbreCartel("Grabando Stock...", 0);
    notice.ActualizaCartel(0, "Grabando Stock...", "A1  Tornillo", "3 de 10");
    EXPECT_TRUE(notice.abierto());
    EXPECT_EQ(notice.progreso(), "3 de 10");
    notice.CierraCartel();
    notice.CierraCartel();
    EXPECT_FALSE(notice.abierto());
}

TEST(Utilidades, MuestraErrorAsksThroughTheProgramsPrompterAndHandsBackTheAnswer)
{
    ui::ScriptedPrompter prompter;
    setProgramPrompter(&prompter);
    prompter.expectMessage("Ha ocurrido el Siguiente Error (3265) Item cannot be found", 18, "Lista - FORM_LOAD", 4)
        .expectMessage("Ha ocurrido el Siguiente Error (5) Invalid procedure call", 18, "Migrador", 5);
    EXPECT_EQ(gUtilidades().MuestraError(base::Error(3265, "Item cannot be found", "Lista"), {}, "FORM_LOAD"), 4);
    EXPECT_EQ(gUtilidades().MuestraError(base::Error(5, "Invalid procedure call")), 5);
    EXPECT_TRUE(prompter.satisfied()) << prompter.report();
    setProgramPrompter(nullptr);
    EXPECT_THROW(gUtilidades().MuestraError(base::Error(5, "x")), base::Error);
}

TEST(ArchivoIni, ReadsTheProgramsIniFileWhateverTheCaseOfItsName)
{
    testing_support::TempFolder folder;
    setenv("MIGRA_HOME", folder.path().c_str(), 1);
    std::ofstream(folder.path() / "ru000de.ini") << "[PC1|JUAN]\r\nFlatToolbars=0\r\n[Iconos]\r\nIconoDelSistema = ICONO\r\n";
    EXPECT_EQ(gArchivoIni().LeeClave("RU000de.INI", "pc1|juan", "FlatToolbars", "1"), "0");
    EXPECT_EQ(gArchivoIni().LeeClave("RU000de.INI", "Iconos", "IconoDelSistema", "ICONQUORVEX"), "ICONO");
    EXPECT_EQ(gArchivoIni().LeeClave("RU000de.INI", "PC2|ANA", "FlatToolbars", "1"), "1");
    EXPECT_EQ(gArchivoIni().LeeClave("OTRO.INI", "Iconos", "IconoDelSistema", "ICONQUORVEX"), "ICONQUORVEX");
    unsetenv("MIGRA_HOME");
}

TEST(Entorno, NamesTheMachineAndTheSession)
{
    EXPECT_FALSE(gEntorno().NombreEquipo().empty());
    EXPECT_EQ(gEntorno().NombreSesion(), gEntorno().NombreSesion());
    setenv("TEMP", "/tmp/migra-temp", 1);
    EXPECT_EQ(gEntorno().CarpetaTemporal(), "/tmp/migra-temp");
    unsetenv("TEMP");
}

}  // namespace
