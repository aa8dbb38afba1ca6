// The columns of one loaded article line: the line's own values, the article master's, the voucher
// letter's taxed amount, and the sales or purchase columns.

#include "core/Utilidades.h"
#include "tests/voucher/VoucherLoadingFixture.h"

namespace {

class ArticleRow : public VoucherLoadingFixture {
protected:
    void SetUp() override
    {
        VoucherLoadingFixture::SetUp();
        setConfiguration("CONDIVA", "1");
        execute({"INSERT INTO TA_TIPOARTICULO (TIPO, DESCRIPCION) VALUES ('   2', 'Finished goods')",
                 "INSERT INTO MA_ARTICULOS (IDARTICULO, IDUNIDAD, IDTIPO, PRESENTACION, USASERIE, USALOTE, PERECEDERO, "
                 "USATALLE, PESABLE, CODIGOBARRA) VALUES (" +
                     sql(padded("FLAGGED")) + ", '  UN', '   2', 'Box of 12', 1, 1, 1, 1, 1, '7790001')",
                 "INSERT INTO MA_ARTICULOS (IDARTICULO, IDUNIDAD, IDTIPO, PRESENTACION, USASERIE, USALOTE, PERECEDERO, "
                 "USATALLE, PESABLE, CODIGOBARRA) VALUES (" +
                     sql(padded("PLAIN")) + ", '  UN', NULL, 'Loose', NULL, 0, NULL, NULL, NULL, NULL)"});
    }

    // A stored line with the columns the load reads; the extra columns and values are added as given.
    static void line(const std::string& TC, const std::string& id, const std::string& account, const std::string& article,
                     const std::string& exento, const std::string& extraColumns = {}, const std::string& extraValues = {})
    {
        execute({"INSERT INTO MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, CUENTA, IDARTICULO, DESCRIPCION, IDUNIDAD, "
                 "CANTIDAD, CANTIDADUD, IMPORTE, EXENTO, PORCDTO, IDLISTA, COSTO, IMPORTE_S_IVA, IMPUESTOS, TOTAL, "
                 "NRO_LOTE, NRO_SERIE, CONTROLADOPOR, IDORIGEN, ALICIVA, CODIGOARTPROVEEDOR" + extraColumns +
                 ") VALUES (" + sql(TC) + ", " + sql(id) + ", 0, " + sql(account) + ", " + sql(padded(article)) +
                 ", 'Described', '  KG', 4, 8, 30.5, " + exento + ", 5, '   1', 20, 25, 2.5, 121, '|L1|', '|S1|', 'x', "
                 "'  OR', 21, ' SUP-1 '" + extraValues + ")"});
    }
};

TEST_F(ArticleRow, ALineOfAnArticleWithEverySwitchOnAndLetterB)
{
    header("  FC", "000100000001A", ", IDCOMPLEMENTO, CONDICIONIVA, ENCOMODATO", ", 0, '   5', 1");
    line("  FC", "000100000001A", "", "FLAGGED", "0", ", EQUIV_UDBASE, IDUNIDADBASE, PRESENTACION",
         ", 2, '  UN', 'Pack'");
    layOut("FC");
    engine->AsignarDatosComprobante("FC", "000100000001A", "0", tasks, articles, others);
    const Cells wanted = {
        {{1, 0}, "FLAGGED"}, {{1, 1}, "Described"}, {{1, 5}, "KG"}, {{1, 67}, "KG"}, {{1, 7}, "4"}, {{1, 9}, "UN"},
        {{1, 10}, "8"}, {{1, 14}, "30.5"}, {{1, 27}, "30.5"}, {{1, 11}, "5"}, {{1, 2}, "1"}, {{1, 88}, "1"},
        {{1, 59}, "Finished goods"}, {{1, 19}, "-1"}, {{1, 20}, "-1"}, {{1, 46}, "-1"}, {{1, 30}, "*"},
        {{1, 61}, "-1"}, {{1, 76}, "-1"}, {{1, 77}, "7790001"}, {{1, 8}, "2"}, {{1, 41}, "UN"}, {{1, 60}, "Pack"},
        {{1, 38}, "20"}, {{1, 17}, "25"}, {{1, 40}, "2.5"}, {{1, 15}, "121"}, {{1, 21}, "|L1|"}, {{1, 22}, "|S1|"},
        {{1, 37}, "x"}, {{1, 36}, "OR"}, {{1, 16}, "0"}, {{1, 33}, "21"}, {{1, 18}, "131"}, {{1, 23}, "4"},
        {{1, 69}, "000100000001A"}, {{1, 75}, ""}, {{1, 79}, ""}, {{1, 83}, ""}, {{1, 24}, ""}, {{1, 25}, ""}};
    EXPECT_EQ(cellsOf(articles, wanted), wanted);
}

TEST_F(ArticleRow, NullsTakeTheirStandIns)
{
    // Letter A: no taxed amount in column 27; the master's switches left Null read "0", pesable stays empty.
    header("  FC", "000100000002A", ", IDCOMPLEMENTO, CONDICIONIVA, ENCOMODATO", ", 0, '   1', NULL");
    line("  FC", "000100000002A", "", "PLAIN", "NULL");
    layOut("FC");
    engine->AsignarDatosComprobante("FC", "000100000002A", "0", tasks, articles, others);
    const Cells wanted = {{{1, 0}, "PLAIN"}, {{1, 27}, ""}, {{1, 88}, "0"}, {{1, 59}, ""}, {{1, 19}, "0"},
                          {{1, 20}, "0"}, {{1, 46}, "0"}, {{1, 30}, "*"}, {{1, 61}, "0"}, {{1, 76}, ""}, {{1, 77}, ""},
                          {{1, 8}, "1"}, {{1, 41}, "KG"}, {{1, 60}, "Loose"}, {{1, 16}, ""}};
    EXPECT_EQ(cellsOf(articles, wanted), wanted);
}

TEST_F(ArticleRow, AnArticleTheMasterDoesNotHoldIsLoadedWithoutItsData)
{
    header("  FC", "000100000003A", ", IDCOMPLEMENTO, CONDICIONIVA", ", 0, '   5'");
    line("  FC", "000100000003A", "", "GONE", "1", ", PRESENTACION", ", 'Own'");
    layOut("FC");
    engine->AsignarDatosComprobante("FC", "000100000003A", "0", tasks, articles, others);
    const Cells wanted = {{{1, 0}, "GONE"}, {{1, 7}, "4"}, {{1, 27}, ""}, {{1, 16}, "-1"}, {{1, 19}, ""},
                          {{1, 20}, ""}, {{1, 30}, ""}, {{1, 46}, ""}, {{1, 59}, ""}, {{1, 61}, ""}, {{1, 76}, ""},
                          {{1, 77}, ""}, {{1, 8}, "1"}, {{1, 60}, "Own"}};
    EXPECT_EQ(cellsOf(articles, wanted), wanted);
}

TEST_F(ArticleRow, APurchaseTypeLoadsItsListPriceAndTheSuppliersCode)
{
    header(" FCC", "000100000004A", ", CUENTA, CONDICIONIVA, ENCOMODATO", ", '2110101001', '   1', 1");
    line(" FCC", "000100000004A", "2110101001", "FLAGGED", "0", ", PRECIO_LISTA", ", 33.25");
    layOut("FCC");
    engine->AsignarDatosComprobante("FCC", "000100000004A", "", tasks, articles, others, false, nullptr, true,
                                    "2110101001");
    const Cells wanted = {{{1, 0}, "FLAGGED"}, {{1, 79}, "33.25"}, {{1, 75}, " SUP-1 "}, {{1, 18}, "131"},
                          {{1, 33}, ""}, {{1, 11}, ""}, {{1, 2}, ""}, {{1, 88}, ""}, {{1, 21}, "|L1|"}};
    EXPECT_EQ(cellsOf(articles, wanted), wanted);
}

TEST_F(ArticleRow, AnOrdersLinesCarryNoLotsSeriesOrOrigin)
{
    setConfiguration("EntregaParcialRemito", "NO");
    header("  NP", "000100000005A", ", IDCOMPLEMENTO", ", 0");
    line("  NP", "000100000005A", "", "FLAGGED", "0");
    layOut("NP");
    engine->AsignarDatosComprobante("np", "000100000005A", "0", tasks, articles, others);
    const Cells wanted = {{{1, 0}, "FLAGGED"}, {{1, 21}, ""}, {{1, 22}, ""}, {{1, 37}, ""}, {{1, 36}, ""}};
    EXPECT_EQ(cellsOf(articles, wanted), wanted);
}

}  // namespace
