// "PROV.LO": the six sale-list rows of the legacy articles with a costing price, recorded in
// "C:\PROVLOCAL.TXT", then the sale prices of suspended articles deleted and recorded in "C:\XXX.TXT".

#include "tests/importer/PriceListFixture.h"

namespace {

using namespace price_fixture;

class ProvLo : public PriceLists {
protected:
    void SetUp() override
    {
        PriceLists::SetUp();
        // Suspended for sale: S100 loses its sale rows, not its purchase row; S200 has none. N300 is not
        // suspended and keeps its rows.
        erpArticle("S100", "1");
        erpArticle("S200", "1");
        erpArticle("N300", "0");
        priceRow("A1", "S100");
        priceRow("A2", "S100");
        priceRow("1123", "S100", "C");
        priceRow("A1", "N300");
    }

    static void erpArticle(std::string_view code, std::string_view suspended)
    {
        execute(fmt::format("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, SUSPENDIDO) VALUES ({}, 'Articulo', {})",
                            quoted(code), suspended));
    }

    // The usual legacy folder: articles with and without a costing price.
    void writeUsualLegacy()
    {
        writeLegacy({article("1001", "123"), article("D'1", " 45 "), article("7005", "78"), article("7004", "78"),
                     article("7001", "123", "NNNNNS"), article("1003", "123")},
                    {costing("1001", {{"POFE_FCO", number("12.99")},
                                      {"DOFE_FCO", date("2026-03-01")},
                                      {"HOFE_FCO", date("2026-03-31")}}),
                     costing("D'1", {{"POFE_FCO", number("0")}, {"DES3_FCO", null()}}),
                     costing("7005", {{"NPR1_FCO", number("0")}}),  // only list A4 has a price
                     costing("7001"),
                     costing("1003"),
                     costing("1001", {{"COSB_FCO", number("999")}})});  // a second record: the first counts
    }

    static Rows listRows(std::string_view article)
    {
        return rows("SELECT IDLISTA, NOMBRE, CONIVA, IDMONEDA, TIPOLISTA, CUENTAPROVEEDOR, GRUPO, COSTO, PRECIO1, "
                    "PRECIO2, PORCSEGURO, DTO1, DTO2, DTO3, DTO4, DTO5, DTO6, DTO7, DTO8, DTO9, REC1, REC2, PRECIO4, "
                    "UTILIDAD, PRECIO5, FHOFERTADESDE, FHOFERTAHASTA FROM V_MA_PRECIOS WHERE IDARTICULO = " +
                    quoted(article) + " ORDER BY IDLISTA");
    }

    static Rows written(const char* account, std::vector<std::string> offer, const char* des3 = "1")
    {
        Rows out;
        for (int list = 1; list <= 6; ++list) {
            const bool a4 = list == 4;
            std::vector<std::string> row{fmt::format("A{}  ", list), fmt::format("ZIRA {}", list), "1", "   1", "V", account,
                                         a4 ? "NULL" : "RG  ", "100.5", "105.25", "3.1", "0.5", "0", "0", "0", "0", "0", "0",
                                         "5", "2.5", des3, "3", "4", a4 ? "130.4" : "150.75", a4 ? "20" : "35"};
            row.insert(row.end(), offer.begin(), offer.end());
            out.push_back(row);
        }
        return out;
    }

    void expectListo() { prompter.expectMessage("listo", ui::vbOKOnly, "Migrador", ui::vbOK); }
};

const std::vector<std::string> kNoOffer{"NULL", "NULL", "NULL"};

TEST_F(ProvLo, ArticlesWithACostingPriceGetTheirSixRowsAndSuspendedOnesLoseTheirSalePrices)
{
    priceRow("A1", "1003", "V", ", COSTO", ", 1");  // the row 1003 already has in list A1 stays as it is
    writeUsualLegacy();
    expectListo();
    press(&Importar::Command1_Click);

    Rows partly = written("2110101123", kNoOffer);
    partly[0] = {"A1  ", "PREVIA", "NULL", "NULL", "V", "NULL", "NULL", "1", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL",
                 "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL"};
    struct Case {
        const char* article;
        Rows expected;
    };
    const Case cases[] = {
        // The offer goes in with its days as dates.
        {"1001", written("2110101123", {"12.99", "2026-03-01 00:00:00", "2026-03-31 00:00:00"})},
        // No offer, and an empty discount is 0; the account is made without looking the supplier up.
        {"D'1", written("211010145", kNoOffer, "0")},
        {"7005", {}},  // no price for list A1: no row at all, not even in A4
        {"7004", {}},  // no costing record
        {"7001", {}},  // closed to list 6: not among the articles read
        {"1003", partly},
        {"S100", {{"1123", "PREVIA", "NULL", "NULL", "C", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL",
                   "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL", "NULL",
                   "NULL"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(listRows(c.article), c.expected) << c.article;
    EXPECT_EQ(count("V_MA_PRECIOS WHERE IDARTICULO = " + quoted("N300")), "1");

    // The legacy code as read, with the blanks of its field.
    EXPECT_EQ(sideFile("PROVLOCAL.TXT"), "2110101123,1001         \r\n211010145,D'1          \r\n2110101123,1003         \r\n");
    EXPECT_EQ(sideFile("XXX.TXT"), "2,'" + padded("S100") + "'\r\n2,'" + padded("S200") + "'\r\n");
    EXPECT_EQ(window.LblDetalle.caption, padded("S200"));
    EXPECT_EQ(labels.front(), "Leidos 0 Grabados:0 Errores: 0 Inicio: 07/03/2026 09:05:02 transcurrido: 0 Min. (Promedio: 0 x minuto)");
    EXPECT_NE(std::find(labels.begin(), labels.end(),
                        "Leidos 4 Grabados:2 Errores: 0 Inicio: 07/03/2026 09:05:02 transcurrido: 0 Min. (Promedio: 4 x minuto)"),
              labels.end());
    EXPECT_FALSE(window.DBOrigen);  // its own connection: the window's stays as it was
    EXPECT_FALSE(window.ejecutando());
    EXPECT_TRUE(window.Command1.enabled);
}

TEST_F(ProvLo, PressedTwiceItWritesNoRowTwice)
{
    writeUsualLegacy();
    expectListo();
    press(&Importar::Command1_Click);
    const Rows first = rows("SELECT * FROM V_MA_PRECIOS ORDER BY ID");
    const std::string lines = sideFile("PROVLOCAL.TXT");
    priceRow("A3", "S100");  // a sale price given to a suspended article since
    expectListo();
    press(&Importar::Command1_Click);
    EXPECT_EQ(rows("SELECT * FROM V_MA_PRECIOS ORDER BY ID"), first);
    EXPECT_EQ(sideFile("PROVLOCAL.TXT"), lines);  // nothing was written, so nothing is added
    // The deletion runs again and says so again.
    EXPECT_EQ(sideFile("XXX.TXT"), "2,'" + padded("S100") + "'\r\n2,'" + padded("S200") + "'\r\n2,'" + padded("S100") +
                                       "'\r\n2,'" + padded("S200") + "'\r\n");
    // An article whose rows are all there still counts as written, as in the first run.
    EXPECT_NE(std::find(labels.begin(), labels.end(),
                        "Leidos 4 Grabados:2 Errores: 0 Inicio: 07/03/2026 09:05:02 transcurrido: 0 Min. (Promedio: 4 x minuto)"),
              labels.end());
}

TEST_F(ProvLo, ACancelLeftOverFromTheTaskListDoesNotStopIt)
{
    writeUsualLegacy();
    window.Cancelado = true;
    expectListo();
    press(&Importar::Command1_Click);
    EXPECT_EQ(count("V_MA_PRECIOS WHERE IDARTICULO = " + quoted("1001")), "6");
    EXPECT_EQ(count("V_MA_PRECIOS WHERE TIPOLISTA = 'V' AND IDARTICULO = " + quoted("S100")), "0");
    EXPECT_FALSE(window.Cancelado);
}

TEST_F(ProvLo, CancelStopsItAndTheSuspendedPricesStay)
{
    writeUsualLegacy();
    pump.at(1, [this] {
        EXPECT_TRUE(window.ejecutando());
        EXPECT_TRUE(window.CmdCancelar.enabled);
        EXPECT_FALSE(window.cmdImportar.enabled);
        EXPECT_FALSE(window.CmdElimD.enabled);
        window.CmdCancelar_Click();
    });
    press(&Importar::Command1_Click);  // no "listo"
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
    EXPECT_EQ(count("V_MA_PRECIOS WHERE IDARTICULO = " + quoted("1001")), "6");
    EXPECT_EQ(count("V_MA_PRECIOS WHERE IDARTICULO = " + quoted("D'1")), "0");
    EXPECT_EQ(count("V_MA_PRECIOS WHERE TIPOLISTA = 'V' AND IDARTICULO = " + quoted("S100")), "2");
    EXPECT_EQ(sideFile("XXX.TXT"), "");
    EXPECT_TRUE(window.cmdImportar.enabled);
    EXPECT_FALSE(window.CmdCancelar.enabled);
}

TEST_F(ProvLo, AFailedArticleLeavesNoLineAndAFailedDeletionIsLogged)
{
    // The A4 row of 1001 cannot be written, a purchase row holding its list and article; S100's sale row in
    // A2 cannot be deleted, another table referring to it.
    execute("CREATE UNIQUE INDEX UN_LISTA_ARTICULO ON V_MA_PRECIOS (IDLISTA, IDARTICULO)");
    priceRow("A4", "1001", "C");
    execute("CREATE TABLE PRECIO_RETENIDO (ID int REFERENCES V_MA_PRECIOS (ID))");
    execute("INSERT INTO PRECIO_RETENIDO (ID) SELECT ID FROM V_MA_PRECIOS WHERE IDLISTA = 'A2' AND IDARTICULO = " +
            quoted("S100"));
    writeLegacy({article("1001", "123"), article("1002", "123")}, {costing("1001"), costing("1002", {{"NPR2_FCO", number("131")}})});
    expectListo();
    press(&Importar::Command1_Click);
    EXPECT_EQ(count("V_MA_PRECIOS WHERE TIPOLISTA = 'V' AND IDARTICULO = " + quoted("1001")), "0");
    EXPECT_EQ(count("V_MA_PRECIOS WHERE IDARTICULO = " + quoted("1002")), "6");
    EXPECT_EQ(sideFile("PROVLOCAL.TXT"), "2110101123,1002         \r\n");
    EXPECT_EQ(count("V_MA_PRECIOS WHERE TIPOLISTA = 'V' AND IDARTICULO = " + quoted("S100")), "2");
    EXPECT_EQ(sideFile("XXX.TXT"), "2,'" + padded("S200") + "'\r\n");
    EXPECT_EQ(window.LblDetalle.caption, "Articulos suspendidos cuyos precios no se pudieron borrar: 1 (ver QVERR.LOG)");
    EXPECT_NE(errorLog().find("No se borraron los precios del articulo suspendido " + padded("S100")), std::string::npos);
}

TEST_F(ProvLo, ALegacyFolderThatCannotBeOpenedStopsItBeforeAnyDeletion)
{
    window.TxtPathDatos.text = (legacy.path() / "no-such-folder").string();
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (-2147467259) The dBase folder"),
                           ui::vbOKOnly | ui::vbCritical, "Microsoft Visual FoxPro Driver - Command1_Click Aviso al operador!!! ",
                           ui::vbOK);
    press(&Importar::Command1_Click);
    EXPECT_EQ(count("V_MA_PRECIOS WHERE TIPOLISTA = 'V' AND IDARTICULO = " + quoted("S100")), "2");
    EXPECT_FALSE(window.ejecutando());
}

TEST_F(ProvLo, TheDemoTablesGiveRowsToEveryArticleWithACostingPrice)
{
    testing_support::runFixtureScript("../../tools/demo/price_tables.py", {legacy.path().string()});
    expectListo();
    press(&Importar::Command1_Click);
    // All open to the six lists, not deleted, with a costing record whose list price is above 0.
    const std::vector<std::string> expected{"1001", "1002", "1003", "1004", "2001", "2002", "2003", "3001",
                                            "3002", "3003", "4001", "4002", "4003", "5001", "5002", "5003",
                                            "6001", "6002", "6003", "7003", "7006", "7008", "D'ALE-01"};
    Rows articles;
    for (const std::string& code : expected) articles.push_back({padded(code), "6"});
    EXPECT_EQ(rows("SELECT IDARTICULO, COUNT(*) FROM V_MA_PRECIOS WHERE NOMBRE LIKE 'ZIRA %' GROUP BY IDARTICULO "
                   "ORDER BY LTRIM(IDARTICULO)"),
              articles);
    EXPECT_EQ(rows("SELECT PRECIO5, FHOFERTADESDE, FHOFERTAHASTA FROM V_MA_PRECIOS WHERE IDLISTA = 'A1' AND "
                   "IDARTICULO = " + quoted("1004")),
              (Rows{{"12.99", "2026-03-01 00:00:00", "2026-03-31 00:00:00"}}));
    EXPECT_EQ(rows("SELECT COSTO FROM V_MA_PRECIOS WHERE IDLISTA = 'A1' AND IDARTICULO = " + quoted("1001")), Rows{{"12.4"}});
}

}  // namespace
