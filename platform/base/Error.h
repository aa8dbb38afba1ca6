#pragma once
// The error every layer raises: a number the callers branch on, a description for the operator and the
// source that raised it, as the error treatment shows and logs them.

#include <stdexcept>
#include <string>

namespace base {

class Error : public std::runtime_error {
public:
    Error(long number, std::string description, std::string source = {})
        : std::runtime_error(description), number_(number), description_(std::move(description)),
          source_(std::move(source)) {}

    long number() const { return number_; }
    const std::string& description() const { return description_; }
    const std::string& source() const { return source_; }

private:
    long number_;
    std::string description_;
    std::string source_;
};

// Numbers of the runtime's own errors that callers test for.
namespace errors {
inline constexpr long kInvalidProcedureCall = 5;
inline constexpr long kOverflow = 6;
inline constexpr long kDivisionByZero = 11;
inline constexpr long kTypeMismatch = 13;
inline constexpr long kInvalidUseOfNull = 94;
}  // namespace errors

}  // namespace base
