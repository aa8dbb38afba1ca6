#pragma once
// The QApplication of the widget tests (offscreen unless the environment picks a platform), and a way to
// act on a modal box once it is up: the box's exec() runs its own event loop, which runs the action.

#include <QWidget>

#include <functional>

namespace uitest {

// Runs `action` with the modal widget as soon as one is shown.
void whenModalShows(std::function<void(QWidget*)> action);

}  // namespace uitest
