// The stock history through "Iniciar/Importar": each record of VENTAS, COMPRAS or MOVSTK becomes one row of
// V_MV_STOCKHIS in a transaction of its own, with its sign, voucher id, account, unit and net price as the
// legacy system meant them; unreadable records and rows the database refuses are named and counted, the run
// goes on, and one box at the end counts them.

#include "tests/importer/movements/MovementFixture.h"
#include "tests/support/LegacyFixtures.h"
#include "tests/support/LegacyTables.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using namespace testing_support;

constexpr std::size_t kVentas = 15, kCompras = 16, kVarios = 17, kSaldosStock = 18;

LegacyRow movement(std::string_view kind, std::string_view voucher, std::string_view article, std::string_view quantity,
                   const LegacyRow& changes = {})
{
    return with({{"FECH_FTE", date("2005-03-14")},
                 {"TC_FTE", text(kind)},
                 {"IDCO_FTE", text(voucher)},
                 {"CCLI_FTE", text("2110101")},
                 {"SECU_FTE", number("1")},
                 {"CODI_FTE", text(article)},
                 {"UNID_FTE", text("UN")},
                 {"CANT_FTE", number(quantity)},
                 {"DEPO_FTE", text("1")},
                 {"COST_FTE", number("10.5")},
                 {"ALIC_FTE", number("1.21")},
                 {"PVEN_FTE", number("121")},
                 {"UNNE_FTE", text("1")},
                 {"IDMO_FTE", text("3")}},
                changes);
}

std::string padded(std::string_view code, std::size_t width = 25)
{
    return std::string(width - code.size(), ' ') + std::string(code);
}

class StockHistory : public MovementFixture {
protected:
    void SetUp() override
    {
        MovementFixture::SetUp();
        execute(fmt::format("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('{}', "
                            "'  Tornillo D''Ale  ', '  UN')",
                            padded("1001")));
    }

    void write(std::string_view table, const std::vector<LegacyRow>& rows, std::vector<int> deleted = {})
    {
        LegacyTables().table(std::string(table), rows, std::move(deleted)).write(legacy.path());
    }

    static std::vector<ColumnValues> history() { return records("SELECT * FROM V_MV_STOCKHIS ORDER BY ID"); }

    // The box that counts the records of `table` not written.
    void expectEndBox(std::string_view table, std::size_t count)
    {
        const std::string text = count == 1 ? fmt::format("1 registro de {} no se importó", table)
                                            : fmt::format("{} registros de {} no se importaron", count, table);
        prompter.expectMessage(ui::startsWith(text),
                               ui::vbOKOnly | ui::vbExclamation, "Migrador", ui::vbOK);
    }
};

TEST_F(StockHistory, EachTableWritesItsRowsWithTheSignOfTheirKind)
{
    struct Entry {
        std::size_t entry;
        std::string table, clasePrecio;
    };
    const std::vector<Entry> entries{{kVentas, "VENTAS", "4"}, {kCompras, "COMPRAS", "1"}, {kVarios, "MOVSTK", "0"}};
    // Kind as stored in C(3), the sign it gives.
    const std::vector<std::pair<std::string, std::string>> kinds{
        {"NC", "2"}, {"nc", "2"}, {"NC ", "2"}, {" NC", "2"}, {"FC", "-2"}, {"ND", "-2"}, {"", "-2"}};
    for (const Entry& e : entries) {
        std::vector<LegacyRow> rows;
        for (const auto& [kind, sign] : kinds) rows.push_back(movement(kind, "0001-00000001", "1001", "2"));
        write(e.table, rows);
        execute("DELETE FROM V_MV_STOCKHIS");
        run({e.entry});
        EXPECT_TRUE(prompter.shown().empty());
        const auto written = history();
        ASSERT_EQ(written.size(), kinds.size()) << e.table;
        for (std::size_t i = 0; i < kinds.size(); ++i)
            expectColumns(written[i],
                          {{"CANTIDAD", kinds[i].second}, {"CANTIDADUD", kinds[i].second}, {"CLASEPRECIO", e.clasePrecio},
                           {"TC", base::rightTrim(padded(base::trim(kinds[i].first), 4))}},
                          e.table + " '" + kinds[i].first + "'");
        EXPECT_TRUE(window.LblDetalle.caption.ends_with(" FINALIZADO ")) << window.LblDetalle.caption;
    }
}

TEST_F(StockHistory, TheRowCarriesTheLegacyValuesAsTheErpKeepsThem)
{
    write("VENTAS", {movement("FC", "0001-00001234", "1001", "5",
                              {{"CCLI_FTE", text("2110101/3")}, {"UNID_FTE", text(" kg ")}, {"SECU_FTE", number("7")}})});
    run({kVentas});
    EXPECT_TRUE(prompter.shown().empty());
    const auto written = history();
    ASSERT_EQ(written.size(), 1u);
    expectColumns(written[0], {{"TC", "  FC"},
                               {"IDCOMPROBANTE", "000100001234X"},
                               {"CUENTAPROVEEDOR", "2110101"},
                               {"SECUENCIA", "7"},
                               {"FECHA", "2005-03-14 00:00:00"},
                               {"IDARTICULO", padded("1001")},
                               {"DESCRIPCION", "Tornillo D'Ale"},
                               {"IDUNIDAD", "  kg"},
                               {"IDUNIDADBASE", "  kg"},
                               {"CANTIDAD", "-5"},
                               {"IDCAJA", "   1"},
                               {"IDDEPOSITO", "   1"},
                               {"COSTO", "10.5"},
                               {"IVARI", "1.21"},
                               {"PRECIOVENTA", "121"},
                               {"IMPORTE_S_IVA", "100"},
                               {"UNEGOCIO", "   1"},
                               {"IDMOTIVOSTOCK", "   3"},
                               {"TRANSMISION", "4"},
                               {"REVISADO", "0"},
                               {"ANULADO", "0"},
                               {"USUARIO", "tester"}},
                  "the sale");
    EXPECT_TRUE(labels.front().starts_with("14/03/2005Leidos 1 Grabados:0 Errores: 0\r\n Inicio: ")) << labels.front();
}

TEST_F(StockHistory, VoucherIdsAccountsUnitsAndNetPricesFollowTheLegacyForms)
{
    struct Case {
        std::string number, account, unit, vat, idComprobante, cuenta, idUnidad, sinIva;
    };
    const std::vector<Case> cases{
        {"0001-00001234", "2110101/3", "KG", "1.21", "000100001234X", "2110101", "  KG", "100"},
        {"0001-00001234A", " 123 ", "kg", "0", "000100001234A", "123", "  kg", "121"},
        {"0001-00001234b", "1/2/3", "LT", "", "000100001234b", "1", "  UN", "121"},
        {"0001-0001234  ", "", "", "1.21", "00010001234X", "", "  UN", "100"},
        {"", "2110101", "UN", "1.21", "", "2110101", "  UN", "100"},
        {"00011234r", "2110101", "UN", "1.21", "00011234r", "2110101", "  UN", "100"},
    };
    std::vector<LegacyRow> rows;
    for (const Case& c : cases)
        rows.push_back(movement("FC", c.number, "1001", "1",
                                {{"CCLI_FTE", text(c.account)},
                                 {"UNID_FTE", text(c.unit)},
                                 {"ALIC_FTE", c.vat.empty() ? null() : number(c.vat)}}));
    write("VENTAS", rows);
    run({kVentas});
    EXPECT_TRUE(prompter.shown().empty());
    const auto written = history();
    ASSERT_EQ(written.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        expectColumns(written[i],
                      {{"IDCOMPROBANTE", c.idComprobante}, {"CUENTAPROVEEDOR", c.cuenta}, {"IDUNIDAD", c.idUnidad},
                       {"IMPORTE_S_IVA", c.sinIva}},
                      "'" + c.number + "'");
    }
}

TEST_F(StockHistory, AnUnknownArticleIsWrittenWithItsCodeAsDescription)
{
    write("COMPRAS", {movement("FC", "0001-00000001", " X-99 ", "1")});
    run({kCompras});
    EXPECT_TRUE(prompter.shown().empty());
    const auto written = history();
    ASSERT_EQ(written.size(), 1u);
    expectColumns(written[0], {{"IDARTICULO", padded("X-99")}, {"DESCRIPCION", "X-99"}}, "unknown article");
}

TEST_F(StockHistory, UnreadableRecordsAndRefusedRowsAreNamedCountedAndPassedOver)
{
    write("VENTAS", {movement("FC", "0001-00000001", "1001", "1", {{"FECH_FTE", null()}}),
                     movement("FC", "0001-00000002", "1001", "2"),
                     movement("FC", "0001-00000003", "", "3"),
                     movement("FC", "0001-00000004", "1001", "", {{"CANT_FTE", null()}}),
                     movement("FC", "00001-000012345", "1001", "5"),
                     movement("FC", "0001-00000006", std::string(26, '9'), "6"),
                     movement("FC", "0001-00000007", "1001", "7")});
    expectEndBox("VENTAS", 5);
    run({kVentas});
    EXPECT_EQ(rows("SELECT IDCOMPROBANTE, CAST(CANTIDAD AS float) FROM V_MV_STOCKHIS ORDER BY ID"),
              (Rows{{"000100000002X", "-2"}, {"000100000007X", "-7"}}));
    const auto listed = errorList();
    ASSERT_EQ(listed.size(), 5u);
    const std::vector<std::string> named{"registro 1, campo FECH_FTE", "registro 3, campo Codi_fte",
                                         "registro 4, campo Cant_fte", "registro 5: 8152", "registro 6: 8152"};
    for (std::size_t i = 0; i < named.size(); ++i) {
        EXPECT_EQ(listed[i].first, std::to_string(i + 1));
        EXPECT_NE(listed[i].second.find(named[i]), std::string::npos) << listed[i].second;
        EXPECT_NE(errorLog().find(named[i]), std::string::npos) << named[i];
    }
    EXPECT_NE(window.Text1.text.find("8152"), std::string::npos) << window.Text1.text;
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" FINALIZADO ")) << window.LblDetalle.caption;
    EXPECT_NE(window.LblDetalle.caption.find("Leidos 7 Grabados:1 Errores: 5"), std::string::npos)
        << window.LblDetalle.caption;
}

TEST_F(StockHistory, AReferenceTheRowBreaksLeavesItsDescriptionAloneInText1)
{
    // This history checks its accounts against the chart of accounts.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2((folder.path() / "EMPRESA.sqlite").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    const int made = sqlite3_exec(db,
                                  "DROP TABLE V_MV_STOCKHIS; CREATE TABLE V_MV_STOCKHIS (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                                  "TC char(4), IDCOMPROBANTE char(13), CUENTAPROVEEDOR varchar(15) REFERENCES MA_CUENTAS "
                                  "(CODIGO), SECUENCIA int, FECHA datetime, IDARTICULO char(25), DESCRIPCION varchar(100), "
                                  "IDUNIDAD char(4), IDUNIDADBASE char(4), CANTIDAD decimal(18,4), CANTIDADUD decimal(18,4), "
                                  "CLASEPRECIO int, IDCAJA char(4), IDDEPOSITO char(4), COSTO decimal(18,4), IVARI "
                                  "decimal(18,4), PRECIOVENTA decimal(18,4), IMPORTE_S_IVA decimal(18,4), UNEGOCIO char(4), "
                                  "IDMOTIVOSTOCK char(4), TRANSMISION int, REVISADO bit, ANULADO bit, USUARIO varchar(128))",
                                  nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(made, SQLITE_OK);
    execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('2110101', 'Proveedores')");
    write("VENTAS", {movement("FC", "0001-00000001", "1001", "1", {{"CCLI_FTE", text("999/1")}}),
                     movement("FC", "0001-00000002", "1001", "2")});
    expectEndBox("VENTAS", 1);
    run({kVentas});
    EXPECT_EQ(rows("SELECT IDCOMPROBANTE FROM V_MV_STOCKHIS"), (Rows{{"000100000002X"}}));
    EXPECT_FALSE(window.Text1.text.empty());
    EXPECT_EQ(window.Text1.text.find("547 : "), std::string::npos) << window.Text1.text;
    ASSERT_EQ(errorList().size(), 1u);
}

TEST_F(StockHistory, ACancelEndsTheRunAfterTheRecordInHand)
{
    write("MOVSTK", {movement("AJ", "1", "1001", "1"), movement("AJ", "2", "1001", "2"), movement("AJ", "3", "1001", "3")});
    pump.at(1, [this] { window.CmdCancelar_Click(); });
    run({kVarios});
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(history().size(), 1u);
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kVarios) + " ---> CANCELADO ");
}

TEST_F(StockHistory, AMissingTableIsToldAndNothingWritten)
{
    write("VENTAS", {movement("FC", "1", "1001", "1")});
    std::filesystem::remove(legacy.path() / "VENTAS.DBF");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (-2147217865) Invalid object name 'VENTAS'"),
                           ui::vbAbortRetryIgnore | ui::vbCritical, "Recordset - AbrirRecordset Aviso al operador!!! ",
                           ui::vbAbort);
    run({kVentas});
    EXPECT_TRUE(history().empty());
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kVentas) + " ---> ERROR");
}

TEST_F(StockHistory, TheDemoFolderGoesThroughTheFourStockEntriesWithoutABox)
{
    const std::filesystem::path script =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "tools/demo/erp-demo-data.sql";
    std::ifstream in(script, std::ios::binary);
    ASSERT_TRUE(in) << script;
    execute(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    runFixtureScript("../../tools/demo/make_legacy_folder.py", {legacy.path().string()});
    run({kVentas, kCompras, kVarios, kSaldosStock});
    EXPECT_TRUE(prompter.shown().empty());
    // Seven sales less the deleted one, three purchases, two other movements.
    EXPECT_EQ(rows("SELECT CLASEPRECIO, COUNT(*) FROM V_MV_STOCKHIS GROUP BY CLASEPRECIO ORDER BY CLASEPRECIO"),
              (Rows{{"0", "2"}, {"1", "3"}, {"4", "6"}}));
    EXPECT_EQ(rows("SELECT DESCRIPCION FROM V_MV_STOCKHIS WHERE IDARTICULO = '" + padded("X-99") + "'"), (Rows{{"X-99"}}));
    // Seven balances less the zero and the deleted one, under one number.
    EXPECT_EQ(rows("SELECT COUNT(*), COUNT(DISTINCT IDCOMPROBANTE), MAX(SECUENCIA) FROM V_MV_STOCK WHERE TC = '  SI'"),
              (Rows{{"6", "1", "6"}}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM V_MV_CTROL_CPTE WHERE TC = '  SI'"), (Rows{{"1"}}));
}

}  // namespace
