#pragma once
// The storage-position and lot dialog on screen. Its logic is FrmLoteyPosicion; the grid, its edit box and
// the buttons are those of every entry-grid dialog, and its tool bar has a third button that proposes.

// moc cannot read the C++20 library headers the dialog's own header brings in, and needs nothing of it.
#ifndef Q_MOC_RUN
#include "dialogs/FrmLoteyPosicion.h"
#include "dialogs/qt/EntryGridDialog.h"
#endif

class FrmLoteyPosicionDialog : public EntryGridDialog<FrmLoteyPosicion> {
    Q_OBJECT
public:
    explicit FrmLoteyPosicionDialog(FrmLoteyPosicion& form, QWidget* parent = nullptr);
};
