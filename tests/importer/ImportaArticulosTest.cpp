// The article import: legacy articles open to all six sale lists whose supplier is a local supplier of the
// ERP get the rows they still lack in lists "A1" to "A6".

#include "platform/base/Regional.h"
#include "tests/importer/PriceListFixture.h"

namespace {

using namespace price_fixture;

class ImportaArticulos : public PriceLists {
protected:
    void SetUp() override
    {
        PriceLists::SetUp();
        supplier("2110101123", "Aceros Patagonia S.A.");
        // Known to the ERP by its optional code only: the rows take its own code.
        supplier("2110101XYZ", "Maderera Ñire", "1", "211010178");
        supplier("211010145", "Distribuidora O'Neill", "0");
        supplier("2110101300", "Transportes Cañadón", "NULL");
        // The supplier import cuts a long legacy code to the account's 15 characters.
        supplier("2110101PROV1234", "Importadora del Atlántico");
    }

    static Rows listRows(std::string_view article)
    {
        return rows("SELECT IDLISTA, NOMBRE, CUENTAPROVEEDOR, CONIVA, COSTO, PRECIO4, IDMONEDA, TIPOLISTA, GRUPO "
                    "FROM V_MA_PRECIOS WHERE IDARTICULO = " +
                    quoted(article) + " ORDER BY IDLISTA");
    }

    static Rows newRows(const std::string& account)
    {
        Rows out;
        for (int list = 1; list <= 6; ++list)
            out.push_back({fmt::format("A{}  ", list), fmt::format("ZIRA{}", list), account, "1", "0", "0", "   1", "V",
                           list == 4 ? "NULL" : "RG  "});
        return out;
    }
};

TEST_F(ImportaArticulos, LocalSuppliersArticlesGetTheRowsTheyLack)
{
    priceRow("A2", "1002", "V", ", CUENTAPROVEEDOR, COSTO", ", '2110101999', 55");
    writeLegacy({article("1001", "123"), article("D'1", "123"), article("4001", "45"), article("2001", "78"),
                 article("5001", "300"), article("7008", "999"), article("7001", "123", "NNSNNN"),
                 article("3001", "PROV123456"), article("1002", "123")},
                {});
    run({kArticulos});

    Rows partly = newRows("2110101123");
    partly[1] = {"A2  ", "PREVIA", "2110101999", "NULL", "55", "NULL", "NULL", "V", "NULL"};
    struct Case {
        const char* article;
        Rows expected;
    };
    const Case cases[] = {
        {"1001", newRows("2110101123")},
        {"D'1", newRows("2110101123")},  // the apostrophe reaches the database doubled
        {"2001", newRows("2110101XYZ")},  // found by the optional code: the supplier's own code
        {"4001", {}},                     // not a local supplier
        {"5001", {}},                     // ProveedorLocal Null
        {"7008", {}},                     // a supplier the ERP does not have
        {"7001", {}},                     // closed to list 3: not among the articles read
        {"3001", newRows("2110101PROV1234")},
        {"1002", partly},                 // the row it had stays as it was
    };
    for (const Case& c : cases) EXPECT_EQ(listRows(c.article), c.expected) << c.article;
    // Passed-over records count as read only; the last line shows the counts before the last record.
    EXPECT_EQ(window.LblDetalle.caption,
              "Leidos 7 Grabados:4 Errores: 0 Inicio: 07/03/2026 09:05:02 transcurrido: 0 Min. (Promedio: 7 x minuto)");
    EXPECT_EQ(labels.front(), "Leidos 0 Grabados:0 Errores: 0 Inicio: 07/03/2026 09:05:02 transcurrido: 0 Min. (Promedio: 0 x minuto)");
}

TEST_F(ImportaArticulos, RunningAgainAddsNothingAndTheArticlesStillCountAsWritten)
{
    writeLegacy({article("1001", "123"), article("2001", "78"), article("4001", "45")}, {});
    run({kArticulos});
    EXPECT_EQ(count("V_MA_PRECIOS"), "12");
    run({kArticulos});
    EXPECT_EQ(count("V_MA_PRECIOS"), "12");
    EXPECT_EQ(listRows("1001"), newRows("2110101123"));
    EXPECT_EQ(window.LblDetalle.caption,
              "Leidos 2 Grabados:2 Errores: 0 Inicio: 07/03/2026 09:05:02 transcurrido: 0 Min. (Promedio: 2 x minuto)");
}

TEST_F(ImportaArticulos, TheLocalSupplierFlagIsReadAsABooleanWhateverTheRegionalWords)
{
    base::Regional& regional = base::regional();
    const base::Regional saved = regional;
    regional.trueText = "True";
    regional.falseText = "False";
    writeLegacy({article("1001", "123"), article("4001", "45")}, {});
    run({kArticulos});
    regional = saved;
    EXPECT_EQ(listRows("1001"), newRows("2110101123"));
    EXPECT_EQ(listRows("4001"), Rows{});
}

TEST_F(ImportaArticulos, AnEmptySourceWritesNoText)
{
    window.LblDetalle.caption = "antes";
    writeLegacy({article("7001", "123", "SNNNNN")}, {});
    run({kArticulos});
    EXPECT_EQ(window.LblDetalle.caption, "antes");
    EXPECT_TRUE(labels.empty());
    EXPECT_EQ(count("V_MA_PRECIOS"), "0");
}

TEST_F(ImportaArticulos, CancelTakesEffectAtTheNextRecord)
{
    writeLegacy({article("1001", "123"), article("1002", "123")}, {});
    pump.at(1, [this] { window.CmdCancelar_Click(); });
    run({kArticulos});
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
    EXPECT_EQ(listRows("1001"), newRows("2110101123"));
    EXPECT_EQ(listRows("1002"), Rows{});
}

}  // namespace
