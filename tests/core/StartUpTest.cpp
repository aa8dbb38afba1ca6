// Start-up: the connection parameter string, the INI file, the log-in and the services made ready.

#include "core/Configuracion.h"
#include "core/ConsultasFile.h"
#include "core/ContextoAplicacion.h"
#include "core/Entorno.h"
#include "core/FrmAcceso.h"
#include "core/StartUp.h"
#include "core/Utilidades.h"
#include "platform/base/Text.h"
#include "platform/os/Environment.h"
#include "tests/core/ProgramFixture.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

namespace {

TEST(ParameterString, KeysAreWholeAndValuesRunToTheNextSemicolon)
{
    struct Case {
        const char* text;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        // a key is never found inside a longer one, whatever the order
        {"@Usuario=ana;@UsuarioLogeado=juan;", "@Usuario", "ana"},
        {"@Usuario=ana;@UsuarioLogeado=juan;", "@UsuarioLogeado", "juan"},
        {"@UsuarioLogeado=juan;@Usuario=ana;", "@Usuario", "ana"},
        {"@UsuarioLogeado=juan;@Usuario=ana;", "@UsuarioLogeado", "juan"},
        {"@UsuarioLogeado=juan;", "@Usuario", std::nullopt},
        // keys without regard to case; the first item with the key wins
        {"@SERVER=SRV01;", "@Server", "SRV01"},
        {"@dbname=A;@DbName=B;", "@DbName", "A"},
        // blanks around "=" and around the value go, inner blanks stay
        {" ; @UsuarioLogeado = juan perez ; @Caja=2;", "@UsuarioLogeado", "juan perez"},
        {"@DbName =   MI EMPRESA   ;", "@DbName", "MI EMPRESA"},
        // only the "=" between key and value goes
        {"@Password=a=b=;@Caja=1;", "@Password", "a=b="},
        {"@Password = =x;", "@Password", "=x"},
        // a last item without ";" keeps its whole value
        {"@Server=SRV01;@Caja=12345", "@Caja", "12345"},
        {"@Password=clave larga", "@Password", "clave larga"},
        // "@Caja" absent or empty
        {"@Server=SRV01;", "@Caja", std::nullopt},
        {"@Server=SRV01;@Caja=;", "@Caja", ""},
        {"@Server=SRV01;@Caja=", "@Caja", ""},
        // an item without a key is passed over
        {" ; tupa@ ; @Caja=3;", "@Caja", "3"},
        {"tupa@", "@Caja", std::nullopt},
        {"", "@Server", std::nullopt},
        // a "#" server comes back as given: start-up reads the "#"
        {"@Server=#ORA1;@DbName=ORCL;", "@Server", "#ORA1"},
        {"@Server= sqlite:/srv/migra ;", "@Server", "sqlite:/srv/migra"},
    };
    for (const Case& c : cases) EXPECT_EQ(ValorParametro(c.text, c.key), c.value) << c.text << " / " << c.key;
}

TEST(ParameterString, TheServerNameLosesItsPrefixAndPort)
{
    const std::pair<const char*, const char*> cases[] = {
        {"SRV01", "SRV01"},
        {"tcp/SRV01:1433", "SRV01"},
        {"SRV01:1433", "SRV01"},
        {"tcp/SRV01", "SRV01"},
        {"a/b/c:1", "b/c"},
        {"SRV01\\SQLEXPRESS", "SRV01\\SQLEXPRESS"},
        {"", ""},
        // the embedded database's server text holds a folder: it is kept whole
        {"sqlite:/srv/migra:datos", "sqlite:/srv/migra:datos"},
        {"SQLITE:", "SQLITE:"},
    };
    for (const auto& [server, name] : cases) EXPECT_EQ(ExtraeNombreServidor(server), name) << server;
}

TEST(ParameterString, TheIniSectionIsCutTo50CharactersForTheToolbarsOnly)
{
    const std::string pc40(40, 'p');
    struct Case {
        std::string equipo, sesion;
        bool corta;
        std::string seccion;
    };
    const Case cases[] = {
        {"pc1", "juan", true, "PC1|JUAN"},
        {"Pc-Año", "josé", false, "PC-AÑO|JOSÉ"},
        {pc40, "juan-carlos", true, std::string(40, 'P') + "|JUAN-CARL"},  // 52 characters
        {pc40, "juan-carlos", false, std::string(40, 'P') + "|JUAN-CARLOS"},
        {pc40, "ab        ", true, std::string(40, 'P') + "|AB        "},  // 51, but 43 trimmed
        {std::string(49, 'x'), "y", true, std::string(49, 'X') + "|"},    // 51: cut
    };
    for (const Case& c : cases) EXPECT_EQ(ArmaSeccionIni(c.equipo, c.sesion, c.corta), c.seccion) << c.equipo;
    EXPECT_EQ(base::length(ArmaSeccionIni(std::string(49, 'x'), "y", true)), 50);
}

// The log-in dialog as an operator meets it: the test sees what it shows and acts on it.
class OperadorAcceso : public VistaAcceso {
public:
    explicit OperadorAcceso(std::function<void(frmAcceso&)> actua) : actua_(std::move(actua)) {}
    void muestraModal(frmAcceso& dialogo) override
    {
        ++veces;
        caption = dialogo.Caption;
        visto = {dialogo.TxtDbName.text, dialogo.TxtServidor.text, dialogo.TxtUserId.text,
                 dialogo.TxtUserPassword.text, false};
        plataformas = dialogo.CboPlataformaDB.items();
        plataforma = dialogo.CboPlataformaDB.text();
        actua_(dialogo);
    }
    int veces = 0;
    std::string caption;
    DatosAcceso visto;
    std::vector<std::string> plataformas;
    std::string plataforma;

private:
    std::function<void(frmAcceso&)> actua_;
};

class StartUp : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        resetModule();
        // Rows of the ERP database start-up reads.
        for (std::string row : {"INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('CantidadDecimales', '3')",
                                "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('CFondo', '255')",
                                "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('CLetra', '65280')",
                                "INSERT INTO TA_USUARIOS (NOMBRE, ADMINISTRADOR, UNEGOCIO) VALUES ('tester', 1, '2')"})
            gDB_Dll().EjecutaConsultaSQL(row);
        ASSERT_EQ(gDB_Dll().gCnn.errors().count(), 0);
        resetProgramDataAccess();
        // The connection object outlives the tests: its settings start from the provider's defaults.
        gDB_Dll().gCnn.setCommandTimeout(30);
        gDB_Dll().gCnn.setIsolationLevel(4096);
        gDB_Dll().gCnn.setDefaultDatabase("");
    }

    void TearDown() override
    {
        setCommandLine("");
        resetModule();
        ProgramFixture::TearDown();
    }

    static void resetModule()
    {
        gCaja = gParametroAdicional = gMenu = gSeccionIni = "";
        gFlatToolbars = 1;
        gColorFondo = gColorLetra = -1;
        gUsuarioLogeado = gTablaConfiguracion = gCantidadDecimales = gUNegocio = "";
        gConfiguracion = {};
        gAjustesConsultas() = {};
        gContextoAplicacion().AsignaCarpetaAplicacion({});
    }

    static void setCommandLine(const std::string& text)
    {
        const char* argv[] = {"migrador", text.c_str(), nullptr};
        os::rememberCommandLine(text.empty() ? 1 : 2, argv);
    }

    std::string server() const { return "sqlite:" + folder.path().string(); }
    std::filesystem::path programFile(std::string_view name) const { return folder.path() / name; }
    std::string home() const { return folder.path().string() + "/"; }

    void writeIni(const std::string& text) const
    {
        std::ofstream(programFile("RU000de.INI"), std::ios::binary) << text;
    }

    bool start(std::string parametros = {})
    {
        std::string oracle;
        return InicializaSistema(false, parametros, oracle);
    }
};

TEST_F(StartUp, LogsInFromTheCommandLineAndPreparesTheServices)
{
    setCommandLine("@Server=" + server() + ";@DbName=EMPRESA;@UsuarioLogeado = otro;@Usuario=tester;@Password=;"
                   "@ParametroAdicional=abc=1;@Menu=M1;@Caja=7");
    ASSERT_TRUE(start());

    DB_Dll& erp = gDB_Dll();
    EXPECT_TRUE(erp.gOpenFlag);
    EXPECT_TRUE(erp.gCnn.isOpen());
    EXPECT_EQ(erp.gServidor, server());
    EXPECT_EQ(erp.gDBName, "EMPRESA");
    EXPECT_EQ(erp.gUsuario, "tester");
    EXPECT_TRUE(erp.gEsAdmin);
    EXPECT_EQ(erp.gCnn.commandTimeout(), 360);
    EXPECT_EQ(erp.gCnn.isolationLevel(), 256);
    EXPECT_EQ(erp.gCnn.defaultDatabase(), "EMPRESA");
    // the log-in user replaces the one the parameters named
    EXPECT_EQ(gUsuarioLogeado, "tester");
    EXPECT_EQ(gCaja, "7");
    EXPECT_EQ(gParametroAdicional, "abc=1");
    EXPECT_EQ(gMenu, "M1");

    EXPECT_EQ(gContextoAplicacion().carpetaAplicacion(), home());
    EXPECT_EQ(gAjustesConsultas().gConnString, erp.gConnString);
    EXPECT_TRUE(gAjustesConsultas().gUsarMascarasConsultas);
    EXPECT_EQ(gAjustesConsultas().gRutaMascaraConsultas, home() + "consultas.qvx");
    EXPECT_EQ(ArchivoConsultas(programFile("consultas.qvx")).cantidadRegistros(), 8);

    // the configuration table, colours included
    EXPECT_EQ(gTablaConfiguracion, "ta_configuracion");
    EXPECT_EQ(gCantidadDecimales, "3");
    EXPECT_EQ(gUNegocio, "   2");
    EXPECT_EQ(gConfiguracion.DocumentoTareas, home() + "QVDOCTareas.qvx");
    EXPECT_EQ(gColorFondo, 255);
    EXPECT_EQ(gColorLetra, 65280);
}

TEST_F(StartUp, TheCashRegisterDefaultsToOneOnlyWhenItsKeyIsMissing)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "1"}, {";@Caja=;", ""}, {";@Caja= 12 ;", "12"}, {";@caja=3", "3"}};
    for (const auto& [item, caja] : cases) {
        resetProgramDataAccess();
        std::string parametros = "@Server=" + server() + ";@DbName=EMPRESA;@Usuario=tester" + item;
        std::string oracle;
        ASSERT_TRUE(InicializaSistema(false, parametros, oracle)) << item;
        EXPECT_EQ(gCaja, caja) << item;
    }
}

TEST_F(StartUp, TheArgumentWinsOverTheCommandLine)
{
    setCommandLine("@Server=;@DbName=OTRA;");
    std::string parametros = "@Server=" + server() + ";@DbName=EMPRESA;@Usuario=tester;";
    const std::string given = parametros;
    std::string oracle;
    ASSERT_TRUE(InicializaSistema(false, parametros, oracle));
    EXPECT_EQ(parametros, given);
    EXPECT_EQ(gDB_Dll().gDBName, "EMPRESA");
    EXPECT_EQ(oracle, "");
}

TEST_F(StartUp, AnExistingDefinitionFileIsLeftAlone)
{
    std::ofstream(programFile("consultas.qvx"), std::ios::binary) << "hecho a mano";
    ASSERT_TRUE(start("@Server=" + server() + ";@DbName=EMPRESA;@Usuario=tester;"));
    std::ifstream in(programFile("consultas.qvx"), std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "hecho a mano");
}

TEST_F(StartUp, ASecondCallOnlyPreparesTheServicesAgain)
{
    ASSERT_TRUE(start("@Server=" + server() + ";@DbName=EMPRESA;@Usuario=tester;@Caja=4;"));
    std::filesystem::remove(programFile("consultas.qvx"));
    gTablaConfiguracion.clear();

    ASSERT_TRUE(start("@Server=otro;@DbName=OTRA;@Usuario=nadie;@Caja=9;"));
    EXPECT_EQ(gDB_Dll().gDBName, "EMPRESA");
    EXPECT_EQ(gDB_Dll().gUsuario, "tester");
    EXPECT_EQ(gCaja, "4");
    EXPECT_TRUE(std::filesystem::exists(programFile("consultas.qvx")));
    EXPECT_EQ(gTablaConfiguracion, "ta_configuracion");
}

TEST_F(StartUp, AnEmptyServerAsksForTheLogInWithTheParsedValues)
{
    OperadorAcceso operador([&](frmAcceso& d) {
        d.TxtServidor.text = server();
        d.bcAceptar_Click();
    });
    frmAcceso dialogo(operador);
    gDB_Dll().dialogoAcceso = &dialogo;

    setCommandLine("@Server=  ;@DbName=EMPRESA;@Usuario=tester;@Password=pw;");
    ASSERT_TRUE(start());
    EXPECT_EQ(operador.veces, 1);
    EXPECT_EQ(operador.caption, "Control de Acceso");
    EXPECT_EQ(operador.visto.dbName, "EMPRESA");
    EXPECT_EQ(operador.visto.servidor, "");
    EXPECT_EQ(operador.visto.usuario, "tester");
    EXPECT_EQ(operador.visto.password, "pw");
    EXPECT_EQ(operador.plataformas, (std::vector<std::string>{"SQL Server", "ORACLE"}));
    EXPECT_EQ(operador.plataforma, "SQL Server");
    EXPECT_TRUE(gDB_Dll().gCnn.isOpen());
    EXPECT_EQ(gDB_Dll().gServidor, server());
    EXPECT_EQ(gUsuarioLogeado, "tester");
    EXPECT_EQ(gCantidadDecimales, "3");
}

TEST_F(StartUp, CancellingTheLogInEndsStartUp)
{
    const std::function<void(frmAcceso&)> closes[] = {
        [](frmAcceso& d) { d.bcCancelar_Click(); },
        [](frmAcceso& d) { d.Form_Unload(); },  // closed by the frame
        [](frmAcceso& d) {  // typed, then cancelled
            d.TxtUserId.text = "otro";
            d.bcCancelar_Click();
        },
    };
    for (const auto& close : closes) {
        resetProgramDataAccess();
        OperadorAcceso operador(close);
        frmAcceso dialogo(operador);
        gDB_Dll().dialogoAcceso = &dialogo;
        EXPECT_FALSE(start("@DbName=EMPRESA;@Usuario=tester;"));
        EXPECT_EQ(operador.veces, 1);
        EXPECT_FALSE(gDB_Dll().gOpenFlag);
        EXPECT_FALSE(gDB_Dll().gCnn.isOpen());
        EXPECT_FALSE(std::filesystem::exists(programFile("consultas.qvx")));
        EXPECT_EQ(gTablaConfiguracion, "");
        EXPECT_EQ(gAjustesConsultas().gRutaMascaraConsultas, "");
    }
}

TEST_F(StartUp, AHashServerLogsInToOracleWithTheParsedValues)
{
    prompter.expectMessage(ui::startsWith(" Estado de Sql: "), ui::vbYesNo | ui::vbCritical,
                           " Error de Conexion a Base de Datos", ui::vbNo);
    std::string parametros = "@Server=#ORASRV;@DbName=ORCL;@Usuario=scott;@Password=tiger;";
    std::string oracle;
    EXPECT_FALSE(InicializaSistema(false, parametros, oracle));
    EXPECT_EQ(oracle, "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=scott;Password=tiger;");
    EXPECT_EQ(gDB_Dll().gConnString, oracle);
    EXPECT_EQ(gDB_Dll().gServidor, "ORASRV");

    // a complete Oracle string given by the caller is used as it stands
    resetProgramDataAccess();
    prompter.expectMessage(ui::startsWith(" Estado de Sql: "), ui::vbYesNo | ui::vbCritical,
                           " Error de Conexion a Base de Datos", ui::vbNo);
    oracle = "Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=a;Password=b;";
    EXPECT_FALSE(InicializaSistema(false, parametros, oracle));
    EXPECT_EQ(gDB_Dll().gConnString, "Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=a;Password=b;");
}

TEST_F(StartUp, TheIniFileGivesTheParametersOnlyWhenAskedAndNoneWereGiven)
{
    const Utilidades& u = gUtilidades();
    const std::string section = base::toUpperCase(gEntorno().NombreEquipo()) + "|" +
                                base::toUpperCase(gEntorno().NombreSesion()) + "BaseDeDatos";
    writeIni("[" + section + "]\r\nServidor=" + server() + "\r\nDbName=EMPRESA\r\nUsuario=" + u.Encripta("tester") +
             "\r\nUserPassWord=" + u.Encripta("se|creta") + "\r\n");

    std::string parametros, oracle;
    ASSERT_TRUE(InicializaSistema(true, parametros, oracle));
    EXPECT_EQ(parametros, "@server=" + server() +
                              "; @dbname= EMPRESA; @usuario= tester; @Password= secreta; @ParametroAdicional=; "
                              "@Caja=1;tupa@");
    EXPECT_TRUE(gDB_Dll().gCnn.isOpen());
    EXPECT_EQ(gDB_Dll().gUserPassWord, "secreta");
    EXPECT_EQ(gCaja, "1");

    // a parameter string on the command line wins over the INI file
    resetProgramDataAccess();
    setCommandLine("@Server=" + server() + ";@DbName=EMPRESA;@Usuario=tester;@Caja=5;");
    parametros.clear();
    ASSERT_TRUE(InicializaSistema(true, parametros, oracle));
    EXPECT_EQ(gCaja, "5");

    // without the switch the INI file is not read: no server, so the log-in is asked (and nobody answers)
    resetProgramDataAccess();
    setCommandLine("");
    parametros.clear();
    EXPECT_FALSE(InicializaSistema(false, parametros, oracle));
    EXPECT_EQ(parametros, "");
}

TEST_F(StartUp, TheIniFileDefaultsAskForTheLogInAsTheSuitesUser)
{
    OperadorAcceso operador([](frmAcceso& d) { d.bcCancelar_Click(); });
    frmAcceso dialogo(operador);
    gDB_Dll().dialogoAcceso = &dialogo;
    std::string parametros, oracle;
    EXPECT_FALSE(InicializaSistema(true, parametros, oracle));
    EXPECT_EQ(parametros,
              "@server=; @dbname= ; @usuario= Quorvex; @Password= brumelo; @ParametroAdicional=; @Caja=1;tupa@");
    EXPECT_EQ(operador.visto.usuario, "Quorvex");
    EXPECT_EQ(operador.visto.password, "brumelo");
}

TEST_F(StartUp, TheToolbarStyleComesFromTheSectionOfThisMachine)
{
    const std::string section = ArmaSeccionIni(gEntorno().NombreEquipo(), gEntorno().NombreSesion(), true);
    writeIni("[" + section + "]\r\nFlatToolbars=0\r\n");
    ASSERT_TRUE(start("@Server=" + server() + ";@DbName=EMPRESA;@Usuario=tester;"));
    EXPECT_EQ(gSeccionIni, section);
    EXPECT_EQ(gFlatToolbars, 0);

    std::filesystem::remove(programFile("RU000de.INI"));
    ASSERT_TRUE(start());
    EXPECT_EQ(gFlatToolbars, 1);
}

TEST_F(StartUp, AFailingStepIsShownAndEndsStartUp)
{
    // The definition file cannot be written: the side file it is written to first is a folder.
    std::filesystem::create_directories(programFile("consultas.aux") / "ocupado");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (75) Path/File access error"),
                           ui::vbOKOnly | ui::vbCritical, " - InicializaSistema Aviso al operador!!! ", ui::vbOK);
    EXPECT_FALSE(start("@Server=" + server() + ";@DbName=EMPRESA;@Usuario=tester;"));
    // nothing after the failing step ran
    EXPECT_EQ(gAjustesConsultas().gRutaMascaraConsultas, home() + "consultas.qvx");
    EXPECT_EQ(gTablaConfiguracion, "");
    EXPECT_EQ(gColorFondo, 16777215);
    EXPECT_EQ(gDB_Dll().gCnn.defaultDatabase(), "");
    EXPECT_NE(errorLog().find("Rutina: - InicializaSistema"), std::string::npos) << errorLog();
}

TEST_F(StartUp, TheDemoDataRunsOnAFreshDatabaseAndAgain)
{
    const std::filesystem::path script =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "tools/demo/erp-demo-data.sql";
    std::ifstream in(script, std::ios::binary);
    ASSERT_TRUE(in) << script;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(start("@Server=" + server() + ";@DbName=EMPRESA;@Usuario=demo;"));
    for (int run = 0; run < 2; ++run) {
        std::string batch = text;
        gDB_Dll().EjecutaConsultaSQL(batch);
        EXPECT_EQ(gDB_Dll().gCnn.errors().count(), 0) << run;
    }
    EXPECT_EQ(LeeConfiguracion("PIVA"), "21");
    EXPECT_EQ(gDB_Dll().DatosTabla("ta_usuarios", base::Value("demo"), "Administrador", "nombre"), "1");
    EXPECT_TRUE(gDB_Dll().ExisteEnTabla("MA_CUENTAS", base::Value("71104")));
    EXPECT_TRUE(gDB_Dll().ExisteEnTabla("MA_CUENTAS", base::Value("1110102")));
}

}  // namespace
