#pragma once
// The QApplication of the lookup windows' tests (offscreen unless the environment picks a platform), and a
// way to act on a modal window once it is up: its exec() runs its own event loop, which runs the action.

#include <QWidget>

#include <functional>

namespace lookuptest {

// Runs `action` with the modal widget as soon as one is shown.
void whenModalShows(std::function<void(QWidget*)> action);

}  // namespace lookuptest
