#pragma once
// Colours as the window code stores them: a 32-bit value with red in the low byte, then green, then blue
// (&HFFFF00 is cyan, 65535 yellow). 0 on a grid cell means "the grid's own colour".

#include <cstdint>

namespace ui {

using Color = std::uint32_t;

constexpr Color kWhite = 0xFFFFFF;

constexpr int redOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace ui
