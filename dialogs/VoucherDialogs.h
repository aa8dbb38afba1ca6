#pragma once
// How the voucher engine shows its dialogs: through the installed VoucherDialogs, the Qt views in the
// program and a script in tests. Each showModal returns once the dialog has hidden itself.

class FrmCargaLotesySeries;
class FrmLoteyPosicion;

class VoucherDialogs {
public:
    virtual ~VoucherDialogs() = default;
    virtual void showModal(FrmCargaLotesySeries& form) = 0;
    virtual void showModal(FrmLoteyPosicion& form) = 0;
};

// Null until one is installed.
VoucherDialogs* voucherDialogs();
void setVoucherDialogs(VoucherDialogs* dialogs);
