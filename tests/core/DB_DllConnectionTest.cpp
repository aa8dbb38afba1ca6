// Logging in: the connection texts, the administrator flag and the retry loop.

#include "tests/core/ProgramFixture.h"

#include <deque>

namespace {

// The log-in dialog answering from a queue; nothing left means Cancel.
class ScriptedAccess : public PideAcceso {
public:
    std::deque<DatosAcceso> answers;
    std::vector<DatosAcceso> shown;
    std::optional<DatosAcceso> pedir(const DatosAcceso& actuales) override
    {
        shown.push_back(actuales);
        if (answers.empty()) return std::nullopt;
        DatosAcceso next = answers.front();
        answers.pop_front();
        return next;
    }
};

class Connecting : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        resetProgramDataAccess();
    }
    std::string server() const { return "sqlite:" + folder.path().string(); }
};

TEST_F(Connecting, BuildsTheSqlServerTextFromTheFourValues)
{
    DB_Dll& erp = gDB_Dll();
    erp.gServidor = server();
    erp.gDBName = "EMPRESA";
    erp.gUsuario = "sa";
    erp.OpenServerADODB(false, 3, "   ", false);
    EXPECT_TRUE(erp.gOpenFlag);
    EXPECT_EQ(erp.gConnString, "PROVIDER=SQLOLEDB;Server=" + server() + ";Database =EMPRESA;UId=sa;Pwd=;");
    EXPECT_EQ(erp.gProveedor, "SQLOLEDB");
    EXPECT_TRUE(erp.gCnn.isOpen());
    EXPECT_EQ(erp.gCnn.cursorLocation(), db::CursorLocation::Client);
}

TEST_F(Connecting, AGivenTextIsUsedAsItStands)
{
    DB_Dll& erp = gDB_Dll();
    const std::string given = " PROVIDER=SQLOLEDB;Server=" + server() + ";Database =OTRA;UId=x;Pwd=y; ";
    erp.OpenServerADODB(false, 3, given, false);
    EXPECT_EQ(erp.gConnString, given);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "OTRA.sqlite"));
}

TEST_F(Connecting, AHashInTheServerMakesTheOracleTextAndAFailureCanBeDeclined)
{
    DB_Dll& erp = gDB_Dll();
    erp.gServidor = "#ORA";
    erp.gDBName = "PROD";
    erp.gUsuario = "u";
    erp.gUserPassWord = "p";
    prompter.expectMessage(ui::startsWith(" Estado de Sql: 08001\rNumero de Error: 3706\rDescripcion: No database provider"),
                           ui::vbYesNo | ui::vbCritical, " Error de Conexion a Base de Datos", ui::vbNo);
    erp.OpenServerADODB(false, 3, "", false);
    EXPECT_EQ(erp.gConnString, "Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=u;Password=p;");
    EXPECT_FALSE(erp.gOpenFlag);
    EXPECT_FALSE(erp.gCnn.isOpen());
}

TEST_F(Connecting, RetryingAFailedOpenAsksAgainAndOpensWithTheNewData)
{
    DB_Dll& erp = gDB_Dll();
    std::ofstream(folder.path() / "not-a-folder") << "x";
    ScriptedAccess access;
    erp.dialogoAcceso = &access;
    access.answers.push_back({"EMPRESA", server(), "tester", "", false});
    erp.gServidor = "sqlite:" + (folder.path() / "not-a-folder" / "db").string();
    erp.gDBName = "EMPRESA";
    prompter.expectMessage(ui::startsWith(" Estado de Sql: 08001"), ui::vbYesNo | ui::vbCritical,
                           " Error de Conexion a Base de Datos", ui::vbYes);
    erp.OpenServerADODB(false, 3, "", false);
    EXPECT_TRUE(erp.gOpenFlag);
    EXPECT_TRUE(erp.gCnn.isOpen());
    ASSERT_EQ(access.shown.size(), 1u);
    EXPECT_EQ(access.shown[0].servidor, "sqlite:" + (folder.path() / "not-a-folder" / "db").string());
    EXPECT_EQ(erp.gServidor, server());
}

TEST_F(Connecting, ChoosingOracleMarksTheServerAndCancellingTriesNothing)
{
    DB_Dll& erp = gDB_Dll();
    ScriptedAccess access;
    erp.dialogoAcceso = &access;
    access.answers.push_back({"PROD", "oraserver", "u", "p", true});
    prompter.expectMessage(ui::startsWith(" Estado de Sql:"), ui::vbYesNo | ui::vbCritical,
                           " Error de Conexion a Base de Datos", ui::vbYes);
    erp.OpenServerADODB(true, 3, "", false);
    EXPECT_EQ(erp.gServidor, "oraserver#");
    EXPECT_EQ(erp.gProveedor, "OraOLEDB.Oracle.1");
    EXPECT_EQ(erp.gConnString, "Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=u;Password=p;");
    // The retry showed the dialog again with the last values, and Cancel there ends the attempt.
    ASSERT_EQ(access.shown.size(), 2u);
    EXPECT_EQ(access.shown[1].servidor, "oraserver#");
    EXPECT_FALSE(erp.gOpenFlag);
    EXPECT_FALSE(erp.gCnn.isOpen());
}

TEST_F(Connecting, TheAdministratorFlagComesFromTheUsersTable)
{
    struct Case { const char* user; bool validate; bool administrator; };
    const Case cases[] = {
        {"jefe", true, true}, {"  jefe ", true, true}, {"cajero", true, false}, {"nadie", true, false},
        {"o'brien", true, true}, {"cajero", false, true},
    };
    {
        db::Connection setup;
        setup.open("PROVIDER=SQLOLEDB;Server=" + server() + ";Database =EMPRESA;");
        setup.execute("INSERT INTO TA_USUARIOS (NOMBRE, ADMINISTRADOR) VALUES ('jefe', 1)\r"
                      "INSERT INTO TA_USUARIOS (NOMBRE, ADMINISTRADOR) VALUES ('cajero', 0)\r"
                      "INSERT INTO TA_USUARIOS (NOMBRE, ADMINISTRADOR) VALUES ('o''brien', 1)");
    }
    for (const Case& c : cases) {
        resetProgramDataAccess();
        DB_Dll& erp = gDB_Dll();
        erp.gServidor = server();
        erp.gDBName = "EMPRESA";
        erp.gUsuario = c.user;
        erp.OpenServerADODB(false, 3, "", c.validate);
        EXPECT_TRUE(erp.gOpenFlag) << c.user;
        EXPECT_EQ(erp.gEsAdmin, c.administrator) << c.user;
    }
}

TEST_F(Connecting, AFailedOpenWithoutProviderErrorsEndsWithTheFlagDown)
{
    DB_Dll& erp = gDB_Dll();
    erp.gServidor = server();
    erp.gDBName = "EMPRESA";
    erp.OpenServerADODB(false, 3, "", false);
    ASSERT_TRUE(erp.gOpenFlag);
    // Opening again an open connection fails without provider errors: the box, and the flag goes down.
    prompter.expectMessage("Operation is not allowed when the object is open.", ui::vbOKOnly, "Migrador", ui::vbOK);
    erp.OpenServerADODB(false, 3, "", false);
    EXPECT_FALSE(erp.gOpenFlag);
}

}  // namespace
