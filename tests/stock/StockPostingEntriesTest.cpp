// The accounting entry of a posting: the same in both modes, with each movement when executing, and of the
// kind its voucher type, origin, loan and account ask for.

#include "core/Cartel.h"
#include "core/Configuracion.h"
#include "tests/stock/StockPostingFixture.h"

#include <array>
#include <fmt/format.h>
#include <gtest/gtest.h>

namespace {

// Articles on the cost account 1.1.05, stock motives each on its own account, and the motives configured
// for each kind of entry.
class StockPostingEntriesTest : public StockPostingFixture {
protected:
    void SetUp() override
    {
        StockPostingFixture::SetUp();
        periodoAnterior_ = gPeriodo;
        gPeriodo = 1;
        configura("AsientosXStock", "SI");
        for (const char* articulo : {"A1", "A2", "A3"})
            execute("INSERT INTO MA_ARTICULOS (IDARTICULO, CUENTACONTABLEC, COSTO) VALUES (" +
                    gDB_Dll().SQLValue(c25(articulo)) + ", '1.1.05', 40)");
        const std::vector<std::array<const char*, 3>> motivos{{"   9", "ARG", "Ajuste"},
                                                              {"  R5", "REC", "Recepción"},
                                                              {"  R1", "REM", "Remito"},
                                                              {"  R2", "COM", "Comodato"},
                                                              {"  R3", "TRA", "Transferencia"}};
        for (const auto& [codigo, cuenta, descripcion] : motivos)
            execute(fmt::format("INSERT INTO TA_MOTIVOSTOCK (IDMOTIVOSTOCK, CUENTACONTABLE, DESCRIPCION) "
                                "VALUES ('{}', '{}', '{}')", codigo, cuenta, descripcion));
        configura("MotivoStockRecepcionOC", "  R5");
        configura("MotivoStockRemito", "  R1");
        configura("MotivoStockComodato", "  R2");
        configura("MotivoStockTransferencias", "  R3");
        configura("CuentaCtroDist", "CD01");
        execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, ES) VALUES (' AJP', 1, 'STOCK', 'E')");
    }

    void TearDown() override
    {
        gPeriodo = periodoAnterior_;
        StockPostingFixture::TearDown();
    }

    // The voucher's entry: each account and side with its amount.
    static Rows entry(const std::string& numero)
    {
        return valores("SELECT CUENTA, [DEBE-HABER], SUM(IMPORTE) FROM MV_ASIENTOS WHERE NUMERO = '" + numero +
                       "' GROUP BY CUENTA, [DEBE-HABER] ORDER BY CUENTA, [DEBE-HABER]");
    }

    static Rows movements(const std::string& idComprobante)
    {
        return rows("SELECT TC, IDCOMPLEMENTO, SECUENCIA, FECHA, IDCAJA, IDDEPOSITO, IDARTICULO, NROLOTE, NROSERIE, "
                    "CANTIDAD, CANTIDADUD, IDUNIDADBASE, CUENTAPROVEEDOR, IDMOTIVOSTOCK, COSTO, TC_ORIGEN "
                    "FROM V_MV_STOCK WHERE IDCOMPROBANTE = '" + idComprobante + "' ORDER BY SECUENCIA");
    }

private:
    std::int16_t periodoAnterior_ = 0;
};

TEST_F(StockPostingEntriesTest, BothModesWriteTheSameMovementsAndTheSameEntry)
{
    linea({{21, "|L1|L2|"}, {22, ""}, {7, "3"}});
    linea({{0, "A2"}, {7, "2"}});
    ClsCmnCptes motor;
    Posteo collecting;
    collecting.TC = "AJP";
    collecting.IdMotivoStock = "9";
    postea(motor, collecting);
    EXPECT_EQ(count(), 0);
    ASSERT_TRUE(ejecutaLote(collecting.SQLTemp));

    Posteo executing;
    executing.TC = "AJP";
    executing.IdMotivoStock = "9";
    executing.SucNroLetra = "000100000002X";
    executing.GeneraSentenciaSQL = false;
    postea(motor, executing);
    EXPECT_FALSE(executing.HayError);
    EXPECT_TRUE(executing.SQLTemp.empty());

    EXPECT_EQ(movements("000100000001X").size(), 4u);
    EXPECT_EQ(movements("000100000001X"), movements("000100000002X"));
    EXPECT_EQ(entry("00000001"), (Rows{{"1.1.05", "D", "200"}, {"ARG", "H", "200"}}));
    EXPECT_EQ(entry("00000002"), entry("00000001"));
}

TEST_F(StockPostingEntriesTest, ExecutingAFailingMovementKeepsTheOnesBeforeWithTheirEntries)
{
    linea({{7, "1"}});
    linea({{0, "A2"}, {7, "2"}});
    linea({{0, "A3"}, {21, "|" + std::string(26, 'L') + "|"}});
    prompter.expectMessage(ui::startsWith("String or binary data would be truncated"), ui::vbCritical,
                           "Aviso al operador", 1);
    ClsCmnCptes motor;
    Posteo a;
    a.TC = "AJP";
    a.IdMotivoStock = "9";
    a.GeneraSentenciaSQL = false;
    a.MuestraCartel = true;
    postea(motor, a);
    EXPECT_TRUE(a.HayError);
    EXPECT_FALSE(gCartel().abierto());
    EXPECT_EQ(valores("SELECT IDARTICULO, CANTIDAD FROM V_MV_STOCK ORDER BY SECUENCIA"), (Rows{{"A1", "1"}, {"A2", "2"}}));
    EXPECT_EQ(entry("00000001"), (Rows{{"1.1.05", "D", "120"}, {"ARG", "H", "120"}}));
}

TEST_F(StockPostingEntriesTest, TheEntryKindFollowsTheVoucherItsOriginALoanAndTheAccount)
{
    struct Case {
        std::string name;
        std::string tc;
        std::string origen;
        std::map<long, std::string> cells;
        std::string cuenta;
        Rows motiveLine;  // account, side, amount
    };
    const std::vector<Case> cases{
        {"a reception of an order", "IR", "OC", {}, "211010157", {{"REC", "H", "500"}}},
        {"a reception of an order named by the line", "IR", "ELDELGRID", {{34, "OC  000100001234C"}}, "211010157",
         {{"REC", "H", "500"}}},
        {"a purchase delivery note", "RMC", "", {}, "211010157", {{"REC", "H", "500"}}},
        {"a reception of a delivery note", "IR", "RM", {}, "211010157", {{"TRA", "H", "400"}}},
        {"a delivery note on loan", "RM", "", {{88, "1"}}, "211010157", {{"COM", "D", "400"}}},
        {"a delivery note to the distribution centre", "RM", "", {}, "CD01", {{"TRA", "D", "400"}}},
        {"a delivery note", "RM", "", {}, "211010157", {{"REM", "D", "400"}}},
        {"any other voucher", "AJP", "", {}, "211010157", {{"ARG", "H", "400"}}},
    };
    ClsCmnCptes motor;
    int voucher = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        nuevaGrilla();
        linea(c.cells);
        Posteo a;
        a.TC = c.tc;
        a.TcOrigen = c.origen;
        a.Cuenta = c.cuenta;
        a.IdMotivoStock = "9";
        const std::string numero = fmt::format("{:08}", ++voucher);
        a.SucNroLetra = "0001" + numero + "X";
        postea(motor, a);
        ASSERT_TRUE(ejecutaLote(a.SQLTemp));
        EXPECT_EQ(valores("SELECT CUENTA, [DEBE-HABER], IMPORTE FROM MV_ASIENTOS WHERE NUMERO = '" + numero +
                          "' AND CUENTA <> '1.1.05'"),
                  c.motiveLine);
    }
}

}  // namespace
