#include "tests/support/Failures.h"

namespace testing_support {

base::Error failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const base::Error& e) {
        return e;
    }
    return base::Error(0, "");
}

long errorNumberOf(const std::function<void()>& action) { return failureOf(action).number(); }

}  // namespace testing_support
