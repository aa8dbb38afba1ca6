// The window's maintenance buttons on the embedded ERP database: the purge of the movement tables, the
// trigger scripts, the accumulator program, the retired purge, and the orders listed in "C:\A.TXT".

#include "tests/support/ScopedEnvironment.h"
#include "importer/Importar.h"
#include "platform/base/Text.h"
#include "tests/core/ProgramFixture.h"

#include <algorithm>
#include <optional>

namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

class MaintenanceButtons : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        window.alCambiar = [this] {
            if (details.empty() || details.back() != window.LblDetalle.caption) details.push_back(window.LblDetalle.caption);
        };
    }
    std::string count(const std::string& table) { return rows("SELECT COUNT(*) FROM " + table)[0][0]; }
    void execute(std::string statement) { gDB_Dll().EjecutaConsultaSQL(statement); }

    ui::ScriptedEventPump pump;
    Importar window{pump};
    std::vector<std::string> details;
    testing_support::TempFolder temp, noOpener;
    testing_support::ScopedEnvironment tempVariable{"TEMP", temp.path().string()};
    testing_support::ScopedEnvironment pathVariable{"PATH", noOpener.path().string()};
};

class Purge : public MaintenanceButtons {
protected:
    void SetUp() override
    {
        MaintenanceButtons::SetUp();
        execute("CREATE TABLE mv_Prueba (ID int)\r"
                "INSERT INTO mv_Prueba (ID) VALUES (1)\rINSERT INTO mv_Prueba (ID) VALUES (2)");
        execute("CREATE TABLE V_mv_Otra (ID int)\rINSERT INTO V_mv_Otra (ID) VALUES (1)");
        execute("CREATE TABLE c_MV_Tercera (ID int)\rINSERT INTO c_MV_Tercera (ID) VALUES (1)");
        execute("CREATE TABLE MVX_QUEDA (ID int)\rINSERT INTO MVX_QUEDA (ID) VALUES (1)");
        execute("INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION) VALUES (0, 'x')");
        execute("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '000100123450C')");
        execute("INSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('QUEDA')");
        execute("INSERT INTO Control_Acceso DEFAULT VALUES");
        execute("INSERT INTO AC_SaldosLayout (IDDEPOSITO) VALUES ('   1')");
    }
    void confirm(int first, std::optional<int> second = {})
    {
        const std::string question = "VACIAR TODOS LOS MOVIMIENTOS DE LA BASE DE DATOS..EMPRESA\r\n-CONFIRMA?";
        const int style = ui::vbYesNo | ui::vbCritical | ui::vbDefaultButton2;
        prompter.expectMessage(question, style, "ATENCION!", first);
        if (second) prompter.expectMessage("VUELVA A CONFIRMAR\r\n" + question, style, "ATENCION!", *second);
    }
    std::vector<std::string> processed() const
    {
        std::vector<std::string> out;
        for (const std::string& d : details)
            if (d.starts_with("Procesando ")) out.push_back(d.substr(11));
        return out;
    }
    bool processedTable(const std::string& name) const
    {
        const std::vector<std::string> p = processed();
        return std::find(p.begin(), p.end(), name) != p.end();
    }
};

TEST_F(Purge, EveryMovementTableAndTheWorkTablesAreEmptiedAndTheRestStays)
{
    execute("CREATE TABLE mv_Padre (ID int PRIMARY KEY)\rINSERT INTO mv_Padre (ID) VALUES (1)");
    execute("CREATE TABLE HIJO_QUEDA (ID int, PADRE int REFERENCES mv_Padre (ID))\r"
            "INSERT INTO HIJO_QUEDA (ID, PADRE) VALUES (1, 1)");
    execute("DROP TABLE Em_C15");
    window.Cancelado = true;  // left over from a cancelled import: it does not stop the purge
    confirm(ui::vbYes, ui::vbYes);
    // A table another one still refers to can be emptied neither way: the database says why, once.
    prompter.expectMessage(ui::startsWith("The statement conflicted with a FOREIGN KEY constraint"), ui::vbOKOnly,
                           "Migrador", ui::vbOK);
    pump.at(1, [this] {
        EXPECT_TRUE(window.ejecutando());
        EXPECT_TRUE(window.CmdCancelar.enabled);
        EXPECT_FALSE(window.cmdImportar.enabled);
        EXPECT_FALSE(window.Form_Unload());
    });
    window.CmdVaciarMovimientos_Click();

    for (const char* emptied : {"mv_Prueba", "V_mv_Otra", "c_MV_Tercera", "MV_EJERCICIOS", "MV_CPTE", "V_MV_FALTANTES",
                                "Control_Acceso", "AC_SaldosLayout"})
        EXPECT_EQ(count(emptied), "0") << emptied;
    for (const char* kept : {"MVX_QUEDA", "TA_CONFIGURACION", "HIJO_QUEDA", "mv_Padre"}) EXPECT_EQ(count(kept), "1") << kept;
    EXPECT_FALSE(processedTable("MVX_QUEDA"));
    EXPECT_FALSE(processedTable("C_MV_CPTE"));  // a view: its base table is emptied instead
    EXPECT_FALSE(processedTable("Em_C15"));
    const std::vector<std::string> p = processed();
    const std::vector<std::string> workTables(p.end() - 10, p.end());
    EXPECT_EQ(workTables, (std::vector<std::string>{"Control_Acceso", "Control_Mv_Calculo", "Em_LibroRojo", "aux_mayores",
                                                    "aux_mv_cpte", "AC_CuentasDiario", "AC_CuentasDiario_CCosto",
                                                    "AC_Saldos", "AC_SaldosDiario", "AC_SaldosLayout"}));
    EXPECT_EQ(window.LblDetalle.caption, "finalizado");

    // The missing work table is in the error log, and nothing else is.
    const std::string log = errorLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_NE(log.find("03-07-2026 09:05:02 Rutina: - CmdVaciarMovimientos_Click Mensaje No existe la tabla Em_C15"),
              std::string::npos)
        << log;
    EXPECT_FALSE(window.ejecutando());
    EXPECT_TRUE(window.cmdImportar.enabled);
    EXPECT_FALSE(window.CmdCancelar.enabled);
    EXPECT_TRUE(window.CmdVaciarMovimientos.enabled);
    EXPECT_FALSE(window.CmdVaciaArticulos.enabled);
}

TEST_F(Purge, NoAtEitherConfirmationChangesNothing)
{
    struct Case { int first; std::optional<int> second; };
    for (const Case& c : {Case{ui::vbNo, std::nullopt}, Case{ui::vbYes, ui::vbNo}}) {
        confirm(c.first, c.second);
        window.CmdVaciarMovimientos_Click();
        EXPECT_EQ(count("mv_Prueba"), "2");
        EXPECT_EQ(count("MV_EJERCICIOS"), "1");
        EXPECT_EQ(count("Control_Acceso"), "1");
        EXPECT_TRUE(details.empty());
        EXPECT_EQ(pump.calls(), 0);
    }
}

TEST_F(Purge, CancelarStopsItAfterTheTableInHand)
{
    confirm(ui::vbYes, ui::vbYes);
    pump.at(1, [this] { window.CmdCancelar_Click(); });
    window.CmdVaciarMovimientos_Click();
    const std::vector<std::string> p = processed();
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(count(p[0]), "0");
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
    EXPECT_EQ(count("mv_Prueba"), "2");
    EXPECT_EQ(count("Control_Acceso"), "1");
    EXPECT_FALSE(window.ejecutando());
}

TEST_F(MaintenanceButtons, TheRetiredPurgeOnlySaysSo)
{
    prompter.expectMessage("DESHABILITADO", ui::vbOKOnly, "Migrador", ui::vbOK);
    window.CmdVaciaArticulos_Click();
}

TEST_F(MaintenanceButtons, TheAccumulatorProgramStartsWithTheLogInOrTheOperatorIsTold)
{
    // Not installed beside this program.
    prompter.expectMessage("Opcion no Implementada!\rComuniquese con su proveedor de sistemas", ui::vbCritical, "Atención",
                           ui::vbOK);
    window.CmdDbAcum_Click();
}

TEST_F(MaintenanceButtons, CrearTriggerRunsCompletoWithTheKeyAskedAndTheBoxShown)
{
    std::ofstream(folder.path() / "completo.sql", std::ios::binary)
        << "-- crea los disparadores\r\nCREATE TABLE T_DISPARADOR (ID int)\r\nGO\r\n"
           "INSERT INTO T_DISPARADOR (ID) VALUES (1)\r\nGO\r\nDROP TABLE T_VIEJA\r\nGO\r\n";
    window.LblDetalle.caption = "Listo. ";
    window.lblTabla.caption = "Tabla: Clientes";
    prompter.expectInput("Ingresa la Clave para permitir ejecutar este comando..", "Atencion", "TUPA@");
    bool seen = false;
    pump.at(1, [&] {
        seen = true;
        EXPECT_TRUE(window.picStatus.visible);
        EXPECT_EQ(window.LblDetalle.caption, "Listo. CREANDO DISPARADORES");
        EXPECT_TRUE(window.ejecutando());
        EXPECT_FALSE(window.CmdCancelar.enabled);
        EXPECT_FALSE(window.CmdVaciarMovimientos.enabled);
    });
    window.CmdCrearTrigger_Click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(count("T_DISPARADOR"), "1");
    EXPECT_EQ(window.picStatus.label(), "Ciclo: 1(3 de 3) 0%");
    EXPECT_FALSE(window.picStatus.visible);
    EXPECT_EQ(window.LblDetalle.caption, "");
    EXPECT_EQ(window.lblTabla.caption, "");
    EXPECT_FALSE(window.ejecutando());
    EXPECT_FALSE(window.CmdCrearTrigger.enabled);  // as the window has it
}

TEST_F(MaintenanceButtons, EliminarTriggerSendsOnlyTheTriggerDropsOfCompletoDrop)
{
    std::ofstream(folder.path() / "CompletoDrop.sql", std::ios::binary)
        << "DROP TRIGGER C_MV_CPTE_DELETE\r\nGO\r\nDROP TABLE MV_EJERCICIOS\r\nGO\r\n"
           "INSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('FUERA')\r\nGO\r\n";
    bool seen = false;
    pump.at(1, [&] {
        seen = true;
        EXPECT_TRUE(window.picStatus.visible);
        EXPECT_EQ(window.LblDetalle.caption, "ELIMINANDO DISPARADORES");
    });
    window.CmdEliminarTrigger_Click();  // authorised already: no key asked for the table drop, which is not sent
    EXPECT_TRUE(seen);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM sqlite_master WHERE type = 'trigger' AND name = 'C_MV_CPTE_DELETE'"),
              (Rows{{"0"}}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM sqlite_master WHERE type = 'trigger' AND name = 'C_MV_CPTE_INSERT'"),
              (Rows{{"1"}}));
    EXPECT_TRUE(gDB_Dll().ExisteTablaDB("MV_EJERCICIOS"));
    EXPECT_EQ(count("TA_CONFIGURACION"), "0");
    EXPECT_FALSE(window.picStatus.visible);
    EXPECT_EQ(window.LblDetalle.caption, "");
}

class OrdersFile : public MaintenanceButtons {
protected:
    void SetUp() override
    {
        MaintenanceButtons::SetUp();
        fs::create_directories(drives.path() / "c");
        const char* orders[][3] = {
            {"  OC", "000100123450C", "NULL"},   // listed: gets A10
            {"  OC", "000100 23450C", "NULL"},   // listed with a leading blank
            {"  OC", "000100543210C", "'R1'"},   // listed, received already
            {"  FC", "000100678900C", "NULL"},   // listed, not an order
            {"OC", "000100345670C", "NULL"},     // listed, its type not written as codes are
            {"  OC", "000100999990C", "NULL"},   // not listed
        };
        for (const auto& o : orders)
            execute(std::string("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, IDDEPOSITODESTINO, IDDEPOSITORECEPCION) "
                                "VALUES ('") +
                    o[0] + "', '" + o[1] + "', '  D1', " + o[2] + ")");
    }
    void list(const std::string& text) { std::ofstream(drives.path() / "c" / "a.txt", std::ios::binary) << text; }
    Rows destinations() { return rows("SELECT TC, IDCOMPROBANTE, IDDEPOSITODESTINO FROM C_MV_CPTE ORDER BY ID"); }

    testing_support::TempFolder drives;
    testing_support::ScopedEnvironment drivesVariable{"MIGRA_DRIVES", drives.path().string()};
};

TEST_F(OrdersFile, TheListedOrdersNotYetReceivedGetA10)
{
    list("12345\r\n"
         "   \r\n"
         " 2345\r\n"
         "54321 and the rest of the line\r\n"
         "67890\r\n"
         "11111\r\n"
         "123\r\n"
         "34567\r\n"
         "9'999\r\n"
         "\r\n");
    window.Command2_Click();
    const Rows expected{{"  OC", "000100123450C", "A10 "},
                        {"  OC", "000100 23450C", "A10 "},
                        {"  OC", "000100543210C", "  D1"},
                        {"  FC", "000100678900C", "  D1"},
                        {"OC  ", "000100345670C", "  D1"},
                        {"  OC", "000100999990C", "  D1"}};
    EXPECT_EQ(destinations(), expected);

    // Again: the same orders, except one received in between.
    execute("UPDATE C_MV_CPTE SET IDDEPOSITODESTINO = '  D2', IDDEPOSITORECEPCION = 'R2' "
            "WHERE IDCOMPROBANTE = '000100 23450C'");
    execute("UPDATE C_MV_CPTE SET IDDEPOSITODESTINO = '  D2' WHERE IDCOMPROBANTE = '000100123450C'");
    window.Command2_Click();
    EXPECT_EQ(destinations()[0][2], "A10 ");
    EXPECT_EQ(destinations()[1][2], "  D2");
}

TEST_F(OrdersFile, AMissingListIsReportedAndChangesNothing)
{
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (53)"), ui::vbOKOnly | ui::vbCritical,
                           " - Command2_Click Aviso al operador!!! ", ui::vbOK);
    window.Command2_Click();
    EXPECT_EQ(destinations()[0][2], "  D1");
}

}  // namespace
