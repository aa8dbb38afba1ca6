#pragma once
// Lot and serial-number dialogs loaded as the engine loads them, for the tests to act on as the operator.

#include "dialogs/FrmCargaLotesySeries.h"
#include "platform/base/Text.h"
#include "tests/dialogs/DialogsFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class LotesySeriesFixture : public DialogsFixture {
protected:
    static constexpr const char* kArticulo = "A1";
    static constexpr const char* kDeposito = "   1";

    static std::string sep() { return base::characterOfCode(255); }

    // An outgoing dialog of the article in warehouse "   1", loaded.
    std::unique_ptr<FrmCargaLotesySeries> salida(double cantidad, bool lote, bool serie, std::string lotes = {},
                                                 std::string series = {}, std::string lotesExistentes = {},
                                                 std::string seriesExistentes = {}) {
        auto form = std::make_unique<FrmCargaLotesySeries>();
        form->setTextMeasurer(&measurer);
        form->Cantidad = cantidad;
        form->Articulo = kArticulo;
        form->EsConsultaDeSerieLote = true;
        form->EsLote = lote;
        form->EsSerie = serie;
        form->Deposito = kDeposito;
        form->Lotes = std::move(lotes);
        form->Series = std::move(series);
        form->LotesExistentes = std::move(lotesExistentes);
        form->SeriesExistentes = std::move(seriesExistentes);
        form->CargaDatos();
        return form;
    }

    // An entry dialog, loaded.
    std::unique_ptr<FrmCargaLotesySeries> entrada(double cantidad, bool lote, bool serie, std::string lotesAnt = {},
                                                  std::string seriesAnt = {}) {
        auto form = std::make_unique<FrmCargaLotesySeries>();
        form->setTextMeasurer(&measurer);
        form->Cantidad = cantidad;
        form->Articulo = kArticulo;
        form->EsLote = lote;
        form->EsSerie = serie;
        form->LotesAnteriores = std::move(lotesAnt);
        form->SeriesAnteriores = std::move(seriesAnt);
        form->CargaDatos();
        return form;
    }

    using Grid = std::vector<std::vector<std::string>>;
    // The grid's data rows, cell by cell.
    static Grid cells(const FrmCargaLotesySeries& form) {
        Grid result;
        const ui::FlexGrid& g = form.MSFlexGrid1;
        for (long r = 1; r < g.rows(); ++r) {
            std::vector<std::string> row;
            for (long c = 0; c < g.cols(); ++c) row.push_back(g.textMatrix(r, c));
            result.push_back(row);
        }
        return result;
    }

    // The operator types `text` on the current cell: the first character opens the box, the rest go into it.
    static void type(FrmCargaLotesySeries& form, const std::string& text) {
        if (text.empty()) return;
        form.MSFlexGrid1_KeyPress(static_cast<unsigned char>(text[0]));
        for (std::size_t i = 1; i < text.size(); ++i) form.TxtEdit_KeyPress(static_cast<unsigned char>(text[i]));
    }

    static void go(FrmCargaLotesySeries& form, long row, long col) {
        form.MSFlexGrid1.setRow(row);
        form.MSFlexGrid1.setCol(col);
    }

    void expectRefusal(const std::string& message) {
        prompter.expectMessage(message, ui::vbCritical, "Aviso al Operador", ui::vbOK);
    }
};
