#pragma once
// The program-wide objects as a test needs them: gDB_Dll logged in to a fresh embedded ERP database in a
// folder of its own (which is also the program folder, where the error log goes), a scripted prompter
// and a fixed clock. Everything is put back when the test ends.

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "platform/os/Clock.h"
#include "platform/ui/ScriptedPrompter.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("MIGRA_HOME", folder.path().c_str(), 1);
        setProgramPrompter(&prompter);
        setProgramClock(&clock);
        resetProgramDataAccess();
        DB_Dll& erp = gDB_Dll();
        erp.gServidor = "sqlite:" + folder.path().string();
        erp.gDBName = "EMPRESA";
        erp.gUsuario = "tester";
        erp.OpenServerADODB(false, 3, "", false);
        ASSERT_TRUE(erp.gOpenFlag);
    }

    void TearDown() override
    {
        EXPECT_TRUE(prompter.satisfied()) << prompter.report();
        resetProgramDataAccess();
        setProgramPrompter(nullptr);
        setProgramClock(nullptr);
        unsetenv("MIGRA_HOME");
    }

    static void resetProgramDataAccess()
    {
        DB_Dll& erp = gDB_Dll();
        erp.gCnn.close();
        erp.gCnn.errors().clear();
        erp.gOpenFlag = erp.gEsAdmin = false;
        erp.gProveedor = erp.gServidor = erp.gDBName = erp.gUsuario = erp.gUserPassWord = erp.gConnString =
            erp.gExtended = erp.gLogErr = "";
        erp.dialogoAcceso = nullptr;
    }

    using Rows = std::vector<std::vector<std::string>>;
    // The rows of a query on the ERP database, each value as its text ("NULL" for Null).
    static Rows rows(std::string statement)
    {
        db::Recordset rs;
        gDB_Dll().AbrirRecordset(statement, rs);
        Rows result;
        for (; !rs.eof(); rs.moveNext()) {
            std::vector<std::string> row;
            for (std::size_t i = 0; i < rs.fieldCount(); ++i)
                row.push_back(rs.field(i).value().isNull() ? "NULL" : rs.field(i).value().toText());
            result.push_back(row);
        }
        return result;
    }

    std::string errorLog() const
    {
        std::ifstream in(folder.path() / "QVERR.LOG", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    testing_support::TempFolder folder;
    ui::ScriptedPrompter prompter;
    os::FixedClock clock{base::DateTime::fromParts(2026, 3, 7, 9, 5, 2)};
};
