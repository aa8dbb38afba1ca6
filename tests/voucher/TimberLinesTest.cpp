// Timber lines: the measures the article asks for, the cells painted out for it, and equal lines merged
// into one row with weighted equivalence and price.

#include "core/Utilidades.h"
#include "tests/voucher/VoucherLoadingFixture.h"

namespace {

constexpr ui::Color kWhite = 0xFFFFFF;

class TimberLines : public VoucherLoadingFixture {
protected:
    void SetUp() override
    {
        VoucherLoadingFixture::SetUp();
        gMaderera = true;
        savedUnits = {gUnidadM3, gUnidadBL, gUnidadKG};
        gUnidadM3 = "  M3";
        gUnidadBL = "  BL";
        gUnidadKG = "  KG";
        execute({"INSERT INTO MA_ARTICULOS (IDARTICULO, IDUNIDAD, PIDEMEDIDAS) VALUES (" + sql(padded("BOARD")) +
                     ", '  P2', 1)",
                 "INSERT INTO MA_ARTICULOS (IDARTICULO, IDUNIDAD, PIDEMEDIDAS) VALUES (" + sql(padded("NAILS")) +
                     ", '  P2', 0)"});
        for (const char* article : {"BOARD", "NAILS"})
            execute({"INSERT INTO S_TA_EQUIV VALUES (" + sql(padded(article)) + ", '  P2', '  M3', 0.01)",
                     "INSERT INTO S_TA_EQUIV VALUES (" + sql(padded(article)) + ", '  P2', '  BL', 0.5)",
                     "INSERT INTO S_TA_EQUIV VALUES (" + sql(padded(article)) + ", '  P2', '  KG', 2)"});
        header("  FC", "000100000001A", ", IDCOMPLEMENTO", ", 0");
    }

    void TearDown() override
    {
        gUnidadM3 = savedUnits[0];
        gUnidadBL = savedUnits[1];
        gUnidadKG = savedUnits[2];
        VoucherLoadingFixture::TearDown();
    }

    static void line(const std::string& article, const std::string& quantity, const std::string& equivalence,
                     const std::string& amount, const std::string& thickness = "2", const std::string& unit = "  P2")
    {
        execute({"INSERT INTO MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDARTICULO, IDUNIDAD, CANTIDAD, "
                 "CANTIDADUD, EQUIV_UDBASE, IMPORTE, ESPESOR, ANCHO, UD_PR, IMPORTE_UD) VALUES ('  FC', '000100000001A', "
                 "0, " + sql(padded(article)) + ", " + sql(unit) + ", " + quantity + ", " + quantity + ", " +
                 equivalence + ", " + amount + ", " + thickness + ", 4, '  P2', 7.5)"});
    }

    void load(std::int32_t reparto = 0)
    {
        layOut("FC");
        engine->AsignarDatosComprobante("FC", "000100000001A", "0", tasks, articles, others, false, nullptr, false, "",
                                        &reparto);
    }

    std::vector<std::string> savedUnits;
};

TEST_F(TimberLines, TwoEqualLinesBecomeOneRowWithWeightedEquivalenceAndPrice)
{
    line("BOARD", "2", "1", "10");
    line("BOARD", "3", "2", "20");
    load();
    EXPECT_EQ(articles.rows(), 3);
    const Cells wanted = {{{1, 7}, "5"}, {{1, 8}, "1.60"}, {{1, 84}, "1.60"}, {{1, 10}, "5"}, {{1, 14}, "16.00"},
                          {{1, 17}, "16.00"}, {{1, 3}, "2"}, {{1, 4}, "4"}, {{1, 12}, "P2"}, {{1, 13}, "7.5"},
                          {{1, 83}, "1"}, {{1, 62}, "0.05"}, {{1, 63}, "2.5"}, {{1, 64}, "10"}, {{2, 0}, ""}};
    EXPECT_EQ(cellsOf(articles, wanted), wanted);
    // The current row is the one above the entry row, as the grid's last line was.
    EXPECT_EQ(articles.row(), 1);
}

TEST_F(TimberLines, ALineMergedPastAnotherRowRecomputesTheRowThatTookIt)
{
    line("BOARD", "2", "1", "10");
    line("BOARD", "1", "1", "10", "3");
    line("BOARD", "3", "1", "10");
    load();
    EXPECT_EQ(articles.rows(), 4);
    const Cells wanted = {{{1, 7}, "5"}, {{1, 62}, "0.05"}, {{1, 63}, "2.5"}, {{1, 64}, "10"},
                          {{2, 7}, "1"}, {{2, 3}, "3"}, {{2, 62}, "0.01"}, {{2, 63}, "0.5"}, {{2, 64}, "2"},
                          {{3, 0}, ""}};
    EXPECT_EQ(cellsOf(articles, wanted), wanted);
    EXPECT_EQ(articles.row(), 2);
}

TEST_F(TimberLines, LinesThatCancelOutStayApart)
{
    line("BOARD", "2", "1", "10");
    line("BOARD", "-2", "1", "10");
    // Only negated quantities can cancel out: a negative quantity otherwise loads as 0.
    load(-98);
    EXPECT_EQ(articles.rows(), 4);
    const Cells wanted = {{{1, 0}, "BOARD"}, {{2, 0}, "BOARD"}, {{1, 84}, ""}, {{1, 7}, "-2"}, {{2, 7}, "2"}, {{3, 0}, ""}};
    EXPECT_EQ(cellsOf(articles, wanted), wanted);
}

TEST_F(TimberLines, CellsThatMeanNothingForTheArticleArePaintedOut)
{
    gMadTiras = "TI";
    line("NAILS", "1", "1", "1");
    line("BOARD", "1", "3", "1", "5");
    line("BOARD", "1", "3", "1", "6", "  TI");
    load();
    const auto white = [&](long row, long col) { return articles.foreColorAt(row, col) == kWhite; };
    // An article without measures: thickness, width and equivalence; one with them, the equivalence unless
    // its unit is the strips unit, whose equivalence is shown.
    EXPECT_EQ((std::vector<bool>{white(1, 3), white(1, 4), white(1, 8), white(1, 0)}),
              (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ((std::vector<bool>{white(2, 3), white(2, 4), white(2, 8)}), (std::vector<bool>{false, false, true}));
    EXPECT_EQ((std::vector<bool>{white(3, 3), white(3, 4), white(3, 8)}), (std::vector<bool>{false, false, false}));
    const Cells wanted = {{{1, 83}, "0"}, {{1, 3}, ""}, {{2, 83}, "1"}, {{2, 3}, "5"}, {{3, 8}, "3"}, {{3, 67}, "TI"}};
    EXPECT_EQ(cellsOf(articles, wanted), wanted);
}

}  // namespace
