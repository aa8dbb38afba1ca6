#include "platform/os/Clock.h"

#include <gtest/gtest.h>

namespace {

using base::DateTime;

TEST(Clock, AFixedClockTellsTheTimeItWasSetTo)
{
    os::FixedClock fixed(DateTime::fromParts(2005, 8, 15, 9, 5, 3));
    const os::Clock& clock = fixed;
    EXPECT_EQ(clock.now(), DateTime::fromParts(2005, 8, 15, 9, 5, 3));
    EXPECT_EQ(clock.now(), clock.now());
    fixed.set(DateTime::fromParts(2005, 8, 15, 9, 6, 0));
    EXPECT_EQ(clock.now(), DateTime::fromParts(2005, 8, 15, 9, 6, 0));
}

TEST(Clock, TheSystemClockGivesAPlausibleLocalTime)
{
    const DateTime now = os::SystemClock().now();
    EXPECT_GE(now, DateTime::fromParts(2024, 1, 1));
    EXPECT_LT(now, DateTime::fromParts(2100, 1, 1));
}

}  // namespace
