// The cheques in portfolio through "Iniciar/Importar": each cheque of CHEQUES becomes a "  CC" voucher with a
// two-line entry, replacing the earlier run's cheques as one transaction, so a run that cannot finish leaves
// the earlier cheques as they were.

#include "tests/importer/movements/MovementFixture.h"
#include "tests/support/LegacyTables.h"

#include "tests/support/LegacyFixtures.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using namespace testing_support;

constexpr std::size_t kCheques = 13;
constexpr std::string_view kNoReemplazados = " - LOS CHEQUES EN CARTERA NO SE REEMPLAZARON";

LegacyRow cheque(std::string_view number, std::string_view bank, std::string_view amount = "100",
                 std::string_view date = "2005-05-02", std::string_view due = "2005-06-01")
{
    return {{"FECH_FTE", testing_support::date(date)},
            {"VENC_FTE", testing_support::date(due)},
            {"IMPO_FTE", testing_support::number(amount)},
            {"CORI_FTE", text(" 2110101 ")},
            {"DESC_FTE", text(" O'Brien ")},
            {"SERI_FTE", text(number)},
            {"PROP_FTE", testing_support::number("true")},
            {"CLEA_FTE", testing_support::number("48")},
            {"BANC_FTE", text(bank)}};
}

class ChequesInPortfolio : public MovementFixture {
protected:
    void SetUp() override
    {
        MovementFixture::SetUp();
        execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, LETRAS, SISTEMA, ES, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, "
                "X_ULTIMO_NRO) VALUES ('  CC', 1, 'X', 'CONTABLE', 'E', 1, 1, 99999999, 0)");
        execute("INSERT INTO MA_SUBDIARIOS (CODIGO) VALUES ('  CC')");
        execute("INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, SUBDIARIO) VALUES ('  CC', '  CC')");
    }

    void write(const std::vector<LegacyRow>& rows)
    {
        LegacyTables().table("CHEQUES", rows).write(legacy.path());
    }

    void importCheques() { run({kCheques}); }

    static std::vector<ColumnValues> lines()
    {
        return records("SELECT * FROM MV_ASIENTOS ORDER BY NUMERO, SECUENCIA");
    }
    static Rows vouchers() { return rows("SELECT NUMERO, SECUENCIA FROM MV_ASIENTOS ORDER BY NUMERO, SECUENCIA"); }
    static Rows state()
    {
        return rows("SELECT (SELECT COUNT(*) FROM MV_ASIENTOS), (SELECT COUNT(*) FROM V_TA_BANCOS), "
                    "(SELECT COUNT(*) FROM MA_CALENDARIO), (SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  CC')");
    }
};

TEST_F(ChequesInPortfolio, EachChequeBecomesATwoLineEntryOfItsOwnVoucher)
{
    write({cheque("10001", "007", "1500.5", "2005-06-30", "2005-07-15"), cheque("10002", "7", "200")});
    importCheques();
    EXPECT_TRUE(prompter.shown().empty());
    const auto written = lines();
    ASSERT_EQ(written.size(), 4u);
    const ColumnValues common{{"TIPO_REG", "  CC"}, {"TC", "  CC"}, {"SUCURSAL", "0001"}, {"LETRA", "X"},
                              {"CABCUENTA", "2110101"}, {"CABNOMBRE", "O'Brien"}, {"CUENTAORIGEN", "2110101"},
                              {"DETALLE", "O'Brien(Migrado Sistema Oracle)"}, {"TRANSMISION", "1"},
                              {"MONEDA", "   1"}, {"ESRESUMEN", "0"}, {"ES_SALDO_APERTURA", "0"},
                              {"USUARIO_LOGEADO", "tester"}};
    for (const ColumnValues& line : written) expectColumns(line, common, "line");
    expectColumns(written[0], {{"NUMERO", "00000001"}, {"SECUENCIA", "1"}, {"CUENTA", "1110102"}, {"IMPORTE", "1500.5"},
                               {"DEBE-HABER", "D"}, {"FECHA", "2005-07-15 00:00:00"},
                               {"FECHASUBDIARIO", "2005-07-15 00:00:00"}, {"VENCIMIENTO", "2005-06-30 00:00:00"},
                               {"MES_OPERATIVO", "7"}, {"PERIODO", "0"}, {"NUMERO ASIENTO", "1"},
                               {"NROCOMPROBANTEBANCARIO", "10001"}, {"CHPROPIO", "1"}, {"CLEARING", "48"},
                               {"IDBANCO", "   7"}, {"ESAJUSTE", "0"}},
                  "cheque 1, line 1");
    expectColumns(written[1], {{"NUMERO", "00000001"}, {"SECUENCIA", "2"}, {"CUENTA", "71104"}, {"IMPORTE", "1500.5"},
                               {"DEBE-HABER", "H"}, {"NUMERO ASIENTO", "1"}, {"NROCOMPROBANTEBANCARIO", "NULL"},
                               {"CHPROPIO", "NULL"}, {"CLEARING", "NULL"}, {"IDBANCO", "NULL"}, {"ESAJUSTE", "1"}},
                  "cheque 1, line 2");
    expectColumns(written[2], {{"NUMERO", "00000002"}, {"MES_OPERATIVO", "6"}, {"PERIODO", "0"}, {"IDBANCO", "   7"}},
                  "cheque 2, line 1");
    EXPECT_EQ(rows("SELECT IDBANCO, DESCRIPCION FROM V_TA_BANCOS"), (Rows{{"   7", "Alta automatica"}}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM MA_CALENDARIO WHERE FECHA = '2005-06-30 00:00:00'"), (Rows{{"1"}}));
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kCheques) + " ---> FINALIZADO");
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" ---> FINALIZADO"));
}

TEST_F(ChequesInPortfolio, ASecondRunReplacesTheFirstWithNumbersAfterIts)
{
    write({cheque("1", "7"), cheque("2", "150")});
    importCheques();
    importCheques();
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(vouchers(), (Rows{{"00000003", "1"}, {"00000003", "2"}, {"00000004", "1"}, {"00000004", "2"}}));
    EXPECT_EQ(rows("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  CC'"), (Rows{{"5"}}));
}

TEST_F(ChequesInPortfolio, AnEmptyTableRemovesTheEarlierCheques)
{
    write({cheque("1", "7")});
    importCheques();
    write({});
    importCheques();
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kCheques) + " ---> FINALIZADO");
}

TEST_F(ChequesInPortfolio, AMissingTableRemovesNothing)
{
    write({cheque("1", "7")});
    importCheques();
    const Rows before = state();
    std::filesystem::remove(legacy.path() / "CHEQUES.DBF");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (-2147217865) Invalid object name 'CHEQUES'"),
                           ui::vbAbortRetryIgnore | ui::vbCritical, "Recordset - AbrirRecordset Aviso al operador!!! ",
                           ui::vbAbort);
    importCheques();
    EXPECT_EQ(state(), before);
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kCheques) + " ---> ERROR");
}

TEST_F(ChequesInPortfolio, ARunThatCannotFinishLeavesTheEarlierChequesAsTheyWere)
{
    enum class Fault { BadBank, Refused, Cancel };
    struct Case {
        const char* what;
        Fault fault;
        const char* bank;  // of the second cheque
        const char* lblTablaEnd;
    };
    const std::vector<Case> cases{
        {"a bank code that is no number", Fault::BadBank, "B1", " ---> DETENIDO"},
        {"a bank code of five digits", Fault::BadBank, "12345", " ---> DETENIDO"},
        {"a cancel", Fault::Cancel, "10", " ---> CANCELADO "},
        {"a line the database refuses", Fault::Refused, "10", " ---> DETENIDO"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        execute("DELETE FROM MV_ASIENTOS");
        execute("DELETE FROM V_TA_BANCOS");
        execute("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 0 WHERE CODIGO = '  CC'");
        write({cheque("A1", "7"), cheque("A2", "8")});
        importCheques();
        const Rows before = state();
        write({cheque("B0", "9"), cheque("B1", c.bank), cheque("B2", "11")});
        switch (c.fault) {
        case Fault::BadBank:
            prompter.expectMessage(fmt::format("Ha ocurrido el Siguiente Error (0) Tabla CHEQUES, registro 2: el código de "
                                               "banco \"{}\" no es un número de hasta cuatro cifras",
                                               c.bank),
                                   ui::vbOKOnly | ui::vbCritical, "Migrador", ui::vbOK);
            break;
        case Fault::Refused:
            refuse("MV_ASIENTOS", "NROCOMPROBANTEBANCARIO", "B1");
            prompter.expectMessage(ui::startsWith("Tabla CHEQUES, registro 2, cheque B1: 50000 : "),
                                   ui::vbCritical | ui::vbOKOnly, "Aviso al Operador!", ui::vbOK);
            break;
        case Fault::Cancel:
            pump.at(pump.calls() + 2, [this] { window.CmdCancelar_Click(); });
            break;
        }
        importCheques();
        EXPECT_EQ(state(), before);
        EXPECT_EQ(rows("SELECT DISTINCT NROCOMPROBANTEBANCARIO FROM MV_ASIENTOS WHERE SECUENCIA = 1 ORDER BY 1"),
                  (Rows{{"A1"}, {"A2"}}));
        EXPECT_TRUE(window.LblDetalle.caption.ends_with(kNoReemplazados)) << window.LblDetalle.caption;
        EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kCheques) + c.lblTablaEnd);
    }
}

TEST_F(ChequesInPortfolio, TheEntryIsNumberedInTheDueMonthOfTheChequesPeriod)
{
    // Entries of another task in the "  CC" register: the due month of period 0, the cheque's own month, and
    // the due month of period 1.
    storeEntry(7, 0, "  CC", 5);
    storeEntry(6, 0, "  CC", 40);
    storeEntry(7, 1, "  CC", 80);
    write({cheque("10001", "7", "100", "2005-06-30", "2005-07-15")});
    importCheques();
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(rows("SELECT SECUENCIA, MES_OPERATIVO, PERIODO, [NUMERO ASIENTO] FROM MV_ASIENTOS WHERE TC = '  CC' "
                   "ORDER BY SECUENCIA"),
              (Rows{{"1", "7", "0", "6"}, {"2", "7", "0", "6"}}));
}

TEST_F(ChequesInPortfolio, AnEmptyAccountBoxIsSaidBeforeAnythingIsRemoved)
{
    write({cheque("1", "7")});
    importCheques();
    const Rows before = state();
    window.txtFields[2].text = "  ";
    prompter.expectMessage("Falta la cuenta de cheques en cartera o la cuenta de ajuste de cheques: no se importan los cheques",
                           ui::vbOKOnly | ui::vbExclamation, "Migrador", ui::vbOK);
    importCheques();
    EXPECT_EQ(state(), before);
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kCheques) + " ---> ERROR");
}

TEST_F(ChequesInPortfolio, TheDemoFolderGoesThroughTheEntryWithoutABox)
{
    const std::filesystem::path script =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "tools/demo/erp-demo-data.sql";
    std::ifstream in(script, std::ios::binary);
    ASSERT_TRUE(in) << script;
    execute(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    runFixtureScript("../../tools/demo/make_legacy_folder.py", {legacy.path().string()});
    importCheques();
    EXPECT_TRUE(prompter.shown().empty());
    // Five cheques less the deleted one; banks "007" and "7" are one bank.
    EXPECT_EQ(rows("SELECT COUNT(*), COUNT(DISTINCT NUMERO) FROM MV_ASIENTOS WHERE TC = '  CC'"), (Rows{{"8", "4"}}));
    EXPECT_EQ(rows("SELECT IDBANCO FROM V_TA_BANCOS ORDER BY IDBANCO"), (Rows{{"   7"}, {" 150"}}));
    EXPECT_EQ(rows("SELECT CABNOMBRE FROM MV_ASIENTOS WHERE NROCOMPROBANTEBANCARIO = '20002'"), (Rows{{"O'Brien Hnos."}}));
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kCheques) + " ---> FINALIZADO");
}

}  // namespace
