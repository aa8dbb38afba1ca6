#include "dialogs/qt/FrmLoteyPosicionDialog.h"

FrmLoteyPosicionDialog::FrmLoteyPosicionDialog(FrmLoteyPosicion& form, QWidget* parent)
    : EntryGridDialog(form, "FrmLoteyPosicion", parent) {
    addToolButton(QStyle::SP_BrowserReload, FrmLoteyPosicion::kBotonProponer, 3);
}
