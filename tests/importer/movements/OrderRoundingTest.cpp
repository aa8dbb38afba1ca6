// The values the purchase-order import computes are kept to four decimals as the currency type rounds: to
// the nearest, a tie to the even neighbour, never cut. The header's VAT and discount percentages, the
// line's units per bulk.

#include "tests/importer/movements/PurchaseOrderFixture.h"

namespace {

using namespace testing_support;

struct Rounded {
    const char* what;
    LegacyRow legacy;
    std::string id;
    ColumnValues expected;
};

// With a VAT rate of 10.55%.
std::vector<Rounded> headerCases()
{
    return {
        {"VAT, not cut", order("1", "1", {{"TTOT_FOC", number("1.01")}}), "000100000011C",
         {{"IMPORTEIVA", "0.1066"}, {"IMPORTE", "1.1166"}}},  // 0.106555
        {"VAT at a tie, up to the even neighbour", order("2", "1", {{"TTOT_FOC", number("0.1")}}), "000100000021C",
         {{"IMPORTEIVA", "0.0106"}, {"IMPORTE", "0.1106"}}},  // 0.01055
        {"VAT at a tie, down to the even neighbour", order("3", "1", {{"TTOT_FOC", number("0.3")}}), "000100000031C",
         {{"IMPORTEIVA", "0.0316"}, {"IMPORTE", "0.3316"}}},  // 0.03165
        {"discount percentages at ties", order("4", "1", {{"TTOT_FOC", number("3200")}, {"DES1_FOC", number("1")},
                                                          {"DES2_FOC", number("3")}}),
         "000100000041C", {{"PORCDESCUENTO1", "0.0312"}, {"PORCDESCUENTO2", "0.0938"}}},  // 0.03125, 0.09375
        {"discount percentages, not cut", order("5", "1", {{"TTOT_FOC", number("3")}, {"DES1_FOC", number("2")},
                                                           {"DES2_FOC", number("1")}}),
         "000100000051C", {{"PORCDESCUENTO1", "66.6667"}, {"PORCDESCUENTO2", "33.3333"}}},
    };
}

std::vector<Rounded> lineCases()
{
    return {
        {"units per bulk at a tie, down to the even neighbour",
         orderLine("1", "1", {{"PIEZ_FOD", number("32")}, {"UNID_FOD", number("1")}}), "000100000011C",
         {{"EQUIV_UDBASE", "0.0312"}}},  // 0.03125
        {"units per bulk at a tie, up to the even neighbour",
         orderLine("2", "1", {{"PIEZ_FOD", number("32")}, {"UNID_FOD", number("3")}}), "000100000021C",
         {{"EQUIV_UDBASE", "0.0938"}}},  // 0.09375
        {"units per bulk, not cut", orderLine("3", "1", {{"PIEZ_FOD", number("3")}, {"UNID_FOD", number("2")}}),
         "000100000031C", {{"EQUIV_UDBASE", "0.6667"}}},
    };
}

class OrderRounding : public PurchaseOrders {
protected:
    void SetUp() override
    {
        PurchaseOrders::SetUp();
        window.AlicuotaIva = base::Currency::fromScaled(105500);
        execute("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('" + article("1001") +
                "', 'Tornillo', '  UN')");
    }
};

TEST_F(OrderRounding, HalfToEvenAtFourDecimals)
{
    std::vector<LegacyRow> orders, legacyLines;
    for (const Rounded& c : headerCases()) orders.push_back(c.legacy);
    for (const Rounded& c : lineCases()) legacyLines.push_back(c.legacy);
    write(orders, legacyLines);
    importOrders();
    EXPECT_TRUE(errorList().empty());

    const auto written = headers();
    for (const Rounded& c : headerCases()) {
        const auto found = written.find(c.id);
        ASSERT_NE(found, written.end()) << c.what;
        expectColumns(found->second, c.expected, c.what);
    }
    const std::vector<ColumnValues> stored = lines();
    ASSERT_EQ(stored.size(), lineCases().size());
    for (const Rounded& c : lineCases()) {
        const auto found = std::find_if(stored.begin(), stored.end(),
                                        [&](const ColumnValues& row) { return row.at("IDCOMPROBANTE") == c.id; });
        ASSERT_NE(found, stored.end()) << c.what;
        expectColumns(*found, c.expected, c.what);
    }
}

}  // namespace
