#pragma once
// Numbers of the errors the window controls raise, as the error treatment shows and logs them.

namespace ui::errors {

inline constexpr long kInvalidPropertyValue = 380;
inline constexpr long kSubscriptOutOfRange = 381;
inline constexpr long kInvalidRowValue = 30009;
inline constexpr long kInvalidColValue = 30010;
inline constexpr long kElementNotFound = 35601;
inline constexpr long kKeyNotUnique = 35602;

}  // namespace ui::errors
