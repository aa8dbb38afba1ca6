#include "dialogs/qt/QtVoucherDialogs.h"

#include "dialogs/qt/FrmCargaLotesySeriesDialog.h"
#include "dialogs/qt/FrmConsComprobantesDialog.h"
#include "dialogs/qt/FrmLoteyPosicionDialog.h"

#include <QWidget>

QtVoucherDialogs::QtVoucherDialogs(QWidget* parent) : QObject(parent), parent_(parent) {}

QtVoucherDialogs::~QtVoucherDialogs() {
    if (voucherDialogs() == this) setVoucherDialogs(nullptr);
}

void QtVoucherDialogs::showModal(FrmCargaLotesySeries& form) {
    FrmCargaLotesySeriesDialog dialog(form, parent_);
    dialog.exec();
}

void QtVoucherDialogs::showModal(FrmConsComprobantes& form) {
    FrmConsComprobantesDialog dialog(form, parent_);
    dialog.exec();
}

void QtVoucherDialogs::showModal(FrmLoteyPosicion& form) {
    FrmLoteyPosicionDialog dialog(form, parent_);
    dialog.exec();
}
