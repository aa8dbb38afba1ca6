#include "tests/support/ScopedEnvironment.h"

#include <cstdlib>

namespace testing_support {

ScopedEnvironment::ScopedEnvironment(std::string name, std::optional<std::string> value) : name_(std::move(name))
{
    if (const char* old = std::getenv(name_.c_str())) saved_ = old;
    if (value) setenv(name_.c_str(), value->c_str(), 1);
    else unsetenv(name_.c_str());
}

ScopedEnvironment::~ScopedEnvironment()
{
    if (saved_) setenv(name_.c_str(), saved_->c_str(), 1);
    else unsetenv(name_.c_str());
}

}  // namespace testing_support
