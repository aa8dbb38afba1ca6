// The audit row of an action on a voucher: handed back for the caller's transaction or written at once.

#include "core/BatchRunner.h"
#include "core/Configuracion.h"
#include "core/Entorno.h"
#include "tests/voucher/VoucherFixture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

class VoucherActions : public VoucherFixture {
protected:
    void SetUp() override
    {
        VoucherFixture::SetUp();
        gUsuarioLogeado = "ANA";
    }
    void TearDown() override
    {
        gUsuarioLogeado.clear();
        VoucherFixture::TearDown();
    }

    static Rows actions()
    {
        return rows("SELECT TC, IdComprobante, IdComplemento, Tipo_accion, FECHAHORA, Usuario, PC, SYSTEMUSER, "
                    "NUMEROASIENTO FROM V_MV_CPTEACCIONES ORDER BY ID");
    }

    // Runs the statement handed back the way a voucher screen does, in its own transaction.
    static void runInTransaction(const std::string& statement)
    {
        bool failed = false;
        long code = 0;
        std::string batch, errors;
        EjecutaTransaccion({statement}, failed, code, false, false, batch, errors);
        ASSERT_FALSE(failed) << errors;
    }
};

TEST_F(VoucherActions, TheKindOfActionFollowsTheTwoFlags)
{
    struct Case {
        bool alta;
        bool modificacion;
        const char* kind;
    };
    const Case cases[] = {{true, false, "A"}, {true, true, "A"}, {false, true, "M"}, {false, false, "B"}};
    for (const Case& c : cases) {
        std::string statement;
        engine->ActualizaBuchon("FC", "00010000123A", "0", c.alta, c.modificacion, true, &statement, "15");
        runInTransaction(statement);
    }
    const Rows written = actions();
    ASSERT_EQ(written.size(), 4u);
    for (std::size_t i = 0; i < written.size(); ++i) EXPECT_EQ(written[i][3], cases[i].kind) << i;
}

TEST_F(VoucherActions, TheHandedBackStatementNamesNineColumnsAndRunsInTheCallersTransaction)
{
    std::string statement = "left over";
    engine->ActualizaBuchon("FC", "00010000123A", "0", true, false, true, &statement, "15");
    EXPECT_EQ(statement, " INSERT INTO V_MV_CPTEACCIONES (TC,IdComprobante,IdComplemento,Tipo_accion,FECHAHORA,Usuario,"
                         "PC,SYSTEMUSER,NUMEROASIENTO) VALUES ('  FC','00010000123A',0,'A','20260307 09:05:00','ANA','" +
                             gEntorno().NombreEquipo() + "','',15)");
    EXPECT_TRUE(actions().empty()) << "handing the statement back writes nothing";
    EXPECT_TRUE(gCampos.empty());
    runInTransaction(statement);
    EXPECT_EQ(actions(), (Rows{{"  FC", "00010000123A ", "0", "A", "07/03/2026 09:05:00", "ANA",
                                gEntorno().NombreEquipo(), "", "15"}}));
}

TEST_F(VoucherActions, TheRowKeepsApostrophesAndReadsBlanksAsZero)
{
    gUsuarioLogeado = "O'Neil";
    engine->ActualizaBuchon("  FC ", " 0001O'BRIEN1A ", " ", false, true, false);
    engine->ActualizaBuchon("fc", "00010000124A", "2", false, false, false, nullptr, "x");
    EXPECT_EQ(actions(), (Rows{{"  FC", "0001O'BRIEN1A", "0", "M", "07/03/2026 09:05:00", "O'Neil",
                                gEntorno().NombreEquipo(), "", "0"},
                               {"  fc", "00010000124A ", "2", "B", "07/03/2026 09:05:00", "O'Neil",
                                gEntorno().NombreEquipo(), "", "0"}}));
}

TEST_F(VoucherActions, TheStampIsTakenToTheMinute)
{
    clock.set(base::DateTime::fromParts(2026, 12, 31, 23, 59, 59));
    engine->ActualizaBuchon("FC", "00010000123A", "0", true, false, false);
    EXPECT_EQ(actions().at(0).at(4), "31/12/2026 23:59:00");
}

TEST_F(VoucherActions, AFailureLeavesALogLineAndNoBox)
{
    std::string statement = "left over";
    engine->ActualizaBuchon("FC", "00010000123A", "x", true, false, true, &statement);
    EXPECT_EQ(statement, "") << "a complement that is no whole number builds nothing";
    engine->ActualizaBuchon("FC", "00010000123A", "1.5", true, false, false);
    EXPECT_TRUE(actions().empty());
    const std::string refused = errorLog();
    EXPECT_EQ(std::count(refused.begin(), refused.end(), '\n'), 2) << refused;
    EXPECT_NE(refused.find("Rutina: ActualizaBuchon"), std::string::npos) << refused;

    execute({"DROP TABLE V_MV_CPTEACCIONES"});
    engine->ActualizaBuchon("FC", "00010000123A", "0", true, false, false);
    const std::string log = errorLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3) << log;
    EXPECT_NE(log.rfind("V_MV_CPTEACCIONES"), std::string::npos) << log;
}

}  // namespace
