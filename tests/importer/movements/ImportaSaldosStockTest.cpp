// The stock balances through "Iniciar/Importar": SALDOSTK becomes one "  SI" voucher whose lines, number
// and booklet advance are written whole or not at all (cancel, a refused line, an unknown article, an
// unreadable record, a missing booklet), and never twice. A refusal is told in one box and listed.

#include "tests/importer/movements/MovementFixture.h"
#include "tests/support/LegacyTables.h"

#include <filesystem>

namespace {

using namespace testing_support;

constexpr std::size_t kSaldosStock = 18;
constexpr std::string_view kNoGrabado = " - EL SALDO INICIAL DE STOCK NO SE GRABO";

LegacyRow balance(std::string_view code, std::string_view quantity, std::string_view unit = "UN",
                  std::string_view warehouse = "1")
{
    return {{"CODI_FTE", text(code)},
            {"DESC_FTE", text(fmt::format("Artículo {}", code))},
            {"UNID_FTE", text(unit)},
            {"CANT_FTE", number(quantity)},
            {"DEPO_FTE", text(warehouse)}};
}

std::string padded(std::string_view code, std::size_t width = 25)
{
    return std::string(width - code.size(), ' ') + std::string(code);
}

class StockBalances : public MovementFixture {
protected:
    void SetUp() override
    {
        MovementFixture::SetUp();
        execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, LETRAS, SISTEMA, ES, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, "
                "X_ULTIMO_NRO) VALUES ('  SI', 1, 'X', 'STOCK', 'E', 1, 1, 99999999, 0)");
        for (std::string_view code : {"1001", "1002", "1003", "123", "D'1"})
            execute(fmt::format("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('{}', 'A', '  UN')",
                                quoted(padded(code))));
    }

    void write(const std::vector<LegacyRow>& rows, std::vector<int> deleted = {})
    {
        LegacyTables().table("SALDOSTK", rows, std::move(deleted)).write(legacy.path());
    }

    void importBalances() { run({kSaldosStock}); }

    static std::vector<ColumnValues> lines() { return records("SELECT * FROM V_MV_STOCK ORDER BY SECUENCIA"); }
    static std::string booklet() { return rows("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  SI'").at(0).at(0); }
    static Rows usedNumbers() { return rows("SELECT TC, SUCURSAL, NUMERO, LETRA FROM V_MV_CTROL_CPTE"); }

    // What refused the voucher is the error list's one row, as its box said it.
    void expectListed(std::string_view start)
    {
        const auto listed = errorList();
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0].first, "1");
        EXPECT_TRUE(listed[0].second.starts_with(start)) << listed[0].second;
    }

    // Nothing of the voucher is written and its number stays free.
    void expectNothingWritten()
    {
        EXPECT_TRUE(lines().empty());
        EXPECT_EQ(booklet(), "0");
        EXPECT_TRUE(usedNumbers().empty());
    }
};

TEST_F(StockBalances, TheNonZeroBalancesBecomeTheLinesOfOneVoucher)
{
    write({balance("1001", "5"), balance("1002", "0"), balance("1003", "-2.5"), balance("1001", "9")}, {3});
    importBalances();
    EXPECT_TRUE(prompter.shown().empty());
    const auto written = lines();
    ASSERT_EQ(written.size(), 2u);
    const ColumnValues common{{"TC", "  SI"},          {"IDCOMPROBANTE", "000100000001X"},
                              {"FECHA", "2005-08-15 00:00:00"}, {"IDUNIDAD", "  UN"},
                              {"IDUNIDADBASE", "  UN"},  {"IDDEPOSITO", "   1"},
                              {"REVISADO", "0"},         {"ANULADO", "0"},
                              {"USUARIO", "tester"}};
    expectColumns(written[0], common, "line 1");
    expectColumns(written[1], common, "line 2");
    expectColumns(written[0], {{"SECUENCIA", "1"}, {"IDARTICULO", padded("1001")}, {"CANTIDAD", "5"}, {"CANTIDADUD", "5"},
                               {"DESCRIPCION", "Artículo 1001"}},
                  "line 1");
    expectColumns(written[1], {{"SECUENCIA", "2"}, {"IDARTICULO", padded("1003")}, {"CANTIDAD", "-2.5"}, {"CANTIDADUD", "-2.5"}},
                  "line 2");
    // The number once, as used.
    EXPECT_EQ(booklet(), "2");
    EXPECT_EQ(usedNumbers(), (Rows{{"  SI", "0001", "00000001", "X"}}));
    EXPECT_EQ(labels.front(), "Procesando Registro 1");
    EXPECT_EQ(window.LblDetalle.caption, "Procesando Registro 3 FINALIZADO ");
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kSaldosStock));
}

TEST_F(StockBalances, UnitsCodesAndWarehousesArePaddedAsTheErpKeepsThem)
{
    struct Case {
        std::string code, unit, warehouse, idUnidad, idArticulo, idDeposito;
    };
    const std::vector<Case> cases{
        {"1001", "kg", "1", "  kg", padded("1001"), "   1"},
        {"1002", " KG ", "12", "  KG", padded("1002"), "  12"},
        {"1003", "LT", "CD61", "  UN", padded("1003"), "CD61"},
        {"123", "", " 3", "  UN", padded("123"), "   3"},
        {"D'1", "UN", "1", "  UN", padded("D'1"), "   1"},
    };
    std::vector<LegacyRow> source;
    for (const Case& c : cases) source.push_back(balance(c.code, "1", c.unit, c.warehouse));
    write(source);
    importBalances();
    EXPECT_TRUE(prompter.shown().empty());
    const auto written = lines();
    ASSERT_EQ(written.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        expectColumns(written[i],
                      {{"IDUNIDAD", c.idUnidad}, {"IDUNIDADBASE", c.idUnidad},
                       {"IDARTICULO", c.idArticulo}, {"IDDEPOSITO", c.idDeposito}},
                      c.code);
    }
}

TEST_F(StockBalances, AnEmptySourceOrOnlyZerosWriteNothingAndLeaveTheNumberFree)
{
    for (const std::vector<LegacyRow>& source : {std::vector<LegacyRow>{}, {balance("1001", "0"), balance("1002", "0")}}) {
        write(source);
        importBalances();
        EXPECT_TRUE(prompter.shown().empty());
        expectNothingWritten();
        EXPECT_TRUE(window.LblDetalle.caption.ends_with(" FINALIZADO ")) << window.LblDetalle.caption;
    }
    write({balance("1001", "1")});
    importBalances();
    EXPECT_EQ(lines().at(0).at("IDCOMPROBANTE"), "000100000001X");
}

TEST_F(StockBalances, WithoutABookletNothingIsReadOrWritten)
{
    execute("DELETE FROM V_TA_CPTE WHERE CODIGO = '  SI'");
    write({balance("1001", "5")});
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (50001) Debe configurar la numeraci"),
                           ui::vbAbortRetryIgnore | ui::vbCritical, " - Obtener_Nro_Comprobante_Contable Aviso al operador!!! ",
                           ui::vbAbort);
    importBalances();
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(usedNumbers().empty());
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kSaldosStock) + " ---> ERROR");
    for (const std::string& label : labels) EXPECT_FALSE(label.starts_with("Procesando")) << label;
}

TEST_F(StockBalances, ACancelLeavesNoLineAndTheBookletAsItWas)
{
    write({balance("1001", "5"), balance("1002", "3"), balance("1003", "1")});
    pump.at(2, [this] { window.CmdCancelar_Click(); });
    importBalances();
    EXPECT_TRUE(prompter.shown().empty());
    expectNothingWritten();
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO" + std::string(kNoGrabado));
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kSaldosStock) + " ---> CANCELADO ");
}

TEST_F(StockBalances, ALineTheDatabaseRefusesUndoesTheVoucherAndIsNamed)
{
    write({balance("1001", "5"), balance("1002", "3"), balance("1003", "1")});
    refuse("V_MV_STOCK", "DESCRIPCION", "Artículo 1003");
    prompter.expectMessage(ui::startsWith("Tabla SALDOSTK, registro 3, artículo 1003, depósito 1: 50000 : "),
                           ui::vbCritical | ui::vbOKOnly, "Aviso al Operador!", ui::vbOK);
    importBalances();
    expectNothingWritten();
    EXPECT_EQ(rows("SELECT COUNT(*) FROM AUX_ERR"), (Rows{{"1"}}));
    expectListed("Tabla SALDOSTK, registro 3, artículo 1003, depósito 1: 50000 : ");
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(kNoGrabado)) << window.LblDetalle.caption;
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kSaldosStock) + " ---> DETENIDO");
}

TEST_F(StockBalances, ANumberThatCannotBeRecordedUndoesTheVoucher)
{
    write({balance("1001", "5"), balance("1002", "3")});
    refuse("V_MV_CTROL_CPTE", "NUMERO", "00000001");
    prompter.expectMessage(ui::startsWith("Número 000100000001X de SI: 50000 : "), ui::vbCritical | ui::vbOKOnly,
                           "Aviso al Operador!", ui::vbOK);
    importBalances();
    expectNothingWritten();
    expectListed("Número 000100000001X de SI: 50000 : ");
    EXPECT_EQ(window.LblDetalle.caption, "Procesando Registro 2" + std::string(kNoGrabado));
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kSaldosStock) + " ---> DETENIDO");
}

TEST_F(StockBalances, AnArticleTheErpLacksRefusesTheVoucherUntilTheMasterHasIt)
{
    write({balance("1001", "5"), balance("ZZ9", "3"), balance("1003", "1")});
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (0) Tabla SALDOSTK, registro 2, artículo ZZ9, "
                                          "depósito 1: el artículo no existe"),
                           ui::vbOKOnly | ui::vbCritical, "Migrador", ui::vbOK);
    importBalances();
    expectNothingWritten();
    EXPECT_EQ(rows("SELECT COUNT(*) FROM AUX_ERR"), (Rows{{"1"}}));
    EXPECT_NE(errorLog().find("ZZ9"), std::string::npos);
    expectListed("Tabla SALDOSTK, registro 2, artículo ZZ9, depósito 1: el artículo no existe");

    execute(fmt::format("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('{}', 'Z', '  UN')", padded("ZZ9")));
    importBalances();
    EXPECT_EQ(rows("SELECT SECUENCIA, LTRIM(IDARTICULO) FROM V_MV_STOCK ORDER BY SECUENCIA"),
              (Rows{{"1", "1001"}, {"2", "ZZ9"}, {"3", "1003"}}));
    EXPECT_EQ(booklet(), "2");
}

TEST_F(StockBalances, ASecondRunFindsTheOpeningAndWritesNothing)
{
    write({balance("1001", "5")});
    importBalances();
    ASSERT_EQ(lines().size(), 1u);
    prompter.expectMessage("Los movimientos de stock ya tienen un saldo inicial (SI): no se graba otro",
                           ui::vbOKOnly | ui::vbExclamation, "Migrador", ui::vbOK);
    importBalances();
    EXPECT_EQ(lines().size(), 1u);
    EXPECT_EQ(booklet(), "2");
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kSaldosStock) + " ---> ERROR");
}

TEST_F(StockBalances, AMissingTableIsToldAndNothingWritten)
{
    write({balance("1001", "5")});
    std::filesystem::remove(legacy.path() / "SALDOSTK.DBF");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (-2147217865) Invalid object name 'SALDOSTK'"),
                           ui::vbAbortRetryIgnore | ui::vbCritical, "Recordset - AbrirRecordset Aviso al operador!!! ",
                           ui::vbAbort);
    importBalances();
    expectNothingWritten();
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kSaldosStock) + " ---> ERROR");
}

TEST_F(StockBalances, AnUnreadableQuantityIsNamedAndTheVoucherUndone)
{
    write({balance("1001", "5"), with(balance("1002", "1"), {{"CANT_FTE", null()}})});
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (13) Tabla SALDOSTK, registro 2, campo Cant_fte"),
                           ui::vbOKOnly | ui::vbCritical, "Migrador", ui::vbOK);
    importBalances();
    expectNothingWritten();
    expectListed("Tabla SALDOSTK, registro 2, campo Cant_fte");
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kSaldosStock) + " ---> DETENIDO");
}

TEST_F(StockBalances, AWarehouseTooWideIsRefusedNeverCut)
{
    write({balance("1003", "2"), balance("1001", "1", "UN", "12345")});
    // One box, the voucher's, which names the record; one error row and one list row.
    prompter.expectMessage(ui::startsWith("Tabla SALDOSTK, registro 2, artículo 1001, depósito 12345: 8152 : "),
                           ui::vbCritical | ui::vbOKOnly, "Aviso al Operador!", ui::vbOK);
    importBalances();
    expectNothingWritten();
    EXPECT_EQ(rows("SELECT COUNT(*) FROM AUX_ERR"), (Rows{{"1"}}));
    expectListed("Tabla SALDOSTK, registro 2, artículo 1001, depósito 12345: 8152 : ");
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kSaldosStock) + " ---> DETENIDO");
}

}  // namespace
