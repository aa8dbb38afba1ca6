#pragma once
// Lets pending window events run. Imports call it once per record, so it processes events at most once per
// interval and otherwise returns after reading the clock; a click on "Cancelar" still gets through within a
// fraction of a second. An interval of 0 processes on every call.

#include "platform/ui/EventPump.h"

#include <chrono>

namespace ui {

class QtEventPump : public EventPump {
public:
    explicit QtEventPump(std::chrono::milliseconds interval = std::chrono::milliseconds(20)) : interval_(interval) {}
    void doEvents() override;

private:
    std::chrono::steady_clock::duration interval_;
    std::chrono::steady_clock::time_point last_{};  // the epoch: the first call always processes
};

}  // namespace ui
