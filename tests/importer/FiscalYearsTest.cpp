// The fiscal years the balance imports seed, and the window's batch runner that reports to its caller only.

#include "importer/Importar.h"
#include "platform/base/Text.h"
#include "tests/core/ProgramFixture.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

class WindowServices : public ProgramFixture {
protected:
    void execute(std::string statement) { gDB_Dll().EjecutaConsultaSQL(statement); }

    ui::ScriptedEventPump pump;
    Importar window{pump};
};

TEST_F(WindowServices, AnEmptyFiscalYearTableGetsTheTwoYearsOfTheMigration)
{
    window.ValidaEjercicio();
    EXPECT_EQ(rows("SELECT PERIODO, DESCRIPCION, [FECHA DESDE], [FECHA HASTA] FROM MV_EJERCICIOS ORDER BY PERIODO"),
              (Rows{{"0", "Ejercicio Anterior", "01/01/1994", "30/06/2005"},
                    {"1", "Ejercicio 2005-2006", "01/07/2005", "30/06/2006"}}));
    // Stored as dates, day and month where they belong, not as texts for the server to guess.
    db::Recordset rs;
    std::string statement = "SELECT [FECHA HASTA] FROM MV_EJERCICIOS WHERE PERIODO = 1";
    gDB_Dll().AbrirRecordset(statement, rs);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field(0).value().asDateTime(), base::DateTime::fromParts(2006, 6, 30));

    // Run again: the table holds rows now and is left as it is.
    window.ValidaEjercicio();
    EXPECT_EQ(rows("SELECT COUNT(*) FROM MV_EJERCICIOS"), (Rows{{"2"}}));
}

TEST_F(WindowServices, ATableWithAnyRowIsLeftAlone)
{
    execute("INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION) VALUES (7, 'otro')");
    window.ValidaEjercicio();
    EXPECT_EQ(rows("SELECT PERIODO, DESCRIPCION, [FECHA DESDE] FROM MV_EJERCICIOS"), (Rows{{"7", "otro", "NULL"}}));
}

TEST_F(WindowServices, AYearThatCannotBeWrittenIsShownAndOnlyItsOwnErrorIs)
{
    execute("DROP TABLE MV_EJERCICIOS");
    execute("CREATE TABLE MV_EJERCICIOS (PERIODO int NOT NULL PRIMARY KEY CHECK (PERIODO > 0), DESCRIPCION varchar(50), "
            "[FECHA DESDE] datetime, [FECHA HASTA] datetime)");
    prompter.expectMessage(ui::startsWith("The statement conflicted with a CHECK constraint"), ui::vbOKOnly, "Migrador",
                           ui::vbOK);
    window.ValidaEjercicio();
    EXPECT_EQ(rows("SELECT PERIODO FROM MV_EJERCICIOS"), (Rows{{"1"}}));
}

struct Outcome {
    bool failed = false;
    long code = -1;
    std::string script, text = "sin cambios";
};

class WindowBatches : public WindowServices {
protected:
    void SetUp() override
    {
        WindowServices::SetUp();
        execute("CREATE TABLE T_PADRE (ID int PRIMARY KEY)\rCREATE TABLE T_HIJO (ID int, PADRE int REFERENCES T_PADRE (ID))");
    }
    Outcome run(const ListaSentencias& statements, bool duplicates = false, bool references = false, bool flag = false)
    {
        Outcome o;
        o.failed = flag;
        window.gActualizarDatosScript3(statements, o.failed, &o.code, duplicates, references, &o.script, &o.text);
        return o;
    }
    const std::string insertA = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('A', '1')";
    const std::string insertB = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('B', '2')";
    const std::string orphan = "INSERT INTO T_HIJO (ID, PADRE) VALUES (1, 9)";
};

TEST_F(WindowBatches, TheStatementsGoAsOneTextBehindBeginTransaction)
{
    const std::string update = "UPDATE TA_CONFIGURACION SET VALORAUX = 'x' WHERE CLAVE = 'A'";
    const Outcome o = run({insertA, "  ", update});
    EXPECT_EQ(o.script, "BEGIN TRANSACTION \r\r\r" + insertA + "\r" + update + "\r");
    EXPECT_FALSE(o.failed);
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.text, "sin cambios");
    EXPECT_EQ(rows("SELECT CLAVE, VALORAUX FROM TA_CONFIGURACION"), (Rows{{"A", "x"}}));

    // Nothing to send still makes an empty transaction, committed.
    const Outcome empty = run({"", " "});
    EXPECT_EQ(empty.script, "BEGIN TRANSACTION \r\r\r");
    EXPECT_FALSE(empty.failed);
    EXPECT_EQ(empty.code, 0);
}

TEST_F(WindowBatches, AFailedBatchLeavesNothingBehindAndTellsOnlyTheCaller)
{
    const std::vector<std::string> duplicate{"2627 : Violation of PRIMARY KEY", "3621 : The statement has been terminated."};
    const std::vector<std::string> reference{"547 : The statement conflicted with a FOREIGN KEY constraint",
                                             "3621 : The statement has been terminated."};
    struct Case {
        const char* name;
        ListaSentencias statements;
        bool duplicates, references;
        long code;
        std::vector<std::string> lines;  // how each line of the error text starts, every one ending in CR LF
        const char* bare;                // or, for a tolerated failure, how the lone description starts
    };
    const Case cases[] = {
        {"duplicate", {insertB, insertA, insertA}, false, false, 2627, duplicate, nullptr},
        {"duplicate tolerated", {insertB, insertA, insertA}, true, false, 2627, {}, "Violation of PRIMARY KEY"},
        {"duplicate, references tolerated", {insertB, insertA, insertA}, false, true, 2627, duplicate, nullptr},
        {"reference", {insertB, orphan}, false, false, 547, reference, nullptr},
        {"reference tolerated", {insertB, orphan}, false, true, 547, {}, "The statement conflicted with a FOREIGN KEY"},
    };
    for (const Case& c : cases) {
        const Outcome o = run(c.statements, c.duplicates, c.references);
        EXPECT_TRUE(o.failed) << c.name;
        EXPECT_EQ(o.code, c.code) << c.name;
        if (c.bare) {
            EXPECT_TRUE(o.text.starts_with(c.bare)) << c.name << ": " << o.text;
            EXPECT_EQ(o.text.find("\r\n"), std::string::npos) << c.name << ": " << o.text;
        } else {
            const std::vector<std::string> lines = base::split(o.text, "\r\n");
            ASSERT_EQ(lines.size(), c.lines.size() + 1) << c.name << ": " << o.text;
            EXPECT_EQ(lines.back(), "") << c.name;
            for (std::size_t i = 0; i < c.lines.size(); ++i)
                EXPECT_TRUE(lines[i].starts_with(c.lines[i])) << c.name << ": " << lines[i];
        }
        EXPECT_EQ(rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"0"}})) << c.name;
        EXPECT_EQ(rows("SELECT COUNT(*) FROM T_HIJO"), (Rows{{"0"}})) << c.name;
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM AUX_ERR"), (Rows{{"0"}}));
    EXPECT_TRUE(gDB_Dll().gCnn.errors().empty());
}

TEST_F(WindowBatches, AFlagLeftOnByTheCallerStaysOnButDoesNotUndoAGoodBatch)
{
    const Outcome o = run({insertA}, false, false, true);
    EXPECT_TRUE(o.failed);
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(rows("SELECT CLAVE FROM TA_CONFIGURACION"), (Rows{{"A"}}));
}

TEST_F(WindowBatches, TheOptionalOutputsMayBeLeftOut)
{
    bool failed = false;
    window.gActualizarDatosScript3({insertA, insertA}, failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"0"}}));
}

}  // namespace
