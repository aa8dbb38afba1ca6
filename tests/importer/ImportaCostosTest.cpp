// The costs import: every row an article has in the sale lists "A1" to "A6" takes the prices of its legacy
// costing record; no row is created.

#include "tests/importer/PriceListFixture.h"

#include <fmt/format.h>

namespace {

using namespace price_fixture;

class ImportaCostos : public PriceLists {
protected:
    // A row with prices of its own, so a test sees what changed and what stayed.
    static void pricedRow(std::string_view list, std::string_view article, std::string_view type = "V")
    {
        priceRow(list, article, type,
                 ", COSTO, DTO1, DTO2, DTO3, DTO4, DTO5, DTO6, PRECIO5, FHOFERTADESDE, FHOFERTAHASTA",
                 ", 1, 9, 9, 9, 9, 9, 9, 77, '20250101', '20250131'");
    }

    static Rows listRows(std::string_view article)
    {
        return rows("SELECT IDLISTA, COSTO, PRECIO1, PRECIO2, PORCSEGURO, DTO1, DTO2, DTO3, DTO4, DTO5, DTO6, DTO7, DTO8, "
                    "DTO9, REC1, REC2, PRECIO4, UTILIDAD, PRECIO5, FHOFERTADESDE, FHOFERTAHASTA FROM V_MA_PRECIOS "
                    "WHERE IDLISTA <> '0123' AND IDARTICULO = " +
                    quoted(article) + " ORDER BY IDLISTA, ID");
    }

    // The costing values of `costing()` for one list, then the offer columns as given.
    static std::vector<std::string> priced(const char* list, const char* price, const char* margin,
                                           std::vector<std::string> offer)
    {
        // The list's code comes back padded to its char(4).
        std::vector<std::string> row{fmt::format("{:<4}", list), "100.5", "105.25", "3.1", "0.5", "0", "0", "0", "0", "0", "0",
                                     "5",  "2.5",   "1",      "3",   "4",   price, margin};
        row.insert(row.end(), offer.begin(), offer.end());
        return row;
    }
};

const std::vector<std::string> kOldOffer{"77", "2025-01-01 00:00:00", "2025-01-31 00:00:00"};

TEST_F(ImportaCostos, EveryRowOfTheArticlesListsTakesItsCostingPrices)
{
    for (const char* list : {"A1", "A2", "A3", "A4", "A5", "A6"}) pricedRow(list, "1001");
    pricedRow("A1", "1001");  // a duplicate row: it is priced too
    pricedRow("A4", "2001");
    pricedRow("A2", "D'1");
    pricedRow("A3", "4001");
    pricedRow("A5", "5001");
    pricedRow("A1", "6001", "C");  // no type is asked: a row of list A1 is priced whatever its type
    priceRow("0123", "1001", "C", ", COSTO", ", 1");  // a purchase list is none of the six
    writeLegacy({}, {costing("1001", {{"POFE_FCO", number("12.99")},
                                      {"DOFE_FCO", date("2026-03-01")},
                                      {"HOFE_FCO", date("2026-03-31")}}),
                     costing("2001", {{"POFE_FCO", number("0")}, {"DOFE_FCO", date("2026-03-01")}}),
                     costing("3001"),
                     costing("D'1", {{"POFE_FCO", number("8")}}),
                     costing("4001", {{"POFE_FCO", number("-1")}}),
                     costing("5001", {{"COSB_FCO", null()}, {"DES2_FCO", null()}}),
                     costing("6001")});
    run({kCostos});

    const std::vector<std::string> offer{"12.99", "2026-03-01 00:00:00", "2026-03-31 00:00:00"};
    std::vector<std::string> noCost = priced("A5", "150.75", "35", kOldOffer);
    noCost[1] = "0";   // an empty amount is 0
    noCost[12] = "0";
    struct Case {
        const char* article;
        Rows expected;
    };
    const Case cases[] = {
        // A4 takes NPR2_FCO and MAR3_FCO; the offer goes in with its days as dates.
        {"1001", {priced("A1", "150.75", "35", offer), priced("A1", "150.75", "35", offer),
                  priced("A2", "150.75", "35", offer), priced("A3", "150.75", "35", offer),
                  priced("A4", "130.4", "20", offer), priced("A5", "150.75", "35", offer),
                  priced("A6", "150.75", "35", offer)}},
        {"2001", {priced("A4", "130.4", "20", kOldOffer)}},  // an offer of 0 leaves the row's offer
        // An offer without days: the days are emptied with it.
        {"D'1", {priced("A2", "150.75", "35", {"8", "NULL", "NULL"})}},
        {"4001", {priced("A3", "150.75", "35", kOldOffer)}},  // a negative offer is none
        {"5001", {noCost}},                                    // no offer at all
        {"6001", {priced("A1", "150.75", "35", kOldOffer)}},
    };
    for (const Case& c : cases) EXPECT_EQ(listRows(c.article), c.expected) << c.article;
    EXPECT_EQ(rows("SELECT COSTO FROM V_MA_PRECIOS WHERE IDLISTA = '0123'"), Rows{{"1"}});
    EXPECT_EQ(count("V_MA_PRECIOS"), "13");  // nothing created, for 3001 either
    // An article without rows still counts as written.
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO COSTOS.. Leidos 6 Grabados:6 Errores: 0 Inicio: 07/03/2026 09:05:02 "
                                         "transcurrido: 0 Min. (Promedio: 6 x minuto)");
}

TEST_F(ImportaCostos, AFailedRecordIsRolledBackWholeAndCounted)
{
    // No two rows may share a list price here, and another row already has the one list A4 would take.
    execute("CREATE UNIQUE INDEX UN_PRECIO4 ON V_MA_PRECIOS (PRECIO4)");
    priceRow("ZZ", "9999", "V", ", PRECIO4", ", 130.40");
    pricedRow("A1", "1001");
    pricedRow("A4", "1001");
    pricedRow("A1", "1002");
    writeLegacy({}, {costing("1001"), costing("1002", {{"NPR1_FCO", number("151")}})});
    run({kCostos});  // a duplicate key is tolerated: no box, but the record fails
    EXPECT_EQ(rows("SELECT IDLISTA, COSTO, PRECIO4 FROM V_MA_PRECIOS WHERE IDARTICULO = " + quoted("1001") + " ORDER BY IDLISTA"),
              (Rows{{"A1  ", "1", "NULL"}, {"A4  ", "1", "NULL"}}));
    EXPECT_EQ(rows("SELECT COSTO, PRECIO4 FROM V_MA_PRECIOS WHERE IDARTICULO = " + quoted("1002")), (Rows{{"100.5", "151"}}));
    EXPECT_EQ(count("AUX_ERR"), "1");
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO COSTOS.. Leidos 1 Grabados:0 Errores: 1 Inicio: 07/03/2026 09:05:02 "
                                         "transcurrido: 0 Min. (Promedio: 1 x minuto)");
}

TEST_F(ImportaCostos, AnEmptyTableEndsAtOnce)
{
    writeLegacy({}, {});
    run({kCostos});
    EXPECT_EQ(labels, std::vector<std::string>{"FINALIZADO COSTOS.. "});
}

}  // namespace
