#pragma once
// The program's one way of handling an error inside a procedure: the error goes to a handler (the error
// treatment, which asks the operator) and its answer says what happens next.
//   4 (Retry)  the step that failed runs again;
//   5 (Ignore) the procedure goes on with its next step;
//   any other  the procedure is left: its remaining steps do nothing.
//
//     base::ErrorTrap trap(handler);
//     trap.step([&] { openTheTable(); });
//     trap.step([&] { readTheRows(); });
//     if (trap.left()) return;
//
// Only base::Error is trapped; anything else is a fault of the program and passes through.

#include "platform/base/Error.h"

#include <functional>
#include <utility>

namespace base {

namespace answers {
inline constexpr int kRetry = 4;
inline constexpr int kIgnore = 5;
}  // namespace answers

using ErrorHandler = std::function<int(const Error&)>;

class ErrorTrap {
public:
    explicit ErrorTrap(ErrorHandler handler) : handler_(std::move(handler)) {}

    // Runs one step unless the procedure has been left. Returns false once it has.
    template <class Step>
    bool step(Step&& body)
    {
        while (!left_) {
            try {
                body();
                return true;
            } catch (const Error& error) {
                if (!retries(error)) return !left_;
            }
        }
        return false;
    }

    bool left() const { return left_; }

private:
    // Asks the handler; true to run the step again. Leaving is recorded in left_.
    bool retries(const Error& error);

    ErrorHandler handler_;
    bool left_ = false;
};

}  // namespace base
