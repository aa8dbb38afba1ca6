// Painting rows and columns, repeated codes in the three entry grids, and fractional numbers.

#include "tests/voucher/VoucherFixture.h"

#include <gtest/gtest.h>

namespace {

class GridPainting : public VoucherFixture {
protected:
    void SetUp() override
    {
        VoucherFixture::SetUp();
        fill(tareas, {{"T1"}, {"T2"}, {"T3"}, {"T4"}, {"T5"}, {"T6"}});
    }
};

TEST_F(GridPainting, ARowIsPaintedWholeAndTheCurrentCellMovesToIt)
{
    tareas.setRow(3);
    tareas.setCol(2);
    engine->PintarFila(5, tareas, 255);
    EXPECT_EQ(tareas.row(), 5);
    EXPECT_EQ(tareas.col(), 2);
    for (long col = 0; col < tareas.cols(); ++col) EXPECT_EQ(tareas.backColorAt(5, col), 255u) << col;
    EXPECT_EQ(tareas.backColorAt(4, 0), 0u);
    engine->PintarFila(1, tareas);
    EXPECT_EQ(tareas.backColorAt(1, 15), 65535u);
    EXPECT_THROW(engine->PintarFila(40, tareas), base::Error);
}

TEST_F(GridPainting, AColumnIsPaintedOverItsRangeAndTheRowComesBack)
{
    struct Case {
        std::int32_t from, to;
        long first, last;  // painted rows; first > last: none
    };
    const Case cases[] = {{-1, -1, 0, 7}, {2, 4, 2, 4}, {4, 2, 1, 0}, {5, 30, 5, 7}, {-1, 0, 0, 0}};
    for (const Case& c : cases) {
        tareas.clear();
        tareas.setRow(3);
        tareas.setCol(0);
        engine->PintarColuma(2, tareas, c.from, c.to, 16711680);
        EXPECT_EQ(tareas.row(), 3) << c.from << ".." << c.to;
        // The column becomes current as the first cell is painted.
        EXPECT_EQ(tareas.col(), c.first <= c.last ? 2 : 0) << c.from << ".." << c.to;
        for (long row = 0; row < tareas.rows(); ++row) {
            const bool painted = row >= c.first && row <= c.last;
            EXPECT_EQ(tareas.backColorAt(row, 2), painted ? 16711680u : 0u) << c.from << ".." << c.to << " row " << row;
            EXPECT_EQ(tareas.backColorAt(row, 1), 0u);
        }
    }
    tareas.clear();
    engine->PintarColuma(40, tareas);  // a column outside the grid paints nothing and raises nothing
    for (long row = 0; row < tareas.rows(); ++row)
        for (long col = 0; col < tareas.cols(); ++col) EXPECT_EQ(tareas.backColorAt(row, col), 0u);
}

TEST_F(GridPainting, ARepeatedCodeIsFoundInAnotherRowOfItsGrid)
{
    fill(articulos, {articleLine("A1", "1"), articleLine("", "1"), articleLine("TORNILLO   ", "1"), articleLine("A2", "1")});
    fill(otros, {{"Flete"}, {"  "}});
    struct Case {
        const char* code;
        std::int32_t ignore;
        bool repeated;
        std::int32_t found;  // -9: left as it was
    };
    const Case articles[] = {
        {"tornillo", -1, true, 3}, {" Tornillo ", 1, true, 3}, {"TORNILLO", 3, false, -9},
        {"", -1, true, 2}, {"   ", 2, true, 5},  // a blank code finds the first blank row, the grid's last row too
        {"A3", -1, false, -9},
    };
    for (const Case& c : articles) {
        std::int32_t found = -9;
        EXPECT_EQ(engine->ArticuloRepetido(articulos, c.code, c.ignore, &found), c.repeated) << c.code << c.ignore;
        EXPECT_EQ(found, c.found) << c.code << c.ignore;
    }
    std::int32_t found = -9;
    EXPECT_TRUE(engine->TareaRepetida(tareas, "t4", -1, &found));
    EXPECT_EQ(found, 4);
    EXPECT_FALSE(engine->TareaRepetida(tareas, "T4", 4));
    EXPECT_TRUE(engine->OtrosConceptosRepetidos(otros, "FLETE"));
    EXPECT_TRUE(engine->OtrosConceptosRepetidos(otros, "", 1, &found));
    EXPECT_EQ(found, 2);
}

TEST(NumeroEsFraccion, AnyNumberIsToldWhetherItHasAFraction)
{
    struct Case {
        base::Value number;
        bool fraction;
    };
    const Case cases[] = {
        {2, false}, {2.5, true}, {-0.25, true}, {"3", false}, {" 3.75", true}, {40000.5, true}, {1e10, false},
        {-32768.5, true}, {base::Currency::fromScaled(15000), true}, {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(ClsCmnCptes::NumeroEsFraccion(c.number), c.fraction) << c.number.toText();
    EXPECT_THROW(ClsCmnCptes::NumeroEsFraccion(base::Value::null()), base::Error);
}

}  // namespace
