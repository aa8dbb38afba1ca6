// One unit of work in one transaction: commit, or roll back with an AUX_ERR row and a message.

#include "core/BatchRunner.h"
#include "tests/core/ProgramFixture.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

class Batches : public ProgramFixture {
protected:
    struct Outcome { bool failed = false; long code = -1; std::string batch, text; };
    Outcome run(const ListaSentencias& statements, bool duplicates = false, bool references = false, bool flag = false)
    {
        Outcome o;
        o.failed = flag;
        EjecutaTransaccion(statements, o.failed, o.code, duplicates, references, o.batch, o.text);
        return o;
    }
    const std::string insertA = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('A', 'O''Brien')";
    const std::string insertB = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('B', '2')";
};

TEST_F(Batches, AGoodBatchIsCommittedAsOneText)
{
    const Outcome o = run({"", insertA, "  ", "UPDATE TA_CONFIGURACION SET VALORAUX = 'x' WHERE CLAVE = 'A'", ""});
    EXPECT_FALSE(o.failed);
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.batch, "BEGIN TRANSACTION \r\r\r" + insertA + "\rUPDATE TA_CONFIGURACION SET VALORAUX = 'x' WHERE CLAVE = 'A'\r");
    EXPECT_EQ(rows("SELECT CLAVE, VALOR, VALORAUX FROM TA_CONFIGURACION"), (Rows{{"A", "O'Brien", "x"}}));
    // A list of blanks sends nothing and leaves the outputs alone.
    const Outcome nothing = run({"", "  "});
    EXPECT_EQ(nothing.code, -1);
    EXPECT_EQ(nothing.batch, "");
}

TEST_F(Batches, ADuplicateKeyRollsBackTheWholeBatchRecordsItAndTellsTheOperator)
{
    prompter.expectMessage(ui::startsWith("2627 : Violation of PRIMARY KEY"), ui::vbCritical | ui::vbOKOnly,
                           "Aviso al Operador!", ui::vbOK);
    const Outcome o = run({insertA, insertA, insertB});
    EXPECT_TRUE(o.failed);
    EXPECT_EQ(o.code, 2627);
    EXPECT_EQ(std::count(o.text.begin(), o.text.end(), '\n'), 1) << o.text;  // the "terminated" line left out
    EXPECT_EQ(rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"0"}}));
    const Rows errors = rows("SELECT Proceso, Fecha, Error, SQL, Usuario FROM AUX_ERR");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0][1], "07/03/2026 09:05:00");
    EXPECT_EQ(errors[0][2], "2627");
    EXPECT_EQ(errors[0][3], o.batch);
    EXPECT_EQ(errors[0][4], "tester");
    EXPECT_NE(rows("SELECT Descripcion FROM AUX_ERR")[0][0].find("2627 : "), std::string::npos);
    EXPECT_TRUE(gDB_Dll().gCnn.errors().empty());
}

TEST_F(Batches, ToleratedFailuresAreRolledBackAndRecordedWithoutABox)
{
    const Outcome duplicate = run({insertA, insertA}, true, false);
    EXPECT_TRUE(duplicate.failed);
    EXPECT_EQ(duplicate.code, 2627);
    EXPECT_NE(duplicate.text.find("Violation of PRIMARY KEY"), std::string::npos);
    EXPECT_EQ(duplicate.text.find("2627 : "), std::string::npos);
    EXPECT_EQ(rows("SELECT Error, Descripcion FROM AUX_ERR"), (Rows{{"2627", ""}}));

    std::string tables = "CREATE TABLE T_PADRE (ID int PRIMARY KEY)\rCREATE TABLE T_HIJO (ID int, PADRE int REFERENCES T_PADRE (ID))";
    gDB_Dll().EjecutaConsultaSQL(tables);
    const std::string orphan = "INSERT INTO T_HIJO (ID, PADRE) VALUES (1, 9)";
    EXPECT_EQ(run({orphan}, false, true).code, 547);
    prompter.expectMessage(ui::startsWith("547 : "), ui::vbCritical | ui::vbOKOnly, "Aviso al Operador!", ui::vbOK);
    EXPECT_EQ(run({orphan}, true, false).code, 547);
}

TEST_F(Batches, AStaleFlagDoesNotRollBackAGoodBatchAndTooLongValuesFail)
{
    const Outcome stale = run({insertA}, false, false, true);
    EXPECT_TRUE(stale.failed);  // the caller's flag is never cleared here
    EXPECT_EQ(stale.code, 0);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM TA_CONFIGURACION"), (Rows{{"1"}}));

    prompter.expectMessage(ui::startsWith("8152 : String or binary data would be truncated"), ui::vbCritical | ui::vbOKOnly,
                           "Aviso al Operador!", ui::vbOK);
    const Outcome tooLong = run({insertB, "INSERT INTO MA_CUENTAS (CODIGO) VALUES ('12345678901234567890')"});
    EXPECT_TRUE(tooLong.failed);
    EXPECT_EQ(tooLong.code, 8152);
    EXPECT_EQ(rows("SELECT CLAVE FROM TA_CONFIGURACION"), (Rows{{"A"}}));
}

TEST_F(Batches, TheErrorRowKeepsAtMost250CharactersOfDescriptionAndTheWholeStatement)
{
    const std::string statement(400, 'x');
    GrabaError(statement, "migrador", 50000, std::string(300, 'd'));
    const Rows row = rows("SELECT LEN(Descripcion), LEN(SQL), Proceso FROM AUX_ERR");
    EXPECT_EQ(row, (Rows{{"250", "400", "migrador"}}));
}

}  // namespace
