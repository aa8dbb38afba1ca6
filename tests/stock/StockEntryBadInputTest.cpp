// What the accounting entry of a stock movement does with input it cannot take as it is.

#include "tests/stock/StockEntryFixture.h"
#include "platform/base/Text.h"
#include "tests/support/Failures.h"

namespace stock_entry {
namespace {

TEST_F(StockEntry, ADateThatIsNoDateReachesTheCallerByName)
{
    ClsCmnCptes engine;
    auto grid = grilla({{"A1", "3", "10.5", "99"}});
    Llamada ll;
    ll.fecha = "31/02/2005";
    std::string result = "sin llamar";
    const base::Error error = testing_support::failureOf([&] { result = genera(engine, *grid, ll); });
    EXPECT_EQ(error.number(), base::errors::kTypeMismatch);
    EXPECT_NE(error.description().find("31/02/2005"), std::string::npos) << error.description();
    EXPECT_EQ(result, "sin llamar");
    EXPECT_EQ(engine.UltimoNroAsiento, 0);
}

TEST_F(StockEntry, FifteenHundredArticlesMakeOneWholeEntry)
{
    std::string statements;
    std::vector<Renglon> renglones;
    for (int i = 1; i <= 1500; ++i) {
        const std::string code = fmt::format("B{:04}", i);
        statements += fmt::format("INSERT INTO MA_ARTICULOS (IDARTICULO, CUENTACONTABLEC) VALUES ('{}', '1.2.0{}')\r",
                                  articulo(code), i % 3);
        renglones.push_back({code, "1", "2", "0"});
    }
    execute(statements);
    ClsCmnCptes engine;
    auto grid = grilla(renglones);
    Llamada ll;
    ejecuta(genera(engine, *grid, ll));
    EXPECT_EQ(rows("SELECT CUENTA, SECUENCIA, [DEBE-HABER], IMPORTE FROM MV_ASIENTOS ORDER BY SECUENCIA"),
              (Rows{{"2.1.01", "1", "H", "3000"},
                    {"1.2.00", "2", "D", "1000"},
                    {"1.2.01", "3", "D", "1000"},
                    {"1.2.02", "4", "D", "1000"}}));
}

TEST_F(StockEntry, AnApostropheInACodeStaysInsideItsLiteral)
{
    execute("INSERT INTO MA_ARTICULOS (IDARTICULO, CUENTACONTABLEC) VALUES ('" +
            base::replace(articulo("O'B"), "'", "''") + "', '1.1.05')");
    ClsCmnCptes engine;
    auto grid = grilla({{"O'B", "1", "7", "0"}, {"A1", "1", "1", "0"}});
    Llamada ll;
    ll.suc = "0'01";
    ejecuta(genera(engine, *grid, ll));
    EXPECT_EQ(rows("SELECT CUENTA, IMPORTE, SUCURSAL FROM MV_ASIENTOS ORDER BY SECUENCIA"),
              (Rows{{"2.1.01", "8", "0'01"}, {"1.1.05", "8", "0'01"}}));
}

}  // namespace
}  // namespace stock_entry
