// The embedded database giving SQL Server's answers where SQLite's own would differ: exact decimals, dates,
// Spanish ordering, tables made at run time, error numbers, functions, concatenation, trailing blanks.
// Each table: a statement in, rows or an error list out, on a fresh database.

#include "platform/base/Error.h"
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

struct RefusalCase {
    const char* statement;
    Natives natives;
};

// A table made at run time, as scripts and migrations make them, with a column of each kind.
class SqlServerSemantics : public ::testing::Test {
protected:
    void SetUp() override
    {
        erp.connection().execute(
            "CREATE TABLE PRUEBA (CODIGO char(4) NOT NULL PRIMARY KEY, NOMBRE varchar(20), IMPORTE decimal(18,4), "
            "DTO decimal(9,2), PRECIO money, CANTIDAD int, ACTIVO bit, FECHA datetime)");
    }

    void expectRows(const QueryCase* begin, const QueryCase* end)
    {
        for (const QueryCase* c = begin; c != end; ++c) EXPECT_EQ(erp.rows(c->statement), c->expected) << c->statement;
    }

    // Each statement fails with `natives` and leaves PRUEBA with the rows it had.
    void expectRefused(const RefusalCase* begin, const RefusalCase* end)
    {
        for (const RefusalCase* c = begin; c != end; ++c) {
            const Rows before = erp.rows("SELECT * FROM PRUEBA ORDER BY CODIGO");
            erp.executeKeepingErrors(c->statement);
            EXPECT_EQ(erp.nativeErrors(), c->natives) << c->statement;
            EXPECT_EQ(erp.rows("SELECT * FROM PRUEBA ORDER BY CODIGO"), before) << c->statement;
        }
    }

    ErpDatabase erp;
};

TEST_F(SqlServerSemantics, DecimalsDivideWithTheirFractionAndWholeNumbersDoNot)
{
    erp.connection().execute("INSERT INTO PRUEBA (CODIGO, DTO, IMPORTE, CANTIDAD) VALUES ('A', 7, 21, 7)");
    const QueryCase cases[] = {
        {"SELECT CAST(7 AS decimal(9,2))/2", {{"3.5"}}},
        {"SELECT DTO/2, IMPORTE/100, DTO/CANTIDAD FROM PRUEBA", {{"3.5", "0.21", "1"}}},
        {"SELECT CANTIDAD/2, 7/2, -7/2, 7 % 3 FROM PRUEBA", {{"3", "3", "-3", "1"}}},
        {"SELECT 0.1 + 0.2, 0.3 - 0.1, 1.1 * 1.1, 1.0 / 3 * 3", {{"0.3", "0.2", "1.21", "1"}}},
        {"SELECT 2 + 3 * 4 - 10 / 4, (2 + 3) * 4, -CANTIDAD * 2 FROM PRUEBA", {{"12", "20", "-14"}}},
        {"SELECT CONVERT(decimal(9,2), '1.005'), CAST(2.5 AS int), CAST('12' AS int) + 1", {{"1.01", "2", "13"}}},
    };
    expectRows(std::begin(cases), std::end(cases));
    const RefusalCase refused[] = {
        {"UPDATE PRUEBA SET CANTIDAD = CANTIDAD / 0", {8134, 3621}},
        {"UPDATE PRUEBA SET DTO = DTO / 0.0", {8134, 3621}},
        {"UPDATE PRUEBA SET NOMBRE = CAST('x1' AS int)", {245, 3621}},
    };
    expectRefused(std::begin(refused), std::end(refused));
}

TEST_F(SqlServerSemantics, ExactNumbersAreStoredAtTheirScaleAndAddUpExactly)
{
    erp.connection().execute(
        "INSERT INTO PRUEBA (CODIGO, IMPORTE, DTO, PRECIO) VALUES ('A', 1.23456, 2.345, 1.00005)\r"
        "INSERT INTO PRUEBA (CODIGO, IMPORTE, DTO, PRECIO) VALUES ('B', -1.23455, '-2.5', 0.1)\r"
        "INSERT INTO PRUEBA (CODIGO, IMPORTE, DTO, PRECIO) VALUES ('C', 0.1 + 0.2, 12.5 / 3, -0.3)");
    const QueryCase cases[] = {
        {"SELECT IMPORTE, DTO, PRECIO FROM PRUEBA ORDER BY CODIGO",
         {{"1.2346", "2.35", "1.0001"}, {"-1.2346", "-2.5", "0.1"}, {"0.3", "4.17", "-0.3"}}},
        {"SELECT SUM(PRECIO), SUM(IMPORTE), AVG(DTO) FROM PRUEBA WHERE CODIGO <> 'A'", {{"-0.2", "-0.9346", "0.835"}}},
        {"SELECT SUM(PRECIO) FROM PRUEBA WHERE CODIGO IN ('B', 'C') AND PRECIO + 0.2 > 0", {{"0.1"}}},
        {"SELECT SUM(IMPORTE) + SUM(PRECIO) - 0.3 - 0.8001 FROM PRUEBA", {{"0"}}},
        {"SELECT SUM(CANTIDAD), COUNT(*) FROM PRUEBA", {{"NULL", "3"}}},
    };
    expectRows(std::begin(cases), std::end(cases));
    const RefusalCase refused[] = {
        {"INSERT INTO PRUEBA (CODIGO, DTO) VALUES ('D', 12345678.1)", {8115, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, IMPORTE) VALUES ('D', 'doce')", {8114, 3621}},
        {"UPDATE PRUEBA SET DTO = DTO * 10000000 WHERE CODIGO = 'A'", {8115, 3621}},
    };
    expectRefused(std::begin(refused), std::end(refused));
}

TEST_F(SqlServerSemantics, DatesAreStoredInOneFormAndCompareAsDates)
{
    struct Stored { const char* literal; const char* kept; };
    const Stored forms[] = {
        {"'20240229 13:45:07'", "2024-02-29 13:45:07"},      // the program's own literal
        {"'20240229'", "2024-02-29 00:00:00"},
        {"'20240229 13:45:07.250'", "2024-02-29 13:45:07.250"},
        {"'2024-02-29T13:45:07'", "2024-02-29 13:45:07"},
        {"'29/02/2024'", "2024-02-29 00:00:00"},             // day first, the session's order
        {"'29/02/2024 13:45'", "2024-02-29 13:45:00"},
        {"'2024-29-02'", "2024-02-29 00:00:00"},             // a year first keeps day before month
        {"'01/01/1753'", "1753-01-01 00:00:00"},
    };
    for (const Stored& form : forms) {
        erp.connection().execute("DELETE PRUEBA");
        erp.connection().execute(std::string("INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('A', ") + form.literal + ")");
        EXPECT_EQ(erp.rows("SELECT CONVERT(varchar(30), FECHA) FROM PRUEBA"), (Rows{{form.kept}})) << form.literal;
    }

    erp.connection().execute("DELETE PRUEBA\r"
                             "INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('A', '20240228 23:59:59')\r"
                             "INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('B', '20240229')\r"
                             "INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('C', '2024-03-01T08:00:00')");
    const QueryCase cases[] = {
        {"SELECT CODIGO FROM PRUEBA WHERE FECHA = '20240229 00:00:00'", {{"B   "}}},
        {"SELECT CODIGO FROM PRUEBA WHERE FECHA = '20240229'", {{"B   "}}},
        {"SELECT CODIGO FROM PRUEBA WHERE FECHA >= '20240229' ORDER BY CODIGO", {{"B   "}, {"C   "}}},
        {"SELECT CODIGO FROM PRUEBA WHERE FECHA < '2024-02-29T00:00:01' ORDER BY FECHA DESC", {{"B   "}, {"A   "}}},
        {"SELECT CODIGO FROM PRUEBA WHERE FECHA BETWEEN '20240201' AND '20240229 23:59:59' ORDER BY CODIGO",
         {{"A   "}, {"B   "}}},
        {"SELECT MIN(FECHA), MAX(FECHA) FROM PRUEBA", {{"2024-02-28 23:59:59", "2024-03-01 08:00:00"}}},
    };
    expectRows(std::begin(cases), std::end(cases));

    const RefusalCase refused[] = {
        {"INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('D', '20240231')", {242, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('D', '20230229')", {242, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('D', '17000101')", {242, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('D', '20241301')", {242, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('D', '20240101 24:00:00')", {242, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('D', 'now')", {241, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('D', '12/31/2024')", {242, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('D', '2024-12-31')", {242, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('D', '31-12')", {241, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('D', 20240101)", {241, 3621}},
        {"UPDATE PRUEBA SET FECHA = '20240230' WHERE CODIGO = 'A'", {242, 3621}},
        {"UPDATE PRUEBA SET FECHA = DATEADD(day, 1, '99991231') WHERE CODIGO = 'A'", {517, 3621}},
    };
    expectRefused(std::begin(refused), std::end(refused));
}

TEST_F(SqlServerSemantics, TextsSortAsSpanishWithoutRegardToCase)
{
    const char* names[] = {"Zeta", "álamo", "Ñandú", "nube", "oso", "alamo", "ábaco", "abeto", "Nata", "ñu", " espacio",
                           "Óscar", "orca"};
    int code = 0;
    for (const char* name : names)
        erp.connection().execute(std::string("INSERT INTO PRUEBA (CODIGO, NOMBRE) VALUES ('") + std::to_string(code++) +
                                 "', '" + name + "')");
    const QueryCase cases[] = {
        {"SELECT NOMBRE FROM PRUEBA ORDER BY NOMBRE",
         {{" espacio"}, {"ábaco"}, {"abeto"}, {"alamo"}, {"álamo"}, {"Nata"}, {"nube"}, {"Ñandú"}, {"ñu"}, {"orca"},
          {"Óscar"}, {"oso"}, {"Zeta"}}},
        {"SELECT MIN(NOMBRE), MAX(NOMBRE) FROM PRUEBA", {{" espacio", "Zeta"}}},
        {"SELECT COUNT(*) FROM PRUEBA WHERE NOMBRE < 'O'", {{"9"}}},
        {"SELECT NOMBRE FROM PRUEBA WHERE NOMBRE > 'ñ' AND NOMBRE < 'ORCA' ORDER BY NOMBRE", {{"Ñandú"}, {"ñu"}}},
        // Equality stays as it was: case never counts, accents and leading blanks do, trailing blanks do not.
        {"SELECT COUNT(*) FROM PRUEBA WHERE NOMBRE = 'ZETA  ' OR NOMBRE = 'alamo' OR NOMBRE = 'espacio'", {{"2"}}},
    };
    expectRows(std::begin(cases), std::end(cases));
}

TEST_F(SqlServerSemantics, ATableMadeAtRunTimeHasTheSchemasCollationAndChecks)
{
    erp.connection().execute("INSERT INTO PRUEBA (CODIGO, NOMBRE) VALUES ('a', 'Peña')\r"
                             "INSERT INTO PRUEBA (CODIGO, NOMBRE) VALUES ('b', 'PEÑA')\r"
                             "ALTER TABLE PRUEBA ADD NOTA varchar(3) NULL");
    const QueryCase cases[] = {
        {"SELECT NOMBRE, COUNT(*) FROM PRUEBA GROUP BY NOMBRE", {{"Peña", "2"}}},
        {"SELECT CODIGO FROM PRUEBA WHERE CODIGO = 'A'", {{"a   "}}},
        {"SELECT COUNT(DISTINCT NOMBRE) FROM PRUEBA", {{"1"}}},
    };
    expectRows(std::begin(cases), std::end(cases));
    const RefusalCase refused[] = {
        {"INSERT INTO PRUEBA (CODIGO) VALUES ('A')", {2627, 3621}},
        {"INSERT INTO PRUEBA (CODIGO) VALUES ('ABCDEFG')", {8152, 3621}},
        {"UPDATE PRUEBA SET NOTA = 'ABCD'", {8152, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, FECHA) VALUES ('c', '20240230')", {242, 3621}},
    };
    expectRefused(std::begin(refused), std::end(refused));
}

// A batch that makes a table and writes into it: the rows get the new table's checks.
TEST_F(SqlServerSemantics, RowsWrittenInTheBatchThatMakesTheirTableAreChecked)
{
    erp.executeKeepingErrors("CREATE TABLE NUEVA (C char(2), F datetime)\r"
                             "INSERT INTO NUEVA (C, F) VALUES ('ab    ', '20240229')\r"
                             "INSERT INTO NUEVA (C, F) VALUES ('abc', '20240229')");
    EXPECT_EQ(erp.nativeErrors(), (Natives{8152, 3621}));
    EXPECT_EQ(erp.rows("SELECT C, CONVERT(varchar(30), F) FROM NUEVA"), (Rows{{"ab", "2024-02-29 00:00:00"}}));
}

TEST_F(SqlServerSemantics, AMissingColumnOrFunctionStopsTheBatchBeforeItsFirstStatement)
{
    const RefusalCase cases[] = {
        {"INSERT INTO PRUEBA (CODIGO) VALUES ('A')\rINSERT INTO PRUEBA (CODIGO, NO_EXISTE) VALUES ('B', 1)\r"
         "INSERT INTO PRUEBA (CODIGO) VALUES ('C')",
         {207}},
        {"INSERT INTO PRUEBA (CODIGO) VALUES ('A')\rUPDATE PRUEBA SET NOMBRE = NO_EXISTE(1)\r"
         "INSERT INTO PRUEBA (CODIGO) VALUES ('C')",
         {195}},
        {"INSERT INTO PRUEBA (CODIGO) VALUES ('A')\rSELECT LEFT('a')\rINSERT INTO PRUEBA (CODIGO) VALUES ('C')", {174}},
    };
    expectRefused(std::begin(cases), std::end(cases));
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM PRUEBA"), (Rows{{"0"}}));
}

TEST_F(SqlServerSemantics, FunctionsAnswerAsTheServersDo)
{
    const QueryCase cases[] = {
        {"SELECT LEFT('abcdef', 3), RIGHT('abcdef', 2), LEFT('ñandú', 2), RIGHT('ñandú', 9), LEFT(NULL, 1)",
         {{"abc", "ef", "ña", "ñandú", "NULL"}}},
        {"SELECT YEAR('20240229'), MONTH('20240229'), DAY('2024-02-29T10:00:00')", {{"2024", "2", "29"}}},
        {"SELECT STR(123.456, 8, 2), STR(5), STR(-2.5), STR(123456, 3)", {{"  123.46", "         5", "        -3", "***"}}},
        {"SELECT DATEADD(day, 1, '20240228'), DATEADD(month, 1, '20240131'), DATEADD(yy, -1, '20240229 10:00:00')",
         {{"2024-02-29 00:00:00", "2024-02-29 00:00:00", "2023-02-28 10:00:00"}}},
        {"SELECT DATEDIFF(day, '20240228', '20240301'), DATEDIFF(month, '20240131', '20240201'), "
         "DATEDIFF(year, '20241231', '20250101'), DATEDIFF(hour, '20240101 10:59', '20240101 11:00')",
         {{"2", "1", "1", "1"}}},
        {"SELECT UPPER('ñandú ärger'), LOWER('ÁRBOL Ñ'), UPPER(NULL)", {{"ÑANDÚ ÄRGER", "árbol ñ", "NULL"}}},
        {"SELECT DATEPART(month, '20240715'), DATEPART(quarter, '20240715')", {{"7", "3"}}},
    };
    expectRows(std::begin(cases), std::end(cases));
    erp.executeKeepingErrors("SELECT DATEPART(dw, '20240715')");
    EXPECT_EQ(erp.nativeErrors(), (Natives{155}));
    erp.executeKeepingErrors("SELECT YEAR('el lunes')");
    EXPECT_EQ(erp.nativeErrors(), (Natives{241, 3621}));
}

TEST_F(SqlServerSemantics, PlusJoinsTextsAndConvertsATextMeetingANumber)
{
    erp.connection().execute("INSERT INTO PRUEBA (CODIGO, NOMBRE, CANTIDAD, FECHA) VALUES ('A', 'Peña', 4, '20240228')");
    const QueryCase cases[] = {
        {"SELECT 'a' + 'b', 'N' + CODIGO + '-' + NOMBRE, NOMBRE + NULL FROM PRUEBA", {{"ab", "NA   -Peña", "NULL"}}},
        {"SELECT '1' + 1, CANTIDAD + '2', '2.5' + 0.5 FROM PRUEBA", {{"2", "6", "3"}}},
        {"SELECT CODIGO FROM PRUEBA WHERE NOMBRE LIKE '%' + 'eñ' + '%'", {{"A   "}}},
        {"SELECT FECHA + 1, FECHA - 28 FROM PRUEBA", {{"2024-02-29 00:00:00", "2024-01-31 00:00:00"}}},
    };
    expectRows(std::begin(cases), std::end(cases));
    const RefusalCase refused[] = {
        {"UPDATE PRUEBA SET CANTIDAD = NOMBRE + 1", {245, 3621}},
        {"UPDATE PRUEBA SET NOMBRE = NOMBRE - 'a'", {8117, 3621}},
    };
    expectRefused(std::begin(refused), std::end(refused));
}

TEST_F(SqlServerSemantics, TrailingBlanksBeyondTheWidthAreCutAndOtherExcessIsRefused)
{
    erp.connection().execute("INSERT INTO PRUEBA (CODIGO, NOMBRE) VALUES ('AB  ', 'Peña                     ')\r"
                             "INSERT INTO PRUEBA (CODIGO, NOMBRE) VALUES ('CD', 'x')\r"
                             "UPDATE PRUEBA SET NOMBRE = NOMBRE + '                         ' WHERE CODIGO = 'CD'");
    const QueryCase cases[] = {
        {"SELECT CODIGO, NOMBRE, LEN(NOMBRE) FROM PRUEBA ORDER BY CODIGO",
         {{"AB  ", "Peña                ", "4"}, {"CD  ", "x                   ", "1"}}},
    };
    expectRows(std::begin(cases), std::end(cases));
    const RefusalCase refused[] = {
        {"INSERT INTO PRUEBA (CODIGO) VALUES ('ABCD E')", {8152, 3621}},
        {"INSERT INTO PRUEBA (CODIGO, NOMBRE) VALUES ('EF', 'veintiún caracteres!!')", {8152, 3621}},
        {"UPDATE PRUEBA SET NOMBRE = NOMBRE + 'z' WHERE CODIGO = 'CD'", {8152, 3621}},
    };
    expectRefused(std::begin(refused), std::end(refused));
}

TEST_F(SqlServerSemantics, LikeIgnoresTheTrailingBlanksOfTheMatchedValue)
{
    const QueryCase cases[] = {
        {"SELECT CASE WHEN 'AB ' LIKE 'ab' THEN 1 ELSE 0 END, CASE WHEN 'AB' LIKE 'ab ' THEN 1 ELSE 0 END, "
         "CASE WHEN 'ÑU   ' LIKE '_u' THEN 1 ELSE 0 END, CASE WHEN ' AB' LIKE 'ab' THEN 1 ELSE 0 END",
         {{"1", "0", "1", "0"}}},
    };
    expectRows(std::begin(cases), std::end(cases));
}

// Rows the program writes through a recordset pass the same checks as rows written by statements.
TEST_F(SqlServerSemantics, RowsWrittenThroughARecordsetAreCheckedAlike)
{
    db::Recordset rs;
    rs.open("SELECT * FROM PRUEBA", erp.connection(), db::CursorType::Keyset, db::LockType::Optimistic);
    rs.addNew();
    rs.field("CODIGO").setValue(std::string("AB    "));
    rs.field("IMPORTE").setValue(1.23456);
    rs.update();
    EXPECT_EQ(erp.rows("SELECT CODIGO, IMPORTE FROM PRUEBA"), (Rows{{"AB  ", "1.2346"}}));
    rs.addNew();
    rs.field("CODIGO").setValue(std::string("XYZ"));
    rs.field("FECHA").setValue(std::string("2024-02-30"));
    EXPECT_THROW(rs.update(), base::Error);
    EXPECT_EQ(erp.nativeErrors().front(), 242);
    EXPECT_EQ(erp.rows("SELECT COUNT(*) FROM PRUEBA"), (Rows{{"1"}}));
}

}  // namespace
