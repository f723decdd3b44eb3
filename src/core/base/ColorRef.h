#pragma once

#include <cstdint>

// A colour with red in the lowest byte, then green, then blue.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeRgb(int r, int g, int b)
{
    return ColorRef(r & 0xFF) | ColorRef(g & 0xFF) << 8 | ColorRef(b & 0xFF) << 16;
}
constexpr int RedOf(ColorRef cr) { return int(cr & 0xFF); }
constexpr int GreenOf(ColorRef cr) { return int(cr >> 8 & 0xFF); }
constexpr int BlueOf(ColorRef cr) { return int(cr >> 16 & 0xFF); }
