#pragma once
// What the widget tests do to the voucher dialogs on screen as the operator: keys to the focused widget,
// clicks on a grid's cells, and the engine's dialogs shown as the program shows them.

#include "dialogs/qt/QtVoucherDialogs.h"
#include "platform/ui/qt/FlexGridView.h"
#include "tests/support/qt/Clicks.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace uitest {

// Keys go where the operator's would: to the widget that has the focus, `fallback` when none has.
inline void press(QWidget* fallback, int key, const QString& text = {}) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : fallback;
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &up);
    QApplication::processEvents();
}

// Each character of `text` typed as its key.
inline void type(QWidget* fallback, const QString& text) {
    for (const QChar c : text) press(fallback, c.toUpper().unicode(), QString(c));
}

// A left click in the middle of a grid cell, which must be shown.
inline void clickCell(ui::FlexGridView* grid, int row, int col) {
    click(grid->viewport(), grid->visualRect(grid->tableModel()->cellIndex(row, col)).center());
}

// The engine shows its dialogs on screen, modal over a window of their own, for the life of the object.
class QtDialogsInstalled {
public:
    QtDialogsInstalled() { setVoucherDialogs(new QtVoucherDialogs(&owner_)); }

private:
    QWidget owner_;  // owns the dialogs, which leave the engine when it goes
};

}  // namespace uitest
