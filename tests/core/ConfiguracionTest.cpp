// The configuration table: one key on demand, and the set of keys loaded at start-up.

#include "core/Configuracion.h"
#include "tests/core/ProgramFixture.h"

namespace {

class Configuration : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        gTablaConfiguracion.clear();
    }
    void set(std::initializer_list<std::pair<const char*, const char*>> rows)
    {
        for (const auto& [key, value] : rows) {
            std::string insert = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, VALORAUX) VALUES (" + gDB_Dll().SQLValue(key) +
                                 ", " + gDB_Dll().SQLValue(value ? base::Value(value) : base::Value::null()) + ", 'aux')";
            gDB_Dll().EjecutaConsultaSQL(insert);
        }
    }
};

TEST_F(Configuration, AKeyReadsItsValueOrOneBlank)
{
    set({{"PIVA", "21"}, {"NULO", nullptr}, {"[FECHA DESDE]", "01/01/2005"}});
    std::string aux = "stale";
    EXPECT_EQ(LeeConfiguracion(" piva ", aux), "21");
    EXPECT_EQ(aux, "aux");
    EXPECT_EQ(LeeConfiguracion("NO_HAY", aux), " ");
    EXPECT_EQ(aux, "");
    EXPECT_EQ(LeeConfiguracion("NULO"), "");
    EXPECT_EQ(LeeConfiguracion("[fecha desde]"), "01/01/2005");
    EXPECT_EQ(gTablaConfiguracion, "TA_CONFIGURACION");
    // A key with an apostrophe is a key like any other.
    EXPECT_EQ(LeeConfiguracion("O'Brien"), " ");
}

TEST_F(Configuration, AnUnreadableKeyIsReportedUnderCfgAndReadsEmpty)
{
    gTablaConfiguracion = "NO_EXISTE";
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), 18,
                           "Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbAbort);
    EXPECT_EQ(LeeConfiguracion("PIVA"), " ");  // the open was abandoned: no row
    gTablaConfiguracion.clear();
}

TEST_F(Configuration, ACheckedReadTellsAFailedReadFromAnAbsentKey)
{
    set({{"PIVA", "21"}, {"NULO", nullptr}});
    EXPECT_EQ(LeeConfiguracionComprobada("PIVA"), "21");
    EXPECT_EQ(LeeConfiguracionComprobada("NO_HAY"), " ");
    EXPECT_EQ(LeeConfiguracionComprobada("NULO"), "");
    gTablaConfiguracion = "NO_EXISTE";
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), 18,
                           "Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbIgnore);
    EXPECT_EQ(LeeConfiguracionComprobada("PIVA"), std::nullopt);
    gTablaConfiguracion.clear();
}

TEST_F(Configuration, StartUpLoadsTheSwitchesWithTheirDefaults)
{
    set({{"CantidadDecimales", "3"}, {"USA_STK_STOCK_UDKG", "si"}, {"PERIODO", "1"}, {"MADERERA", "NO"},
         {"VALIDACODIGOBARRA", " SI"}, {"SS_BloqueoActivo", " SI"}, {"MAD_TIRAS", "  T  "}, {"MaxDto", "12,5"},
         {"PideClave_StockNeg", "S"}});
    std::string users = "INSERT INTO TA_USUARIOS (NOMBRE, UNEGOCIO) VALUES ('tester', '2')";
    gDB_Dll().EjecutaConsultaSQL(users);
    gUsuarioLogeado = "tester";
    CargaConfiguracion("/srv/migra/");
    EXPECT_EQ(gTablaConfiguracion, "ta_configuracion");
    EXPECT_EQ(gCantidadDecimales, "3");
    EXPECT_TRUE(gUsaStkStockUdKg);
    EXPECT_EQ(gUNegocio, "   2");
    EXPECT_EQ(gPeriodo, 1);
    EXPECT_FALSE(gMaderera);
    EXPECT_EQ(gMadTiras, "T");
    EXPECT_TRUE(gConfiguracion.VALIDACODIGOBARRA);
    EXPECT_FALSE(gConfiguracion.SS_BloqueoActivo);
    EXPECT_TRUE(gConfiguracion.PideClave_StockNeg);
    EXPECT_FALSE(gConfiguracion.PideClave_LimiteCredito);
    EXPECT_TRUE(gConfiguracion.ModuloOrdenDeTrabajo);
    EXPECT_EQ(gConfiguracion.CFondo, 0xFFFF00);
    EXPECT_EQ(gConfiguracion.MaxDto.toText(), "12.5");
    EXPECT_EQ(gConfiguracion.Top_Default, "1000");
    EXPECT_EQ(gConfiguracion.DocumentoTareas, "/srv/migra/QVDOCTareas.qvx");

    gUsuarioLogeado = "sin fila";
    CargaConfiguracion("/srv/migra/");
    EXPECT_EQ(gUNegocio, "   1");
    gUsuarioLogeado.clear();
}

}  // namespace
