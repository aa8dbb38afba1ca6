// Texts read as dates in the session's order, as the server's logins with a day-first language read them:
// day first unless SET DATEFORMAT says otherwise, from where it runs on, for the rest of the connection.
// Each table: a batch in, stored dates or error numbers out, on a fresh database.

#include "tests/support/ErpDatabase.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;
using Natives = std::vector<long>;
using testing_support::ErpDatabase;

class SqlServerDateOrder : public ::testing::Test {
protected:
    void SetUp() override { erp.connection().execute("CREATE TABLE FECHAS (ID int, F datetime)"); }

    Rows stored() { return erp.rows("SELECT ID, CONVERT(varchar(30), F) FROM FECHAS ORDER BY ID"); }

    ErpDatabase erp;
};

TEST_F(SqlServerDateOrder, LiteralsReadDayFirstUnlessTheSessionSaysOtherwise)
{
    struct Case {
        const char* batch;
        Rows rows;
    };
    const Case cases[] = {
        {"INSERT INTO FECHAS VALUES (1, '01/07/2005')\rINSERT INTO FECHAS VALUES (2, '20050701')\r"
         "INSERT INTO FECHAS VALUES (3, '2005-07-01T00:00:00')\rINSERT INTO FECHAS VALUES (4, '01-07-2005')\r"
         "INSERT INTO FECHAS VALUES (5, '1.7.2005')",
         {{"1", "2005-07-01 00:00:00"}, {"2", "2005-07-01 00:00:00"}, {"3", "2005-07-01 00:00:00"},
          {"4", "2005-07-01 00:00:00"}, {"5", "2005-07-01 00:00:00"}}},
        {"INSERT INTO FECHAS VALUES (1, '31/12/49')\rINSERT INTO FECHAS VALUES (2, '01/01/50')\r"
         "INSERT INTO FECHAS VALUES (3, '15/08/05 10:30')\rINSERT INTO FECHAS VALUES (4, '15/08/2005 10:30:15.250')",
         {{"1", "2049-12-31 00:00:00"}, {"2", "1950-01-01 00:00:00"}, {"3", "2005-08-15 10:30:00"},
          {"4", "2005-08-15 10:30:15.250"}}},
        // A year written first keeps day before month under day-first; the ISO forms read alike always.
        {"INSERT INTO FECHAS VALUES (1, '2005-07-01')\rINSERT INTO FECHAS VALUES (2, '2005-15-08 10:00')\r"
         "INSERT INTO FECHAS VALUES (3, '20050815 10:00')",
         {{"1", "2005-01-07 00:00:00"}, {"2", "2005-08-15 10:00:00"}, {"3", "2005-08-15 10:00:00"}}},
        // The order changes where SET DATEFORMAT runs: the rows before it, and the same row after it.
        {"INSERT INTO FECHAS VALUES (1, '02/03/2005')\rSET DATEFORMAT mdy\rINSERT INTO FECHAS VALUES (2, '02/03/2005')\r"
         "INSERT INTO FECHAS VALUES (3, '2005-02-03')\rUPDATE FECHAS SET F = ISNULL(NULL, '04/05/2005') WHERE ID = 3\r"
         "SET DATEFORMAT 'ymd'\rINSERT INTO FECHAS VALUES (4, '05/06/07')\rSET DATEFORMAT DMY",
         {{"1", "2005-03-02 00:00:00"}, {"2", "2005-02-03 00:00:00"}, {"3", "2005-04-05 00:00:00"},
          {"4", "2005-06-07 00:00:00"}}},
    };
    for (const Case& c : cases) {
        erp.connection().execute("DELETE FROM FECHAS");
        erp.connection().execute(c.batch);
        EXPECT_EQ(stored(), c.rows) << c.batch;
    }
}

TEST_F(SqlServerDateOrder, TheOrderLastsForTheConnectionAndReadsComparisonsAndFunctionsToo)
{
    erp.connection().execute("INSERT INTO FECHAS VALUES (1, '20050701')");
    const struct {
        const char* statement;
        Rows rows;
    } cases[] = {
        {"SELECT ID FROM FECHAS WHERE F = '01/07/2005'", {{"1"}}},
        {"SELECT ID FROM FECHAS WHERE F BETWEEN '30/06/2005' AND '02/07/2005 23:59'", {{"1"}}},
        {"SELECT YEAR('31/12/2005'), MONTH('01/02/2005'), CONVERT(varchar(30), CONVERT(datetime, '15/08/2005'))",
         {{"2005", "2", "2005-08-15 00:00:00"}}},
        {"SELECT DATEDIFF(day, '28/02/2024', '01/03/2024')", {{"2"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(erp.rows(c.statement), c.rows) << c.statement;

    erp.connection().execute("SET DATEFORMAT mdy");
    EXPECT_EQ(erp.rows("SELECT ID FROM FECHAS WHERE F = '07/01/2005'"), (Rows{{"1"}}));
    erp.connection().execute("INSERT INTO FECHAS VALUES (2, '07/01/2005')");
    EXPECT_EQ(erp.rows("SELECT COUNT(DISTINCT F) FROM FECHAS"), (Rows{{"1"}}));
}

TEST_F(SqlServerDateOrder, ADateNoOrderReadsIsRefusedAndAnUnknownOrderLeavesTheSessionsAsItWas)
{
    struct Case {
        const char* batch;
        Natives natives;
        Rows rows;
    };
    const Case cases[] = {
        {"INSERT INTO FECHAS VALUES (1, '32/01/2005')", {242, 3621}, {}},
        {"INSERT INTO FECHAS VALUES (1, '01/13/2005')", {242, 3621}, {}},
        {"INSERT INTO FECHAS VALUES (1, '29/02/2005')", {242, 3621}, {}},
        {"INSERT INTO FECHAS VALUES (1, '01/01/1700')", {242, 3621}, {}},
        {"INSERT INTO FECHAS VALUES (1, 'ayer')", {241, 3621}, {}},
        {"INSERT INTO FECHAS VALUES (1, '01/07')", {241, 3621}, {}},
        {"INSERT INTO FECHAS VALUES (1, '01/07/2005 25')", {241, 3621}, {}},
        {"SET DATEFORMAT xyz\rINSERT INTO FECHAS VALUES (1, '02/03/2005')", {2741}, {{"1", "2005-03-02 00:00:00"}}},
    };
    for (const Case& c : cases) {
        erp.connection().execute("DELETE FROM FECHAS");
        erp.executeKeepingErrors(c.batch);
        EXPECT_EQ(erp.nativeErrors(), c.natives) << c.batch;
        EXPECT_EQ(stored(), c.rows) << c.batch;
    }
    erp.executeKeepingErrors("INSERT INTO FECHAS VALUES (2, '20050101')\rUPDATE FECHAS SET F = LTRIM('01/13/2005')");
    EXPECT_EQ(erp.nativeErrors(), (Natives{242, 3621}));
    const db::ProviderError& error = erp.connection().errors().item(0);
    EXPECT_NE(error.description.find("FECHAS.F"), std::string::npos) << error.description;
    EXPECT_NE(error.description.find("01/13/2005"), std::string::npos) << error.description;
}

}  // namespace
