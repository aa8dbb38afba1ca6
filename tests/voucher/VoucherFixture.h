#pragma once
// The voucher engine with a voucher screen's grids laid out as the screens lay them out: tasks, article
// lines, other concepts and control totals of a sales type, on the stock fixture's database, fixed clock and
// scripted prompter.

#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextMeasurer.h"
#include "tests/stock/StockFixture.h"

#include <string>
#include <vector>

class VoucherFixture : public StockFixture {
protected:
    void SetUp() override
    {
        StockFixture::SetUp();
        execute({"INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA) VALUES ('  FC', 1, 'VENTAS')"});
        engine->InicializaGrids(&tareas, &articulos, &otros, nullptr, nullptr, nullptr, measurer, "FC", &control);
    }

    // Puts the rows under the header, each from column 0, in place of what the grid held; one empty row
    // follows them.
    static void fill(ui::FlexGrid& grid, const std::vector<std::vector<std::string>>& lines)
    {
        grid.setRows(1);
        grid.setRows(static_cast<long>(lines.size()) + 2);
        for (std::size_t i = 0; i < lines.size(); ++i)
            for (std::size_t col = 0; col < lines[i].size(); ++col)
                grid.setTextMatrix(static_cast<long>(i) + 1, static_cast<long>(col), lines[i][col]);
    }

    // An article line: code, description, quantity in column 7, type in 24, rubro in 25, stock in 31.
    static std::vector<std::string> articleLine(const std::string& code, const std::string& quantity,
                                                const std::string& rubro = {}, const std::string& type = {},
                                                const std::string& stock = {})
    {
        std::vector<std::string> line(32);
        line[0] = code;
        line[1] = code.empty() ? "" : "Articulo " + code;
        line[7] = quantity;
        line[24] = type;
        line[25] = rubro;
        line[31] = stock;
        return line;
    }

    ui::FixedWidthTextMeasurer measurer{120};
    ui::FlexGrid tareas{"MSFlexGrid1"};
    ui::FlexGrid articulos{"MSFlexGrid2"};
    ui::FlexGrid otros{"MSFlexGrid3"};
    ui::FlexGrid control{"MSFlexGrid4"};
};
