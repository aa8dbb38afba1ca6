#include "platform/ui/qt/VbKeys.h"

#include <QKeyEvent>

namespace ui {

int vbKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    // Letters and digits keep their codes (A is 65, 0 is 48); keypad digits have their own (96 to 105).
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return keypad ? 96 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
        case Qt::Key_Backspace: return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return 9;
        case Qt::Key_Clear: return 12;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        case Qt::Key_Pause: return 19;
        case Qt::Key_CapsLock: return 20;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Space: return 32;
        case Qt::Key_PageUp: return 33;
        case Qt::Key_PageDown: return 34;
        case Qt::Key_End: return 35;
        case Qt::Key_Home: return 36;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Print: return 44;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Delete: return 46;
        case Qt::Key_Asterisk: return keypad ? 106 : 0;
        case Qt::Key_Plus: return keypad ? 107 : 187;
        case Qt::Key_Minus: return keypad ? 109 : 189;
        case Qt::Key_Period: return keypad ? 110 : 190;
        case Qt::Key_Slash: return keypad ? 111 : 191;
        case Qt::Key_NumLock: return 144;
        case Qt::Key_ScrollLock: return 145;
        case Qt::Key_Semicolon: return 186;
        case Qt::Key_Equal: return 187;
        case Qt::Key_Comma: return 188;
        case Qt::Key_QuoteLeft: return 192;
        case Qt::Key_BracketLeft: return 219;
        case Qt::Key_Backslash: return 220;
        case Qt::Key_BracketRight: return 221;
        case Qt::Key_Apostrophe: return 222;
        default: return 0;
    }
}

int vbKeyCode(const QKeyEvent& event) {
    return vbKeyCode(event.key(), event.modifiers());
}

int vbShiftState(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) state |= 1;
    if (modifiers.testFlag(Qt::ControlModifier)) state |= 2;
    if (modifiers.testFlag(Qt::AltModifier)) state |= 4;
    return state;
}

}  // namespace ui
