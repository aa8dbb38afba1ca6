// How lines split into movements, read back from V_MV_STOCK after the collected batch ran.

#include "stock/MovementPieces.h"
#include "tests/stock/StockPostingFixture.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

namespace {

struct PieceCase {
    std::string name;
    std::string tc;  // "IR" enters, "RM" takes out
    std::map<long, std::string> cells;
    std::string loteFijo;
    // lot, serial, Cantidad, CantidadUD, Secuencia of each movement, in order
    std::vector<std::vector<std::string>> movements;
};

std::vector<std::vector<std::string>> unitsOfLine(int lots, int units)
{
    std::vector<std::vector<std::string>> rows;
    for (int j = 1; j <= units; ++j)
        rows.push_back({j <= lots ? "L" + std::to_string(j) : "NULL", "NULL", "1", "1", std::to_string(j)});
    return rows;
}

class MovementPiecesTest : public StockPostingFixture {};

TEST_F(MovementPiecesTest, EachLineSplitsIntoTheMovementsItStandsFor)
{
    const std::string y = base::characterOfCode(255);
    const std::vector<PieceCase> cases{
        {"the reception road: no lots, a series line by its empty column 19", "IR", {{19, ""}}, "",
         {{"NULL", "NULL", "10", "10", "1"}}},
        {"a lot listed twice is one lot", "IR", {{21, "|L1|L1|"}, {7, "5"}, {74, "5"}, {22, ""}}, "",
         {{"L1", "NULL", "5", "5", "1"}}},
        {"two lots for three units: one each, the rest on the last", "IR", {{21, "|L1|L2|"}, {7, "3"}, {22, ""}}, "",
         {{"L1", "NULL", "1", "3.3333", "1"}, {"L2", "NULL", "1", "3.3333", "2"}, {"NULL", "NULL", "1", "3.3334", "3"}}},
        {"the unit without lot takes the fixed lot", "IR", {{21, "|L1|L2|"}, {7, "3"}, {74, "3"}, {22, ""}}, "LF",
         {{"L1", "NULL", "1", "1", "1"}, {"L2", "NULL", "1", "1", "2"}, {"LF", "NULL", "1", "1", "3"}}},
        {"two lots for ten units post ten", "IR", {{21, "|L1|L2|"}, {22, ""}}, "", unitsOfLine(2, 10)},
        {"two lots for two and a half units", "IR", {{21, "|L1|L2|"}, {7, "2.5"}, {74, "5"}, {22, ""}}, "",
         {{"L1", "NULL", "1", "2", "1"}, {"L2", "NULL", "1", "2", "2"}, {"NULL", "NULL", "0.5", "1", "3"}}},
        {"a lot quantity below one is the whole line", "IR", {{21, "|L1|L2|"}, {7, "0.5"}, {74, "1"}, {22, ""}}, "",
         {{"L1", "NULL", "0.5", "1", "1"}}},
        {"three serial numbers, one unit each", "IR", {{19, "1"}, {22, "|S1|S2|S3|"}, {7, "3"}, {74, "3"}}, "",
         {{"NULL", "S1", "1", "1", "1"}, {"NULL", "S2", "1", "1", "2"}, {"NULL", "S3", "1", "1", "3"}}},
        {"a blank serial item is one unit too", "IR", {{19, "1"}, {22, "|S1||S3|"}, {7, "3"}, {74, "3"}}, "",
         {{"NULL", "S1", "1", "1", "1"}, {"NULL", "NULL", "1", "1", "2"}, {"NULL", "S3", "1", "1", "3"}}},
        {"lot and serial joined in one item", "IR",
         {{19, "1"}, {22, "|" + joined("L1", "S1") + "|" + joined("L2", "S2") + "|"}, {7, "2"}, {74, "2"}}, "",
         {{"L1", "S1", "1", "1", "1"}, {"L2", "S2", "1", "1", "2"}}},
        {"one serial number is one unit of a larger line", "IR", {{19, "1"}, {22, "|S1|"}, {7, "3"}, {74, "3"}}, "",
         {{"NULL", "S1", "1", "1", "1"}}},
        {"sizes enter with their listed quantities", "IR",
         {{61, "1"}, {21, "|T1" + y + "|T2" + y + "|"}, {22, "|1|2|"}, {7, "3"}, {74, "6"}}, "",
         {{"T1", "NULL", "1", "2", "1"}, {"T2", "NULL", "2", "4", "2"}}},
        {"a size listed with 0 enters nothing", "IR",
         {{61, "1"}, {21, "|T1" + y + "|T2" + y + "|"}, {22, "|0|3|"}, {7, "3"}, {74, "3"}}, "",
         {{"T2", "NULL", "3", "3", "1"}}},
        {"a perishable article's lot is its whole list", "IR", {{46, "1"}, {21, "|L1|"}, {7, "4"}, {74, "4"}, {22, ""}}, "",
         {{"|L1|", "NULL", "4", "4", "1"}}},
        {"an exit takes each lot's quantity; a lot of 0 takes nothing and no number", "RM",
         {{21, "|" + joined("L1", "S1") + "|" + joined("L2", "S2") + "|"}, {22, "|2|0|"}, {7, "5"}, {74, "5"}}, "",
         {{"L1", "S1", "-2", "-2", "1"}}},
        {"an exit without lots takes the line", "RM", {{21, ""}, {22, ""}, {7, "5"}, {74, "5"}}, "",
         {{"NULL", "NULL", "-5", "-5", "1"}}},
        {"an exit without lot listing 2 takes 2", "RM", {{21, ""}, {22, "|2|"}, {7, "5"}, {74, "5"}}, "",
         {{"NULL", "NULL", "-2", "-2", "1"}}},
        {"an exit of sizes drops the mark that closes each size", "RM",
         {{61, "1"}, {21, "|T1" + y + "|T2" + y + "|"}, {22, "|1|2|"}, {7, "3"}, {74, "3"}}, "",
         {{"T1", "NULL", "-1", "-1", "1"}, {"T2", "NULL", "-2", "-2", "2"}}},
        {"a line of quantity 0 moves nothing", "IR", {{7, "0"}}, "", {}},
        {"a line without article moves nothing", "IR", {{0, "   "}}, "", {}},
    };
    ClsCmnCptes motor;
    int voucher = 0;
    for (const PieceCase& c : cases) {
        SCOPED_TRACE(c.name);
        nuevaGrilla();
        linea(c.cells);
        Posteo a;
        a.TC = c.tc;
        a.SucNroLetra = fmt::format("0001{:08}X", ++voucher);
        a.LoteFijo = c.loteFijo;
        postea(motor, a);
        ASSERT_FALSE(a.HayError);
        ASSERT_TRUE(ejecutaLote(a.SQLTemp));
        EXPECT_EQ(valores("SELECT NROLOTE, NROSERIE, CANTIDAD, CANTIDADUD, SECUENCIA FROM V_MV_STOCK "
                          "WHERE IDCOMPROBANTE = '" + a.SucNroLetra + "' ORDER BY SECUENCIA"),
                  c.movements);
    }
}

TEST_F(MovementPiecesTest, LinesOfNoQuantityTakeNoSequenceNumber)
{
    linea({{21, "|L1|"}});
    linea({{7, ""}});
    linea({{0, ""}});
    linea({{7, "2"}, {74, "2"}});
    ClsCmnCptes motor;
    Posteo a;
    postea(motor, a);
    ASSERT_TRUE(ejecutaLote(a.SQLTemp));
    EXPECT_EQ(valores("SELECT NROLOTE, CANTIDAD, SECUENCIA FROM V_MV_STOCK ORDER BY SECUENCIA"),
              (Rows{{"L1", "10", "1"}, {"NULL", "2", "2"}}));
}

TEST_F(MovementPiecesTest, AnExitMarksItsLineAsNotOfSizes)
{
    linea({{61, "  "}, {7, "5"}});
    ClsCmnCptes motor;
    Posteo a;
    a.TC = "RM";
    postea(motor, a);
    EXPECT_EQ(grilla->textMatrix(1, 61), "0");
    ASSERT_TRUE(ejecutaLote(a.SQLTemp));
    EXPECT_EQ(valores("SELECT NROLOTE, CANTIDAD FROM V_MV_STOCK"), (Rows{{"NULL", "-5"}}));
}

TEST(BaseQuantityShares, FollowWhatEachPiecePostsAndAddUpWhenThePiecesDo)
{
    using base::Currency;
    const auto c = [](const char* text) { return *Currency::parse(text); };
    struct Case {
        const char* name;
        std::vector<Currency> posted;
        Currency line, base;
        std::vector<Currency> shares;
    };
    const std::vector<Case> cases{
        {"thirds", {c("1"), c("1"), c("1")}, c("3"), c("10"), {c("3.3333"), c("3.3333"), c("3.3334")}},
        {"one piece takes it all", {c("7")}, c("7"), c("2.5"), {c("2.5")}},
        {"pieces short of the line keep their proportion", {c("1"), c("1")}, c("4"), c("10"), {c("2.5"), c("2.5")}},
        {"half to even", {c("1"), c("3")}, c("2"), c("0.0001"), {c("0"), c("0.0002")}},
        {"a negative line", {c("-1"), c("-2")}, c("-3"), c("6"), {c("2"), c("4")}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        std::vector<PiezaMovimiento> piezas;
        for (Currency q : k.posted) piezas.push_back({{}, {}, q, {}});
        ReparteCantidadUD(piezas, k.line, k.base);
        std::vector<Currency> shares;
        for (const PiezaMovimiento& p : piezas) shares.push_back(p.cantidadUD);
        EXPECT_EQ(shares, k.shares);
    }
}

}  // namespace
