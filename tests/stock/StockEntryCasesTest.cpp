// The accounting entry of a stock movement, case by case: each result is run on the database and the entry
// lines read back column by column.

#include "tests/stock/StockEntryFixture.h"

#include <functional>

namespace stock_entry {
namespace {

struct EntryCase {
    const char* name;
    std::vector<Renglon> renglones;
    std::function<void(Llamada&)> llamada;     // how the call differs from the reception's
    std::function<void(Cabecera&)> cabecera;  // how the entry's shared columns differ
    std::vector<Linea> lineas;
    bool esDebito = false;
    int secuencia = 1;  // as the call hands it back; 1 when the call never got as far as the lines
    std::string grilla = "MSFlexGrid2";
    std::string unegocio = "   1", caja = "1";
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class EntryCases : public StockEntry, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryCases, TheEntryWrittenIsTheOneExpected)
{
    const EntryCase& c = GetParam();
    gUNegocio = c.unegocio;
    gCaja = c.caja;
    ClsCmnCptes engine;
    auto grid = grilla(c.renglones, c.grilla);
    Llamada ll;
    if (c.llamada) c.llamada(ll);
    ejecuta(genera(engine, *grid, ll));

    Cabecera cabecera;
    if (c.cabecera) c.cabecera(cabecera);
    EXPECT_EQ(lineas(), lineasEsperadas(cabecera, c.lineas));
    if (!c.lineas.empty()) {
        EXPECT_EQ(ll.esDebito, c.esDebito);
    }
    EXPECT_EQ(ll.secuencia, c.secuencia);
}

const Renglon a1{"A1", "3", "10.5", "99"};  // worth 31.5 at the price without VAT, 297 at cost

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryCases,
    ::testing::Values(
        // The reception's motive comes from the configuration and its values from the price without VAT.
        EntryCase{"Reception", {a1}, {}, {}, {{"2.1.01", "1", "H", "31.5"}, {"1.1.05", "2", "D", "31.5"}}, false, 3},
        // The differences grid keeps the motive it is given and swaps the sides.
        EntryCase{"DifferencesGrid",
                  {a1},
                  [](auto& ll) { ll.motivo = "   7"; },
                  [](Cabecera& c) { c.detalle = "Ajustes", c.cabCuenta = "5.1.01", c.cabNombre = "   7"; },
                  {{"5.1.01", "1", "D", "31.5"}, {"1.1.05", "2", "H", "31.5"}},
                  true,
                  3,
                  "msflexgriddif"},
        EntryCase{"OneArticleOnTwoRows",
                  {a1, {"a1", "1", "2", "0"}},
                  {},
                  [](Cabecera& c) { c.cabImporte = "33.5"; },
                  {{"2.1.01", "1", "H", "33.5"}, {"1.1.05", "2", "D", "33.5"}},
                  false,
                  3},
        EntryCase{"TwoArticlesOnOneAccount",
                  {{"A3", "1", "4", "0"}, a1, {"A2", "2", "5", "0"}},
                  {},
                  [](Cabecera& c) { c.cabImporte = "45.5"; },
                  {{"2.1.01", "1", "H", "45.5"}, {"1.1.05", "2", "D", "41.5"}, {"1.1.07", "3", "D", "4"}},
                  false,
                  4},
        EntryCase{"AnArticleWithoutCostAccountAddsNothing",
                  {a1, {"A4", "5", "100", "0"}, {"NO EXISTE", "1", "50", "0"}},
                  {},
                  {},
                  {{"2.1.01", "1", "H", "31.5"}, {"1.1.05", "2", "D", "31.5"}},
                  false,
                  3},
        // -20 goes to the motive's side; 0 gives no line but keeps its sequence number.
        EntryCase{"AmountsMinusTwentyAndZero",
                  {{"A1", "2", "30", "0"}, {"A3", "-1", "20", "0"}, {"A5", "0", "7", "0"}},
                  {},
                  [](Cabecera& c) { c.cabImporte = "40"; },
                  {{"2.1.01", "1", "H", "40"}, {"1.1.05", "3", "D", "60"}, {"1.1.07", "4", "H", "20"}},
                  false,
                  5},
        // The motive's line takes the total's absolute value on the other side: the entry balances.
        EntryCase{"NegativeTotal",
                  {{"A3", "-2", "10", "0"}},
                  {},
                  [](Cabecera& c) { c.cabImporte = "-20"; },
                  {{"2.1.01", "1", "D", "20"}, {"1.1.07", "2", "H", "20"}},
                  false,
                  3},
        EntryCase{"ADeliveryNoteBooksItsConfiguredMotiveAtCostOnTheDebit",
                  {a1},
                  [](auto& ll) { ll.tc = "RM", ll.tipoMov = 1; },
                  [](Cabecera& c) {
                      c.tc = "  RM", c.detalle = "Remitos", c.cabImporte = "297", c.cabCuenta = "2.1.02",
                      c.cabNombre = "   6";
                  },
                  {{"2.1.02", "1", "D", "297"}, {"1.1.05", "2", "H", "297"}},
                  true,
                  3},
        // Any other type: its stock sign decides; an exit books the motive on the debit.
        EntryCase{"AnExitTypeBooksTheMotiveOnTheDebit",
                  {a1},
                  [](auto& ll) { ll.tc = "TR", ll.tipoMov = 0, ll.motivo = "   7"; },
                  [](Cabecera& c) {
                      c.tc = "  TR", c.detalle = "Ajustes", c.cabImporte = "297", c.cabCuenta = "5.1.01",
                      c.cabNombre = "   7";
                  },
                  {{"5.1.01", "1", "D", "297"}, {"1.1.05", "2", "H", "297"}},
                  true,
                  3},
        // A type without a sub-journal registers under four blanks; the motive loses its apostrophes.
        EntryCase{"NoSubJournal",
                  {a1},
                  [](auto& ll) { ll.tc = "SI", ll.tipoMov = 0, ll.motivo = "'7'"; },
                  [](Cabecera& c) {
                      c.tc = "  SI", c.tipoReg = "    ", c.detalle = "Ajustes", c.cabImporte = "297",
                      c.cabCuenta = "5.1.01", c.cabNombre = "7";
                  },
                  {{"5.1.01", "1", "H", "297"}, {"1.1.05", "2", "D", "297"}},
                  false,
                  3},
        EntryCase{"NoBusinessUnitAndNoCashRegister",
                  {a1},
                  {},
                  [](Cabecera& c) { c.unegocio = "NULL", c.cajas = "NULL"; },
                  {{"2.1.01", "1", "H", "31.5"}, {"1.1.05", "2", "D", "31.5"}},
                  false,
                  3,
                  "MSFlexGrid2",
                  "Null",
                  "  "},
        EntryCase{"ASaleGivesNoStockEntry", {a1}, [](auto& ll) { ll.tc = "FC", ll.tipoMov = 1; }, {}, {}, false, 1},
        EntryCase{"APurchaseGivesNone", {a1}, [](auto& ll) { ll.tc = "fcc", ll.tipoMov = 99; }, {}, {}, false, 1},
        EntryCase{"AMotiveWithoutAccountGivesNone",
                  {a1},
                  [](auto& ll) { ll.tc = "SI", ll.tipoMov = 0, ll.motivo = "8"; },
                  {},
                  {},
                  false,
                  1},
        EntryCase{"AnUnknownMotiveGivesNone", {a1}, [](auto& ll) { ll.tc = "SI", ll.tipoMov = 0, ll.motivo = "99"; },
                  {}, {}, false, 1},
        EntryCase{"NoArticleWithACostAccountGivesNone", {{"A4", "1", "10", "0"}}, {}, {}, {}, false, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StockEntry, WithTheSwitchOffNothingIsRead)
{
    execute("UPDATE TA_CONFIGURACION SET VALOR = 'SI ' WHERE CLAVE = 'AsientosXStock'");
    ClsCmnCptes engine;
    execute("DROP VIEW V_TA_MOTIVOSTOCK");
    auto grid = grilla({a1});
    Llamada ll;
    ll.motivo = "O'Neil";
    EXPECT_EQ(genera(engine, *grid, ll), "");
    EXPECT_EQ(ll.motivo, "O'Neil");
}

TEST_F(StockEntry, AGridWithoutLinesGivesNothingAndReadsNothing)
{
    ClsCmnCptes engine;
    execute("DROP VIEW V_TA_MOTIVOSTOCK");
    auto grid = grilla({}, "MSFlexGrid2", false);
    Llamada ll;
    EXPECT_EQ(genera(engine, *grid, ll), "");
    EXPECT_EQ(ll.secuencia, 1);
}

TEST_F(StockEntry, TheStatementsComeEachAfterALineBreakAndTheSequenceAfterTheLastLine)
{
    ClsCmnCptes engine;
    auto grid = grilla({a1});
    Llamada ll;
    ll.secuencia = 5;
    const std::string text = genera(engine, *grid, ll);
    EXPECT_EQ(text.rfind("\r\nINSERT INTO MV_ASIENTOS (", 0), 0u);
    EXPECT_NE(text.find("\r\nINSERT INTO MV_ASIENTOS (", 2), std::string::npos);
    EXPECT_EQ(ll.secuencia, 7);
    ejecuta(text);
    EXPECT_EQ(rows("SELECT SECUENCIA FROM MV_ASIENTOS ORDER BY SECUENCIA"), (Rows{{"5"}, {"6"}}));
}

}  // namespace
}  // namespace stock_entry
