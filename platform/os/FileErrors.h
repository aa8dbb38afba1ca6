#pragma once
// Numbers of the runtime's file errors that callers test for and the error treatment logs.

namespace os::errors {

inline constexpr long kFileNotFound = 53;
inline constexpr long kDeviceIoError = 57;
inline constexpr long kPathFileAccessError = 75;
inline constexpr long kPathNotFound = 76;

}  // namespace os::errors
