#include "platform/ui/EventPump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ui::ScriptedEventPump;

// An import loop as the programs write it: one record, then let events run, until cancelled.
int importRecords(ui::EventPump& pump, const bool& cancelled, int records) {
    int done = 0;
    for (int i = 0; i < records && !cancelled; ++i) {
        ++done;
        pump.doEvents();
    }
    return done;
}

TEST(ScriptedEventPump, CancelAtTheThirdCallStopsAfterTheThirdRecord) {
    ScriptedEventPump pump;
    bool cancelled = false;
    pump.at(3, [&] { cancelled = true; });
    EXPECT_EQ(importRecords(pump, cancelled, 10), 3);
    EXPECT_EQ(pump.calls(), 3);
}

TEST(ScriptedEventPump, RunsActionsOfOneCallInOrderAndOnlyOnce) {
    ScriptedEventPump pump;
    std::vector<std::string> log;
    pump.at(2, [&] { log.push_back("first"); });
    pump.at(1, [&] { log.push_back("one"); });
    pump.at(2, [&] { log.push_back("second"); });
    for (int i = 0; i < 4; ++i) pump.doEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"one", "first", "second"}));
}

TEST(ScriptedEventPump, AnActionMayLetEventsRunAgain) {
    ScriptedEventPump pump;
    std::vector<long> seen;
    pump.at(1, [&] {
        pump.doEvents();  // a handler that itself lets events run
        seen.push_back(pump.calls());
    });
    pump.at(2, [&] { seen.push_back(pump.calls()); });
    pump.doEvents();
    EXPECT_EQ(seen, (std::vector<long>{2, 2}));
    EXPECT_EQ(pump.calls(), 2);
}

}  // namespace
