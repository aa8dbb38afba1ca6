// Statements that differ only in their values, as a voucher's rows and an import's records are sent: each
// row is stored by its own values' rules, whatever rows of the same shape came before it, in the same batch
// or in an earlier one, and whatever the schema was when the first of them ran.

#include "platform/base/Error.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "tests/support/ErpDatabase.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;
using Natives = std::vector<long>;
using testing_support::ErpDatabase;

class StatementShapes : public ::testing::Test {
protected:
    void SetUp() override
    {
        erp.connection().execute(
            "CREATE TABLE PRUEBA (CODIGO char(4) NOT NULL PRIMARY KEY, NOMBRE varchar(10), IMPORTE decimal(18,4), "
            "CANTIDAD int, FECHA datetime)");
    }

    Rows stored() { return erp.rows("SELECT CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA FROM PRUEBA ORDER BY CODIGO"); }

    ErpDatabase erp;
};

constexpr const char* kInsert = "INSERT INTO PRUEBA (CODIGO, NOMBRE, IMPORTE, CANTIDAD, FECHA) VALUES ";

TEST_F(StatementShapes, EachRowIsStoredByItsOwnLiteralsWhateverKindTheyAre)
{
    // The first batch makes the shapes known; the second sends the same shapes with other values, and the
    // same column positions with literals of other kinds.
    const std::string first = std::string(kInsert) + "('A', 'uno', 1.5, 2, '20240229')\r" + kInsert
                              + "('B', 'dos', -2.5, -3, '20240301 10:00:00')";
    erp.connection().execute(first);
    const std::string second = std::string(kInsert) + "('C', 'tres', 1.23456, 4, '20240302')\r" + kInsert
                               + "('D', 'cuatro', -1.23455, -5, '20240303 11:30:00')\r" + kInsert
                               + "('E', 12, '7.25', '6', '20240304')\r" + kInsert
                               + "('F', N'seis', 3, 4.9, NULL)\r" + kInsert + "('G', 'siete ', 1.00005, 1E1, '20240305')";
    erp.connection().execute(second);
    EXPECT_EQ(stored(), (Rows{
                            {"A   ", "uno", "1.5", "2", "29/02/2024"},
                            {"B   ", "dos", "-2.5", "-3", "01/03/2024 10:00:00"},
                            {"C   ", "tres", "1.2346", "4", "02/03/2024"},
                            {"D   ", "cuatro", "-1.2346", "-5", "03/03/2024 11:30:00"},
                            {"E   ", "12", "7.25", "6", "04/03/2024"},
                            {"F   ", "seis", "3", "4", "NULL"},
                            {"G   ", "siete ", "1.0001", "10", "05/03/2024"},
                        }));
    // Conditions of one shape, with literals of other kinds, find their own rows.
    const std::pair<const char*, Rows> lookups[] = {
        {"SELECT CODIGO FROM PRUEBA WHERE CANTIDAD = 2 AND NOMBRE = 'uno'", {{"A   "}}},
        {"SELECT CODIGO FROM PRUEBA WHERE CANTIDAD = -3 AND NOMBRE = 'DOS'", {{"B   "}}},
        {"SELECT CODIGO FROM PRUEBA WHERE CANTIDAD = '6' AND NOMBRE = 12", {{"E   "}}},
        {"SELECT CODIGO FROM PRUEBA WHERE CANTIDAD = 4.0 AND NOMBRE = N'tres'", {{"C   "}}},
    };
    for (const auto& [statement, expected] : lookups) EXPECT_EQ(erp.rows(statement), expected) << statement;
}

TEST_F(StatementShapes, ARowOfAKnownShapeIsRefusedByItsOwnValues)
{
    erp.connection().execute(std::string(kInsert) + "('A', 'corto', 1, 1, '20240101')");
    const Rows before = stored();
    const std::pair<std::string, Natives> refused[] = {
        {"('B', 'demasiado largo', 1, 1, '20240101')", {8152, 3621}},
        {"('B', 'corto', 123456789012345, 1, '20240101')", {8115, 3621}},
        {"('B', 'corto', 1, 1, '20240230')", {242, 3621}},
        {"('B', 'corto', 'uno', 1, '20240101')", {8114, 3621}},
        {"('B', 'corto', 1, 'x', '20240101')", {245, 3621}},
    };
    for (const auto& [values, natives] : refused) {
        erp.executeKeepingErrors(kInsert + values);
        EXPECT_EQ(erp.nativeErrors(), natives) << values;
        EXPECT_EQ(stored(), before) << values;
    }
    // The shape still takes the values its columns can.
    erp.connection().execute(std::string(kInsert) + "('B', 'otro', 2, 2, '20240102')");
    EXPECT_EQ(stored().size(), 2u);
}

TEST_F(StatementShapes, ARowOfAKnownShapeFollowsTheSchemaAsItIsNow)
{
    const std::string insert = "INSERT INTO CAMBIA (CODIGO, VALOR) VALUES ('A', '1.555')";
    erp.connection().execute("CREATE TABLE CAMBIA (CODIGO char(4), VALOR varchar(10))");
    erp.connection().execute(insert);
    EXPECT_EQ(erp.rows("SELECT VALOR FROM CAMBIA"), (Rows{{"1.555"}}));

    // Made again with an exact number where the text was: the same statement now stores a number at its scale.
    erp.connection().execute("DROP TABLE CAMBIA\rCREATE TABLE CAMBIA (CODIGO char(4), VALOR decimal(9,2))");
    erp.connection().execute(insert);
    EXPECT_EQ(erp.rows("SELECT VALOR + 1 FROM CAMBIA"), (Rows{{"2.56"}}));

    // Changed by another connection to the same file: the narrower column refuses what the wider took, sent
    // alone or as a unit of work (which looks at the schema inside its own transaction), whether the wider
    // column was last seen alone or inside a unit of work of its own.
    db::Connection other;
    other.open(erp.connectionText());
    const std::string unit = "BEGIN TRANSACTION \r\r" + insert + "\r";
    const std::pair<std::string, std::string> runs[] = {
        {insert, insert}, {insert, unit}, {unit + insert + "\rCOMMIT TRANSACTION", unit}};
    for (const auto& [before, batch] : runs) {
        erp.connection().execute("DROP TABLE CAMBIA\rCREATE TABLE CAMBIA (CODIGO char(4), VALOR varchar(10))");
        erp.connection().execute(before);
        other.execute("DROP TABLE CAMBIA");
        other.execute("CREATE TABLE CAMBIA (CODIGO char(4), VALOR varchar(3))");
        // A query read in between, which looks at no column rules, leaves the change to be noticed by the insert.
        EXPECT_TRUE(erp.rows("SELECT VALOR FROM CAMBIA").empty());
        erp.executeKeepingErrors(batch);
        EXPECT_EQ(erp.nativeErrors(), (Natives{8152, 3621})) << batch;
        erp.connection().execute("ROLLBACK TRANSACTION");
        EXPECT_TRUE(erp.rows("SELECT VALOR FROM CAMBIA").empty()) << batch;
    }
}

// Inside a unit of work the schema is looked at once; what the unit's own statements change in it is seen by
// the statements after them, whichever way they were sent.
TEST_F(StatementShapes, AUnitOfWorkSeesTheColumnsItsOwnStatementsAdd)
{
    erp.connection().execute("BEGIN TRANSACTION \r\r" + std::string(kInsert) + "('A', 'uno', 1, 1, '20240101')\r");
    struct Change {
        const char* statement;
        const char* column;
        bool asRecordset;
    };
    const Change changes[] = {
        {"IF NOT EXISTS (SELECT * FROM PRUEBA WHERE CODIGO = 'Z') ALTER TABLE PRUEBA ADD NOTA varchar(3)", "NOTA", false},
        {"ALTER TABLE PRUEBA ADD OTRA varchar(3)", "OTRA", true},
    };
    for (const Change& change : changes) {
        db::Recordset opened;
        if (change.asRecordset) opened.open(change.statement, erp.connection());
        else erp.connection().execute(change.statement);
        erp.executeKeepingErrors(fmt::format("INSERT INTO PRUEBA (CODIGO, {}) VALUES ('B', 'largo')", change.column));
        EXPECT_EQ(erp.nativeErrors(), (Natives{8152, 3621})) << change.statement;
    }
    erp.connection().execute("ROLLBACK TRANSACTION");
    EXPECT_TRUE(stored().empty());
}

// ADO lets a store be opened as a recordset; it gets the checks a batch's store gets.
TEST_F(StatementShapes, AStoreOpenedAsARecordsetIsRefusedByTheSchemaAsItIsNow)
{
    const std::string insert = "INSERT INTO CAMBIA (CODIGO, VALOR) VALUES ('A', '1.555')";
    const auto refused = [&](const char* when, const Rows& kept) {
        db::Recordset recordset;
        EXPECT_THROW(recordset.open(insert, erp.connection()), base::Error) << when;
        EXPECT_EQ(erp.nativeErrors(), (Natives{8152, 3621})) << when;
        EXPECT_EQ(erp.rows("SELECT CODIGO, VALOR FROM CAMBIA"), kept) << when;
    };
    erp.connection().execute("CREATE TABLE CAMBIA (CODIGO char(4), VALOR varchar(3))");
    refused("too wide for its column", {});

    // Wide enough, and known so, when another connection narrows it.
    erp.connection().execute("DROP TABLE CAMBIA\rCREATE TABLE CAMBIA (CODIGO char(4), VALOR varchar(10))");
    erp.connection().execute("INSERT INTO CAMBIA (CODIGO, VALOR) VALUES ('B', '2.555')");
    db::Connection other;
    other.open(erp.connectionText());
    other.execute("DROP TABLE CAMBIA");
    other.execute("CREATE TABLE CAMBIA (CODIGO char(4), VALOR varchar(3))");
    other.execute("INSERT INTO CAMBIA (CODIGO, VALOR) VALUES ('B', '2.5')");
    refused("narrowed by another connection", {{"B   ", "2.5"}});
}

// A statement of a known shape is read from the batch's text: it must end where the statement splitter ends
// it, whatever follows it. Each batch runs twice, the second time with every shape and what followed it known.
TEST_F(StatementShapes, AStatementOfAKnownShapeEndsWhereTheBatchSaysItDoes)
{
    const std::string row = kInsert;
    const std::string a = "('A', 'a', 1.5, 1, '20240101')", b = "('B', 'b', 2, 2, NULL)";
    erp.connection().execute(row + a + "\r" + row + b + "\rDELETE FROM PRUEBA WHERE CODIGO = 'Z'\rDELETE FROM PRUEBA");
    const std::pair<std::string, Rows> batches[] = {
        {row + a + ", " + b, {{"A   ", "a", "1.5", "1", "01/01/2024"}, {"B   ", "b", "2", "2", "NULL"}}},
        {row + "('A', 'x\rINSERT', 1, 1, NULL)\r" + row + b, {{"A   ", "x\rINSERT", "1", "1", "NULL"}, {"B   ", "b", "2", "2", "NULL"}}},
        {row + a + "\rIF NOT EXISTS (SELECT * FROM PRUEBA WHERE CODIGO = 'A') " + row + "('A', 'otra', 9, 9, NULL)\r" + row + b,
         {{"A   ", "a", "1.5", "1", "01/01/2024"}, {"B   ", "b", "2", "2", "NULL"}}},
        {row + a + "\r-- " + row + "('X', 'x', 1, 1, NULL)\r/* " + row + "('Y', 'y', 1, 1, NULL) */" + row + b,
         {{"A   ", "a", "1.5", "1", "01/01/2024"}, {"B   ", "b", "2", "2", "NULL"}}},
        {row + a + "\r" + row + b + "\rDELETE FROM PRUEBA WHERE CODIGO = 'Z' OR CODIGO = 'B'", {{"A   ", "a", "1.5", "1", "01/01/2024"}}},
        {row + a + ";;" + row + b + ";", {{"A   ", "a", "1.5", "1", "01/01/2024"}, {"B   ", "b", "2", "2", "NULL"}}},
        {row + a + "\rUPDATE PRUEBA SET NOMBRE = 'u' WHERE CODIGO = 'A'\rSET NOCOUNT ON\r" + row + b,
         {{"A   ", "u", "1.5", "1", "01/01/2024"}, {"B   ", "b", "2", "2", "NULL"}}},
    };
    for (const auto& [batch, expected] : batches) {
        for (int run = 1; run <= 2; ++run) {
            erp.connection().execute("DELETE FROM PRUEBA\r" + batch);
            EXPECT_EQ(stored(), expected) << "run " << run << ": " << batch;
        }
    }
}

// A literal a statement keeps in its text (TOP n, an ORDER BY position) is part of its shape as written.
TEST_F(StatementShapes, ALiteralKeptInTheTextIsPartOfTheShape)
{
    erp.connection().execute(std::string(kInsert) + "('A', 'b', 1, 3, NULL)\r" + kInsert + "('B', 'a', 2, 2, NULL)\r" +
                             kInsert + "('C', 'c', 3, 1, NULL)");
    const std::pair<const char*, Rows> queries[] = {
        {"SELECT TOP 1 CODIGO FROM PRUEBA WHERE IMPORTE > 0 ORDER BY CODIGO", {{"A   "}}},
        {"SELECT TOP 2 CODIGO FROM PRUEBA WHERE IMPORTE > 0 ORDER BY CODIGO", {{"A   "}, {"B   "}}},
        {"SELECT TOP 1 CODIGO FROM PRUEBA WHERE IMPORTE > 1 ORDER BY CODIGO", {{"B   "}}},
        {"SELECT CODIGO, NOMBRE, CANTIDAD FROM PRUEBA WHERE IMPORTE > 0 ORDER BY 2", {{"B   ", "a", "2"}, {"A   ", "b", "3"}, {"C   ", "c", "1"}}},
        {"SELECT CODIGO, NOMBRE, CANTIDAD FROM PRUEBA WHERE IMPORTE > 0 ORDER BY 3", {{"C   ", "c", "1"}, {"B   ", "a", "2"}, {"A   ", "b", "3"}}},
        {"SELECT TOP 1 CODIGO FROM PRUEBA WHERE IMPORTE > 0 ORDER BY CODIGO", {{"A   "}}},
    };
    for (int run = 1; run <= 2; ++run)
        for (const auto& [query, expected] : queries) EXPECT_EQ(erp.rows(query), expected) << "run " << run << ": " << query;
}

// A statement takes at most 999 parameters; the values past them are spelled into its text, as their columns'
// rules have read them (scaled, cut to whole numbers), and stored alike.
TEST_F(StatementShapes, ValuesPastTheParameterLimitAreStoredAsTheirRulesReadThem)
{
    constexpr int kRows = 400;  // three values each: the last rows' values go in the text
    std::string insert = "INSERT INTO PRUEBA (CODIGO, IMPORTE, CANTIDAD) VALUES ";
    for (int i = 1; i <= kRows; ++i)
        insert += fmt::format("{}('{:04}', {}.00005, -{}.5)", i > 1 ? ", " : "", i, i, i);
    erp.connection().execute(insert);
    const Rows rows = stored();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kRows));
    for (const int i : {1, 333, 334, kRows}) {
        const Rows::value_type expected{fmt::format("{:04}", i), "NULL", fmt::format("{}.0001", i), fmt::format("-{}", i), "NULL"};
        EXPECT_EQ(rows[static_cast<std::size_t>(i - 1)], expected) << i;
    }
}

}  // namespace
