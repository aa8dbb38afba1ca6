// The installation's icon and toolbar style on a window.

#include "core/StartUp.h"
#include "core/WindowSetUp.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>

namespace {

// A window with the resources, icon file and toolbars a case gives it; it notes what was done to it.
struct Ventana : FormularioConfigurable {
    std::string clase = "FrmLoteyPosicion";
    std::string icono;  // "" when the window has none
    std::set<std::string> recursos;
    bool archivoLegible = false;
    std::set<std::string> barras;

    std::vector<std::string> recursosPedidos;
    std::map<std::string, double> estilos;
    int eventos = 0;

    std::string nombreClase() const override { return clase; }
    bool tieneIcono() const override { return !icono.empty(); }
    bool asignaIconoRecurso(std::string_view nombre) override
    {
        recursosPedidos.emplace_back(nombre);
        if (!recursos.count(std::string(nombre))) return false;
        icono = "recurso " + std::string(nombre);
        return true;
    }
    bool asignaIconoArchivo(const std::filesystem::path& archivo) override
    {
        if (!archivoLegible) return false;
        icono = "archivo " + archivo.string();
        return true;
    }
    bool asignaEstiloBarra(std::string_view nombreBarra, double estilo) override
    {
        if (!barras.count(std::string(nombreBarra))) return false;
        estilos[std::string(nombreBarra)] = estilo;
        return true;
    }
    void dejaCorrerEventos() override { ++eventos; }
};

class WindowSetUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("MIGRA_HOME", folder.path().c_str(), 1);
        gFlatToolbars = 0;
    }
    void TearDown() override
    {
        unsetenv("MIGRA_HOME");
        gFlatToolbars = 1;
    }
    testing_support::TempFolder folder;
};

TEST_F(WindowSetUp, TheIconComesFromTheResourceElseTheFileElseNone)
{
    struct Case {
        const char* what;
        std::string propio;
        std::set<std::string> recursos;
        bool archivoLegible;
        std::string icono;
    };
    const Case cases[] = {
        {"resource", "", {"ICONQUORVEX"}, true, "recurso ICONQUORVEX"},
        {"resource over its own", "propio", {"ICONQUORVEX"}, true, "recurso ICONQUORVEX"},
        {"own kept", "propio", {}, true, "propio"},
        {"file", "", {}, true, "archivo quorvex.ico"},
        {"none, silently", "", {}, false, ""},
    };
    for (const Case& c : cases) {
        Ventana v;
        v.icono = c.propio;
        v.recursos = c.recursos;
        v.archivoLegible = c.archivoLegible;
        ConfiguraFormulario(v);
        EXPECT_EQ(v.icono, c.icono) << c.what;
        EXPECT_EQ(v.recursosPedidos, std::vector<std::string>{"ICONQUORVEX"}) << c.what;
    }
}

TEST_F(WindowSetUp, TheIniFileNamesTheIconResource)
{
    std::ofstream(folder.path() / "RU000de.INI", std::ios::binary) << "[Iconos]\r\nIconoDelSistema=ICONORUNCO\r\n";
    Ventana v;
    v.recursos = {"ICONORUNCO"};
    ConfiguraFormulario(v);
    EXPECT_EQ(v.icono, "recurso ICONORUNCO");
}

TEST_F(WindowSetUp, ToolbarsGetTheStyleExceptOnTheFrameWindow)
{
    Ventana dialogo;
    dialogo.barras = {"UtilNet1", "Util0011", "Otra"};
    ConfiguraFormulario(dialogo);
    EXPECT_EQ(dialogo.estilos, (std::map<std::string, double>{{"UtilNet1", 0}, {"Util0011", 0}}));
    EXPECT_EQ(dialogo.eventos, 1);

    Ventana marco;
    marco.clase = "frmMDI";
    marco.barras = {"UtilNet1"};
    marco.recursos = {"ICONQUORVEX"};
    ConfiguraFormulario(marco);
    EXPECT_EQ(marco.icono, "recurso ICONQUORVEX");
    EXPECT_TRUE(marco.estilos.empty());
    EXPECT_EQ(marco.eventos, 0);
}

}  // namespace
