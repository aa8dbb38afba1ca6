#pragma once
// The voucher dialogs as tests show them, without a screen: each dialog is loaded as its view loads it
// (the lot dialog is loaded by the engine before it is shown), then the test's script acts on it as the
// operator would. A dialog the script leaves open is cancelled, as closing its frame would. What each
// dialog was handed, or how often it was shown, is kept for the test to read. Installed for the life of
// the object.

#include "dialogs/FrmCargaLotesySeries.h"
#include "dialogs/FrmConsComprobantes.h"
#include "dialogs/FrmLoteyPosicion.h"
#include "dialogs/VoucherDialogs.h"

#include <functional>
#include <string>
#include <vector>

struct ShownQuery {
    std::string TC, Filtro, NroComprobante;
};

class ScriptedVoucherDialogs : public VoucherDialogs {
public:
    ScriptedVoucherDialogs() : previous_(voucherDialogs()) { setVoucherDialogs(this); }
    ~ScriptedVoucherDialogs() override { setVoucherDialogs(previous_); }
    ScriptedVoucherDialogs(const ScriptedVoucherDialogs&) = delete;
    ScriptedVoucherDialogs& operator=(const ScriptedVoucherDialogs&) = delete;

    std::function<void(FrmCargaLotesySeries&)> onLotesySeries;
    int lotesySeriesShown = 0;

    void showModal(FrmCargaLotesySeries& form) override {
        ++lotesySeriesShown;
        if (onLotesySeries) onLotesySeries(form);
        if (!form.hidden()) form.CmdCancelar_Click();
    }

    std::function<void(FrmLoteyPosicion&)> onLoteyPosicion;
    int loteyPosicionShown = 0;

    void showModal(FrmLoteyPosicion& form) override {
        ++loteyPosicionShown;
        if (onLoteyPosicion) onLoteyPosicion(form);
        if (!form.hidden()) form.CmdCancelar_Click();
    }

    const ui::TextMeasurer* measurer = nullptr;
    std::function<void(FrmConsComprobantes&)> onQuery;
    std::vector<ShownQuery> queries;

    void showModal(FrmConsComprobantes& form) override {
        queries.push_back({form.TC, form.Filtro, form.NroComprobante});
        form.setTextMeasurer(measurer);
        form.Form_Load();
        if (onQuery) onQuery(form);
        if (!form.hidden()) form.CmdCancelar_Click();
        form.setTextMeasurer(nullptr);
    }

private:
    VoucherDialogs* previous_;
};
