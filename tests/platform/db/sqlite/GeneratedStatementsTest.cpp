// One statement of each T-SQL construct the voucher machinery and the balance imports write, run on a fresh
// embedded database with the answer SQL Server gives.

#include "platform/base/DateTime.h"
#include "tests/support/ErpDatabase.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;
using testing_support::ErpDatabase;

class GeneratedStatements : public ::testing::Test {
protected:
    void SetUp() override
    {
        erp.connection().execute(
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('2110101000001', 'Peña Hnos')\r"
            "INSERT INTO MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, NUMERO, CUENTA, COMPLEMENTOORIGEN, IMPORTEIVA) "
            "VALUES ('  FC', '000100000015A', 3, '00000015', '2110101000001   ', 0, 10.5)\r"
            "INSERT INTO MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, NUMERO, CUENTA, COMPLEMENTOORIGEN, IMPORTEIVA) "
            "VALUES ('  FC', '000100000700A', 4, '00000700', '2110101000001', 1, 0.2)\r"
            "INSERT INTO MV_EJERCICIOS (PERIODO, [FECHA DESDE], [FECHA HASTA]) VALUES (1, '20240101 00:00:00', "
            "'20241231 00:00:00')\r"
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SIGNO, X_SUC_DEFAULT) VALUES ('  IR', '7', '-1', '1')");
    }
    ErpDatabase erp;
};

TEST_F(GeneratedStatements, EachConstructRunsWithTheServersResult)
{
    const std::string date = erp.connection().dateLiteral(base::DateTime::fromParts(2024, 3, 1, 10, 30, 0));
    struct Case {
        std::string construct;
        std::string statement;  // run first, when there is one
        std::string check;
        Rows expected;
    };
    const Case cases[] = {
        {"a batch of statements separated by line breaks, committed later",
         "BEGIN TRANSACTION \r\rUPDATE MV_CPTE SET NOMBRE = 'uno' WHERE NUMERO = '00000015'\r\n"
         "UPDATE MV_CPTE SET NOMBRE = 'dos' WHERE NUMERO = '00000700'\r",
         "SELECT NOMBRE FROM MV_CPTE ORDER BY NUMERO", {{"uno"}, {"dos"}}},
        {"DELETE without FROM", "DELETE MV_CPTE WHERE TC = '  FC' AND IDCOMPROBANTE = '000100000700A'",
         "SELECT COUNT(*) FROM MV_CPTE", {{"1"}}},
        {"if exists (select ...) UPDATE, a date from the program's literal",
         "if exists(select * from MV_CPTE where TC = '  FC') UPDATE MV_CPTE SET FechaRecepcion = " + date +
             " WHERE TC = '  FC' AND IDCOMPROBANTE = '000100000015A' AND fecharecepcion IS NULL",
         "SELECT COUNT(*) FROM MV_CPTE WHERE FECHARECEPCION = '20240301 10:30:00'", {{"1"}}},
        {"SUBSTRING of a code", "", "SELECT SUBSTRING(IDCOMPROBANTE,1,4), SUBSTRING(IDCOMPROBANTE,13,1) FROM MV_CPTE "
         "WHERE NUMERO = '00000015'", {{"0001", "A"}}},
        {"RTRIM(LTRIM(number)) compared with a number", "",
         "SELECT COUNT(*) FROM MV_EJERCICIOS WHERE RTRIM(LTRIM(PERIODO)) = 1", {{"1"}}},
        {"bracketed names with blanks, in any case", "",
         "SELECT [Fecha Desde] FROM MV_EJERCICIOS WHERE [FECHA HASTA] >= '20241231'", {{"01/01/2024"}}},
        {"a correlated subquery over the whole table, codes with trailing blanks",
         "UPDATE MV_CPTE SET NOMBRE = (SELECT DESCRIPCION FROM MA_CUENTAS WHERE MV_CPTE.CUENTA = MA_CUENTAS.CODIGO)",
         "SELECT DISTINCT NOMBRE FROM MV_CPTE", {{"Peña Hnos"}}},
        {"numbers written as text into number columns, compared as numbers", "",
         "SELECT SIGNO * 2, TALONARIO + 1 FROM V_TA_CPTE WHERE TALONARIO = 7 AND X_SUC_DEFAULT = '1'", {{"-2", "8"}}},
        {"codes compared without regard to case or trailing blanks, leading blanks kept", "",
         "SELECT COUNT(*) FROM V_TA_CPTE WHERE CODIGO = '  ir   ' AND CODIGO <> 'IR'", {{"1"}}},
        {"a pipe item joined with character 255", "", "SELECT 'ÿ' + 'RS' + CODIGO FROM V_TA_CPTE", {{"ÿRS  IR"}}},
        {"MAX of a code and a code compared as text", "",
         "SELECT MAX(IDCOMPROBANTE) FROM MV_CPTE WHERE NUMERO < '00000500'", {{"000100000015A"}}},
        {"INNER JOIN, GROUP BY, not x is null, SUM, IS NULL", "",
         "SELECT C.CODIGO, SUM(M.IMPORTEIVA) FROM MA_CUENTAS C INNER JOIN MV_CPTE M ON M.CUENTA = C.CODIGO "
         "WHERE not M.IMPORTEIVA is null AND M.FECHAENTREGA IS NULL GROUP BY C.CODIGO",
         {{"2110101000001", "10.5"}}},
        {"writes into tables named like views", "UPDATE V_TA_CPTE SET SIGNO = 1 WHERE CODIGO = '  IR'",
         "SELECT SIGNO FROM V_TA_CPTE", {{"1"}}},
        {"IF NOT EXISTS (...) INSERT, twice",
         "IF NOT EXISTS (SELECT * FROM MV_EJERCICIOS WHERE PERIODO = 2) INSERT INTO MV_EJERCICIOS (PERIODO, "
         "[FECHA DESDE]) VALUES (2, '20250101 00:00:00')\r"
         "IF NOT EXISTS (SELECT * FROM MV_EJERCICIOS WHERE PERIODO = 2) INSERT INTO MV_EJERCICIOS (PERIODO, "
         "[FECHA DESDE]) VALUES (2, '20250101 00:00:00')",
         "SELECT COUNT(*) FROM MV_EJERCICIOS", {{"2"}}},
        {"SELECT TOP 1 * with LTRIM(RTRIM(col)) = '...' and a further condition", "",
         "SELECT TOP 1 TALONARIO FROM V_TA_CPTE WHERE LTRIM(RTRIM(CODIGO)) = 'IR' AND TALONARIO = 7", {{"7"}}},
        {"ISNULL(x, 0)", "", "SELECT ISNULL(SUM(SIGNO), 0) FROM V_TA_CPTE WHERE CODIGO = 'ZZZZ'", {{"0"}}},
        {"an unquoted number and a quoted '0' compared with whole-number columns", "",
         "SELECT NUMERO FROM MV_CPTE WHERE IDCOMPLEMENTO = 3 AND COMPLEMENTOORIGEN = '0'", {{"00000015"}}},
    };
    for (const Case& c : cases) {
        if (!c.statement.empty()) erp.connection().execute(c.statement);
        EXPECT_EQ(erp.rows(c.check), c.expected) << c.construct;
    }
    erp.connection().execute("COMMIT TRANSACTION");
}

TEST_F(GeneratedStatements, TheErrorsTheProgramReadsComeWithTheServersNumbers)
{
    struct Case {
        const char* construct;
        const char* statement;
        std::vector<long> natives;
    };
    const Case cases[] = {
        {"a duplicate key", "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO) VALUES ('  ir ', 7)", {2627, 3621}},
        {"a text longer than its column", "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO) VALUES ('ABCDE', 1)", {8152, 3621}},
        {"a date the server would not read", "UPDATE MV_CPTE SET FECHARECEPCION = 'el 15 de agosto'", {241, 3621}},
    };
    for (const Case& c : cases) {
        erp.executeKeepingErrors(c.statement);
        EXPECT_EQ(erp.nativeErrors(), c.natives) << c.construct;
    }
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM V_TA_CPTE"), (Rows{{"1"}}));
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM MV_CPTE WHERE FECHARECEPCION IS NOT NULL"), (Rows{{"0"}}));
}

}  // namespace
