#include "platform/base/ErrorTrap.h"

namespace base {

bool ErrorTrap::retries(const Error& error)
{
    const int answer = handler_(error);
    if (answer == answers::kRetry) return true;
    if (answer != answers::kIgnore) left_ = true;
    return false;
}

}  // namespace base
