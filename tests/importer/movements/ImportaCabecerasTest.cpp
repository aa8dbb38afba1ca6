// Legacy orders become purchase-order vouchers in C_MV_CPTE: their number, supplier, dates, amounts and
// state, with the supplier's extension row when there is one.

#include "tests/importer/movements/PurchaseOrderFixture.h"

namespace {

using namespace testing_support;

struct HeaderCase {
    const char* what;
    LegacyRow legacy;
    std::string id;
    ColumnValues expected;
};

const std::string kLongGlos = "Entregar en el depósito de Ruta 3 km 1840 de lunes a vier";  // 57 characters
const std::string kLongGlor = "traer el remito firmado por el señor D'Angelo, sin falta";

std::vector<HeaderCase> headerCases()
{
    return {
        {"number pair, supplier with its extension row",
         order("123", "4", {{"CODP_FOC", text(" 57 ")}, {"FECH_FOC", date("2005-08-15")}, {"FENT_FOC", date("2005-08-25")},
                            {"FREC_FOC", date("2005-08-27")}, {"DES1_FOC", number("50")}, {"NOMB_FOC", text("Distribuidora O'Neill")}}),
         "000100001234C",
         {{"TC", "  OC"}, {"SUCURSAL", "0001"}, {"NUMERO", "00001234"}, {"LETRA", "C"}, {"CUENTA", "211010157"},
          {"IDLISTA", "0157"}, {"NOMBRE", "Distribuidora O'Neill"}, {"DOMICILIO", "Av. Roca 1001 2 B"},
          {"LOCALIDAD", "Trelew"}, {"CODIGOPOSTAL", "9100"}, {"IDPROVINCIA", " 5"}, {"TELEFONO", "0280 442-0000"},
          {"DOCUMENTOTIPO", "  80"}, {"DOCUMENTONUMERO", "30-71234567-8"}, {"CONDICIONIVA", "   1"},
          {"FECHA", "2005-08-15 00:00:00"}, {"FECHASUBDIARIO", "2005-08-15 00:00:00"},
          {"VENCIMIENTO", "2005-08-15 00:00:00"}, {"FECHA_A_VENCER", "2005-09-14 00:00:00"},
          {"FECHAENTREGA", "2005-08-25 00:00:00"}, {"FECHARECEPCION", "2005-08-27 00:00:00"},
          {"IMPORTEINSUMOS", "1000"}, {"NETOGRAVADO", "1000"}, {"IMPORTE_S_IVA", "1000"}, {"ALICIVA", "21"},
          {"IMPORTEIVA", "210"}, {"IMPORTE", "1210"}, {"PORCDESCUENTO1", "5"}, {"IMPDESCUENTO1", "50"},
          {"PORCDESCUENTO2", "0"}, {"IMPDESCUENTO2", "0"}, {"USUARIO", "tester"}, {"IDCOND_CPRA_VTA", "  02"},
          {"IDMOTIVOCPRAVTA", "   1"}, {"CLASEPRECIO", "   1"}, {"MONEDA", "   1"}, {"COTIZACION", "1"},
          {"IDDEPOSITO", "CD61"}, {"IDDEPOSITODESTINO", "CD61"}, {"UNEGOCIO", "   1"}, {"APROBADO", "1"},
          {"FINALIZADO", "0"}, {"GARANTIA", "0"}, {"CORE", "0"}, {"COMENTARIOS", "Entregar\r\nUrgente"},
          {"CODIGOIMPUTACION", ""}, {"LUGAR_ENTREGA", ""}, {"IDDEPOSITORECEPCION", "NULL"}}},
        {"a supplier without extension row, no delivery or reception date, finished",
         order("200", "1", {{"CODP_FOC", text("999")}, {"FENT_FOC", null()}, {"FREC_FOC", null()}, {"ESTA_FOC", text("C")}}),
         "000100002001C",
         {{"CUENTA", "2110101999"}, {"IDLISTA", "1999"}, {"DOMICILIO", "NULL"}, {"LOCALIDAD", "NULL"},
          {"CODIGOPOSTAL", "NULL"}, {"IDPROVINCIA", "NULL"}, {"TELEFONO", "NULL"}, {"DOCUMENTOTIPO", "NULL"},
          {"DOCUMENTONUMERO", "NULL"}, {"CONDICIONIVA", "NULL"}, {"FECHAENTREGA", "NULL"},
          {"FECHARECEPCION", "NULL"}, {"FECHA", "2026-02-16 00:00:00"}, {"FINALIZADO", "1"}}},
        {"no supplier code, a finished state in lower case",
         order("201", "1", {{"CODP_FOC", null()}, {"ESTA_FOC", text("c")}}),
         "000100002011C",
         {{"CUENTA", "2110101"}, {"IDLISTA", "0101"}, {"DOMICILIO", "NULL"}, {"FINALIZADO", "1"}}},
        {"a supplier without province, an order of total 0 with a discount",
         order("202", "1", {{"CODP_FOC", text("300")}, {"TTOT_FOC", number("0")}, {"DES1_FOC", number("100")}}),
         "000100002021C",
         {{"CUENTA", "2110101300"}, {"IDPROVINCIA", "  23"}, {"IMPORTEIVA", "0"}, {"IMPORTE", "0"},
          {"PORCDESCUENTO1", "0"}, {"IMPDESCUENTO1", "100"}}},
        {"amounts with decimals: VAT and percentages to four decimals",
         order("203", "1", {{"TTOT_FOC", number("1234.57")}, {"DES2_FOC", number("12.34")}, {"DES3_FOC", number("617.29")}}),
         "000100002031C",
         {{"IMPORTEIVA", "259.2597"}, {"IMPORTE", "1493.8297"}, {"PORCDESCUENTO2", "0.9995"},
          {"PORCDESCUENTO3", "50.0004"}, {"IMPDESCUENTO3", "617.29"}}},
        {"comments longer than 90 characters keep the first 90",
         order("204", "1", {{"GLOS_FOC", text(kLongGlos)}, {"GLOR_FOC", text(kLongGlor)}}),
         "000100002041C",
         {{"COMENTARIOS", base::rightTrim(base::left(kLongGlos + "\r\n" + kLongGlor, 90))}}},
    };
}

class OrderHeaders : public PurchaseOrders {
protected:
    void SetUp() override
    {
        PurchaseOrders::SetUp();
        execute("INSERT INTO MA_CUENTASADIC (CODIGO, CALLE, NUMERO, PISO, DEPARTAMENTO, LOCALIDAD, CPOSTAL, PROVINCIA, "
                "TELEFONO, DOCUMENTO_TIPO, NUMERO_DOCUMENTO, IVA) VALUES ('211010157', 'Av. Roca', '1001', '2', 'B', "
                "'Trelew', ' 9100 ', ' 5', '0280 442-0000', '  80', ' 30-71234567-8 ', '   1')\r"
                "INSERT INTO MA_CUENTASADIC (CODIGO, CALLE, PROVINCIA) VALUES ('2110101300', 'Kennedy', '   ')\r"
                "INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('" + article("1001") +
                "', 'Tornillo', '  UN')");
    }
};

TEST_F(OrderHeaders, EachLegacyOrderBecomesAPurchaseOrderVoucher)
{
    std::vector<LegacyRow> orders;
    for (const HeaderCase& c : headerCases()) orders.push_back(c.legacy);
    write(orders, {orderLine("123", "4", {{"CODP_FOD", text(" 57 ")}})});
    importOrders();
    EXPECT_TRUE(errorList().empty());
    const auto written = headers();
    EXPECT_EQ(written.size(), headerCases().size());
    for (const HeaderCase& c : headerCases()) {
        const auto found = written.find(c.id);
        ASSERT_NE(found, written.end()) << c.what;
        expectColumns(found->second, c.expected, c.what);
    }
    EXPECT_EQ(rows("SELECT CODIGO, DESCRIPCION FROM TA_ESTADOS"), (Rows{{"  99", "OTROS"}}));
}

TEST_F(OrderHeaders, AHeaderTheDatabaseRefusesIsListedOnTopAndTheNextIsWritten)
{
    // A rule of the database that refuses one supplier name, as a trigger of the ERP might.
    execute("INSERT INTO TA_ESTADOS (CODIGO, DESCRIPCION) VALUES ('  99', 'OTROS')");
    write({order("1", "1"), order("2", "1", {{"NOMB_FOC", text("Rechazada")}}), order("3", "1")}, {});
    refuse("MV_CPTE", "NOMBRE", "Rechazada");
    expectNotImported("1 orden de FORCOMPR no se importó.");
    importOrders();
    EXPECT_EQ(headers().size(), 2u);
    EXPECT_TRUE(headers().contains("000100000011C"));
    EXPECT_TRUE(headers().contains("000100000031C"));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM AUX_ERR"), (Rows{{"1"}}));
    const auto listed = errorList();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].first, "1");
    EXPECT_EQ(listed[0].second, "Orden 2/1 del proveedor 2110101123, registro 2 de FORCOMPR: 50000 : orden rechazada");
    EXPECT_NE(errorLog().find(listed[0].second), std::string::npos) << errorLog();
    EXPECT_EQ(window.MSFlexGrid1.topRow(), window.MSFlexGrid1.rows() - 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM TA_ESTADOS"), (Rows{{"1"}}));
}

TEST_F(OrderHeaders, AnOrderAlreadyThereIsPassedOverWithoutAWord)
{
    write({order("1", "1"), order("2", "1")}, {orderLine("1", "1")});
    importOrders();
    execute("UPDATE C_MV_CPTE SET NOMBRE = 'Cambiado a mano' WHERE IDCOMPROBANTE = '000100000011C'");
    importOrders();
    EXPECT_EQ(headers().size(), 2u);
    EXPECT_EQ(headers()["000100000011C"]["NOMBRE"], "Cambiado a mano");
    // Both headers read, none written again; the line was there already.
    EXPECT_EQ(lastCounters(), "Leidos 2\r\nGrabados:0\r\nErrores: 0");
    EXPECT_EQ(lines().size(), 1u);
}

}  // namespace
