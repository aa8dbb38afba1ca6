#include "platform/ui/EventPump.h"

namespace ui {

void ScriptedEventPump::at(long call, std::function<void()> action) {
    actions_.emplace(call, std::move(action));
}

void ScriptedEventPump::doEvents() {
    ++calls_;
    auto [first, last] = actions_.equal_range(calls_);
    // An action may itself let events run or register more actions; take this call's actions out first so
    // neither changes what runs now.
    std::multimap<long, std::function<void()>> due;
    due.insert(std::make_move_iterator(first), std::make_move_iterator(last));
    actions_.erase(first, last);
    for (auto& [call, action] : due) action();
}

}  // namespace ui
