// Queries the installer's scripts and the balance, stock and cheque imports send, answered as SQL Server
// answers them: blank and padded texts stored into and compared with numbers, texts grouped and compared
// through functions as their column is, rows copied by INSERT ... SELECT under a subquery, fixed-width texts
// padded, money and decimals written as text.
// Each table: a statement in, rows or an error list out, on a fresh database.

#include "platform/db/Provider.h"
#include "platform/db/Recordset.h"
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

// A blank text is 0 to every number but a decimal, the first day of 1900 to a date, and a number with blanks
// around it is that number, whether stored or compared.
TEST_F(SqlServerQueries, BlankAndPaddedTextsConvertToNumbersAsTheServerConvertsThem)
{
    erp.connection().execute("CREATE TABLE NUMEROS (ID int, T tinyint, S smallint, I int, B bigint, BI bit, M money, "
                             "F float, D datetime, N decimal(9,2))");
    struct Case {
        const char* statement;
        Rows stored;
    };
    const Case cases[] = {
        {"INSERT INTO NUMEROS (ID, T, S, I, B, BI, M, F, D) VALUES (1, '', ' ', '   ', '', '', '', ' ', '')",
         {{"1", "0", "0", "0", "0", "Falso", "0", "0", "1900-01-01 00:00:00", "NULL"}}},
        {"INSERT INTO NUMEROS (ID, T, S, I, B, BI, M, F, N) VALUES (1, ' 7 ', '-3 ', ' 12', '9 ', ' 1 ', ' 2.5 ', ' 1.25', ' 4.5 ')",
         {{"1", "7", "-3", "12", "9", "Verdadero", "2.5", "1.25", "NULL", "4.5"}}},
        {"INSERT INTO NUMEROS (ID) VALUES (1)\rUPDATE NUMEROS SET I = '', M = '  ', F = '', D = ' ' WHERE ID = 1",
         {{"1", "NULL", "NULL", "0", "NULL", "NULL", "0", "0", "1900-01-01 00:00:00", "NULL"}}},
        {"INSERT INTO NUMEROS (ID, I, F) SELECT 1, LTRIM(''), RTRIM(' ')",
         {{"1", "NULL", "NULL", "0", "NULL", "NULL", "NULL", "0", "NULL", "NULL"}}},
    };
    const char* const read = "SELECT ID, T, S, I, B, BI, M, F, CONVERT(varchar(30), D), N FROM NUMEROS";
    for (const Case& c : cases) {
        erp.connection().execute("DELETE FROM NUMEROS");
        erp.connection().execute(c.statement);
        EXPECT_EQ(erp.rows(read), c.stored) << c.statement;
    }

    erp.connection().execute("DELETE FROM NUMEROS\r"
                             "INSERT INTO NUMEROS (ID, I, BI, M, F, D) VALUES (1, 0, 0, 0, 0, '19000101')\r"
                             "INSERT INTO NUMEROS (ID, I, BI, M, F, D) VALUES (2, 7, 1, 7, 7, '20050701')");
    const QueryCase compared[] = {
        {"SELECT ID FROM NUMEROS WHERE I = ''", {{"1"}}},
        {"SELECT N.ID FROM NUMEROS N WHERE '  ' = N.M AND N.BI = ' ' AND N.F = ''", {{"1"}}},
        {"SELECT ID FROM NUMEROS WHERE I <> '' AND D <> ''", {{"2"}}},
        {"SELECT ID FROM NUMEROS WHERE D = ''", {{"1"}}},
        {"SELECT ID FROM NUMEROS WHERE I = ' 7 '", {{"2"}}},
        {"SELECT ID FROM NUMEROS WHERE I = ' '", {{"1"}}},  // the shape of a blank text is not that of ' 7 '
    };
    expectRows(std::begin(compared), std::end(compared));

    struct Refusal {
        const char* statement;
        Natives natives;
        const char* named;
    };
    const Refusal refused[] = {
        {"INSERT INTO NUMEROS (ID, N) VALUES (3, '')", {8114, 3621}, "NUMEROS.N"},
        {"INSERT INTO NUMEROS (ID, I) VALUES (3, 'siete')", {245, 3621}, "'siete'"},
        {"INSERT INTO NUMEROS (ID, F) VALUES (3, '1,5')", {8114, 3621}, "NUMEROS.F"},
        {"UPDATE NUMEROS SET N = ' ' WHERE ID = 1", {8114, 3621}, "NUMEROS.N"},
    };
    for (const Refusal& r : refused) {
        erp.executeKeepingErrors(r.statement);
        EXPECT_EQ(erp.nativeErrors(), r.natives) << r.statement;
        if (!erp.connection().errors().empty()) {
            EXPECT_NE(erp.connection().errors().item(0).description.find(r.named), std::string::npos) << r.statement;
        }
    }
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM NUMEROS WHERE ID = 3 OR N IS NOT NULL"), (Rows{{"0"}}));

    // A column without checks assigned a blank text gets it, whatever it held.
    erp.connection().execute("CREATE TABLE NOTAS (ID int, NOTA text)\rINSERT INTO NOTAS (ID) VALUES (1)\r"
                             "UPDATE NOTAS SET NOTA = '' WHERE NOTA IS NULL");
    EXPECT_EQ(erp.rows("SELECT ID, '[' + NOTA + ']' FROM NOTAS WHERE NOTA = ''"), (Rows{{"1", "[]"}}));
}

// A char(n) or nchar(n) value is kept padded with blanks to n, however it is stored; varchar keeps what it
// got. LEN does not count the padding, DATALENGTH does, and texts joined to it carry it.
TEST_F(SqlServerQueries, FixedWidthTextsArePaddedToTheirWidth)
{
    erp.connection().execute("CREATE TABLE CODIGOS (ID int, C char(4), V varchar(4), N nchar(3), "
                             "D char(3) CONSTRAINT DF_D DEFAULT 'a', W varchar(3) DEFAULT ('a'))\r"
                             "INSERT INTO CODIGOS (ID, C, V, N) VALUES (1, 'FC', 'FC', N'ñ')\r"
                             "INSERT INTO CODIGOS (ID, C, V, N) VALUES (2, '  FC', '  FC', 'abc')\r"
                             "INSERT INTO CODIGOS (ID, C, V) SELECT 3, V, C FROM CODIGOS WHERE ID = 1\r"
                             "INSERT INTO CODIGOS (ID, C, V, N) VALUES (4, 7, 7, '')\r"
                             "INSERT INTO CODIGOS (ID, C, V, N) VALUES (5, NULL, NULL, 'x  ')\r"
                             "UPDATE CODIGOS SET N = LEFT('yz', 1) WHERE ID = 3");
    erp.connection().execute("ALTER TABLE CODIGOS ADD E nchar(2) NOT NULL CONSTRAINT DF_E DEFAULT ('')");
    const QueryCase cases[] = {
        {"SELECT ID, '[' + D + ']', '[' + W + ']', '[' + E + ']' FROM CODIGOS WHERE ID IN (1, 5) ORDER BY ID",
         {{"1", "[a  ]", "[a]", "[  ]"}, {"5", "[a  ]", "[a]", "[  ]"}}},
        {"SELECT ID, C, V, N FROM CODIGOS ORDER BY ID",
         {{"1", "FC  ", "FC", "ñ  "}, {"2", "  FC", "  FC", "abc"}, {"3", "FC  ", "FC  ", "y  "},
          {"4", "7   ", "7", "   "}, {"5", "NULL", "NULL", "x  "}}},
        {"SELECT C + '0001', V + '0001', '[' + N + ']' FROM CODIGOS WHERE ID = 1", {{"FC  0001", "FC0001", "[ñ  ]"}}},
        {"SELECT LEN(C), DATALENGTH(C), LEN(V), DATALENGTH(V), LEN(N), DATALENGTH(N) FROM CODIGOS WHERE ID = 1",
         {{"2", "4", "2", "2", "1", "3"}}},
        {"SELECT LEN(C), DATALENGTH(C), DATALENGTH(V), LEN(N), DATALENGTH(N) FROM CODIGOS WHERE ID = 4",
         {{"1", "4", "1", "0", "3"}}},
        {"SELECT ID FROM CODIGOS WHERE C = 'FC' AND V = 'fc ' ORDER BY ID", {{"1"}, {"3"}}},
        {"SELECT ID FROM CODIGOS WHERE C = '  FC'", {{"2"}}},
        {"SELECT CAST('ab' AS char(4)) + '|', CONVERT(nchar(3), 5) + '|', CAST('ab' AS varchar(4)) + '|'",
         {{"ab  |", "5  |", "ab|"}}},
        {"SELECT DATALENGTH(C), DATALENGTH(NULL) FROM CODIGOS WHERE ID = 5", {{"NULL", "NULL"}}},
    };
    expectRows(std::begin(cases), std::end(cases));

    erp.executeKeepingErrors("INSERT INTO CODIGOS (ID, C) VALUES (6, 'FCXX1')");
    EXPECT_EQ(erp.nativeErrors(), (Natives{8152, 3621}));

    // A row added through a recordset is padded alike.
    db::Recordset rs;
    rs.open("SELECT * FROM CODIGOS", erp.connection(), db::CursorType::Keyset, db::LockType::Optimistic);
    rs.addNew();
    rs.field("ID").setValue(6);
    rs.field("C").setValue(std::string("Z"));
    rs.field("V").setValue(std::string("Z"));
    rs.update();
    EXPECT_EQ(erp.rows("SELECT '[' + C + ']', '[' + V + ']' FROM CODIGOS WHERE ID = 6"), (Rows{{"[Z   ]", "[Z]"}}));
}

// Money and decimals converted to text keep the decimals of their type: money two (style 0, and style 1
// with thousands grouped), a decimal its scale; a text too narrow for the number is refused.
TEST_F(SqlServerQueries, MoneyAndDecimalsReadAsTextWithTheirDecimals)
{
    erp.connection().execute("CREATE TABLE SALDOS (ID int, M money, D decimal(18,4), P decimal(9,2), F float)\r"
                             "INSERT INTO SALDOS (ID, M, D, P, F) VALUES (1, 0, 2.5, 1, 1.5)\r"
                             "INSERT INTO SALDOS (ID, M, D, P, F) VALUES (2, -0.5, -0.00005, -12.345, 2)\r"
                             "INSERT INTO SALDOS (ID, M, D, P, F) VALUES (3, 1234567.89, 1234567.125, 0.5, 0)\r"
                             "INSERT INTO SALDOS (ID, M, D, P, F) VALUES (4, 1.23456, NULL, NULL, NULL)\r"
                             "INSERT INTO SALDOS (ID, M) VALUES (5, -1000)");
    const QueryCase cases[] = {
        {"SELECT CONVERT(varchar, M), CAST(M AS varchar(20)), CONVERT(varchar(30), M, 1) FROM SALDOS ORDER BY ID",
         {{"0.00", "0.00", "0.00"},
          {"-0.50", "-0.50", "-0.50"},
          {"1234567.89", "1234567.89", "1,234,567.89"},
          {"1.23", "1.23", "1.23"},
          {"-1000.00", "-1000.00", "-1,000.00"}}},
        {"SELECT CONVERT(varchar, S.M, 2), CONVERT(nvarchar(20), S.D), CAST(S.P AS nvarchar) FROM SALDOS S WHERE ID < 4 "
         "ORDER BY S.ID",
         {{"0.0000", "2.5000", "1.00"}, {"-0.5000", "-0.0001", "-12.35"}, {"1234567.8900", "1234567.1250", "0.50"}}},
        {"SELECT 'Saldo: ' + CONVERT(varchar(12), ISNULL(M, 0)) FROM dbo.SALDOS WHERE ID = 1", {{"Saldo: 0.00"}}},
        {"SELECT CONVERT(varchar, SUM(M)), CAST(MAX(D) AS varchar), CONVERT(varchar, AVG(M)) FROM SALDOS",
         {{"1233568.62", "1234567.1250", "246713.72"}}},
        {"SELECT CONVERT(varchar, AVG(P)), CONVERT(varchar, MIN(DISTINCT P)) FROM SALDOS WHERE ID IN (1, 3)",
         {{"0.750000", "0.50"}}},
        {"SELECT CAST(CAST(1.5 AS money) AS varchar), CONVERT(varchar, CONVERT(decimal(10,3), 2)), "
         "CONVERT(varchar, CAST(1234.5 AS money), 1)",
         {{"1.50", "2.000", "1,234.50"}}},
        // No exact type: as the value reads.
        {"SELECT CONVERT(varchar, F) FROM SALDOS WHERE ID = 1", {{"1.5"}}},
        {"SELECT COUNT(*) FROM SALDOS A JOIN SALDOS B ON CONVERT(varchar, A.M) = CONVERT(varchar, B.M) + ''",
         {{"5"}}},
    };
    expectRows(std::begin(cases), std::end(cases));

    erp.executeKeepingErrors("SELECT CONVERT(varchar(5), M) FROM SALDOS WHERE ID = 3");
    EXPECT_EQ(erp.nativeErrors(), (Natives{8115, 3621}));
}

// A table made at run time with an IDENTITY column numbers its rows from the seed by the step, however they
// come; a value for the column is refused unless IDENTITY_INSERT is on for the table.
TEST_F(SqlServerQueries, ATableMadeWithAnIdentityNumbersItsRows)
{
    erp.connection().execute("CREATE TABLE LOTES (ID int IDENTITY(10, 5) NOT NULL PRIMARY KEY, NOMBRE varchar(10))\r"
                             "CREATE TABLE BAJA (ID int IDENTITY(0, -1), NOMBRE varchar(10))");
    for (int fill = 0; fill < 2; ++fill) {
        erp.connection().execute("INSERT INTO LOTES (NOMBRE) VALUES ('a')\rINSERT INTO LOTES VALUES ('b')\r"
                                 "INSERT INTO LOTES (NOMBRE) VALUES ('c'), ('d')\r"
                                 "INSERT INTO LOTES (NOMBRE) SELECT NOMBRE FROM LOTES WHERE NOMBRE IN ('a', 'b')\r"
                                 "INSERT INTO BAJA (NOMBRE) VALUES ('x')");
    }
    EXPECT_EQ(erp.rows("SELECT ID, NOMBRE FROM LOTES ORDER BY ID"),
              (Rows{{"10", "a"}, {"15", "b"}, {"20", "c"}, {"25", "d"}, {"30", "a"}, {"35", "b"},
                    {"40", "a"}, {"45", "b"}, {"50", "c"}, {"55", "d"}, {"60", "a"}, {"65", "b"}, {"70", "a"},
                    {"75", "b"}, {"80", "a"}, {"85", "b"}}));
    EXPECT_EQ(erp.rows("SELECT ID FROM BAJA ORDER BY ID DESC"), (Rows{{"0"}, {"-1"}}));

    erp.executeKeepingErrors("INSERT INTO LOTES (ID, NOMBRE) VALUES (1, 'dado')\rINSERT INTO LOTES (NOMBRE) VALUES ('e')");
    EXPECT_EQ(erp.nativeErrors(), (Natives{544, 3621}));
    erp.connection().execute("SET IDENTITY_INSERT LOTES ON\rINSERT INTO LOTES (ID, NOMBRE) VALUES (1, 'dado')\r"
                             "SET IDENTITY_INSERT LOTES OFF");
    erp.executeKeepingErrors("INSERT INTO LOTES (ID, NOMBRE) VALUES (2, 'otro')");
    EXPECT_EQ(erp.nativeErrors(), (Natives{544, 3621}));
    EXPECT_EQ(erp.rows("SELECT ID, NOMBRE FROM LOTES WHERE NOMBRE IN ('e', 'dado', 'otro') ORDER BY ID"),
              (Rows{{"1", "dado"}, {"90", "e"}}));
}

}  // namespace
