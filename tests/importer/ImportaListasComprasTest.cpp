// The purchase lists rebuilt from the ERP's articles: one list per supplier, named after him and with his
// discounts, the headers rebuilt from the rows, and the whole rebuild undone by any failure or a cancel.

#include "tests/importer/PriceListFixture.h"

namespace {

using namespace price_fixture;

class ImportaListasCompras : public PriceLists {
protected:
    void SetUp() override
    {
        PriceLists::SetUp();
        writeLegacy({}, {});  // the dispatcher opens the legacy folder, though this import reads none of it
        supplier("2110101123", "Aceros Patagonia S.A.", "1", "", "5, 2.5, 0");
        supplier("2110101045", "Distribuidora O'Neill", "0", "", "10, 0, 1.25");
        // An account the supplier view does not show: its list keeps its id as name.
        execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('2110201777', 'Cuenta de otro plan')");
        erpArticle("A1001", "2110101123", "AP-1001");
        erpArticle("A1002", "2110101123", "AP-1002");
        erpArticle("A2001", "2110101045", "ON'2001");
        erpArticle("A3001", "2110201777");
        erpArticle("A4001", "2110101123", "", "1");  // suspended for purchases
        erpArticle("A5001", "''");
        erpArticle("A5002", "NULL");
        // The lists of the last rebuild, and a sale list that is no business of this import.
        priceRow("OLD1", "A9999", "C", ", CUENTAPROVEEDOR", ", '2110101OLD1'");
        priceRow("A1", "A1001", "V");
        execute("INSERT INTO V_MA_PRECIOSCAB (IDLISTA, NOMBRE, TIPOLISTA) VALUES ('OLD1', 'Lista anterior', 'C')");
        execute("INSERT INTO V_MA_PRECIOSCAB (IDLISTA, NOMBRE, TIPOLISTA) VALUES ('1123', 'Nombre viejo', 'C')");
        execute("INSERT INTO V_MA_PRECIOSCAB (IDLISTA, NOMBRE, TIPOLISTA) VALUES ('A1', 'ZIRA1', 'V')");
    }

    static void erpArticle(std::string_view code, std::string_view supplierCode, std::string_view supplierArticle = "",
                           std::string_view suspended = "0")
    {
        const std::string account =
            supplierCode == "NULL" || supplierCode == "''" ? std::string(supplierCode) : "'" + std::string(supplierCode) + "'";
        execute(fmt::format("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, SUSPENDIDOC, CUENTAPROVEEDOR, "
                            "CODIGOARTPROVEEDOR, COSTO, PRECIO1, PRECIO2, PORCSEGURO, DTO1, DTO2, DTO3, DTO4, DTO5, DTO6, "
                            "DTO7, DTO8, DTO9, REC1, REC2) VALUES ({}, 'Articulo', {}, {}, {}, 200.5, 210, 6, 1, 3, 3, 3, "
                            "4, 5, 6, 7, 8, 9, 1.5, 2)",
                            quoted(code), suspended, account,
                            supplierArticle.empty() ? std::string("NULL")
                                                    : "'" + base::replace(supplierArticle, "'", "''") + "'"));
    }

    static Rows purchaseRows()
    {
        return rows("SELECT IDLISTA, LTRIM(IDARTICULO), NOMBRE, CUENTAPROVEEDOR, IDMONEDA, IDARTICULOPROVEEDOR, CONIVA, "
                    "COSTO, PRECIO1, PRECIO2, PORCSEGURO, DTO1, DTO2, DTO3, DTO4, DTO9, REC1, REC2, UTILIDAD, PRECIO4, "
                    "PRECIO8 FROM V_MA_PRECIOS WHERE TIPOLISTA = 'C' ORDER BY IDLISTA, IDARTICULO");
    }
    static Rows headers() { return rows("SELECT IDLISTA, NOMBRE, TIPOLISTA FROM V_MA_PRECIOSCAB ORDER BY IDLISTA"); }

    static std::vector<std::string> row(const char* list, const char* article, const char* name, const char* account,
                                        const char* supplierArticle, const char* d1, const char* d2, const char* d3)
    {
        return {list, article, name, account, "   1", supplierArticle, "0", "200.5", "210", "6", "1",
                d1,   d2,      d3,   "4",     "9",   "1.5",             "2", "0", "0", "0"};
    }
};

TEST_F(ImportaListasCompras, EachSupplierGetsAListOfHisArticlesAndTheHeadersFollowTheRows)
{
    run({kListasCompras});
    EXPECT_EQ(purchaseRows(),
              (Rows{// The supplier's business name and his discounts replace the articles' (an apostrophe included).
                    row("1045", "A2001", "Distribuidora O'Neill", "2110101045", "ON'2001", "10", "0", "1.25"),
                    row("1123", "A1001", "Aceros Patagonia S.A.", "2110101123", "AP-1001", "5", "2.5", "0"),
                    row("1123", "A1002", "Aceros Patagonia S.A.", "2110101123", "AP-1002", "5", "2.5", "0"),
                    // Not a supplier the view shows: the list id as name, the article's discounts.
                    row("1777", "A3001", "1777", "2110201777", "", "3", "3", "3")}));
    EXPECT_EQ(headers(), (Rows{{"1045", "Distribuidora O'Neill", "C"},
                               {"1123", "Aceros Patagonia S.A.", "C"},
                               {"1777", "1777", "C"},
                               {"A1  ", "ZIRA1", "V"}}));
    EXPECT_EQ(count("V_MA_PRECIOS WHERE TIPOLISTA = 'V'"), "1");
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO LISTAS DE PROVEEDORES");
    EXPECT_EQ(std::vector<std::string>(labels.begin(), labels.begin() + 3),
              (std::vector<std::string>{"ELIMINANDO LISTAS DE COMPRAS", "PREPARANDOSE PARA GENERAR LISTAS DE COMPRAS",
                                        "Leidos 0 Grabados:0 Errores: 0 Inicio: 07/03/2026 09:05:02 transcurrido: 0 Min. "
                                        "(Promedio: 0 x minuto)"}));
}

TEST_F(ImportaListasCompras, AFailureHalfWayLeavesTheOldListsAsTheyWere)
{
    const Rows oldHeaders = headers();
    // The last article's row cannot be written: a sale row already holds its list and article.
    execute("CREATE UNIQUE INDEX UN_LISTA_ARTICULO ON V_MA_PRECIOS (IDLISTA, IDARTICULO)");
    priceRow("1777", "A3001", "V");
    const Rows before = rows("SELECT * FROM V_MA_PRECIOS ORDER BY ID");
    prompter.expectMessage(ui::startsWith("2627 : Violation of PRIMARY KEY or UNIQUE KEY constraint"),
                           ui::vbCritical | ui::vbOKOnly, "Aviso al Operador!", ui::vbOK);
    run({kListasCompras});
    EXPECT_EQ(rows("SELECT * FROM V_MA_PRECIOS ORDER BY ID"), before);
    EXPECT_EQ(headers(), oldHeaders);
    EXPECT_EQ(count("AUX_ERR"), "1");
    EXPECT_EQ(window.LblDetalle.caption,
              "DETENIDO en el registro 4 de V_MA_ARTICULOS - LAS LISTAS DE COMPRAS QUEDARON COMO ESTABAN");
}

TEST_F(ImportaListasCompras, AFailingHeaderRebuildLeavesTheOldListsToo)
{
    // Two suppliers ending in the same four characters share one list, and the header rebuild finds its rows
    // under two names: the rows it would make cannot all be written.
    supplier("2110101X1123", "Otro proveedor 1123");
    erpArticle("A6001", "2110101X1123");
    execute("DELETE FROM MA_CUENTAS WHERE CODIGO = '2110101X1123'");
    const Rows before = rows("SELECT * FROM V_MA_PRECIOS ORDER BY ID");
    const Rows oldHeaders = headers();
    prompter.expectMessage(ui::startsWith("2627 : "), ui::vbCritical | ui::vbOKOnly, "Aviso al Operador!", ui::vbOK);
    run({kListasCompras});
    EXPECT_EQ(rows("SELECT * FROM V_MA_PRECIOS ORDER BY ID"), before);
    EXPECT_EQ(headers(), oldHeaders);
    EXPECT_EQ(window.LblDetalle.caption, "ERROR AL GENERAR LISTAS DE COMPRAS - LAS LISTAS DE COMPRAS QUEDARON COMO ESTABAN");
}

TEST_F(ImportaListasCompras, ANameTooWideIsToldInOneBoxAndTheOldListsStay)
{
    // A header table whose names are narrower than the suppliers': the first new header cannot be written.
    const Rows oldHeaders = headers();
    execute("DROP TABLE V_MA_PRECIOSCAB");
    execute("CREATE TABLE V_MA_PRECIOSCAB (IDLISTA char(4) NOT NULL PRIMARY KEY, NOMBRE varchar(10), TIPOLISTA char(1))");
    execute("INSERT INTO V_MA_PRECIOSCAB (IDLISTA, NOMBRE, TIPOLISTA) VALUES ('OLD1', 'Anterior', 'C')");
    const Rows before = rows("SELECT * FROM V_MA_PRECIOS ORDER BY ID");
    prompter.expectMessage(ui::startsWith("8152 : "), ui::vbCritical | ui::vbOKOnly, "Aviso al Operador!", ui::vbOK);
    run({kListasCompras});
    EXPECT_EQ(rows("SELECT * FROM V_MA_PRECIOS ORDER BY ID"), before);
    EXPECT_EQ(headers(), (Rows{{"OLD1", "Anterior", "C"}}));
    EXPECT_EQ(count("AUX_ERR"), "1");
    EXPECT_NE(errorLog().find("Rutina: Reconstruccion Mensaje 8152 : "), std::string::npos) << errorLog();
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" - LAS LISTAS DE COMPRAS QUEDARON COMO ESTABAN")) << window.LblDetalle.caption;
}

TEST_F(ImportaListasCompras, ACancelLeavesTheOldListsAsTheyWere)
{
    const Rows before = rows("SELECT * FROM V_MA_PRECIOS ORDER BY ID");
    const Rows oldHeaders = headers();
    pump.at(2, [this] { window.CmdCancelar_Click(); });
    run({kListasCompras});
    EXPECT_EQ(rows("SELECT * FROM V_MA_PRECIOS ORDER BY ID"), before);
    EXPECT_EQ(headers(), oldHeaders);
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO - LAS LISTAS DE COMPRAS QUEDARON COMO ESTABAN");
    // The transaction is over: the database takes other work.
    execute("INSERT INTO V_MA_PRECIOSCAB (IDLISTA, NOMBRE, TIPOLISTA) VALUES ('NEW1', 'x', 'C')");
    EXPECT_EQ(count("V_MA_PRECIOSCAB"), "4");
}

}  // namespace
