// The lines a voucher holds against what its printed form allows, and the counts of its grids.

#include "tests/voucher/VoucherFixture.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

class LineLimits : public VoucherFixture {
protected:
    // 18 lines in use: 3 tasks, 14 articles (one blank row and one of blanks between them), 1 other concept.
    void SetUp() override
    {
        VoucherFixture::SetUp();
        fill(tareas, {{"T1"}, {"T2"}, {"T3"}});
        std::vector<std::vector<std::string>> lines;
        for (int i = 0; i < 14; ++i) lines.push_back(articleLine("A" + std::to_string(i), "1"));
        lines.insert(lines.begin() + 3, articleLine("", "5"));
        lines.insert(lines.begin() + 5, articleLine("   ", "5"));
        fill(articulos, lines);
        fill(otros, {{"Flete"}});
    }
};

TEST_F(LineLimits, TheLinesInUseAndTheOnesToAddMustFitTheFormsLimit)
{
    struct Case {
        std::optional<int> stored;  // the form's limit for "  FC" A; none: no row
        const char* tc;
        const char* letter;
        std::int32_t add;
        std::int32_t previous;
        std::int32_t limitPassed;
        bool fits;
        std::int32_t limit;
        std::int32_t used;
    };
    const Case cases[] = {
        {std::nullopt, "FC", "A", 50, 0, 9, true, 0, -7},
        {20, "FC", "A", 2, 0, 0, true, 20, 18},
        {20, "FC", "A", 3, 0, 0, false, 20, 18},
        {20, "  FC", " A", 2, 0, 0, true, 20, 18},
        {20, "fc", "a", 3, 0, 0, false, 20, 18},
        {20, "FC", "B", 3, 0, 0, true, 0, -7},        // another letter has no limit
        {0, "FC", "A", 3, 0, 0, true, 0, -7},         // a limit of 0 is none
        {18, "FC", "A", 0, 0, 0, true, 18, 18},       // equal still fits
        {20, "FC", "A", 5, -1, 0, true, 0, -7},       // -1: the limit passed, none, is not read
        {20, "FC", "A", 5, -1, 22, false, 22, 18},
        {20, "FC", "A", 4, -1, 22, true, 22, 18},
    };
    for (const Case& c : cases) {
        execute({"DELETE FROM TA_CONFIG_IMP_CPTE"});
        if (c.stored)
            execute({"INSERT INTO TA_CONFIG_IMP_CPTE (TC, LETRA, CANTLINEAS) VALUES ('  FC', 'A', " + std::to_string(*c.stored) +
                     "), ('  FC', 'A', 99)"});
        std::int32_t limit = c.limitPassed, used = -7;
        EXPECT_EQ(engine->ValidaCantidadLineasCpte(c.tc, c.letter, &tareas, &articulos, &otros, &limit, &used, c.add,
                                                   c.previous),
                  c.fits)
            << c.tc << c.letter << " +" << c.add;
        EXPECT_EQ(limit, c.limit) << c.tc << c.letter << " +" << c.add;
        EXPECT_EQ(used, c.used) << c.tc << c.letter << " +" << c.add;
    }
}

TEST_F(LineLimits, AbsentGridsHoldNoLines)
{
    execute({"INSERT INTO TA_CONFIG_IMP_CPTE (TC, LETRA, CANTLINEAS) VALUES ('  FC', 'A', 3)"});
    std::int32_t limit = 0, used = 0;
    EXPECT_TRUE(engine->ValidaCantidadLineasCpte("FC", "A", &tareas, nullptr, nullptr, &limit, &used));
    EXPECT_EQ(used, 3);
    EXPECT_FALSE(engine->ValidaCantidadLineasCpte("FC", "A", nullptr, &articulos, nullptr));
    EXPECT_TRUE(engine->ValidaCantidadLineasCpte("FC", "A", nullptr, nullptr, nullptr, &limit, &used, 3));
    EXPECT_EQ(used, 0);
}

TEST_F(LineLimits, WithoutTheTableTheLimitPassedStillServesAndAReadGoesToTheErrorTreatment)
{
    execute({"DROP TABLE TA_CONFIG_IMP_CPTE"});
    std::int32_t limit = 18, used = 0;
    EXPECT_TRUE(engine->ValidaCantidadLineasCpte("FC", "A", &tareas, &articulos, &otros, &limit, &used, 0, -1));
    EXPECT_EQ(used, 18);
    expectErrorTreatment("Recordset", "ValidaCantidadLineasCpte");
    EXPECT_FALSE(engine->ValidaCantidadLineasCpte("FC", "A", &tareas, &articulos, &otros, &limit, &used));
}

TEST_F(LineLimits, ItemsAreCountedPerGridAndUnitsSummedExactly)
{
    struct Case {
        std::vector<std::string> quantities;
        std::int32_t units;
    };
    const Case cases[] = {
        {{"1.5", "1.5"}, 3},
        {{"0.5", "0.5"}, 1},
        {{"0.5"}, 0},
        {{"2.5", "1"}, 4},
        {{" 2 ", "abc", ""}, 2},
        {{"-1.5", "0.25"}, -1},
    };
    for (const Case& c : cases) {
        std::vector<std::vector<std::string>> lines;
        for (const std::string& quantity : c.quantities) lines.push_back(articleLine("A" + std::to_string(lines.size()), quantity));
        lines.push_back(articleLine("", "7"));  // a row without a code is no line, whatever it holds
        fill(articulos, lines);
        std::int32_t tasks = -1, articles = -1, others = -1, units = -1;
        EXPECT_EQ(engine->CuentaItems(&tareas, &articulos, &otros, &tasks, &articles, &others, &units),
                  static_cast<std::int32_t>(4 + c.quantities.size()));
        EXPECT_EQ(tasks, 3);
        EXPECT_EQ(articles, static_cast<std::int32_t>(c.quantities.size()));
        EXPECT_EQ(others, 1);
        EXPECT_EQ(units, c.units) << c.quantities.front();
    }
}

TEST_F(LineLimits, AbsentGridsCountNothing)
{
    std::int32_t tasks = -1, articles = -1, others = -1, units = -1;
    EXPECT_EQ(engine->CuentaItems(nullptr, nullptr, nullptr, &tasks, &articles, &others, &units), 0);
    EXPECT_EQ(tasks + articles + others + units, 0);
    EXPECT_EQ(engine->CuentaItems(nullptr, nullptr, &otros), 1);
}

}  // namespace
