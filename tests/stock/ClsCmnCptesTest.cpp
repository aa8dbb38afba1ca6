// Making the voucher engine: the settings it reads once, and a creation that cannot read them.

#include "stock/ClsCmnCptes.h"
#include "core/Configuracion.h"
#include "tests/stock/StockFixture.h"
#include "tests/support/Failures.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace {

using Engine = StockFixture;

struct CreationCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> settings;
    double piva;
    double pivaRec;
    bool asientosXStock;
};

TEST_F(Engine, CreationReadsTheRatesAndTheEntrySwitchOnce)
{
    const std::vector<CreationCase> cases = {
        {"no keys", {}, 0, 0, false},
        {"si", {{"PIVA", "21"}, {"PIVARec", "10.5"}, {"AsientosXStock", "si"}}, 21, 10.5, true},
        {"SI with a trailing blank", {{"AsientosXStock", "SI "}}, 0, 0, false},
        {"NO", {{"AsientosXStock", "NO"}}, 0, 0, false},
        {"regional decimal comma", {{"PIVA", "21,5"}}, 21.5, 0, false},
        {"not a number", {{"PIVA", "abc"}, {"PIVARec", ""}}, 0, 0, false},
    };
    for (const CreationCase& c : cases) {
        SCOPED_TRACE(c.name);
        execute({"DELETE FROM TA_CONFIGURACION"});
        for (const auto& [key, value] : c.settings) setConfiguration(key, value);
        const ClsCmnCptes engine;
        EXPECT_DOUBLE_EQ(engine.PIVA, c.piva);
        EXPECT_DOUBLE_EQ(engine.PIVARec, c.pivaRec);
        EXPECT_EQ(engine.AsientosXStock, c.asientosXStock);
        EXPECT_EQ(engine.UltimoNroAsiento, 0);
    }
}

TEST_F(Engine, AnEngineKeepsTheRateItWasMadeWith)
{
    setConfiguration("PIVA", "21");
    const ClsCmnCptes before;
    execute({"UPDATE TA_CONFIGURACION SET VALOR = '10,5' WHERE CLAVE = 'PIVA'"});
    const ClsCmnCptes after;
    EXPECT_DOUBLE_EQ(before.PIVA, 21);
    EXPECT_DOUBLE_EQ(after.PIVA, 10.5);
}

TEST_F(Engine, ASettingThatCannotBeReadMakesNoEngineAndTheNextUseTriesAgain)
{
    setConfiguration("PIVA", "21");
    setConfiguration("AsientosXStock", "SI");
    gTablaConfiguracion = "NO_EXISTE";
    // The operator is told once and gives up; the window's engine stays unmade.
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), 18,
                           "Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbAbort);
    engine.reset();
    const base::Error failure = testing_support::failureOf([&] { engine.emplace(); });
    EXPECT_EQ(failure.number(), 3704);
    EXPECT_NE(failure.description().find("\"PIVA\""), std::string::npos) << failure.description();
    EXPECT_FALSE(engine.has_value());

    gTablaConfiguracion.clear();
    engine.emplace();
    EXPECT_DOUBLE_EQ(engine->PIVA, 21);
    EXPECT_TRUE(engine->AsientosXStock);
}

TEST_F(Engine, TheDemoDatabaseMakesAnEngineWithStockEntriesAndEveryGridSwitchOff)
{
    const std::filesystem::path script =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "tools/demo/erp-demo-data.sql";
    std::ifstream in(script, std::ios::binary);
    ASSERT_TRUE(in) << script;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    gDB_Dll().EjecutaConsultaSQL(text);
    ASSERT_EQ(gDB_Dll().gCnn.errors().count(), 0);

    const ClsCmnCptes engine;
    EXPECT_DOUBLE_EQ(engine.PIVA, 21);
    EXPECT_DOUBLE_EQ(engine.PIVARec, 0);
    EXPECT_TRUE(engine.AsientosXStock);
    for (const char* key : {"PideDepositoEnCptes", "NoMostrarImportesEnOT", "ConfirmaUDEquiv",
                            "V_ListaPreciosPorItemArticulos", "V_DescuentoPorArticulos"})
        EXPECT_EQ(LeeConfiguracion(key), "NO") << key;
    EXPECT_EQ(LeeConfiguracion("PIVARec"), "0");
    EXPECT_EQ(LeeConfiguracion("NombreArticulos"), "");
}

}  // namespace
