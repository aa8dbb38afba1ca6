// A stored voucher loaded into the voucher grids: which rows each set fills, which columns the tasks and
// other concepts take, sales against purchase vouchers, and the header handed back.

#include "core/Utilidades.h"
#include "platform/db/Recordset.h"
#include "tests/voucher/VoucherLoadingFixture.h"

#include <optional>

namespace {

class VoucherLoading : public VoucherLoadingFixture {
protected:
    static void task(const std::string& TC, const std::string& id, const std::string& account, const std::string& code,
                     const std::string& description, const std::string& minutes, const std::string& rate)
    {
        execute({"INSERT INTO MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IDTAREA, DESCRIPCION, HORAS, "
                 "VALORHORA, VALORHORA_S_IVA, TOTAL, DESCRIPCIONADICIONAL, FECHAESTINICIO, FECHAESTFIN, IDTECNICO, "
                 "FECHAREALINICIO, FECHAREALFIN) VALUES (" +
                 sql(TC) + ", " + sql(id) + ", 0, " + sql(account) + ", " + sql(code) + ", " + sql(description) + ", " +
                 minutes + ", " + rate + ", 10, 121, 'more', '20260302 00:00:00', '20260303 00:00:00', '   7', "
                 "'20260304 00:00:00', NULL)"});
    }

    static void observation(const std::string& TC, const std::string& id, const std::string& account,
                            const std::string& kind, const std::string& text, const std::string& amount)
    {
        execute({"INSERT INTO MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, TIPO_OBS, OBSERVACION, IMPORTE, "
                 "IMPORTE_S_IVA) VALUES (" +
                 sql(TC) + ", " + sql(id) + ", 0, " + sql(account) + ", " + sql(kind) + ", " + sql(text) + ", " + amount +
                 ", 1.5)"});
    }

    static void line(const std::string& TC, const std::string& id, const std::string& account,
                     const std::string& article, const std::string& quantity, const std::string& pallets = "NULL")
    {
        execute({"INSERT INTO MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IDARTICULO, DESCRIPCION, "
                 "IDUNIDAD, CANTIDAD, PALLETS) VALUES (" +
                 sql(TC) + ", " + sql(id) + ", 0, " + sql(account) + ", " + sql(padded(article)) + ", " +
                 sql("Art " + article) + ", '  UN', " + quantity + ", " + pallets + ")"});
    }

    // A sales invoice with three tasks, two other concepts and an observation of another kind, three
    // article lines; and a sales invoice of the next number, which the load must not touch.
    static void salesInvoice()
    {
        header("  FC", "000100000123A", ", IDCOMPLEMENTO, IDREPARTO", ", 0, 7");
        for (const auto& [code, minutes] : {std::pair{"  T1", "90"}, {"  T2", "NULL"}, {"  T3", "605"}})
            task("  FC", "000100000123A", "", code, std::string("Task ") + code, minutes, "12.5");
        observation("  FC", "000100000123A", "", "OC", "Freight", "100");
        observation("  FC", "000100000123A", "", "OB", "Deliver in the morning", "0");
        observation("  FC", "000100000123A", "", "OC", "Insurance", "20.125");
        for (const char* article : {"A1", "A2", "A3"}) line("  FC", "000100000123A", "", article, "2");
        header("  FC", "000100000124A", ", IDCOMPLEMENTO", ", 0");
        task("  FC", "000100000124A", "", "  T9", "Other voucher", "1", "1");
    }
};

TEST_F(VoucherLoading, ASalesVoucherFillsEachGridWithItsRowsAndOneEmptyRow)
{
    salesInvoice();
    layOut("FC");
    std::int32_t reparto = 0;
    engine->AsignarDatosComprobante("FC", "000100000123A", "0", tasks, articles, others, false, nullptr, false, "",
                                    &reparto);

    EXPECT_EQ(tasks.rows(), 5);
    EXPECT_EQ(articles.rows(), 5);
    EXPECT_EQ(others.rows(), 4);
    EXPECT_EQ(reparto, 7);
    const Cells taskCells = {
        {{1, 0}, "T1"}, {{1, 11}, "T1"}, {{1, 1}, "Task   T1"}, {{1, 2}, "01:30"}, {{1, 3}, "12.50"},
        {{1, 6}, "10.00"}, {{1, 4}, "121.00"}, {{1, 7}, "more"}, {{1, 8}, "02/03/2026"}, {{1, 9}, "03/03/2026"},
        {{1, 10}, "7"}, {{1, 12}, "04/03/2026"}, {{1, 13}, ""}, {{1, 5}, ""}, {{1, 14}, ""},
        // A task without a time shows none spent; the minutes of the third become hours.
        {{2, 0}, "T2"}, {{2, 2}, "00:00"}, {{3, 0}, "T3"}, {{3, 2}, "10:05"}, {{4, 0}, ""}};
    EXPECT_EQ(cellsOf(tasks, taskCells), taskCells);
    const Cells otherCells = {{{1, 0}, "Freight"}, {{1, 2}, "100.00"}, {{1, 1}, "1.50"}, {{1, 3}, ""},
                              {{2, 0}, "Insurance"}, {{2, 2}, "20.12"}, {{3, 0}, ""}};
    EXPECT_EQ(cellsOf(others, otherCells), otherCells);
    const Cells articleCells = {{{1, 0}, "A1"}, {{2, 0}, "A2"}, {{3, 0}, "A3"}, {{3, 7}, "2"}, {{3, 69}, "000100000123A"},
                                {{4, 0}, ""}};
    EXPECT_EQ(cellsOf(articles, articleCells), articleCells);
}

TEST_F(VoucherLoading, AVoucherWithoutTasksLeavesTheTasksGridAsLaidOut)
{
    header("  FC", "000100000200A", ", IDCOMPLEMENTO", ", 0");
    layOut("FC");
    engine->AsignarDatosComprobante("FC", "000100000200A", "0", tasks, articles, others);
    EXPECT_EQ(tasks.rows(), 2);
    EXPECT_EQ(articles.rows(), 2);
    EXPECT_EQ(others.rows(), 2);
}

TEST_F(VoucherLoading, APurchaseVoucherIsTheSuppliersOwnAndLoadsNoSalesColumns)
{
    for (const char* account : {"2110101001", "2110101002"}) {
        header(" FCC", "000100000123A", ", CUENTA, IDREPARTO", ", " + sql(account) + ", 4");
        task(" FCC", "000100000123A", account, "  T1", std::string("Task of ") + account, "60", "3");
        line(" FCC", "000100000123A", account, std::string("B") + account, "5");
    }
    layOut("FCC");
    std::int32_t reparto = 11;
    db::Recordset header;
    engine->AsignarDatosComprobante(" FCC", "000100000123A", "not read for purchases", tasks, articles, others, false,
                                    &header, true, " 2110101002 ", &reparto);

    const Cells taskCells = {{{1, 1}, "Task of 2110101002"}, {{1, 2}, "01:00"}, {{1, 7}, ""}, {{1, 8}, ""},
                             {{1, 10}, ""}, {{1, 12}, ""}, {{2, 0}, ""}};
    EXPECT_EQ(cellsOf(tasks, taskCells), taskCells);
    const Cells articleCells = {{{1, 0}, "B2110101002"}, {{1, 7}, "5"}, {{1, 23}, "5"}, {{1, 88}, ""}, {{1, 11}, ""},
                                {{2, 0}, ""}};
    EXPECT_EQ(cellsOf(articles, articleCells), articleCells);
    // A purchase-system type hands back no IdReparto; the header handed over is the supplier's.
    EXPECT_EQ(reparto, 11);
    ASSERT_FALSE(header.eof());
    EXPECT_EQ(header.field("CUENTA").value().toText(), "2110101002");
}

TEST_F(VoucherLoading, AnOrdersLinesComeInPalletOrder)
{
    header("  NP", "000100000007A", ", IDCOMPLEMENTO", ", 0");
    line("  NP", "000100000007A", "", "FIRST", "1", "3");
    line("  NP", "000100000007A", "", "SECOND", "1", "1");
    line("  NP", "000100000007A", "", "THIRD", "1", "2");
    setConfiguration("EntregaParcialRemito", "NO");
    for (const char* TC : {"NP", " np", "  Np"}) {
        SCOPED_TRACE(TC);
        layOut("NP");
        engine->AsignarDatosComprobante(TC, "000100000007A", "", tasks, articles, others);
        const Cells wanted = {{{1, 0}, "SECOND"}, {{2, 0}, "THIRD"}, {{3, 0}, "FIRST"}, {{4, 0}, ""}};
        EXPECT_EQ(cellsOf(articles, wanted), wanted);
    }
}

struct KeyCase {
    const char* name;
    const char* TC;
    const char* id;           // stored and asked for
    const char* complement;   // as the caller passes it
    const char* storedComplement;
    const char* reparto;      // the header's IDREPARTO
    std::int32_t expectedReparto;
};

TEST_F(VoucherLoading, TheKeyFindsTheVoucherHoweverItsValuesAreWritten)
{
    const std::vector<KeyCase> cases = {
        {"a type in small letters", "fc", "000100000001A", "0", "0", "3", 3},
        {"a number with an apostrophe", "FC", "0001'0000002A", "0", "0", "5", 5},
        {"a blank complement is complement 0", "FC", "000100000003A", "  ", "0", "6", 6},
        {"a complement with blanks", "FC", "000100000004A", " 2 ", "2", "8", 8},
        {"a Null IdReparto hands back 0", "FC", "000100000005A", "0", "0", "NULL", 0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        header("  FC", c.id, ", IDCOMPLEMENTO, IDREPARTO", std::string(", ") + c.storedComplement + ", " + c.reparto);
        execute({"INSERT INTO MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, OBSERVACION) VALUES ('  FC', " +
                 sql(c.id) + ", " + c.storedComplement + ", 'OC', " + sql(std::string("Found ") + c.name) + ")"});
        layOut("FC");
        std::int32_t reparto = 99;
        engine->AsignarDatosComprobante(c.TC, c.id, c.complement, tasks, articles, others, false, nullptr, false, "",
                                        &reparto);
        EXPECT_EQ(others.textMatrix(1, 0), std::string("Found ") + c.name);
        EXPECT_EQ(reparto, c.expectedReparto);
    }
}

TEST_F(VoucherLoading, AnAccountWithAnApostropheFindsItsPurchaseVoucher)
{
    header(" FCC", "000100000123A", ", CUENTA", ", 'O''BRIEN'");
    line(" FCC", "000100000123A", "O'BRIEN", "C1", "1");
    layOut("FCC");
    engine->AsignarDatosComprobante("FCC", "000100000123A", "", tasks, articles, others, false, nullptr, true, "O'BRIEN");
    EXPECT_EQ(articles.textMatrix(1, 0), "C1");
}

TEST_F(VoucherLoading, TheHeaderHandedOverOutlivesTheEngine)
{
    salesInvoice();
    layOut("FC");
    db::Recordset header;
    engine->AsignarDatosComprobante("FC", "000100000123A", "0", tasks, articles, others, false, &header);
    engine.reset();
    ASSERT_EQ(header.state(), 1);
    EXPECT_EQ(header.field("IDCOMPROBANTE").value().toText(), "000100000123A");
    EXPECT_EQ(header.field("IDREPARTO").value().toText(), "7");
}

}  // namespace
