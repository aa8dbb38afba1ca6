// SQL scripts run batch by batch on the embedded ERP database: splitting, comments, date tokens, the
// filter, the passes for objects created further down, the supervisor key and the log.

#include "tests/support/ScopedEnvironment.h"
#include "core/ProgressBar.h"
#include "core/ScriptRunner.h"
#include "platform/base/Text.h"
#include "platform/ui/EventPump.h"
#include "tests/core/ProgramFixture.h"

#include <algorithm>
#include <optional>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

class Scripts : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        box.alRefrescar = [this] { labels.push_back(box.label()); };
        DibujaProgreso(box, 0, 100, false, "");  // the value other tests left behind
        labels.clear();
    }

    fs::path write(const std::string& name, const std::string& text)
    {
        const fs::path file = scripts.path() / name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }
    void run(const fs::path& script, std::string_view filter, bool& authorised)
    {
        EjecutaScript(script.string(), VentanaScript{&box, &pump}, filter, authorised);
    }
    void run(const fs::path& script, std::string_view filter = {})
    {
        bool authorised = false;
        run(script, filter, authorised);
    }
    void execute(std::string statement) { gDB_Dll().EjecutaConsultaSQL(statement); }
    // The "Ciclo:" lines: which batch went out in which pass.
    std::vector<std::string> cycles() const
    {
        std::vector<std::string> out;
        for (const std::string& label : labels)
            if (label.starts_with("Ciclo: ")) out.push_back(label);
        return out;
    }
    fs::path logFile() const { return temp.path() / "Script090502.TXT"; }
    std::string log() const
    {
        std::ifstream in(logFile(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void expectLogMessage()
    {
        prompter.expectMessage("Se detectaron errores, consulte el archivo " + logFile().string(), ui::vbOKOnly, "Migrador",
                               ui::vbOK);
    }

    testing_support::TempFolder scripts, temp, noOpener;
    testing_support::ScopedEnvironment tempVariable{"TEMP", temp.path().string()};
    // No desktop opener is found while these tests run: a log is never opened on the machine running them.
    testing_support::ScopedEnvironment pathVariable{"PATH", noOpener.path().string()};
    ProgressBar box;
    std::vector<std::string> labels;
    ui::ScriptedEventPump pump;
    const std::string stars = std::string(112, '*');
};

TEST_F(Scripts, GoAndSlashLinesEndBatchesAndCommentsNeverReachTheServer)
{
    const fs::path script = write("prueba.sql",
                                  "-- INSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('COMENTARIO')\r\n"
                                  "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('A', '1')\r\n"
                                  "GO\r\n"
                                  "   -- indented comment\r\n"
                                  "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('B', '2')\n"
                                  " go \n"
                                  "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('C', '3')\r\n"
                                  "/\r\n"
                                  "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('D', '4')\r\n"
                                  "GO;\r\n"
                                  "GO\r\n"
                                  "-- the last line a comment");
    expectLogMessage();
    run(script);
    EXPECT_EQ(rows("SELECT CLAVE FROM TA_CONFIGURACION ORDER BY CLAVE"), (Rows{{"A"}, {"B"}, {"C"}}));
    // Five batches, the empty one after the last "GO" included; "GO;" is part of the fourth.
    EXPECT_EQ(cycles(), (std::vector<std::string>{"Ciclo: 1(0 de 4) 0%", "Ciclo: 1(1 de 4) 0%", "Ciclo: 1(2 de 4) 0%",
                                                  "Ciclo: 1(3 de 4) 0%", "Ciclo: 1(4 de 4) 0%"}));
    EXPECT_EQ(labels.front(), "Analizando Script 0 0%");
    EXPECT_NE(std::find(labels.begin(), labels.end(), "Analizando Script 3 0%"), labels.end());

    // One entry: stars, date and time, the error, stars, the batch as sent (its own line ends kept), stars.
    const std::string text = log();
    const std::string head = stars + "\r\n07/03/2026 - 09:05:02\r\n  Error 102 ";
    const std::string tail = "\r\n" + stars +
                             "\r\nINSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('D', '4')\r\nGO;\r\n\r\n" + stars +
                             "\r\n";
    EXPECT_TRUE(text.starts_with(head)) << text;
    EXPECT_TRUE(text.ends_with(tail)) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '*'), 3 * 112) << text;
}

TEST_F(Scripts, DateTokensBecomeDateLiteralsAndTheFilterChoosesTheBatches)
{
    const fs::path script = write("fechas.sql",
                                  "INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, [FECHA DESDE], [FECHA HASTA])\r\n"
                                  "VALUES (1, 'hoy', <DATE>, '<NOW>')\r\n"
                                  "GO\r\n"
                                  "insert into mv_ejercicios (PERIODO, DESCRIPCION, [FECHA DESDE], [FECHA HASTA])\r\n"
                                  "VALUES (2, 'anios', <date+year>, <Date-Year>)\r\n"
                                  "GO\r\n"
                                  "INSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('FUERA DEL FILTRO')\r\n"
                                  "GO\r\n");
    run(script, "MV_Ejercicios");
    EXPECT_EQ(rows("SELECT PERIODO, DESCRIPCION, [FECHA DESDE], [FECHA HASTA] FROM MV_EJERCICIOS ORDER BY PERIODO"),
              (Rows{{"1", "hoy", "07/03/2026", "07/03/2026 09:05:02"}, {"2", "anios", "07/03/2027", "07/03/2025"}}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"0"}}));
    EXPECT_EQ(cycles(), (std::vector<std::string>{"Ciclo: 1(0 de 3) 0%", "Ciclo: 1(1 de 3) 0%"}));
    EXPECT_EQ(log(), "");
}

TEST_F(Scripts, TokensAreReplacedWhereverTheyStand)
{
    struct Case { base::DateTime now; const char* text; const char* sent; };
    const base::DateTime leapDay = base::DateTime::fromParts(2028, 2, 29, 23, 59, 58);
    const Case cases[] = {
        {clock.now(), "WHERE F < <DATE>", "WHERE F < '20260307 00:00:00'"},
        {clock.now(), "WHERE F < '<DATE>'", "WHERE F < '20260307 00:00:00'"},
        {clock.now(), "VALUES (<now>, <NOW>)", "VALUES ('20260307 09:05:02', '20260307 09:05:02')"},
        {leapDay, "<DATE+YEAR> <DATE-YEAR>", "'20290228 00:00:00' '20270228 00:00:00'"},
        {leapDay, "'<Date+Year>'", "'20290228 00:00:00'"},
        {clock.now(), "<DATE+MONTH> <FECHA>", "<DATE+MONTH> <FECHA>"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReemplazaFechasScript(c.text, c.now), c.sent) << c.text;
}

// An installer's script as written for a server whose logins read dates day first: it says so, seeds the
// fiscal years with day-first literals and fills a calendar only with the days it lacks, so it can run again.
TEST_F(Scripts, AnInstallersDayFirstScriptSeedsANewDatabaseAndCanRunAgain)
{
    const fs::path script = write("instalacion.sql",
                                  "SET DATEFORMAT dmy\r\n"
                                  "GO\r\n"
                                  "DELETE FROM MV_EJERCICIOS\r\n"
                                  "INSERT INTO MV_EJERCICIOS (PERIODO,DESCRIPCION,[FECHA DESDE],[FECHA HASTA]) "
                                  "VALUES(0,'Ejercicio Anterior','01/01/1994','30/06/2005')\r\n"
                                  "INSERT INTO MV_EJERCICIOS (PERIODO,DESCRIPCION,[FECHA DESDE],[FECHA HASTA]) "
                                  "VALUES(1,'Ejercicio 2005-2006','01/07/2005','30/06/2006')\r\n"
                                  "GO\r\n"
                                  "if not exists (select * from TA_CALENDARIO where FECHA = '09/07/2005')\r\n"
                                  "  insert into TA_CALENDARIO (FECHA, FERIADO) values ('09/07/2005', 1)\r\n"
                                  "if not exists (select * from TA_CALENDARIO where FECHA = '25/12/05')\r\n"
                                  "  insert into TA_CALENDARIO (FECHA, FERIADO) values ('25/12/05', 1)\r\n"
                                  "GO\r\n");
    execute("CREATE TABLE TA_CALENDARIO (FECHA datetime NOT NULL PRIMARY KEY, FERIADO bit)");
    for (int time = 0; time < 2; ++time) {
        run(script);
        EXPECT_EQ(rows("SELECT PERIODO, CONVERT(varchar(10), [FECHA DESDE], 112), CONVERT(varchar(10), [FECHA HASTA], 112) "
                       "FROM MV_EJERCICIOS ORDER BY PERIODO"),
                  (Rows{{"0", "19940101", "20050630"}, {"1", "20050701", "20060630"}}));
        EXPECT_EQ(rows("SELECT CONVERT(varchar(10), FECHA, 112) FROM TA_CALENDARIO ORDER BY FECHA"),
                  (Rows{{"20050709"}, {"20051225"}}));
        EXPECT_EQ(log(), "");
    }
}

TEST_F(Scripts, TheLogIsNamedWithTwoDigitsForHourMinuteAndSecond)
{
    EXPECT_EQ(ArchivoLogScript(base::DateTime::fromParts(2026, 3, 7, 9, 5, 3)), temp.path() / "Script090503.TXT");
    EXPECT_EQ(ArchivoLogScript(base::DateTime::fromParts(2026, 3, 7, 23, 59, 0)), temp.path() / "Script235900.TXT");
}

TEST_F(Scripts, WhatWaitsForAnObjectCreatedFurtherDownIsSentAgainAndNothingElseIs)
{
    const fs::path script = write("tarde.sql",
                                  "INSERT INTO AUX_ERR (Proceso) VALUES ('una sola vez')\r\n"
                                  "GO\r\n"
                                  "CREATE VIEW V_MV_TARDE AS SELECT CLAVE FROM MV_TARDE\r\n"
                                  "GO\r\n"
                                  "INSERT INTO MV_TARDE (CLAVE) VALUES ('uno')\r\n"
                                  "GO\r\n"
                                  "CREATE INDEX IX_MV_TARDE ON MV_TARDE (CLAVE)\r\n"
                                  "GO\r\n"
                                  "CREATE TABLE MV_TARDE (CLAVE varchar(10))\r\n"
                                  "GO\r\n");
    run(script);
    EXPECT_EQ(cycles(), (std::vector<std::string>{"Ciclo: 1(0 de 5) 0%", "Ciclo: 1(1 de 5) 0%", "Ciclo: 1(2 de 5) 0%",
                                                  "Ciclo: 1(3 de 5) 0%", "Ciclo: 1(4 de 5) 0%", "Ciclo: 1(5 de 5) 0%",
                                                  "Ciclo: 2(2 de 5) 0%", "Ciclo: 2(3 de 5) 0%"}));
    EXPECT_EQ(rows("SELECT Proceso FROM AUX_ERR"), (Rows{{"una sola vez"}}));
    EXPECT_EQ(rows("SELECT CLAVE FROM V_MV_TARDE"), (Rows{{"uno"}}));
    EXPECT_EQ(log(), "");  // 208 on the way is no failure
}

TEST_F(Scripts, AnObjectNeverCreatedEndsThePassesAtTheTwentiethAndIsLogged)
{
    const fs::path script = write("nunca.sql", "INSERT INTO MV_NUNCA (ID) VALUES (1)\r\nGO\r\n");
    expectLogMessage();
    run(script);
    const std::vector<std::string> sent = cycles();
    ASSERT_EQ(sent.size(), 21u);  // both batches in the first pass, the insert in nineteen more
    EXPECT_EQ(sent.back(), "Ciclo: 20(0 de 1) 0%");
    const std::string text = log();
    EXPECT_EQ(std::count(text.begin(), text.end(), '*'), 3 * 112);  // one entry
    EXPECT_NE(text.find("  Error 208 Invalid object name"), std::string::npos) << text;
    EXPECT_NE(text.find(stars + "\r\nINSERT INTO MV_NUNCA (ID) VALUES (1)\r\n"), std::string::npos) << text;
}

TEST_F(Scripts, TheKeyIsAskedOnceAndARightKeyInAnyCaseLetsEveryDropThrough)
{
    execute("CREATE TABLE T_BORRAR1 (ID int)\rCREATE TABLE T_BORRAR2 (ID int)\rCREATE TABLE T_BORRAR3 (ID int)");
    const fs::path script = write("borra.sql",
                                  "DROP TABLE T_BORRAR1\r\nGO\r\n"
                                  "INSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('ENTRE')\r\nGO\r\n"
                                  "drop table T_BORRAR2\r\nGO\r\n");
    prompter.expectInput("Ingresa la Clave para permitir ejecutar este comando..", "Atencion", "tupa@");
    bool authorised = false;
    run(script, "", authorised);
    EXPECT_TRUE(authorised);
    EXPECT_FALSE(gDB_Dll().ExisteTablaDB("T_BORRAR1"));
    EXPECT_FALSE(gDB_Dll().ExisteTablaDB("T_BORRAR2"));
    EXPECT_EQ(rows("SELECT CLAVE FROM TA_CONFIGURACION"), (Rows{{"ENTRE"}}));
    ASSERT_FALSE(prompter.shown().empty());
    EXPECT_EQ(prompter.shown().back().defaultText, "");

    // Already authorised: a truncate asks nothing.
    run(write("otra.sql", "TRUNCATE TABLE TA_CONFIGURACION\r\nGO\r\nDROP TABLE T_BORRAR3\r\n"), "", authorised);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"0"}}));
    EXPECT_FALSE(gDB_Dll().ExisteTablaDB("T_BORRAR3"));
}

TEST_F(Scripts, AWrongKeySendsNothingOfTheScript)
{
    const fs::path script = write("trunca.sql",
                                  "INSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('ANTES')\r\nGO\r\n"
                                  "truncate table TA_USUARIOS\r\nGO\r\n");
    execute("INSERT INTO TA_USUARIOS (NOMBRE) VALUES ('otro')");
    for (const char* answer : {"TUPA", "", " tupa@"}) {
        prompter.expectInput("Ingresa la Clave para permitir ejecutar este comando..", "Atencion", answer)
            .expectMessage("SE HA DETECTADO UN COMANDO DE ELIMINACION DE TABLA... NO ESTA PERMITIDO LA EJECUCION DE ESTOS "
                           "COMANDOS...\r\nOPERACION ABORTADA!!!",
                           ui::vbCritical, "ATENCION!", ui::vbOK);
        bool authorised = false;
        run(script, "", authorised);
        EXPECT_FALSE(authorised) << answer;
        EXPECT_TRUE(cycles().empty()) << answer;
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"0"}}));
    EXPECT_EQ(rows("SELECT NOMBRE FROM TA_USUARIOS"), (Rows{{"otro"}}));
}

TEST_F(Scripts, AFailureIsLoggedWithItsBatchAndTheLogIsOpenedForTheOperator)
{
    // A stand-in for the desktop's opener tells through a named pipe which file it was given; reading the
    // pipe waits for it, whatever its speed.
    testing_support::TempFolder opener;
    const fs::path reporter = opener.path() / "xdg-open";
    std::ofstream(reporter) << "#!/bin/sh\nprintf '%s\\n' \"$1\" > \"$REPORT_PIPE\"\n";
    fs::permissions(reporter, fs::perms::owner_all);
    const fs::path pipe = opener.path() / "report";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    testing_support::ScopedEnvironment path("PATH", opener.path().string());
    testing_support::ScopedEnvironment reportTo("REPORT_PIPE", pipe.string());

    const std::string insert = "INSERT INTO TA_CONFIGURACION (CLAVE) VALUES ('X')";
    expectLogMessage();
    run(write("dos.sql", insert + "\r\nGO\r\n" + insert + "\r\nGO\r\n"));

    std::ifstream in(pipe);
    std::string opened;
    std::getline(in, opened);
    EXPECT_EQ(opened, logFile().string());
    const std::vector<std::string> lines = base::split(log(), "\r\n");
    ASSERT_GE(lines.size(), 7u);
    EXPECT_TRUE(lines[2].starts_with("  Error 2627 Violation of PRIMARY KEY")) << lines[2];
    EXPECT_EQ(lines[4], insert);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"1"}}));
}

TEST_F(Scripts, TheAccountsViewOfATriggerScriptFollowsTheConfidentialitySetting)
{
    execute("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('1110101')\rINSERT INTO MA_CUENTAS (CODIGO) VALUES ('2110101')\r"
            "INSERT INTO MA_CUENTAS_USUARIOS (Cuenta, GrupoUser) VALUES ('1110101', 'CAJA')\r"
            "INSERT INTO TA_USUARIOS (NOMBRE, GRUPO) VALUES ('tester', 'CAJA')");
    const std::string text = "DROP VIEW dbo.SS_MA_CUENTAS\r\nGO\r\n"
                             "CREATE VIEW dbo.SS_MA_CUENTAS AS SELECT * FROM MA_CUENTAS WHERE 1 = 0\r\nGO\r\n";
    struct Case { const char* file; const char* setting; Rows seen; };
    const Case cases[] = {
        {"Completo.sql", "SI", Rows{{"1110101"}}},
        {"Completo.sql", "NO", Rows{{"1110101"}, {"2110101"}}},
        {"CREAVISTAS.SQL", "si", Rows{{"1110101"}}},
        {"otro.sql", "SI", Rows{}},  // only the trigger and view scripts get the replacement
    };
    for (const Case& c : cases) {
        execute("DELETE FROM TA_CONFIGURACION");
        execute(std::string("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('SS_Confidencialidad', '") + c.setting +
                "')");
        run(write(c.file, text));
        EXPECT_EQ(rows("SELECT CODIGO FROM SS_MA_CUENTAS ORDER BY CODIGO"), c.seen) << c.file << " " << c.setting;
    }
}

TEST_F(Scripts, AScriptThatCannotBeOpenedIsReportedBeforeAnythingIsSent)
{
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (53)"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           " - Ejecutar", ui::vbAbort);
    run(scripts.path() / "no-existe.sql");
    EXPECT_TRUE(cycles().empty());
    bool authorised = false;
    EXPECT_NO_THROW(EjecutaScript("", VentanaScript{}, "", authorised));  // no script, nothing to do
}

}  // namespace
