// "Updatea NETO_FTE en Prov." through the window: SALDPROV's net amounts go into the supplier lines the
// supplier balances wrote, as often as the button is pressed; and the demo folder's balances go through
// both entries and the button without a box.

#include "tests/importer/movements/BalanceFixture.h"
#include "tests/support/LegacyFixtures.h"

namespace {

using namespace testing_support;

class ActualizaNetoProveedores : public Balances {
protected:
    // Three open items: a voucher with a number, one without (no line to match), a credit note.
    void importSuppliers()
    {
        writeSuppliers({openItem("2110101", "FCC", "0001-00001234-A", {{"NETO_FTE", number("100")}}),
                        openItem("2110101", "FCC", "0001-00000000-A", {{"NETO_FTE", number("5")}}),
                        openItem("2110102", "ncc", "0002-00000010-B", {{"NETO_FTE", number("20.5")}})});
        run({kProveedores});
        ASSERT_TRUE(prompter.shown().empty());
        // A voucher the balances never had.
        writeSuppliers({openItem("2110101", "FCC", "0001-00001234-A", {{"NETO_FTE", number("100")}}),
                        openItem("2110101", "FCC", "0001-00000000-A", {{"NETO_FTE", number("5")}}),
                        openItem("2110102", "ncc", "0002-00000010-B", {{"NETO_FTE", number("20.5")}}),
                        openItem("2110109", "FCC", "0009-00000001-A", {{"NETO_FTE", number("7")}})});
    }

    Rows netAmounts() { return rows("SELECT CUENTA, NUMERO, SECUENCIA, LIVA_IMPNETOGRAV FROM MV_ASIENTOS ORDER BY ID"); }

    void expectNetAmounts()
    {
        EXPECT_EQ(netAmounts(), (Rows{{"2110101", "00001234", "1", "100"},
                                      {"71104", "00001234", "2", "NULL"},
                                      {"2110101", "00000001", "1", "NULL"},
                                      {"71104", "00000001", "2", "NULL"},
                                      {"2110102", "00000010", "1", "-20.5"},
                                      {"71104", "00000010", "2", "NULL"}}));
    }

    void pressAndExpectTheUnmatchedOne()
    {
        prompter.expectMessage(ui::startsWith("1 registro de SALDPROV no se importó"), ui::vbOKOnly | ui::vbExclamation,
                               "Migrador", ui::vbOK);
        press(&Importar::CmdNETO_FTE_Click);
        const auto errors = errorList();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0].second,
                  "Tabla SALDPROV, registro 4: cuenta 2110109, comprobante FCC 0009-00000001-A: ninguna línea de los saldos "
                  "de proveedores es de ese comprobante y esa cuenta");
        EXPECT_NE(errorLog().find("registro 4: cuenta 2110109"), std::string::npos);
    }
};

TEST_F(ActualizaNetoProveedores, TheNetAmountGoesToTheSupplierLineOfItsVoucher)
{
    importSuppliers();
    pressAndExpectTheUnmatchedOne();
    expectNetAmounts();
    // The last progress text, shown before the fourth record.
    EXPECT_EQ(counters(), "Leidos 3 de 4 Grabados:2 Errores: 0");
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" FINALIZADO "));
    EXPECT_TRUE(window.cmdImportar.enabled);
    EXPECT_TRUE(window.CmdNETO_FTE.enabled);
    EXPECT_FALSE(window.DBOrigen);

    // Pressed again, the same amounts.
    pressAndExpectTheUnmatchedOne();
    expectNetAmounts();
}

TEST_F(ActualizaNetoProveedores, ACancelEndsThePassAndALeftOverOneDoesNot)
{
    importSuppliers();
    // The first record pumps events before and after its update.
    pump.at(pump.calls() + 2, [this] { window.CmdCancelar_Click(); });
    press(&Importar::CmdNETO_FTE_Click);
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
    EXPECT_TRUE(window.lblTabla.caption.ends_with(" ---> CANCELADO "));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM MV_ASIENTOS WHERE LIVA_IMPNETOGRAV IS NOT NULL"), (Rows{{"1"}}));

    // The cancel is still set: the next press runs all the same.
    ASSERT_TRUE(window.Cancelado);
    pressAndExpectTheUnmatchedOne();
    expectNetAmounts();
}

TEST_F(ActualizaNetoProveedores, AnEmptyTableOnlyFinishes)
{
    writeSuppliers({});
    press(&Importar::CmdNETO_FTE_Click);
    EXPECT_EQ(window.LblDetalle.caption, " FINALIZADO ");
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(ActualizaNetoProveedores, AMissingTableWritesNothing)
{
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           "Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbIgnore);
    press(&Importar::CmdNETO_FTE_Click);
    EXPECT_TRUE(window.lblTabla.caption.ends_with(" ---> ERROR"));
    EXPECT_TRUE(window.cmdImportar.enabled);
}

TEST_F(ActualizaNetoProveedores, AFolderThatCannotBeOpenedIsTold)
{
    window.TxtPathDatos.text = (legacy.path() / "no-such-folder").string();
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (-2147467259) The dBase folder"),
                           ui::vbOKOnly | ui::vbCritical,
                           "Microsoft Visual FoxPro Driver - CmdNETO_FTE_Click Aviso al operador!!! ", ui::vbOK);
    press(&Importar::CmdNETO_FTE_Click);
    EXPECT_TRUE(window.cmdImportar.enabled);
    EXPECT_FALSE(window.DBOrigen);
}

TEST_F(ActualizaNetoProveedores, ACreditNoteAndAVoucherInInstalmentsBookTheirVatOnce)
{
    // A credit note of 24.20 (net 20.00); an invoice of 1,210.00 (net 1,000.00) kept as two open items of
    // 605.00, each repeating the invoice's total and net.
    const LegacyRow instalment{{"Impo_fte", number("605")}, {"CTot_fte", number("1210")}, {"NETO_FTE", number("1000")}};
    writeSuppliers({openItem("2110101", "NCC", "0001-00000050-A",
                             {{"Impo_fte", number("24.2")}, {"CTot_fte", number("24.2")}, {"NETO_FTE", number("20")}}),
                    openItem("2110102", "FCC", "0001-00000077-A", instalment),
                    openItem("2110102", "FCC", "0001-00000077-A", with(instalment, {{"FECH_FTE", date("2005-08-01")}}))});
    run({kProveedores});
    press(&Importar::CmdNETO_FTE_Click);
    press(&Importar::CmdNETO_FTE_Click);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_TRUE(errorList().empty());
    // The later instalment is read, and neither written nor an error.
    EXPECT_EQ(counters(), "Leidos 2 de 3 Grabados:2 Errores: 0");

    // The supplier lines: the credit note's total and net both negative; the invoice's VAT on its first line.
    EXPECT_EQ(rows("SELECT NUMERO, [DEBE-HABER], IMPORTE, LIVA_TIPO, LIVA_TOTAL, LIVA_IMPNETOGRAV FROM MV_ASIENTOS "
                   "WHERE SECUENCIA = 1 ORDER BY ID"),
              (Rows{{"00000050", "D", "24.2", "COMPRAS", "-24.2", "-20"},
                    {"00000077", "H", "605", "COMPRAS", "1210", "1000"},
                    {"00000077", "H", "605", "COMPRAS", "0", "NULL"}}));
    // The VAT book holds each voucher once; every instalment is an entry that balances.
    EXPECT_EQ(rows("SELECT NUMERO, SUM(LIVA_TOTAL), SUM(LIVA_IMPNETOGRAV) FROM MV_ASIENTOS GROUP BY NUMERO ORDER BY NUMERO"),
              (Rows{{"00000050", "-24.2", "-20"}, {"00000077", "1210", "1000"}}));
    EXPECT_EQ(rows("SELECT MES_OPERATIVO, [NUMERO ASIENTO], SUM(CASE WHEN [DEBE-HABER] = 'D' THEN IMPORTE ELSE 0 END), "
                   "SUM(CASE WHEN [DEBE-HABER] = 'H' THEN IMPORTE ELSE 0 END) FROM MV_ASIENTOS "
                   "WHERE NUMERO = '00000077' GROUP BY MES_OPERATIVO, [NUMERO ASIENTO] ORDER BY MES_OPERATIVO"),
              (Rows{{"7", "2", "605", "605"}, {"8", "1", "605", "605"}}));
}

TEST_F(ActualizaNetoProveedores, AnAccountWithAnApostropheTakesItsNet)
{
    writeSuppliers({openItem("2110'01", "FCC", "0001-00000005-A", {{"NETO_FTE", number("100")}})});
    run({kProveedores});
    press(&Importar::CmdNETO_FTE_Click);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(rows("SELECT CUENTA, LIVA_IMPNETOGRAV FROM MV_ASIENTOS WHERE SECUENCIA = 1"), (Rows{{"2110'01", "100"}}));
}

class DemoBalances : public Balances {};

TEST_F(DemoBalances, BothEntriesAndTheNetPassTakeTheDemoFolderWithoutABox)
{
    runFixtureScript("../../tools/demo/make_legacy_folder.py", {legacy.path().string()});
    run({kClientes, kProveedores});
    press(&Importar::CmdNETO_FTE_Click);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_TRUE(errorList().empty());
    // Eight customer and six supplier open items, each two lines; the deleted ones are not read.
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS"), 28u);
    // A customer's voucher, and two suppliers' vouchers of one key.
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = '  FC' AND SUCURSAL = '0001' AND NUMERO = '00001234'"), 2u);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = ' FCC' AND SUCURSAL = '0001' AND NUMERO = '00001234'"), 4u);
    EXPECT_EQ(rows("SELECT LIVA_IMPNETOGRAV FROM MV_ASIENTOS WHERE CUENTA = '2110101' AND NUMERO = '00001234'"),
              (Rows{{"10000"}}));
    EXPECT_EQ(rows("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '1120102'").at(0).at(0).substr(0, 20),
              "Distribuidora ONeill");

    run({kClientes, kProveedores});
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS"), 28u);
}

}  // namespace
