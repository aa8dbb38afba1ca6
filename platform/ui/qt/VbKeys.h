#pragma once
// Keys as the presenters receive them: the legacy key codes (Enter 13, Esc 27, F2 113, F5 116, F12 123 ...)
// and shift state (1 Shift, 2 Ctrl, 4 Alt), because the windows' logic is written in those numbers.

#include <Qt>

class QKeyEvent;

namespace ui {

// 0 for a key that has no code of its own (a shifted symbol, a dead key).
int vbKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
int vbKeyCode(const QKeyEvent& event);
int vbShiftState(Qt::KeyboardModifiers modifiers);

}  // namespace ui
