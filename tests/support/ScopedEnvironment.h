#pragma once

#include <optional>
#include <string>

namespace testing_support {

// Sets an environment variable for the life of the object (unsets it for nullopt), then restores it.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, std::optional<std::string> value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> saved_;
};

}  // namespace testing_support
