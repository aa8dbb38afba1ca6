// The spread of a quantity over an article's lots and the components of an article.

#include "core/FormattingHelpers.h"
#include "stock/Stock.h"
#include "tests/core/ProgramFixture.h"

#include <fmt/format.h>

namespace {

struct Elemento {
    std::string codigo;  // as NormalizaTexto reads it
    std::string unidad;
    double cantidad;
    bool operator==(const Elemento&) const = default;
};

void PrintTo(const Elemento& e, std::ostream* os)
{
    *os << "(" << e.codigo << ", " << e.unidad << ", " << e.cantidad << ")";
}

std::vector<Elemento> leidos(const std::vector<ItemCantidad>& items)
{
    std::vector<Elemento> result;
    for (const ItemCantidad& item : items)
        result.push_back(
            {NormalizaTexto(item.CodigoItem.text()), NormalizaTexto(item.UnidadItem.text()), item.CantidadItem});
    return result;
}

std::string articulo(std::string_view code) { return fmt::format("{:>25}", code); }

class StockModule : public ProgramFixture {
protected:
    void execute(std::string statement) { gDB_Dll().EjecutaConsultaSQL(statement); }

    void lote(std::string_view articuloCode, std::string_view deposito, std::string_view nroLote,
              std::string_view cantidad)
    {
        execute(fmt::format("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROLOTE, CANTIDAD) VALUES "
                            "('{}', '{}', {}, {})",
                            articulo(articuloCode), deposito, nroLote, cantidad));
    }
    void insumo(std::string_view articuloCode, std::string_view componente, std::string_view unidad, double cantidad)
    {
        execute(fmt::format("INSERT INTO MA_INSUMOS (IDARTICULO, IDARTICULOINSUMO, IDUNIDADINSUMO, CANTIDAD) VALUES "
                            "('{}', '{}', '{:>4}', {})",
                            articulo(articuloCode), articulo(componente), unidad, cantidad));
    }
    void expectErrorBox(std::string_view rutina)
    {
        prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (-2147217865) "),
                               ui::vbAbortRetryIgnore | ui::vbCritical,
                               fmt::format("Recordset - {} Aviso al operador!!! ", rutina), ui::vbAbort);
    }
};

// --- lots

struct LotCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> lots;  // lot literal, quantity, in the warehouse '  D1'
    double pedido;
    bool result;
    std::vector<Elemento> expected;
};

class Lots : public StockModule, public ::testing::WithParamInterface<LotCase> {};

TEST_P(Lots, TheRequestIsSpreadOverTheLotsLowestFirst)
{
    for (const auto& [lot, quantity] : GetParam().lots) lote("A1", "  D1", lot, quantity);
    // Rows that never count: another article, another warehouse, no lot, nothing in stock.
    lote("A2", "  D1", "'L0'", "50");
    lote("A1", "  D2", "'L0'", "50");
    lote("A1", "  D1", "NULL", "50");
    lote("A1", "  D1", "'L00'", "0");
    lote("A1", "  D1", "'L000'", "-3");

    std::vector<ItemCantidad> lotes(2);  // what the caller held before is dropped
    EXPECT_EQ(ArticuloTieneLotes("A1", "'  D1'", lotes, GetParam().pedido), GetParam().result);
    EXPECT_EQ(leidos(lotes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Lots,
    ::testing::Values(
        LotCase{"TheFirstLotsWholeAndWhatIsMissingFromTheNext",
                {{"'L3'", "8"}, {"'L1'", "10"}, {"'L2'", "5"}},
                12,
                true,
                {{"L1", "", 10}, {"L2", "", 2}}},
        LotCase{"ALotNotNeededIsNotListed", {{"'L1'", "10"}, {"'L2'", "2"}, {"'L3'", "8"}}, 12, true,
                {{"L1", "", 10}, {"L2", "", 2}}},
        LotCase{"AShortfallGoesWithoutALot", {{"'L1'", "3"}, {"'L2'", "4"}}, 10, true,
                {{"L1", "", 3}, {"L2", "", 4}, {"", "", 3}}},
        // Summed as doubles, 0.7 + 0.1 falls short of 0.8 and leaves a phantom shortfall.
        LotCase{"TenthsCoverTheirSumExactly", {{"'L1'", "0.7"}, {"'L2'", "0.1"}}, 0.8, true,
                {{"L1", "", 0.7}, {"L2", "", 0.1}}},
        LotCase{"NoLotAtAll", {}, 5, false, {{"", "", 5}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StockModule, TheWarehouseOfTheGridLeavesTheLotsAlone)
{
    lote("A1", "  D1", "'L1'", "10");
    std::vector<ItemCantidad> lotes(3);
    EXPECT_FALSE(ArticuloTieneLotes("A1", "eldelgrid", lotes, 4));
    EXPECT_EQ(lotes.size(), 3u);
}

TEST_F(StockModule, TheWarehouseLiteralIsReadNotPasted)
{
    lote("A1", "  D1", "'L1'", "10");
    lote("A1", "   ''", "'L2'", "10");
    std::vector<ItemCantidad> lotes;
    // NULL matches no lot.
    EXPECT_FALSE(ArticuloTieneLotes("A1", "NULL", lotes, 4));
    // A bare code is a code, and the literal's own padding does not matter.
    EXPECT_TRUE(ArticuloTieneLotes("A1", "D1", lotes, 4));
    EXPECT_EQ(leidos(lotes), (std::vector<Elemento>{{"L1", "", 4}}));
    EXPECT_TRUE(ArticuloTieneLotes("A1", "'D1'", lotes, 4));
    // An apostrophe inside the code stays inside it.
    EXPECT_TRUE(ArticuloTieneLotes("A1", "''''", lotes, 4));
    EXPECT_EQ(leidos(lotes), (std::vector<Elemento>{{"L2", "", 4}}));
}

TEST_F(StockModule, AMissingLotTableIsReportedUnderTheProcedure)
{
    execute("DROP TABLE STK_SERIES_Y_LOTES");
    expectErrorBox("ArticuloTieneLotes");
    std::vector<ItemCantidad> lotes;
    EXPECT_FALSE(ArticuloTieneLotes("A1", "'  D1'", lotes, 4));
    EXPECT_NE(errorLog().find("ArticuloTieneLotes"), std::string::npos);
}

// --- components

TEST_F(StockModule, ComponentsComeInComponentOrderFollowedByOneUnassignedElement)
{
    insumo("P1", "C3", "KG", 0.25);
    insumo("P1", "C1", "UN", 2);
    insumo("P1", "C2", "", 40);
    insumo("P2", "C9", "UN", 1);

    std::vector<ItemCantidad> insumos(7);
    EXPECT_TRUE(IdArticuloTieneInsumos(" P1 ", insumos, false));
    EXPECT_EQ(leidos(insumos),
              (std::vector<Elemento>{{"C1", "UN", 2}, {"C2", "", 40}, {"C3", "KG", 0.25}, {"", "", 0}}));
    // Fixed fields: the code as stored, cut to its width; the last element never assigned.
    EXPECT_EQ(insumos[0].CodigoItem.text(), articulo("C1"));
    EXPECT_EQ(insumos[0].UnidadItem.text(), "  UN");
    EXPECT_EQ(insumos[3].CodigoItem.text(), std::string(25, '\0'));
}

TEST_F(StockModule, AnArticleWithoutComponentsOrAMereCheckLeavesOneUnassignedElement)
{
    insumo("P1", "C1", "UN", 2);
    std::vector<ItemCantidad> insumos(3);
    EXPECT_FALSE(IdArticuloTieneInsumos("P9", insumos, false));
    EXPECT_EQ(leidos(insumos), (std::vector<Elemento>{{"", "", 0}}));

    EXPECT_TRUE(IdArticuloTieneInsumos("P1", gInsumos, true));
    EXPECT_EQ(leidos(gInsumos), (std::vector<Elemento>{{"", "", 0}}));
}

TEST_F(StockModule, AMissingComponentTableIsReportedUnderTheProcedure)
{
    execute("DROP VIEW V_MA_INSUMOS");
    expectErrorBox("IdArticuloTieneInsumos");
    std::vector<ItemCantidad> insumos(2);
    EXPECT_FALSE(IdArticuloTieneInsumos("P1", insumos, false));
    EXPECT_EQ(insumos.size(), 2u);
    EXPECT_NE(errorLog().find("IdArticuloTieneInsumos"), std::string::npos);
}

TEST(FixedTexts, AreCutOrPaddedToTheirWidth)
{
    ItemCantidad item;
    item.UnidadItem = "KILOGRAMO";
    item.CodigoItem = "Año";
    EXPECT_EQ(item.UnidadItem.text(), "KILO");
    EXPECT_EQ(item.CodigoItem.text(), "Año" + std::string(22, ' '));
}

}  // namespace
