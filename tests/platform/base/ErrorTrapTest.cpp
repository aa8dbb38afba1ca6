#include "platform/base/ErrorTrap.h"

#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>
#include <string>

namespace {

// A procedure of three steps; step 2 fails its first `failures` runs. The handler gives `answers` in turn.
struct Outcome {
    std::string steps;  // the steps that ran, in order
    bool left = false;
    bool thirdStepReported = false;
};

Outcome runProcedure(int failures, std::deque<int> answers)
{
    Outcome run;
    base::ErrorTrap trap([&](const base::Error& error) {
        EXPECT_EQ(error.number(), 3709);
        EXPECT_EQ(error.source(), "Conexion");
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    });
    trap.step([&] { run.steps += '1'; });
    trap.step([&] {
        run.steps += '2';
        if (failures-- > 0) throw base::Error(3709, "La conexion no esta abierta", "Conexion");
    });
    run.thirdStepReported = trap.step([&] { run.steps += '3'; });
    run.left = trap.left();
    EXPECT_TRUE(answers.empty()) << "the handler was asked fewer times than expected";
    return run;
}

TEST(ErrorTrap, TheAnswerDecidesWhatRunsNext)
{
    struct Case { const char* what; int failures; std::deque<int> answers; const char* steps; bool left; };
    const Case cases[] = {
        {"retry runs the failed step again", 1, {4}, "1223", false},
        {"retry until it works", 3, {4, 4, 4}, "122223", false},
        {"ignore goes on with the next step", 1, {5}, "123", false},
        {"retry, then ignore", 9, {4, 5}, "1223", false},
        {"abort leaves", 1, {3}, "12", true},
        {"OK leaves", 1, {1}, "12", true},
        {"cancel leaves", 1, {2}, "12", true},
        {"no leaves", 1, {7}, "12", true},
        {"zero leaves", 1, {0}, "12", true},
        {"nothing fails", 0, {}, "123", false},
    };
    for (const Case& c : cases) {
        const Outcome run = runProcedure(c.failures, c.answers);
        EXPECT_EQ(run.steps, c.steps) << c.what;
        EXPECT_EQ(run.left, c.left) << c.what;
        EXPECT_EQ(run.thirdStepReported, !c.left) << c.what;
    }
}

TEST(ErrorTrap, FaultsOtherThanErrorsPassThrough)
{
    int asked = 0;
    base::ErrorTrap trap([&](const base::Error&) { return ++asked, base::answers::kIgnore; });
    EXPECT_THROW(trap.step([] { throw std::logic_error("a fault of the program"); }), std::logic_error);
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(trap.left());
}

}  // namespace
