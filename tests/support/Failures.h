#pragma once
// What a test learns of a failure: the base::Error an action raises.

#include "platform/base/Error.h"

#include <functional>

namespace testing_support {

// The base::Error `action` raises; one numbered 0, without a description, when it raises none.
base::Error failureOf(const std::function<void()>& action);

// The number of the base::Error `action` raises; 0 when it raises none.
long errorNumberOf(const std::function<void()>& action);

}  // namespace testing_support
