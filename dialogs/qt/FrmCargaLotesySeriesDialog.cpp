#include "dialogs/qt/FrmCargaLotesySeriesDialog.h"

namespace {

constexpr int kF2 = 113;

}  // namespace

FrmCargaLotesySeriesDialog::FrmCargaLotesySeriesDialog(FrmCargaLotesySeries& form, QWidget* parent)
    : EntryGridDialog(form, "FrmCargaLotesySeries", parent) {}

bool FrmCargaLotesySeriesDialog::windowKey(int code) {
    if (code != kF2) return false;
    form_.Form_KeyDown(code);
    formChanged();
    return true;
}
