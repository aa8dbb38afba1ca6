#pragma once
// The current date and time, to the second and in local time, as the program reads "now". Code that reads
// the time takes a Clock, so tests can hold it still with a FixedClock.

#include "platform/base/DateTime.h"

namespace os {

class Clock {
public:
    virtual ~Clock() = default;
    virtual base::DateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    base::DateTime now() const override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(base::DateTime moment) : moment_(moment) {}
    base::DateTime now() const override { return moment_; }
    void set(base::DateTime moment) { moment_ = moment; }

private:
    base::DateTime moment_;
};

}  // namespace os
