// What the purchase-order import could not write, end to end through "Iniciar/Importar": each order,
// line or reception the database refused is one row of the error list and one line of the error log,
// naming its order, and the operator gets one box at the end that counts them, not a box for each.
// Nothing of a refused reception is half-written.

#include "tests/importer/movements/ReceptionFixture.h"

namespace {

using namespace testing_support;

class OrderFailures : public Receptions {};

TEST_F(OrderFailures, EachIsListedAndLoggedOnceAndOneBoxCountsThem)
{
    write({order("1", "4"), order("2", "4"), order("3", "4"), order("4", "4", {{"NOMB_FOC", text("Rechazada")}})},
          {receivedLine("1", "A1", "0", "2"), notReceived("1", "C1"), receivedLine("2", "A2", "0", "5"),
           receivedLine("3", "A1", "0", "7"), receivedLine("3", "A2", "0", "1")});
    // A header, a line, and every stock movement of article A2: two receptions, one of them after its first
    // movement was written.
    refuse("MV_CPTE", "NOMBRE", "Rechazada");
    refuse("MV_CPTEINSUMOS", "IDARTICULO", padded("C1"));
    refuse("V_MV_STOCK", "IDARTICULO", padded("A2"));
    expectNotImported("1 orden de FORCOMPR, 1 renglón de FDEORCOM y 2 recepciones de FDEORCOM no se importaron.");
    importOrders();

    const std::string error = ": 50000 : orden rechazada";
    const std::vector<std::pair<std::string, std::string>> expected{
        {"1", "Orden 4/4 del proveedor 2110101123, registro 4 de FORCOMPR" + error},
        {"2", "000100000014C C1" + error},
        {"3", "Recepción de la orden 2/4 del proveedor 2110101123, comprobante 000100000024C" + error},
        {"4", "Recepción de la orden 3/4 del proveedor 2110101123, comprobante 000100000034C" + error},
    };
    EXPECT_EQ(errorList(), expected);
    const std::string log = errorLog();
    for (const auto& [ordinal, text] : expected) {
        const std::size_t first = log.find(text);
        EXPECT_NE(first, std::string::npos) << text << " in " << log;
        EXPECT_EQ(log.find(text, first + 1), std::string::npos) << text << " logged twice";
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM AUX_ERR"), (Rows{{"4"}}));

    // Nothing of a refused reception stays: only the first order's was posted, marked and numbered.
    const auto written = movements();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].at("IDCOMPROBANTE_ORIGEN"), "000100000014C");
    EXPECT_EQ(next("  IR"), "2");
    EXPECT_EQ(rows("SELECT IDCOMPROBANTE, IDDEPOSITORECEPCION FROM C_MV_CPTE WHERE TC = '  OC' ORDER BY ID"),
              (Rows{{"000100000014C", "CD61"}, {"000100000024C", "NULL"}, {"000100000034C", "NULL"}}));
    EXPECT_EQ(rows("SELECT IDCOMPROBANTE, LTRIM(IDARTICULO), CONTROLADOPOR FROM C_MV_CPTEINSUMOS ORDER BY ID"),
              (Rows{{"000100000014C", "A1", "RECEPCIONADO|000100000001X"},
                    {"000100000024C", "A2", "NULL"},
                    {"000100000034C", "A1", "NULL"},
                    {"000100000034C", "A2", "NULL"}}));
}

// Components that cannot be read are not taken for none: the order is not received without its discharge.
TEST_F(OrderFailures, AReceptionWhoseComponentsCannotBeReadIsNotPosted)
{
    componentWithLots({"100"});
    write({order("1", "4")}, {receivedLine("1", "A1", "0", "2")});
    execute("DROP VIEW V_MA_INSUMOS");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (-2147217865) Invalid object name"),
                           ui::vbAbortRetryIgnore | ui::vbCritical,
                           "Recordset - IdArticuloTieneInsumos Aviso al operador!!! ", ui::vbIgnore);
    expectNotImported("1 recepción de FDEORCOM no se importó.");
    importOrders();
    EXPECT_TRUE(movements().empty());
    EXPECT_EQ(next("  IR"), "0");
    EXPECT_EQ(next("  PE"), "0");
    EXPECT_EQ(rows("SELECT IDDEPOSITORECEPCION FROM C_MV_CPTE"), (Rows{{"NULL"}}));
    EXPECT_EQ(rows("SELECT CONTROLADOPOR FROM C_MV_CPTEINSUMOS"), (Rows{{"NULL"}}));
    const auto listed = errorList();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_NE(listed[0].second.find("000100000014C"), std::string::npos) << listed[0].second;
}

}  // namespace
