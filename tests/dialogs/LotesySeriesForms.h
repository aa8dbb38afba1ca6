#pragma once
// Lot and serial-number dialogs loaded as the engine loads them, for the tests to act on as the operator.

#include "dialogs/FrmCargaLotesySeries.h"
#include "platform/base/Text.h"
#include "tests/dialogs/EntryDialogsFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class LotesySeriesFixture : public EntryDialogsFixture {
protected:
    static constexpr const char* kArticulo = "A1";
    static constexpr const char* kDeposito = "   1";

    static std::string sep() { return base::characterOfCode(255); }

    // The article's lots L1 (5 in stock) and L2 (3) in warehouse "   1".
    static void dosLotes() {
        stock(kArticulo, kDeposito, "L1", "", 5);
        stock(kArticulo, kDeposito, "L2", "", 3);
    }

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
};
