// The posting's flow: passes, the two modes, the origin order's reception, failures and bad input.

#include "core/Cartel.h"
#include "tests/stock/StockPostingFixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int kOk = 1, kAbort = 3, kRetry = 4, kIgnore = 5;  // the buttons' answers

class StockPostingTest : public StockPostingFixture {
protected:
    static std::string tooLong() { return std::string(26, 'L'); }
};

TEST_F(StockPostingTest, CollectingWritesNothingUntilTheBatchRuns)
{
    linea();
    linea({{0, "A2"}, {7, "3"}});
    ClsCmnCptes motor;
    Posteo a;
    const std::string earlier = "UPDATE C_MV_CPTE SET IDDEPOSITORECEPCION = 'CD61' WHERE 1 = 0";
    a.SQLTemp = earlier;
    postea(motor, a);
    EXPECT_FALSE(a.HayError);
    EXPECT_EQ(count(), 0);
    EXPECT_TRUE(a.SQLTemp.starts_with(earlier + "\rINSERT INTO V_MV_STOCK "));
    ASSERT_TRUE(ejecutaLote(a.SQLTemp));
    EXPECT_EQ(valores("SELECT IDARTICULO, CANTIDAD, SECUENCIA FROM V_MV_STOCK ORDER BY SECUENCIA"),
              (Rows{{"A1", "10", "1"}, {"A2", "3", "2"}}));
}

TEST_F(StockPostingTest, ExecutingAMovementThatFailsStopsThePostingAndKeepsTheOnesBefore)
{
    linea({{21, "|L1|L2|" + tooLong() + "|"}, {22, ""}, {7, "3"}});
    linea({{0, "A2"}});
    prompter.expectMessage(ui::startsWith("String or binary data would be truncated"), ui::vbCritical,
                           "Aviso al operador", kOk);
    ClsCmnCptes motor;
    Posteo a;
    a.GeneraSentenciaSQL = false;
    a.MuestraCartel = true;
    postea(motor, a);
    EXPECT_TRUE(a.HayError);
    EXPECT_FALSE(gCartel().abierto());
    EXPECT_TRUE(a.SQLTemp.empty());
    EXPECT_EQ(valores("SELECT NROLOTE, CANTIDAD, SECUENCIA FROM V_MV_STOCK ORDER BY SECUENCIA"),
              (Rows{{"L1", "1", "1"}, {"L2", "1", "2"}}));
    EXPECT_NE(errorLog().find("String or binary data would be truncated"), std::string::npos);
}

TEST_F(StockPostingTest, ExecutingWritesEachMovementAtOnce)
{
    linea();
    linea({{0, "A2"}, {7, "3"}});
    ClsCmnCptes motor;
    Posteo a;
    a.GeneraSentenciaSQL = false;
    a.MuestraCartel = true;
    postea(motor, a);
    EXPECT_FALSE(a.HayError);
    EXPECT_FALSE(gCartel().abierto());
    EXPECT_EQ(valores("SELECT IDARTICULO, CANTIDAD, SECUENCIA FROM V_MV_STOCK ORDER BY SECUENCIA"),
              (Rows{{"A1", "10", "1"}, {"A2", "3", "2"}}));
}

TEST_F(StockPostingTest, ATooLongLotFailsTheCollectedBatch)
{
    linea();
    linea({{21, "|" + tooLong() + "|"}});
    prompter.expectMessage(ui::startsWith("8152 : String or binary data would be truncated"), ui::vbCritical | ui::vbOKOnly,
                           "Aviso al Operador!", kOk);
    ClsCmnCptes motor;
    Posteo a;
    postea(motor, a);
    EXPECT_FALSE(a.HayError);
    EXPECT_FALSE(ejecutaLote(a.SQLTemp));
    EXPECT_EQ(ultimoError, 8152);
    EXPECT_EQ(count(), 0);
}

TEST_F(StockPostingTest, APurchaseReceivedAgainstAnOrderDatesItsReceptionWithTheBatch)
{
    execute("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '000100001234C')");
    const std::string reception = "SELECT FECHARECEPCION FROM C_MV_CPTE";
    ClsCmnCptes motor;
    {
        SCOPED_TRACE("the batch fails: no date");
        linea({{21, "|" + tooLong() + "|"}});
        prompter.expectMessage(ui::startsWith("8152 : "), ui::vbCritical | ui::vbOKOnly, "Aviso al Operador!", kOk);
        Posteo a;
        a.TC = "RMC";
        postea(motor, a);
        EXPECT_FALSE(ejecutaLote(a.SQLTemp));
        EXPECT_EQ(rows(reception), (Rows{{"NULL"}}));
    }
    // In order, on one line of the reception: the date once posted (collecting writes none), then once run.
    struct Case {
        const char* name;
        std::string tc, sucNroLetra, tcOrigen, fecha;
        std::string collected, received;
    };
    const Case cases[] = {
        {"a reception voucher is not an invoice or a delivery note", "IR", "000100000001X", "OC", "07/03/2026", "NULL",
         "NULL"},
        {"the batch runs: the order is received on the movements' date", "RMC", "000100000002X", " oc ", "07/03/2026",
         "NULL", "07/03/2026"},
        {"a received order keeps its date", "RMC", "000100000003X", "OC", "09/03/2026", "07/03/2026", "07/03/2026"},
    };
    nuevaGrilla();
    linea();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Posteo a;
        a.TC = c.tc;
        a.SucNroLetra = c.sucNroLetra;
        a.TcOrigen = c.tcOrigen;
        a.Fecha = c.fecha;
        postea(motor, a);
        EXPECT_EQ(rows(reception), (Rows{{c.collected}}));
        EXPECT_TRUE(ejecutaLote(a.SQLTemp));
        EXPECT_EQ(rows(reception), (Rows{{c.received}}));
    }
}

TEST_F(StockPostingTest, TheReceptionVoucherDatesTheOrderWhenTheInstallationSaysSo)
{
    execute("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  OC', '000100001234C')");
    configura("IR_Oblig", "SI");
    linea();
    ClsCmnCptes motor;
    Posteo a;
    a.TC = "RMC";
    postea(motor, a);
    EXPECT_TRUE(ejecutaLote(a.SQLTemp));
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(rows("SELECT FECHARECEPCION FROM C_MV_CPTE"), (Rows{{"NULL"}}));
}

TEST_F(StockPostingTest, ATransferTakesFromEachLinesWarehouseAndPutsBackLotByLot)
{
    linea({{6, "5"}, {21, "|L1|L2|"}, {22, "|3|2|"}, {7, "5"}, {74, "5"}});
    linea({{0, "A2"}, {21, ""}, {22, ""}, {7, "4"}, {74, "4"}});
    ClsCmnCptes motor;
    Posteo a;
    a.TC = "TR";
    a.EsTransferencia = true;
    a.IdDeposito = "1";
    a.IdDepositoDestino = "2";
    postea(motor, a);
    ASSERT_FALSE(a.HayError);
    ASSERT_TRUE(ejecutaLote(a.SQLTemp));
    EXPECT_EQ(valores("SELECT SECUENCIA, IDARTICULO, NROLOTE, CANTIDAD, CANTIDADUD, IDDEPOSITO, IDDEPOSITO_DESTINO "
                      "FROM V_MV_STOCK ORDER BY SECUENCIA"),
              (Rows{{"1", "A1", "L1", "-3", "-3", "5", "2"},
                    {"2", "A1", "L2", "-2", "-2", "5", "2"},
                    {"3", "A2", "NULL", "-4", "-4", "1", "2"},
                    {"4", "A1", "L1", "3", "3", "2", "5"},
                    {"5", "A1", "L2", "2", "2", "2", "5"},
                    {"6", "A2", "NULL", "4", "4", "2", "1"}}));
    EXPECT_EQ(a.IdDeposito, "'   1'");
    EXPECT_EQ(a.IdDepositoDestino, "'   2'");
}

TEST_F(StockPostingTest, AProductionOrderEntersWhatItMadeAndTakesOutWhatItUsed)
{
    execute("INSERT INTO V_MV_STOCK (TC, IDCOMPROBANTE, SECUENCIA) VALUES ('  OP', '000100000001X', 4)");
    linea({{28, "-1"}, {7, "2"}, {74, "2"}});
    linea({{0, "A2"}, {28, "0"}, {6, "7"}, {7, "3"}, {74, "3"}});
    linea({{0, "A3"}, {28, "-1 "}, {7, "1"}, {74, "1"}});
    ClsCmnCptes motor;
    Posteo a;
    a.TC = "OP";
    postea(motor, a);
    ASSERT_FALSE(a.HayError);
    ASSERT_TRUE(ejecutaLote(a.SQLTemp));
    EXPECT_EQ(valores("SELECT SECUENCIA, IDARTICULO, CANTIDAD, IDDEPOSITO FROM V_MV_STOCK WHERE SECUENCIA > 4 "
                      "ORDER BY SECUENCIA"),
              (Rows{{"6", "A1", "2", "CD61"}, {"7", "A2", "-3", "CD61"}, {"8", "A3", "-1", "CD61"}}));
}

TEST_F(StockPostingTest, AnErrorTheOperatorIgnoresGoesOnAndOneHeAbandonsLeavesTheBatchAsItWas)
{
    const std::string earlier = "UPDATE C_MV_CPTE SET IDDEPOSITO = 'X' WHERE 1 = 0";
    const std::string title = "FlexGrid - ActualizaStock Aviso al operador!!! ";
    const std::string message = "Ha ocurrido el Siguiente Error (381) Subscript out of range";
    ClsCmnCptes motor;
    {
        SCOPED_TRACE("ignored, on both lines");
        linea();
        linea({{0, "A2"}});
        grilla->setCols(85);
        prompter.expectMessage(message, ui::vbAbortRetryIgnore | ui::vbCritical, title, kIgnore);
        prompter.expectMessage(message, ui::vbAbortRetryIgnore | ui::vbCritical, title, kIgnore);
        Posteo a;
        a.SQLTemp = earlier;
        postea(motor, a);
        EXPECT_TRUE(a.HayError);
        EXPECT_EQ(a.SQLTemp, earlier);
    }
    {
        SCOPED_TRACE("abandoned on the first line");
        prompter.expectMessage(message, ui::vbAbortRetryIgnore | ui::vbCritical, title, kAbort);
        Posteo a;
        a.SQLTemp = earlier;
        a.MuestraCartel = true;
        postea(motor, a);
        EXPECT_TRUE(a.HayError);
        EXPECT_EQ(a.SQLTemp, earlier);
        EXPECT_FALSE(gCartel().abierto());
    }
    {
        SCOPED_TRACE("retried in vain, then abandoned");
        prompter.expectMessage(message, ui::vbAbortRetryIgnore | ui::vbCritical, title, kRetry);
        prompter.expectMessage(message, ui::vbAbortRetryIgnore | ui::vbCritical, title, kAbort);
        Posteo a;
        a.SQLTemp = earlier;
        postea(motor, a);
        EXPECT_TRUE(a.HayError);
        EXPECT_EQ(a.SQLTemp, earlier);
    }
}

TEST_F(StockPostingTest, TheSignComesFromTheCallerOrTheVoucherType)
{
    execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA, ES) VALUES ('  OC', 1, 'COMPRAS', NULL)");
    linea({{21, "|L1|"}, {22, "|4|"}, {7, "5"}, {74, "5"}});
    ClsCmnCptes motor;
    Posteo imposed;
    imposed.SignoRemota = -1;
    postea(motor, imposed);
    Posteo none;
    none.TC = "OC";
    none.SucNroLetra = "000100000002X";
    postea(motor, none);
    EXPECT_FALSE(imposed.HayError || none.HayError);
    ASSERT_TRUE(ejecutaLote(imposed.SQLTemp + none.SQLTemp));
    EXPECT_EQ(valores("SELECT TC, NROLOTE, CANTIDAD, CANTIDADUD FROM V_MV_STOCK ORDER BY ID"),
              (Rows{{"IR", "L1", "-4", "-4"}, {"OC", "NULL", "0", "0"}}));
}

TEST_F(StockPostingTest, AVoucherTypeThatDoesNotExistPostsNothing)
{
    linea();
    prompter.expectMessage("El Tipo de Comprobante informado no existe en la tabla de comprobantes", ui::vbCritical,
                           "Aviso al operador!!!", kOk);
    ClsCmnCptes motor;
    Posteo a;
    a.TC = "ZZ";
    a.SQLTemp = "earlier";
    postea(motor, a);
    EXPECT_TRUE(a.HayError);
    EXPECT_EQ(a.SQLTemp, "earlier");
}

TEST_F(StockPostingTest, ArgumentsThatMakeNoPostingAreToldAndWriteNothing)
{
    struct Case {
        std::string name;
        std::function<void(Posteo&)> arguments;
        std::string message;
    };
    const std::vector<Case> cases{
        {"a date that does not exist", [](Posteo& a) { a.Fecha = "31/02/2026"; },
         "La fecha del movimiento de stock no es una fecha válida: \"31/02/2026\""},
        {"a date that is no date", [](Posteo& a) { a.Fecha = "ayer"; },
         "La fecha del movimiento de stock no es una fecha válida: \"ayer\""},
        {"a complement with decimals", [](Posteo& a) { a.IdComplemento = "1,5"; },
         "El complemento del comprobante no es un número entero: \"1,5\""},
        {"a complement that is no number", [](Posteo& a) { a.IdComplemento = "0; DROP TABLE V_MV_STOCK"; },
         "El complemento del comprobante no es un número entero: \"0; DROP TABLE V_MV_STOCK\""},
        {"a transfer without destination", [](Posteo& a) { a.TC = "TR"; a.EsTransferencia = true; },
         "La transferencia TR 000100000001X no indica el depósito de destino"},
    };
    linea();
    ClsCmnCptes motor;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool collecting : {true, false}) {
            prompter.expectMessage(c.message, ui::vbCritical, "Aviso al operador", kOk);
            Posteo a;
            a.GeneraSentenciaSQL = collecting;
            a.MuestraCartel = true;
            c.arguments(a);
            postea(motor, a);
            EXPECT_TRUE(a.HayError);
            EXPECT_TRUE(a.SQLTemp.empty());
            EXPECT_FALSE(gCartel().abierto());
            EXPECT_EQ(count(), 0);
        }
    }
}

TEST_F(StockPostingTest, AGridWithoutLinesPostsNothing)
{
    ClsCmnCptes motor;
    for (const bool collecting : {true, false}) {
        Posteo a;
        a.GeneraSentenciaSQL = collecting;
        a.SQLTemp = "earlier";
        postea(motor, a);
        EXPECT_FALSE(a.HayError);
        EXPECT_EQ(a.SQLTemp, "earlier");
    }
    EXPECT_EQ(count(), 0);
}

}  // namespace
