#pragma once
// How the voucher engine shows its dialogs. Each call loads the dialog and returns once the dialog has
// hidden or unloaded itself, as a modal window does; the engine then reads the results. The program
// installs the Qt dialogs; tests install a script.

class FrmCargaLotesySeries;
class FrmConsComprobantes;
class FrmLoteyPosicion;

class VoucherDialogs {
public:
    virtual ~VoucherDialogs() = default;
    virtual void showModal(FrmCargaLotesySeries& form) = 0;
    virtual void showModal(FrmConsComprobantes& form) = 0;
    virtual void showModal(FrmLoteyPosicion& form) = 0;
};

// The dialogs every voucher operation is shown through; nullptr until one is installed.
VoucherDialogs* voucherDialogs();
void setVoucherDialogs(VoucherDialogs* dialogs);
