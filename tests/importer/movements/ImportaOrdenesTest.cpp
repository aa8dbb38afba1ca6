// The purchase-order import as a whole: the order of its phases, what ends it, the counters and progress
// texts they share, ambiguous order numbers, records the operator passes over, bad legacy files and the
// demo folder.

#include "tests/importer/movements/PurchaseOrderFixture.h"
#include "tests/support/LegacyFixtures.h"

#include <fstream>
#include <iterator>

namespace {

using namespace testing_support;

const std::string kBoxTitle = "Migrador";  // the common error dialog shows the program's title

class OrderImport : public PurchaseOrders {
protected:
    void SetUp() override
    {
        PurchaseOrders::SetUp();
        execute("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('" + article("1001") +
                "', 'Tornillo', '  UN')");
    }

    // The offset in the DBF file of a field of a record (0 for the first), from the file's own header.
    static std::uint64_t fieldOffset(const std::string& bytes, std::string_view name, int record)
    {
        const auto u16 = [&](std::size_t at) {
            return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) |
                   static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8;
        };
        const unsigned headerLength = u16(8), recordLength = u16(10);
        unsigned offset = 1;  // the deletion flag
        for (std::size_t at = 32; bytes[at] != '\x0d'; at += 32) {
            const std::string field(bytes.c_str() + at);
            if (base::equalsIgnoringCase(field.substr(0, 11), name))
                return headerLength + std::uint64_t{recordLength} * static_cast<unsigned>(record) + offset;
            offset += static_cast<unsigned char>(bytes[at + 16]);
        }
        ADD_FAILURE() << "no field " << name;
        return 0;
    }
};

TEST_F(OrderImport, AmbiguousNumbersAreReportedNeverMerged)
{
    write({order("1", "23", {{"CODP_FOC", text("300")}, {"NOMB_FOC", text("Primera")}}),
           order("12", "3", {{"CODP_FOC", text("305")}, {"NOMB_FOC", text("Segunda")}}),
           order("1", "23", {{"CODP_FOC", text("78")}, {"NOMB_FOC", text("Mismo par, otro proveedor")}}),
           order("12345678", "9")},
          {orderLine("1", "23", {{"CODP_FOD", text("300")}}), orderLine("12", "3", {{"CODP_FOD", text("305")}}),
           orderLine("12345678", "9")});
    expectNotImported("3 órdenes de FORCOMPR y 2 renglones de FDEORCOM no se importaron.");
    importOrders();
    const auto written = headers();
    ASSERT_EQ(written.size(), 1u);
    expectColumns(written.begin()->second, {{"IDCOMPROBANTE", "000100000123C"}, {"NOMBRE", "Primera"}, {"CUENTA", "2110101300"}},
                  "the first order");
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0]["CUENTA"], "2110101300");

    const auto listed = errorList();
    ASSERT_EQ(listed.size(), 5u);
    const std::vector<std::string> expected{
        "Orden 12/3 del proveedor 2110101305: su comprobante 000100000123C es ya el de la orden 1/23 del proveedor "
        "2110101300; no se importa",
        "Orden 1/23 del proveedor 211010178: su comprobante 000100000123C es ya el de la orden 1/23 del proveedor "
        "2110101300; no se importa",
        "Orden 12345678/9 del proveedor 2110101123: el número 123456789 tiene más de ocho cifras; no se importa",
        "Renglón 1001 de la orden 12/3 del proveedor 2110101305: su comprobante 000100000123C es el de la orden 1/23 "
        "del proveedor 2110101300; no se importa",
        "Renglón 1001: Orden 12345678/9 del proveedor 2110101123: el número 123456789 tiene más de ocho cifras; no se "
        "importa"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(listed[i].first, std::to_string(i + 1));
        EXPECT_EQ(listed[i].second, expected[i]);
        EXPECT_NE(errorLog().find(expected[i]), std::string::npos) << expected[i];
    }
    EXPECT_EQ(window.MSFlexGrid1.topRow(), window.MSFlexGrid1.rows() - 1);
    EXPECT_EQ(lastCounters(), "Leidos 6\r\nGrabados:2\r\nErrores: 4");
}

TEST_F(OrderImport, AnEmptyTotalAnsweredIgnorePassesTheOrderOverWhole)
{
    write({order("1", "1"), order("2", "1", {{"TTOT_FOC", null()}}), order("3", "1")}, {orderLine("2", "1")});
    const std::string message =
        "Ha ocurrido el Siguiente Error (13) Tabla FORCOMPR, registro 2, campo ttot_foc: está vacío y hace falta un número";
    prompter.expectMessage(message, ui::vbAbortRetryIgnore | ui::vbCritical, kBoxTitle, ui::vbRetry)
        .expectMessage(message, ui::vbAbortRetryIgnore | ui::vbCritical, kBoxTitle, ui::vbIgnore);
    expectNotImported("1 orden de FORCOMPR y 1 renglón de FDEORCOM no se importaron.");
    importOrders();
    const auto written = headers();
    EXPECT_EQ(written.size(), 2u);
    EXPECT_FALSE(written.contains("000100000021C"));
    const auto listed = errorList();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0], std::make_pair(std::string("1"), message.substr(message.find("Tabla"))));
    EXPECT_NE(errorLog().find("campo ttot_foc"), std::string::npos);
    // The order's line has no voucher to belong to: listed, not written.
    EXPECT_EQ(listed[1].second, "Renglón 1001 de la orden 2/1 del proveedor 2110101123: no hay comprobante "
                                "000100000021C de su orden; no se importa");
    EXPECT_TRUE(lines().empty());
}

TEST_F(OrderImport, AnEmptyTotalAnsweredAbortEndsTheImport)
{
    write({order("1", "1"), order("2", "1", {{"TTOT_FOC", null()}}), order("3", "1")}, {orderLine("1", "1")});
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (13) Tabla FORCOMPR, registro 2, campo ttot_foc"),
                           ui::vbAbortRetryIgnore | ui::vbCritical, kBoxTitle, ui::vbAbort);
    importOrders();
    EXPECT_EQ(headers().size(), 1u);
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(errorList().empty());
}

TEST_F(OrderImport, CancelDuringTheHeadersEndsTheImport)
{
    write({order("1", "1"), order("2", "1"), order("3", "1")}, {orderLine("1", "1")});
    pump.at(1, [this] { window.CmdCancelar_Click(); });
    importOrders();
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
    EXPECT_EQ(headers().size(), 1u);
    EXPECT_TRUE(lines().empty());
}

TEST_F(OrderImport, WithoutOrdersOnlyTheStateRowIsMadeSureOf)
{
    write({order("1", "1")}, {orderLine("1", "1")}, {0});
    importOrders();
    EXPECT_EQ(rows("SELECT CODIGO, DESCRIPCION FROM TA_ESTADOS"), (Rows{{"  99", "OTROS"}}));
    EXPECT_TRUE(labels.empty());
    EXPECT_TRUE(headers().empty());
    EXPECT_TRUE(lines().empty());
}

TEST_F(OrderImport, WithoutLinesTheHeadersAreWritten)
{
    write({order("1", "1"), order("2", "1")}, {});
    importOrders();
    EXPECT_EQ(headers().size(), 2u);
    EXPECT_EQ(lastCounters(), "Leidos 1\r\nGrabados:1\r\nErrores: 0");
}

TEST_F(OrderImport, TheCountersAndTheRateGoOnFromTheHeadersIntoTheLines)
{
    write({order("1", "1"), order("2", "1"), order("3", "1")}, {orderLine("1", "1"), orderLine("2", "1")});
    // A minute passes after the second header; the line phase starts at 09:06:30.
    pump.at(2, [this] { clock.set(base::DateTime::fromParts(2026, 3, 7, 9, 6, 10)); });
    pump.at(3, [this] { clock.set(base::DateTime::fromParts(2026, 3, 7, 9, 6, 30)); });
    importOrders();
    const std::vector<std::string> expected{
        "Leidos 0\r\nGrabados:0\r\nErrores: 0\r\nInicio: 07/03/2026 09:05:02\r\nTranscurrido: 0 Min. \r\n(Promedio: 0 x minuto)",
        "Leidos 1\r\nGrabados:1\r\nErrores: 0\r\nInicio: 07/03/2026 09:05:02\r\nTranscurrido: 0 Min. \r\n(Promedio: 1 x minuto)",
        "Leidos 2\r\nGrabados:2\r\nErrores: 0\r\nInicio: 07/03/2026 09:05:02\r\nTranscurrido: 1 Min. \r\n(Promedio: 2 x minuto)",
        // The line phase starts its own minute count: 0 differs from the 1 the headers left.
        "Leidos 3\r\nGrabados:3\r\nErrores: 0\r\nInicio: 07/03/2026 09:06:30\r\nTranscurrido: 0 Min.\r\n(Promedio: 1 x minuto)",
        "Leidos 4\r\nGrabados:4\r\nErrores: 0\r\nInicio: 07/03/2026 09:06:30\r\nTranscurrido: 0 Min.\r\n(Promedio: 4 x minuto)",
    };
    EXPECT_EQ(labels, expected);
}

TEST_F(OrderImport, ALineTableThatCannotBeOpenedMarksTheEntry)
{
    write({order("1", "1")}, {});
    std::filesystem::remove(legacy.path() / "FDEORCOM.DBF");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (-2147217865) Invalid object name 'FDEORCOM'"),
                           ui::vbAbortRetryIgnore | ui::vbCritical, "Recordset - AbrirRecordset Aviso al operador!!! ",
                           ui::vbAbort);
    importOrders();
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kOrdenes) + " ---> ERROR");
    EXPECT_EQ(headers().size(), 1u);
}

TEST_F(OrderImport, AMissingColumnIsNamedWithItsTableAndRecord)
{
    write({order("1", "1"), order("2", "1")}, {});
    const std::filesystem::path file = legacy.path() / "FORCOMPR.DBF";
    const std::string bytes = readBytes(file);
    patchBytes(file, bytes.find("PLAZ_FOC"), "PLAX_FOC");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (3265) Tabla FORCOMPR, registro 1, campo PLAZ_FOC: "),
                           ui::vbAbortRetryIgnore | ui::vbCritical, kBoxTitle, ui::vbAbort);
    importOrders();
    EXPECT_TRUE(headers().empty());
}

TEST_F(OrderImport, AnUnreadableNumberStopsTheImportAfterTheRecordsBeforeIt)
{
    write({order("1", "1"), order("2", "1"), order("3", "1")}, {orderLine("1", "1")});
    const std::filesystem::path file = legacy.path() / "FORCOMPR.DBF";
    patchBytes(file, fieldOffset(readBytes(file), "TTOT_FOC", 1), "12,3x");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbOKOnly | ui::vbCritical, kBoxTitle, ui::vbOK);
    importOrders();
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_NE(prompter.shown()[0].text.find("record 2"), std::string::npos) << prompter.shown()[0].text;
    EXPECT_NE(prompter.shown()[0].text.find("TTOT_FOC"), std::string::npos) << prompter.shown()[0].text;
    EXPECT_EQ(headers().size(), 1u);
    EXPECT_TRUE(lines().empty());
}

class DemoOrders : public PurchaseOrders {};

TEST_F(DemoOrders, TheSuppliersThenTheOrdersAndTheirReceptionsImportWithOneBoxCountingWhatIsRefused)
{
    const std::filesystem::path script =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() / "tools/demo/erp-demo-data.sql";
    std::ifstream in(script, std::ios::binary);
    ASSERT_TRUE(in) << script;
    execute(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    runFixtureScript("../../tools/demo/make_legacy_folder.py", {legacy.path().string()});
    expectNotImported("2 órdenes de FORCOMPR y 3 renglones de FDEORCOM no se importaron.");
    run({kProveedores, kOrdenes});

    // Ten orders less the deleted one, (12, 3) after (1, 23) and the nine-digit one; thirteen lines less
    // those of the last two and the one of an order FORCOMPR does not have, which is listed.
    const auto written = headers();
    EXPECT_EQ(written.size(), 7u);
    EXPECT_EQ(lines().size(), 10u);
    EXPECT_EQ(errorList().size(), 5u);
    expectColumns(written.at("000100001011C"),
                  {{"CUENTA", "211010145"}, {"IDLISTA", "0145"}, {"NOMBRE", "Distribuidora O'Neill"}, {"FINALIZADO", "1"}},
                  "the supplier code with blanks around it");
    expectColumns(written.at("000100001031C"), {{"CUENTA", "2110101"}, {"FECHAENTREGA", "NULL"}}, "no supplier");
    expectColumns(written.at("000100001041C"), {{"FINALIZADO", "1"}}, "the state in lower case");
    EXPECT_EQ(base::length(written.at("000100001041C").at("COMENTARIOS")), 90);
    EXPECT_EQ(rows("SELECT DESCRIPCION FROM C_MV_CPTEINSUMOS WHERE IDARTICULO = '" + quoted(article("D'ALE-01")) + "'"),
              (Rows{{"Pintura látex D'Alessandro 20 l"}}));

    // The received lines of three orders, each a reception with its entry; the screws' four bulks of twelve
    // bring a washer for every screw, from the washer lots of CD61 in order.
    EXPECT_EQ(rows("SELECT IDCOMPROBANTE, IDCOMPROBANTE_ORIGEN, LTRIM(IDARTICULO), CAST(CANTIDAD AS float) FROM V_MV_STOCK "
                   "WHERE TC = '  IR' ORDER BY IDCOMPROBANTE"),
              (Rows{{"000100000001X", "000100001001C", "1001", "4"},
                    {"000100000002X", "000100001011C", "4001", "3"},
                    {"000100000003X", "000100001041C", "2001", "10"}}));
    EXPECT_EQ(rows("SELECT IDCOMPROBANTE_ORIGEN, LTRIM(IDARTICULO), LTRIM(NROLOTE), CAST(CANTIDAD AS float) FROM V_MV_STOCK "
                   "WHERE TC = '  PE'"),
              (Rows{{"000100000001X", "1003", "A-2025-01", "30"}, {"000100000001X", "1003", "A-2025-02", "18"}}));
    EXPECT_EQ(rows("SELECT COUNT(DISTINCT NUMERO) FROM MV_ASIENTOS WHERE TC = '  IR'"), (Rows{{"3"}}));
    // Each is booked at what was received: order 100/1's four bulks at the line's 595.20, order 101/1's
    // second line of its article at its own amount, not at the first's.
    EXPECT_EQ(rows("SELECT NUMERO, CAST(IMPORTE AS float) FROM MV_ASIENTOS WHERE TC = '  IR' AND [DEBE-HABER] = 'D' "
                   "ORDER BY NUMERO"),
              (Rows{{"00000001", "595.2"}, {"00000002", "26700"}, {"00000003", "70500"}}));
    // The mark goes on the received lines only: the line of article 4001 that was not received has none.
    EXPECT_EQ(rows("SELECT LTRIM(IDARTICULO), CAST(CANTIDAD AS float) FROM C_MV_CPTEINSUMOS WHERE CONTROLADOPOR LIKE "
                   "'RECEPCIONADO|%' ORDER BY ID"),
              (Rows{{"1001", "4"}, {"4001", "3"}, {"2001", "10"}}));

    // Again: nothing new.
    const auto movements = rows("SELECT * FROM V_MV_STOCK ORDER BY ID");
    expectNotImported("2 órdenes de FORCOMPR y 3 renglones de FDEORCOM no se importaron.");
    run({kProveedores, kOrdenes});
    EXPECT_EQ(headers().size(), 7u);
    EXPECT_EQ(lines().size(), 10u);
    EXPECT_EQ(rows("SELECT * FROM V_MV_STOCK ORDER BY ID"), movements);
}

}  // namespace
