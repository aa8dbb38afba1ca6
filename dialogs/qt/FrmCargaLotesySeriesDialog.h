#pragma once
// The lot and serial-number dialog on screen. Its logic is FrmCargaLotesySeries; the grid, its edit box and
// the buttons are those of every entry-grid dialog, and F2 goes to the dialog wherever the focus is.

// moc cannot read the C++20 library headers the dialog's own header brings in, and needs nothing of it.
#ifndef Q_MOC_RUN
#include "dialogs/FrmCargaLotesySeries.h"
#include "dialogs/qt/EntryGridDialog.h"
#endif

class FrmCargaLotesySeriesDialog : public EntryGridDialog<FrmCargaLotesySeries> {
    Q_OBJECT
public:
    explicit FrmCargaLotesySeriesDialog(FrmCargaLotesySeries& form, QWidget* parent = nullptr);

private:
    bool windowKey(int code) override;
};
