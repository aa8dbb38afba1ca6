#pragma once
// Position dialogs loaded as the engine loads them, and balances by position for them to show.

#include "dialogs/FrmLoteyPosicion.h"
#include "tests/dialogs/EntryDialogsFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class LoteyPosicionFixture : public EntryDialogsFixture {
protected:
    static constexpr const char* kArticulo = "A1";
    static constexpr const char* kDeposito = "1";

    static std::string texto(const std::string& value) {
        return value.empty() ? std::string("NULL") : gDB_Dll().SQLValue(base::Value(value));
    }
    // A position of warehouse "   1" with its entry order.
    static void posicion(const std::string& idPosicion, int orden) {
        execute("INSERT INTO MA_POSICIONES (IDDEPOSITO, IDPOSICION, ORDENINGRESO) VALUES ('   1', " + texto(idPosicion) +
                ", " + std::to_string(orden) + ")");
    }
    // A balance of the article in warehouse "   1"; an empty position is the balance without position.
    static void saldo(const std::string& idPosicion, const std::string& lote, const std::string& unidad, double cantidad,
                      const std::string& articulo = kArticulo) {
        execute("INSERT INTO AC_SaldosLayout (IDDEPOSITO, IDPOSICION, IDARTICULO, NROLOTE, IDUNIDADBASE, SALDO) VALUES "
                "('   1', " + texto(idPosicion) + ", " + texto(gUtilidades().RellenaCodigo(articulo, 25)) + ", " +
                texto(lote) + ", " + texto(gUtilidades().RellenaCodigo(unidad, 4)) + ", " +
                base::doubleToText(cantidad) + ")");
    }
    // 4 units of the article in each of the positions A01 and B02, in that entry order, and 4 without position.
    static void cuatroEnDosPosicionesYElDeposito() {
        posicion("A01", 1);
        posicion("B02", 2);
        saldo("A01", "", "U", 4);
        saldo("B02", "", "U", 4);
        saldo("", "", "U", 4);
    }
    // One `unidad` is `coeficiente` `equiv`.
    static void equivalencia(const std::string& unidad, const std::string& equiv, double coeficiente) {
        execute("INSERT INTO S_TA_EQUIV (IDARTICULO, IDUNIDAD, IDUNIDAD_EQUIV, COEFICIENTE) VALUES (" +
                texto(gUtilidades().RellenaCodigo(kArticulo, 25)) + ", " + texto(gUtilidades().RellenaCodigo(unidad, 4)) +
                ", " + texto(gUtilidades().RellenaCodigo(equiv, 4)) + ", " + base::doubleToText(coeficiente) + ")");
    }

    std::unique_ptr<FrmLoteyPosicion> dialogo(double cantidad, bool lote, std::string posicionesAnt = {},
                                              std::string lotesAnt = {}, bool posicionFlag = true,
                                              std::string unidad = "U", std::string articulo = kArticulo) {
        auto form = std::make_unique<FrmLoteyPosicion>();
        form->setTextMeasurer(&measurer);
        form->Cantidad1 = cantidad;
        form->EsConsultaDePosicionLote = !posicionesAnt.empty() || !lotesAnt.empty();
        form->EsPosicion = posicionFlag;
        form->EsLote = lote;
        form->IUNIDAD = unidad;
        form->Articulo = articulo;
        form->Deposito = kDeposito;
        form->PosicionesAnteriores = std::move(posicionesAnt);
        form->LotesAnteriores = std::move(lotesAnt);
        form->CargaDatos();
        return form;
    }

    static std::vector<std::string> cantidades(const FrmLoteyPosicion& form) {
        std::vector<std::string> result;
        for (long r = 1; r < form.MSFlexGrid1.rows(); ++r) result.push_back(form.MSFlexGrid1.textMatrix(r, 4));
        return result;
    }

    // Types `text` into the CANT. cell of `row` and leaves it with Enter.
    static void cant(FrmLoteyPosicion& form, long row, const std::string& text) {
        go(form, row, 4);
        form.MSFlexGrid1_KeyPress(8);
        form.TxtEdit.text = text;
        form.TxtEdit_KeyDown(13);
    }
};
