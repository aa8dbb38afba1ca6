// Stock balances by unit and warehouse, and by lot, serial number and position.

#include "stock/StockBalances.h"

#include "core/Configuracion.h"
#include "core/Utilidades.h"
#include "tests/stock/StockFixture.h"

namespace {

std::string pad(const std::string& code, int width) { return gUtilidades().RellenaCodigo(code, width); }

class StockBalances : public StockFixture {
protected:
    void SetUp() override
    {
        StockFixture::SetUp();
        savedSwitch = gUsaStkStockUdKg;
        gUsaStkStockUdKg = false;
        setConfiguration("DepositoDefault", "1");
        addArticle(pad("ART1", 25), "  UN");
        addArticle(pad("LOT1", 25), "  UN", false, true);
        addArticle(pad("SER1", 25), "  UN", true, false);
        addArticle(pad("AMB1", 25), "  UN", true, true);
        execute({
            balanceByUnit("ART1", "UN", "1", "10"), balanceByUnit("ART1", "UN", "2", "5"),
            balanceByUnit("ART1", "CJ", "1", "2.5"),
            "INSERT INTO STK_STOCK_UDKG VALUES ('" + pad("ART1", 25) + "', '   1', 7)",
            "INSERT INTO STK_STOCK_UDKG VALUES ('" + pad("ART1", 25) + "', '   2', 3)",
            "INSERT INTO S_TA_EQUIV VALUES ('" + pad("ART1", 25) + "', '  UN', '  CJ', 12)",
            byLot("LOT1", "1", "L1", "", "A-01", "4"), byLot("LOT1", "2", "L1", "", "B-02", "6"),
            byLot("LOT1", "1", "L2", "", "A-01", "1.5"),
            byLot("LOT1", "1", "L1", "S9", "A-01", "100"),  // a serial the lot-only article does not track
            byLot("SER1", "1", "", "S1", "", "1"), byLot("SER1", "2", "", "S2", "", "1"),
            byLot("SER1", "1", "LX", "S1", "", "50"),        // a lot the serial-only article does not track
            byLot("AMB1", "1", "L1", "S1", "", "1"), byLot("AMB1", "1", "L1", "S2", "", "1"),
        });
    }
    void TearDown() override
    {
        gUsaStkStockUdKg = savedSwitch;
        StockFixture::TearDown();
    }

    static std::string balanceByUnit(const std::string& articulo, const std::string& unit, const std::string& warehouse,
                                     const std::string& stock)
    {
        return "INSERT INTO STK_SALDOS_UNIDADES VALUES ('" + pad(articulo, 25) + "', '" + pad(unit, 4) + "', '" +
               pad(warehouse, 4) + "', " + stock + ")";
    }
    // Blank lot or serial: Null.
    static std::string byLot(const std::string& articulo, const std::string& warehouse, const std::string& lot,
                             const std::string& serial, const std::string& position, const std::string& quantity)
    {
        const auto orNull = [](const std::string& code, int width) {
            return code.empty() ? std::string("NULL") : "'" + pad(code, width) + "'";
        };
        return "INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROLOTE, NROSERIE, IDPOSICION, CANTIDAD) "
               "VALUES ('" + pad(articulo, 25) + "', '" + pad(warehouse, 4) + "', " + orNull(lot, 25) + ", " +
               orNull(serial, 25) + ", " + orNull(position, 15) + ", " + quantity + ")";
    }

    bool savedSwitch = false;
};

// An argument: nullptr is not passed at all.
using Arg = const char*;

TEST_F(StockBalances, ABalanceIsNarrowedToWhatIsGiven)
{
    struct Case {
        const char* what;
        bool udKg;
        const char* articulo;
        Arg warehouse, lot, serial, position, unit;
        double expected;
        const char* warehouseAfter;
        const char* unitAfter;
    } const cases[] = {
        {"article alone: default warehouse, its unit", false, "ART1", nullptr, nullptr, nullptr, nullptr, nullptr, 10, nullptr, nullptr},
        {"Ignorar comes back padded", false, "ART1", "Ignorar", "Ignorar", "IGNORAR", nullptr, "ignorar", 10, "   1", "  UN"},
        {"empty warehouse: all of them", false, "ART1", "", nullptr, nullptr, nullptr, "Ignorar", 15, "", "  UN"},
        {"another unit", false, "  ART1", "1", nullptr, nullptr, nullptr, "CJ", 2.5, "1", "CJ"},
        {"a unit without balance", false, "ART1", "2", nullptr, nullptr, nullptr, "CJ", 0, "2", "CJ"},
        {"positions play no part by unit", false, "ART1", "1", nullptr, nullptr, "ZZ", "UN", 10, "1", "UN"},
        {"units and kilograms, one warehouse", true, "ART1", "1", nullptr, nullptr, nullptr, "UN", 7, "1", "UN"},
        {"units and kilograms, all warehouses", true, "ART1", "", nullptr, nullptr, nullptr, "UN", 10, "", "UN"},
        {"a lot everywhere", false, "LOT1", nullptr, "L1", nullptr, nullptr, nullptr, 10, nullptr, nullptr},
        {"a lot, Ignorar warehouse", false, "LOT1", "ignorar", " l1 ", "Ignorar", nullptr, nullptr, 10, "ignorar", nullptr},
        {"a lot in one warehouse", false, "LOT1", "2", "L1", nullptr, nullptr, nullptr, 6, "2", nullptr},
        {"a lot at a position", false, "LOT1", nullptr, "L1", nullptr, "A-01", nullptr, 4, nullptr, nullptr},
        {"a serial of a serial-only article", false, "SER1", "", "Ignorar", "S1", "", nullptr, 1, "", nullptr},
        {"lots and serials both tracked", false, "AMB1", nullptr, "L1", nullptr, nullptr, nullptr, 2, nullptr, nullptr},
        {"no rows", false, "LOT1", nullptr, "L9", nullptr, nullptr, nullptr, 0, nullptr, nullptr},
        {"units and kilograms leave lots alone", true, "LOT1", nullptr, "L2", nullptr, nullptr, nullptr, 1.5, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gUsaStkStockUdKg = c.udKg;
        std::string warehouse = c.warehouse ? c.warehouse : "", lot = c.lot ? c.lot : "", serial = c.serial ? c.serial : "",
                    position = c.position ? c.position : "", unit = c.unit ? c.unit : "";
        const double balance = engine->ObtieneStock(c.articulo, c.warehouse ? &warehouse : nullptr, c.lot ? &lot : nullptr,
                                                    c.serial ? &serial : nullptr, c.position ? &position : nullptr,
                                                    c.unit ? &unit : nullptr);
        EXPECT_DOUBLE_EQ(balance, c.expected);
        if (c.warehouseAfter) {
            EXPECT_EQ(warehouse, c.warehouseAfter);
        }
        if (c.unitAfter) {
            EXPECT_EQ(unit, c.unitAfter);
        }
    }
}

TEST_F(StockBalances, ControlStockReadsTheBalanceByUnit)
{
    double balance = 99;
    ControlStock("1", "   ", "UN", balance);
    EXPECT_EQ(balance, 99);  // no article: untouched
    ControlStock("1", "ART1", "UN", balance);
    EXPECT_EQ(balance, 10);
    ControlStock("   3", "ART1", "UN", balance);
    EXPECT_EQ(balance, 0);
    ControlStock("", "ART1", "  XX", balance);  // a Null sum
    EXPECT_EQ(balance, 0);
}

TEST_F(StockBalances, ABalanceInAnEquivalentUnit)
{
    struct Case {
        const char* base;
        const char* wanted;
        double inBase, inWanted;
        const char* baseAfter;
    } const cases[] = {
        {"UN", "", 10, 0, "UN"},
        {"UN", "CJ", 10, 120, "UN"},
        {"UN", "un", 10, 10, "UN"},
        {"UN", "KG", 10, 0, "UN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " -> \"" + c.wanted + "\"");
        std::string base = c.base;
        double inBase = -1, inWanted = -1;
        engine->ObtieneStockxEquiv("1", "ART1", base, c.wanted, inBase, inWanted);
        EXPECT_DOUBLE_EQ(inBase, c.inBase);
        EXPECT_DOUBLE_EQ(inWanted, c.inWanted);
        EXPECT_EQ(base, c.baseAfter);
    }
    double inBase = -1, inWanted = -1;
    std::string base = "UN";
    engine->ObtieneStockxEquiv("1", "", base, "CJ", inBase, inWanted);
    EXPECT_EQ(inBase, 0);
    EXPECT_EQ(inWanted, 0);
}

TEST_F(StockBalances, AnArticleNotHeldIsNamedToTheOperator)
{
    expectErrorTreatment("V_MA_ARTICULOS", "ObtieneStock");
    std::string lot = "L1";
    EXPECT_EQ(engine->ObtieneStock("NO'HAY", nullptr, &lot), 0);
    EXPECT_NE(errorLog().find("El artículo 'NO'HAY' no existe en la tabla de artículos"), std::string::npos) << errorLog();
}

TEST_F(StockBalances, AMissingTableGoesToTheRoutinesErrorTreatment)
{
    execute({"DROP TABLE STK_SALDOS_UNIDADES", "DROP TABLE STK_SERIES_Y_LOTES"});
    expectErrorTreatment("Recordset", "ControlStock");
    EXPECT_EQ(engine->ObtieneStock("ART1"), 0);

    expectErrorTreatment("Recordset", "ObtieneStock");
    std::string lot = "L1";
    EXPECT_EQ(engine->ObtieneStock("LOT1", nullptr, &lot), 0);

    expectErrorTreatment("Recordset", "ControlStock");
    double balance = 99;
    ControlStock("1", "ART1", "UN", balance);
    EXPECT_EQ(balance, 0);
}

}  // namespace
