// The number of a stock movement's accounting entry, the guard against a second entry for one voucher, and
// the cost-of-goods entries of sales with their "CMV" numbers.

#include "tests/stock/StockEntryFixture.h"

namespace stock_entry {
namespace {

const Renglon a1{"A1", "3", "10.5", "99"};
const Renglon a3{"A3", "1", "4", "0"};

class EntryNumbers : public StockEntry {
protected:
    // A line another program wrote into the reception's series (month 8, period 1, type " STK").
    void lineaAjena(int numero, int mes = 8)
    {
        execute(fmt::format("INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, CUENTA, MES_OPERATIVO, "
                            "[NUMERO ASIENTO], TIPO_REG, PERIODO) VALUES ('  AS', '0001', '{:08}', 'X', '9.9', {}, {}, "
                            "' STK', 1)",
                            numero, mes, numero));
    }
    // The entry of the grid's row `fila` alone, generated and run.
    void registraFila(ClsCmnCptes& engine, ui::FlexGrid& grid, long fila)
    {
        Llamada ll;
        ll.soloRegistro = fila;
        ejecuta(genera(engine, grid, ll));
    }
    // A call on one line that gives no entry: no text and no entry number taken.
    void sinAsiento(Llamada ll)
    {
        ClsCmnCptes engine;
        auto grid = grilla({a1});
        EXPECT_EQ(genera(engine, *grid, ll), "");
        EXPECT_EQ(engine.UltimoNroAsiento, 0);
    }
    static Rows numeros()
    {
        return rows("SELECT DISTINCT NUMERO, MES_OPERATIVO, [NUMERO ASIENTO] FROM MV_ASIENTOS WHERE TC = '  IR' "
                    "ORDER BY NUMERO");
    }
};

TEST_F(EntryNumbers, EachVoucherTakesTheNextNumberTheDatabaseHolds)
{
    lineaAjena(41);
    ClsCmnCptes engine;
    auto grid = grilla({a1});
    Llamada primero;
    ejecuta(genera(engine, *grid, primero));
    EXPECT_EQ(engine.UltimoNroAsiento, 42);
    lineaAjena(43);  // written by someone else in between
    Llamada segundo;
    segundo.nro = "00000008";
    ejecuta(genera(engine, *grid, segundo));
    EXPECT_EQ(numeros(), (Rows{{"00000007", "8", "42"}, {"00000008", "8", "44"}}));
    EXPECT_EQ(engine.UltimoNroAsiento, 44);
}

TEST_F(EntryNumbers, AVoucherOfAnotherMonthTakesThatMonthsNumber)
{
    lineaAjena(41);
    ClsCmnCptes engine;
    auto grid = grilla({a1});
    Llamada agosto;
    ejecuta(genera(engine, *grid, agosto));
    Llamada septiembre;
    septiembre.nro = "00000008";
    septiembre.fecha = "01/09/2005";
    ejecuta(genera(engine, *grid, septiembre));
    EXPECT_EQ(numeros(), (Rows{{"00000007", "8", "42"}, {"00000008", "9", "1"}}));
}

TEST_F(EntryNumbers, ASingleRowInANewObjectTakesAFreshNumber)
{
    lineaAjena(41);
    ClsCmnCptes engine;
    auto grid = grilla({a1, a3});
    registraFila(engine, *grid, 2);
    Cabecera c;
    c.numero = "42", c.cabImporte = "4";
    EXPECT_EQ(lineas("WHERE TC = '  IR'"), lineasEsperadas(c, {{"2.1.01", "1", "H", "4"}, {"1.1.07", "2", "D", "4"}}));
}

TEST_F(EntryNumbers, RowsAddedOneByOneMakeOneEntry)
{
    lineaAjena(41);
    ClsCmnCptes engine;
    auto grid = grilla({a1, a3});
    registraFila(engine, *grid, 1);
    lineaAjena(43);
    // A new object, as after the window was closed: the voucher's own number still holds.
    ClsCmnCptes otro;
    registraFila(otro, *grid, 2);
    EXPECT_EQ(otro.UltimoNroAsiento, 42);

    Cabecera c;
    c.numero = "42";
    Rows esperadas = lineasEsperadas(c, {{"2.1.01", "1", "H", "35.5"}, {"1.1.05", "2", "D", "31.5"}});
    c.cabImporte = "4";
    esperadas.push_back(lineasEsperadas(c, {{"1.1.07", "2", "D", "4"}})[0]);
    EXPECT_EQ(lineas("WHERE TC = '  IR'"), esperadas);
}

TEST_F(EntryNumbers, AVoucherThatHasItsEntryIsNotBookedTwice)
{
    ClsCmnCptes engine;
    auto grid = grilla({a1});
    Llamada ll;
    ejecuta(genera(engine, *grid, ll));
    prompter.expectMessage("El comprobante ya ha Sido Cargado. Asiento 08 - 000001", ui::vbOKOnly | ui::vbExclamation,
                           "Atención", ui::vbOK);
    Llamada otraVez;
    EXPECT_EQ(genera(engine, *grid, otraVez), "");
    EXPECT_EQ(rows("SELECT COUNT(*) FROM MV_ASIENTOS"), (Rows{{"2"}}));
    EXPECT_NE(errorLog().find("El comprobante ya ha Sido Cargado"), std::string::npos);
}

TEST_F(EntryNumbers, AnEmptyRegistrationTypeIsToldAndBooksNothing)
{
    execute("INSERT INTO MA_SUBDIARIOS (CODIGO) VALUES ('')\r"
            "INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, SUBDIARIO) VALUES ('  AJ', NULL)");
    prompter.expectMessage("No se ha informado El Tipo de Registro que generará el Asiento, corrija esto desde "
                           "configuración y vuelva a intentarlo",
                           ui::vbOKOnly | ui::vbExclamation, "Atención", ui::vbOK);
    Llamada ll;
    ll.tc = "AJ";
    ll.tipoMov = 5;
    sinAsiento(ll);
}

TEST_F(EntryNumbers, AnEntryNumberThatCannotBeReadGivesNoEntry)
{
    execute("DROP TABLE MV_ASIENTOS");
    execute("CREATE TABLE MV_ASIENTOS (TC char(4), SUCURSAL char(4), NUMERO char(8), LETRA char(1), "
            "CUENTA varchar(15))");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           "Recordset - ObtieneNroAsiento Aviso al operador!!! ", ui::vbAbort);
    sinAsiento(Llamada{});
}

// --- cost of goods

TEST_F(StockEntry, CostOfGoodsEntriesTakeConsecutiveCmvNumbersOfTheirOwn)
{
    ClsCmnCptes engine;
    auto grid = grilla({a1});
    const auto venta = [](std::string nro) {
        Llamada ll;
        ll.tc = "FC", ll.tipoMov = 99, ll.motivo = "3", ll.suc = "0001", ll.nro = std::move(nro), ll.letra = "A";
        return ll;
    };
    Llamada primera = venta("00001234");
    ejecuta(genera(engine, *grid, primera));
    Llamada segunda = venta("00001235");
    ejecuta(genera(engine, *grid, segunda));

    EXPECT_EQ((std::vector<std::string>{primera.tc, primera.suc, primera.nro, primera.letra}),
              (std::vector<std::string>{"CMV", "0001", "00000001", "X"}));
    EXPECT_EQ(segunda.nro, "00000002");
    EXPECT_TRUE(primera.esDebito);

    Cabecera c;
    c.tc = " CMV", c.nro = "00000001", c.tipoReg = " VTA", c.detalle = "Ventas mostrador", c.cabImporte = "297",
    c.cabCuenta = "5.1.09", c.cabNombre = "3", c.tcOrigen = "  FC", c.cpteOrigen = "000100001234A";
    Rows esperadas = lineasEsperadas(c, {{"5.1.09", "1", "D", "297"}, {"1.1.05", "2", "H", "297"}});
    c.nro = "00000002", c.numero = "2", c.cpteOrigen = "000100001235A";
    for (auto& row : lineasEsperadas(c, {{"5.1.09", "1", "D", "297"}, {"1.1.05", "2", "H", "297"}}))
        esperadas.push_back(row);
    EXPECT_EQ(rows(fmt::format("SELECT {} FROM MV_ASIENTOS ORDER BY NUMERO, SECUENCIA", kColumnas)), esperadas);
    // The entry only asks for numbers: the booklet is not advanced here.
    EXPECT_EQ(rows("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = ' CMV'"), (Rows{{"0"}}));
}

TEST_F(StockEntry, ACreditNoteReturnsTheGoodsOnTheCredit)
{
    ClsCmnCptes engine;
    auto grid = grilla({a1});
    Llamada ll;
    ll.tc = "nc", ll.tipoMov = 99, ll.motivo = "3";
    ejecuta(genera(engine, *grid, ll));
    EXPECT_FALSE(ll.esDebito);
    EXPECT_EQ(rows("SELECT CUENTA, [DEBE-HABER], TC_ORIGEN FROM MV_ASIENTOS ORDER BY SECUENCIA"),
              (Rows{{"5.1.09", "H", "  nc"}, {"1.1.05", "D", "  nc"}}));
}

TEST_F(StockEntry, WithoutACmvBookletTheSaleKeepsItsKeyAndGetsNoEntry)
{
    execute("DELETE FROM V_TA_CPTE WHERE CODIGO = ' CMV'");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           " - Obtener_Nro_Comprobante_Contable Aviso al operador!!! ", ui::vbAbort);
    ClsCmnCptes engine;
    auto grid = grilla({a1});
    Llamada ll;
    ll.tc = "FC", ll.tipoMov = 99, ll.motivo = "3", ll.nro = "00001234", ll.letra = "A";
    EXPECT_EQ(genera(engine, *grid, ll), "");
    EXPECT_EQ((std::vector<std::string>{ll.tc, ll.suc, ll.nro, ll.letra}),
              (std::vector<std::string>{"FC", "0001", "00001234", "A"}));
}

TEST_F(StockEntry, AnotherSaleTypeHasNoCostOfGoods)
{
    ClsCmnCptes engine;
    auto grid = grilla({a1});
    Llamada ll;
    ll.tc = "RM", ll.tipoMov = 99, ll.motivo = "3";
    EXPECT_EQ(genera(engine, *grid, ll), "");
    EXPECT_EQ(ll.tc, "RM");
}

}  // namespace
}  // namespace stock_entry
