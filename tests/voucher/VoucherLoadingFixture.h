#pragma once
// The stock fixture with the voucher types the loading tests use, two decimals for amounts, voucher grids
// laid out by InicializaGrids, and a way to store vouchers and read the grids back.

#include "core/Configuracion.h"
#include "core/Utilidades.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextMeasurer.h"
#include "tests/stock/StockFixture.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

class VoucherLoadingFixture : public StockFixture {
protected:
    void SetUp() override
    {
        StockFixture::SetUp();
        savedDecimals = gCantidadDecimales;
        gCantidadDecimales = "2";
        execute({"INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA) VALUES ('  FC', 1, 'VENTAS')",
                 "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA) VALUES ('  RM', 1, 'VENTAS')",
                 "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA) VALUES ('  NP', 1, 'VENTAS')",
                 "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA) VALUES ('  OT', 1, 'SERVICIOS')",
                 "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA) VALUES (' FCC', 1, 'COMPRAS')"});
    }

    void TearDown() override
    {
        gCantidadDecimales = savedDecimals;
        gMaderera = false;
        gMadTiras.clear();
        StockFixture::TearDown();
    }

    // The grids as a voucher screen of the type has them before a load.
    void layOut(const std::string& TC)
    {
        engine->InicializaGrids(&tasks, &articles, &others, nullptr, nullptr, nullptr, measurer, TC);
    }

    // An article code as the ERP stores it, right-aligned in 25.
    static std::string padded(const std::string& article) { return gUtilidades().RellenaCodigo(article, 25); }

    // A stored value: "NULL" or a literal as SQL takes it.
    static std::string sql(const std::string& text) { return text == "NULL" ? text : gDB_Dll().SQLValue(text); }

    static void header(const std::string& TC, const std::string& id, const std::string& extra = {},
                       const std::string& values = {})
    {
        execute({"INSERT INTO MV_CPTE (TC, IDCOMPROBANTE" + extra + ") VALUES (" + sql(TC) + ", " + sql(id) + values +
                 ")"});
    }

    using Cells = std::map<std::pair<long, long>, std::string>;
    // The texts of the given cells of a grid.
    static Cells cellsOf(const ui::FlexGrid& grid, const Cells& wanted)
    {
        Cells found;
        for (const auto& [cell, text] : wanted) found[cell] = grid.textMatrix(cell.first, cell.second);
        return found;
    }

    // Every text of a grid, to see that a failure left it as it was.
    static std::vector<std::string> contents(const ui::FlexGrid& grid)
    {
        std::vector<std::string> all{std::to_string(grid.rows())};
        for (long r = 0; r < grid.rows(); ++r)
            for (long c = 0; c < grid.cols(); ++c) all.push_back(grid.textMatrix(r, c));
        return all;
    }

    // The error treatment's box for a failure of the load, answered as given.
    void expectLoadError(const std::string& source, int answer)
    {
        prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                               source + " - AsignarDatosComprobante Aviso al operador!!! ", answer);
    }

    ui::FixedWidthTextMeasurer measurer{120};
    ui::FlexGrid tasks{"MSFlexGrid1"}, articles{"MSFlexGrid2"}, others{"MSFlexGrid3"};
    std::string savedDecimals;
};
