#pragma once
// The keys a pick-list window's search box does not keep for itself: Enter and Esc press the window's
// default and cancel buttons, F5 and the moving keys go to the window's search. The list and the tree
// windows answer them alike.

#include "platform/ui/qt/VbKeys.h"

#include <QKeyEvent>

// True when the window took the key; any other key is the box's own.
template <typename PickList>
bool searchBoxKey(PickList& form, int index, const QKeyEvent& key)
{
    int keyCode = ui::vbKeyCode(key);
    switch (keyCode) {
    case 13:  // the default button
        form.CmdAceptar_Click();
        return true;
    case 27:  // the cancel button
        form.CmdCancelar_Click();
        return true;
    case 116:
    case 40:
    case 38:
    case 34:
    case 33:
        form.CmbSearch_KeyDown(index, keyCode, ui::vbShiftState(key.modifiers()));
        return true;
    default:
        return false;
    }
}
