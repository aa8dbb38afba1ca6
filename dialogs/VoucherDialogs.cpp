#include "dialogs/VoucherDialogs.h"

namespace {
VoucherDialogs* gVoucherDialogs = nullptr;
}

VoucherDialogs* voucherDialogs() {
    return gVoucherDialogs;
}

void setVoucherDialogs(VoucherDialogs* dialogs) {
    gVoucherDialogs = dialogs;
}
