#pragma once
// The voucher dialogs as tests show them, without a screen: the test's script acts on each dialog as the
// operator would. A dialog the script leaves open is closed through its frame, which cancels. How often
// each dialog was shown is kept for the test to read. Installed for the life of the object.

#include "dialogs/FrmCargaLotesySeries.h"
#include "dialogs/FrmLoteyPosicion.h"
#include "dialogs/VoucherDialogs.h"

#include <functional>

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

private:
    VoucherDialogs* previous_;
};
