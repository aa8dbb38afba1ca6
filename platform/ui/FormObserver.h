#pragma once
// What a window's presenter tells the view that shows it: the presenter holds the window's state and is
// driven by its handlers, the view only follows. A presenter whose window does more says so in an observer
// of its own built on this one.

namespace ui {

class FormObserver {
public:
    virtual ~FormObserver() = default;
    // Something the view shows changed by the window's own code (a text, a caption, a box opened or moved).
    virtual void formChanged() = 0;
    // The window's code moved the keyboard focus.
    virtual void focusMoved() = 0;
    // The window hid or unloaded itself.
    virtual void formHidden() = 0;
};

}  // namespace ui
