// Legacy order lines become lines of their order's voucher in C_MV_CPTEINSUMOS: unit, quantities, units per
// unit, amounts and the article's description.

#include "tests/importer/movements/PurchaseOrderFixture.h"

namespace {

using namespace testing_support;

struct LineCase {
    const char* what;
    LegacyRow legacy;
    std::string id, article;
    ColumnValues expected;
};

std::vector<LineCase> lineCases()
{
    return {
        {"bulks: 4 of 12 units",
         orderLine("500", "1", {{"PIEZ_FOD", number("4")}, {"UNID_FOD", number("48")}, {"TPRE_FOD", number("12.4")},
                                {"PRET_FOD", number("595.2")}, {"DES1_FOD", number("5")}, {"D_S2_FOD", number("1.5")},
                                {"REC3_FOD", number("2")}}),
         "000100005001C", "1001",
         {{"TC", "  OC"}, {"CUENTA", "2110101123"}, {"IDUNIDAD", "  BL"}, {"CANTIDAD", "4"}, {"CANTIDADUD", "48"},
          {"EQUIV_UDBASE", "12"}, {"IDUNIDADBASE", "  UN"}, {"DESCRIPCION", "Tornillo autoperforante"},
          {"COSTO", "12.4"}, {"IMPORTE", "595.2"}, {"IMPORTE_S_IVA", "595.2"}, {"TOTAL", "595.2"}, {"IMPUESTOS", "0"},
          {"DESC1", "5"}, {"DESC2", "0"}, {"DESC5", "1.5"}, {"DESC7", "0"}, {"REC3", "2"}, {"CONTROLADOPOR", "NULL"}}},
        {"units only", orderLine("501", "1", {{"UNID_FOD", number("10")}}), "000100005011C", "1001",
         {{"IDUNIDAD", "  UN"}, {"CANTIDAD", "10"}, {"CANTIDADUD", "10"}, {"EQUIV_UDBASE", "1"}}},
        {"no quantity at all", orderLine("502", "1", {{"UNID_FOD", number("0")}}), "000100005021C", "1001",
         {{"IDUNIDAD", "  UN"}, {"CANTIDAD", "0"}, {"CANTIDADUD", "0"}, {"EQUIV_UDBASE", "0"}}},
        {"3 bulks of 10 units in all",
         orderLine("503", "1", {{"PIEZ_FOD", number("3")}, {"UNID_FOD", number("10")}}), "000100005031C", "1001",
         {{"IDUNIDAD", "  BL"}, {"CANTIDAD", "3"}, {"CANTIDADUD", "10"}, {"EQUIV_UDBASE", "3.3333"}}},
        {"the number pair 1234 and 5", orderLine("1234", "5"), "000100012345C", "1001", {{"CANTIDAD", "1"}}},
        {"an article code with an apostrophe", orderLine("504", "1", {{"CODI_FOD", text("D'ALE-01")}}),
         "000100005041C", "D'ALE-01", {{"DESCRIPCION", "Pintura látex D'Alessandro"}}},
    };
}

class OrderLines : public PurchaseOrders {
protected:
    void SetUp() override
    {
        PurchaseOrders::SetUp();
        execute("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('" + article("1001") +
                "', 'Tornillo autoperforante', '  UN')\r"
                "INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('" +
                quoted(article("D'ALE-01")) + "', 'Pintura látex D''Alessandro', '  UN')\r"
                "INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('" + article("1002") +
                "', 'Tuerca', '  UN')");
    }
};

TEST_F(OrderLines, EachLegacyLineBecomesALineOfItsOrder)
{
    std::vector<LegacyRow> legacyLines;
    for (const LineCase& c : lineCases()) legacyLines.push_back(c.legacy);
    write({order("500", "1"), order("501", "1"), order("502", "1"), order("503", "1"), order("1234", "5"),
           order("504", "1")},
          legacyLines);
    importOrders();
    EXPECT_TRUE(errorList().empty());
    const std::vector<ColumnValues> written = lines();
    ASSERT_EQ(written.size(), lineCases().size());
    for (const LineCase& c : lineCases()) {
        const auto found = std::find_if(written.begin(), written.end(), [&](const ColumnValues& row) {
            return row.at("IDCOMPROBANTE") == c.id && row.at("IDARTICULO") == base::rightTrim(article(c.article));
        });
        ASSERT_NE(found, written.end()) << c.what;
        expectColumns(*found, c.expected, c.what);
    }
}

TEST_F(OrderLines, AnArticleTwiceInOneOrderKeepsBothLinesAndASecondRunWritesNothing)
{
    write({order("500", "1")}, {orderLine("500", "1", {{"UNID_FOD", number("5")}}), orderLine("500", "1", {{"CODI_FOD", text("1002")}}),
                                orderLine("500", "1", {{"UNID_FOD", number("3")}})});
    importOrders();
    auto quantities = [this] {
        std::vector<std::string> out;
        for (ColumnValues& row : lines()) out.push_back(base::trim(row["IDARTICULO"]) + " " + row["CANTIDAD"]);
        return out;
    };
    const std::vector<std::string> expected{"1001 5", "1002 1", "1001 3"};
    EXPECT_EQ(quantities(), expected);
    importOrders();
    EXPECT_EQ(quantities(), expected);
    EXPECT_EQ(lastCounters(), "Leidos 3\r\nGrabados:0\r\nErrores: 0");

    // One of the two lost since: the next run writes it back, and only it.
    execute("DELETE FROM C_MV_CPTEINSUMOS WHERE IDARTICULO = '" + article("1001") + "' AND CANTIDAD = 3");
    importOrders();
    EXPECT_EQ(lines().size(), 3u);
}

TEST_F(OrderLines, AnotherVouchersLineKeepsItsDescription)
{
    execute("INSERT INTO C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDARTICULO, DESCRIPCION) VALUES ('  FC', '000100000001A', '" +
            article("1001") + "', 'Descripción de la factura')\r"
            "INSERT INTO C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDARTICULO, DESCRIPCION) VALUES ('  FC', '000100000002A', '" +
            article("7777") + "', 'Artículo que el ERP ya no tiene')");
    write({order("500", "1")}, {orderLine("500", "1")});
    importOrders();
    EXPECT_EQ(rows("SELECT DESCRIPCION FROM C_MV_CPTEINSUMOS WHERE TC = '  FC' ORDER BY ID"),
              (Rows{{"Descripción de la factura"}, {"Artículo que el ERP ya no tiene"}}));
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0]["DESCRIPCION"], "Tornillo autoperforante");
}

TEST_F(OrderLines, ALineTheDatabaseRefusesIsListedWithItsOrderAndArticle)
{
    write({order("500", "1")}, {orderLine("500", "1", {{"CODI_FOD", text("1002")}}), orderLine("500", "1")});
    refuse("MV_CPTEINSUMOS", "IDARTICULO", article("1002"));
    expectNotImported("1 renglón de FDEORCOM no se importó.");
    importOrders();
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(base::trim(lines()[0]["IDARTICULO"]), "1001");
    const auto listed = errorList();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].first, "1");
    EXPECT_EQ(listed[0].second, "000100005001C 1002: 50000 : orden rechazada");
    EXPECT_NE(errorLog().find(listed[0].second), std::string::npos) << errorLog();
    EXPECT_EQ(lastCounters(), "Leidos 2\r\nGrabados:1\r\nErrores: 1");
}

}  // namespace
