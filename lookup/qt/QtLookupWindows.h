#pragma once
// The lookup windows on screen: the lookup engine shows its list and tree windows as Qt dialogs, modal over
// the window that asked. Installed by the window whose boxes start lookups; it removes itself from the
// engine when that window goes.

#include "lookup/Lib_ClsCons3.h"

#include <QObject>

class QWidget;

class QtLookupWindows : public QObject, public LookupWindows {
public:
    // The dialogs are modal over `parent`, which also owns this object.
    explicit QtLookupWindows(QWidget* parent);
    ~QtLookupWindows() override;

    void showModal(Lib_FrmCons3& form) override;
    void showModal(Lib_FrmCons3Tree& form) override;

private:
    QWidget* parent_;
};
