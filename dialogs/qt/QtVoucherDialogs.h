#pragma once
// The voucher dialogs on screen: the engine shows each dialog as a Qt dialog, modal over the window that
// asked. Installed by that window; it removes itself from the engine when the window goes.

#include "dialogs/VoucherDialogs.h"

#include <QObject>

class QWidget;

class QtVoucherDialogs : public QObject, public VoucherDialogs {
public:
    // The dialogs are modal over `parent`, which also owns this object.
    explicit QtVoucherDialogs(QWidget* parent);
    ~QtVoucherDialogs() override;

    void showModal(FrmCargaLotesySeries& form) override;
    void showModal(FrmConsComprobantes& form) override;
    void showModal(FrmLoteyPosicion& form) override;

private:
    QWidget* parent_;
};
