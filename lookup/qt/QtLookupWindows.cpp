#include "lookup/qt/QtLookupWindows.h"

#include "lookup/qt/Lib_FrmCons3Dialog.h"
#include "lookup/qt/Lib_FrmCons3TreeDialog.h"

#include <QWidget>

QtLookupWindows::QtLookupWindows(QWidget* parent) : QObject(parent), parent_(parent) {}

QtLookupWindows::~QtLookupWindows() {
    if (lookupWindows() == this) setLookupWindows(nullptr);
}

void QtLookupWindows::showModal(Lib_FrmCons3& form) {
    Lib_FrmCons3Dialog dialog(form, parent_);
    dialog.exec();
}

void QtLookupWindows::showModal(Lib_FrmCons3Tree& form) {
    Lib_FrmCons3TreeDialog dialog(form, parent_);
    dialog.exec();
}
