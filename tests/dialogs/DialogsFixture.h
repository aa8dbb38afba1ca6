#pragma once
// The program fixture for the voucher dialogs: a fixed-width measurer and a way to put stock by lot and
// series into the ERP database.

#include "tests/core/ProgramFixture.h"

#include "core/Utilidades.h"
#include "platform/ui/TextMeasurer.h"

#include <string>

class DialogsFixture : public ProgramFixture {
protected:
    static void execute(const std::string& statement) { gDB_Dll().gCnn.execute(statement); }

    // One row of stock by lot and series, the article stored right-aligned in 25 as the ERP keeps it; an
    // empty lot or series is stored as Null.
    static void stock(const std::string& articulo, const std::string& deposito, const std::string& lote,
                      const std::string& serie, double cantidad) {
        const auto texto = [](const std::string& value) {
            return value.empty() ? std::string("NULL") : gDB_Dll().SQLValue(base::Value(value));
        };
        execute("INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IDDEPOSITO, NROLOTE, NROSERIE, CANTIDAD) VALUES (" +
                texto(gUtilidades().RellenaCodigo(articulo, 25)) + ", " + texto(deposito) + ", " + texto(lote) + ", " +
                texto(serie) + ", " + base::doubleToText(cantidad) + ")");
    }

    ui::FixedWidthTextMeasurer measurer;
};
