#pragma once
// "Let pending window events run". Imports call it once per record so that a click on "Cancelar" is seen
// between records; an implementation must therefore cost next to nothing when nothing is pending.

#include <functional>
#include <map>

namespace ui {

class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void doEvents() = 0;
};

// For tests: counts the calls and runs what the test registered for a given call, the way an operator's click
// would arrive while a loop lets events run (for example "press Cancelar at the 3rd record").
class ScriptedEventPump : public EventPump {
public:
    // Runs `action` during call number `call` (the first call is 1). Several actions for one call run in the
    // order they were registered.
    void at(long call, std::function<void()> action);

    void doEvents() override;
    long calls() const { return calls_; }

private:
    long calls_ = 0;
    std::multimap<long, std::function<void()>> actions_;
};

}  // namespace ui
