#pragma once
// The QApplication of the widget tests (offscreen unless the environment picks a platform), and a way to
// act on a modal box once it is up: the box's exec() runs its own event loop, which runs the action. An
// exception thrown in an event handler, such as an unexpected message box, fails the running case with its
// text and closes the modal widgets, instead of crossing Qt.

#include <QWidget>

#include <functional>

namespace uitest {

// Runs `action` with the modal widget as soon as one is shown during the running case.
void whenModalShows(std::function<void(QWidget*)> action);

}  // namespace uitest
