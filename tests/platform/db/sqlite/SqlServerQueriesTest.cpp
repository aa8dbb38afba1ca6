// Queries the installer's scripts and the balance, stock and cheque imports send, answered as SQL Server
// answers them: texts grouped and compared through functions as their column is, rows copied by
// INSERT ... SELECT under a subquery, tables numbering their rows by IDENTITY.
// Each table: a statement in, rows or an error list out, on a fresh database.

#include "tests/support/ErpDatabase.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;
using Natives = std::vector<long>;
using testing_support::ErpDatabase;

struct QueryCase {
    const char* statement;
    Rows expected;
};

class SqlServerQueries : public ::testing::Test {
protected:
    void expectRows(const QueryCase* begin, const QueryCase* end)
    {
        for (const QueryCase* c = begin; c != end; ++c) EXPECT_EQ(erp.rows(c->statement), c->expected) << c->statement;
    }

    ErpDatabase erp;
};

// A function of a text column, or texts joined to it, still compares as the column does: without regard to
// case or trailing blanks.
TEST_F(SqlServerQueries, ExpressionsOverATextColumnCompareAsTheColumnDoes)
{
    erp.connection().execute("CREATE TABLE CUENTAS (ID int, NOMBRE varchar(20))\r"
                             "INSERT INTO CUENTAS (ID, NOMBRE) VALUES (1, 'abc')\r"
                             "INSERT INTO CUENTAS (ID, NOMBRE) VALUES (2, 'ABC   ')\r"
                             "INSERT INTO CUENTAS (ID, NOMBRE) VALUES (3, '  Abc')\r"
                             "INSERT INTO CUENTAS (ID, NOMBRE) VALUES (4, 'xyz')\r"
                             "INSERT INTO CUENTAS (ID, NOMBRE) VALUES (5, NULL)");
    const QueryCase cases[] = {
        {"SELECT COUNT(*) FROM CUENTAS GROUP BY LTRIM(RTRIM(NOMBRE)) ORDER BY 1", {{"1"}, {"1"}, {"3"}}},
        {"SELECT COUNT(DISTINCT LTRIM(NOMBRE)) FROM CUENTAS", {{"2"}}},
        {"SELECT COUNT(*) FROM (SELECT DISTINCT UPPER(NOMBRE) AS N FROM CUENTAS WHERE ID < 4) T", {{"2"}}},
        {"SELECT COUNT(*) FROM CUENTAS GROUP BY LOWER(NOMBRE) ORDER BY 1", {{"1"}, {"1"}, {"1"}, {"2"}}},
        {"SELECT COUNT(*) FROM CUENTAS GROUP BY SUBSTRING(NOMBRE, 1, 3) ORDER BY 1", {{"1"}, {"1"}, {"1"}, {"2"}}},
        {"SELECT COUNT(*) FROM CUENTAS GROUP BY LEFT(NOMBRE, 2), RIGHT(RTRIM(NOMBRE), 1) ORDER BY 1",
         {{"1"}, {"1"}, {"1"}, {"2"}}},
        {"SELECT COUNT(*) FROM CUENTAS GROUP BY ISNULL(NOMBRE, '') ORDER BY 1", {{"1"}, {"1"}, {"1"}, {"2"}}},
        {"SELECT COUNT(*) FROM CUENTAS GROUP BY '.' + COALESCE(NOMBRE, 'x') ORDER BY 1", {{"1"}, {"1"}, {"1"}, {"2"}}},
        {"SELECT ID FROM CUENTAS WHERE LTRIM(NOMBRE) = RTRIM('ABC') ORDER BY ID", {{"1"}, {"2"}, {"3"}}},
        {"SELECT ID FROM CUENTAS WHERE UPPER(NOMBRE) IN (LOWER('XYZ'), 'nada') ORDER BY ID", {{"4"}}},
        {"SELECT ID FROM CUENTAS WHERE NOMBRE + 'q' = 'ABCq' ORDER BY ID", {{"1"}}},
        {"SELECT ID FROM CUENTAS ORDER BY LTRIM(NOMBRE) DESC, ID", {{"4"}, {"1"}, {"2"}, {"3"}, {"5"}}},
        {"SELECT MIN(LTRIM(C)), MAX(RTRIM(C)) FROM (SELECT 'Zeta' AS C UNION ALL SELECT 'alfa') T",
         {{"alfa", "Zeta"}}},
        {"SELECT COUNT(*) FROM CUENTAS A JOIN CUENTAS B ON RTRIM(A.NOMBRE) = UPPER(B.NOMBRE) WHERE A.ID = 1",
         {{"2"}}},
    };
    expectRows(std::begin(cases), std::end(cases));
}

// INSERT ... SELECT under IN, EXISTS and NOT EXISTS: the rows the subquery lets through, once, however
// often it runs.
TEST_F(SqlServerQueries, InsertSelectTakesSubqueriesAsDeleteAndUpdateDo)
{
    erp.connection().execute("CREATE TABLE ORIGEN (CODIGO char(4), NOMBRE varchar(20))\r"
                             "CREATE TABLE DESTINO (CODIGO char(4), NOMBRE varchar(20))\r"
                             "CREATE TABLE ELEGIDOS (CODIGO char(4))\r"
                             "INSERT INTO ORIGEN VALUES ('A', 'uno')\r"
                             "INSERT INTO ORIGEN VALUES ('B', 'dos')\r"
                             "INSERT INTO ORIGEN VALUES ('C', 'tres')\r"
                             "INSERT INTO ELEGIDOS VALUES ('b')");
    struct Case {
        const char* statement;
        Rows afterOnce;
        Rows afterTwice;
    };
    const Case cases[] = {
        {"INSERT INTO DESTINO (CODIGO, NOMBRE) SELECT CODIGO, NOMBRE FROM ORIGEN O WHERE NOT EXISTS "
         "(SELECT * FROM DESTINO D WHERE D.CODIGO = O.CODIGO)",
         {{"A", "uno"}, {"B", "dos"}, {"C", "tres"}},
         {{"A", "uno"}, {"B", "dos"}, {"C", "tres"}}},
        {"INSERT INTO DESTINO (CODIGO, NOMBRE) SELECT CODIGO, NOMBRE FROM ORIGEN WHERE CODIGO IN "
         "(SELECT CODIGO FROM ELEGIDOS)",
         {{"B", "dos"}},
         {{"B", "dos"}, {"B", "dos"}}},
        {"INSERT INTO DESTINO (CODIGO, NOMBRE) SELECT O.CODIGO, O.NOMBRE FROM ORIGEN O WHERE EXISTS "
         "(SELECT 1 FROM ELEGIDOS E WHERE E.CODIGO = O.CODIGO) AND O.CODIGO NOT IN (SELECT CODIGO FROM DESTINO)",
         {{"B", "dos"}},
         {{"B", "dos"}}},
        {"INSERT INTO DESTINO SELECT * FROM ORIGEN WHERE CODIGO NOT IN (SELECT CODIGO FROM ELEGIDOS) "
         "AND NOT EXISTS (SELECT * FROM DESTINO WHERE DESTINO.CODIGO = ORIGEN.CODIGO)",
         {{"A", "uno"}, {"C", "tres"}},
         {{"A", "uno"}, {"C", "tres"}}},
    };
    // A table whose columns need no checks is written to as the statement stands.
    erp.connection().execute("CREATE TABLE NOTAS (NOTA text, PESO float)\r"
                             "INSERT INTO NOTAS (NOTA, PESO) SELECT NOMBRE, 1 FROM ORIGEN WHERE CODIGO IN "
                             "(SELECT CODIGO FROM ELEGIDOS)\r"
                             "INSERT INTO NOTAS (NOTA, PESO) SELECT NOMBRE, 2 FROM ORIGEN O WHERE NOT EXISTS "
                             "(SELECT * FROM NOTAS N WHERE N.NOTA = O.NOMBRE)\r"
                             "INSERT NOTAS SELECT NOMBRE, 3 FROM ORIGEN O WHERE EXISTS "
                             "(SELECT * FROM ELEGIDOS E WHERE E.CODIGO = O.CODIGO)");
    EXPECT_EQ(erp.rows("SELECT NOTA, PESO FROM NOTAS ORDER BY PESO, NOTA"),
              (Rows{{"dos", "1"}, {"tres", "2"}, {"uno", "2"}, {"dos", "3"}}));
    for (const Case& c : cases) {
        erp.connection().execute("DELETE FROM DESTINO");
        erp.connection().execute(c.statement);
        EXPECT_EQ(erp.rows("SELECT RTRIM(CODIGO), NOMBRE FROM DESTINO ORDER BY CODIGO"), c.afterOnce) << c.statement;
        erp.connection().execute(c.statement);
        EXPECT_EQ(erp.rows("SELECT RTRIM(CODIGO), NOMBRE FROM DESTINO ORDER BY CODIGO"), c.afterTwice) << c.statement;
    }
}

}  // namespace
