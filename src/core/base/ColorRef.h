#pragma once

#include <algorithm>
#include <cmath>
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

// The relative luminance of a colour (0 for black to 1 for white), by the sRGB curve.
inline double RelativeLuminance(ColorRef cr)
{
    const auto linear = [](int nChannel) {
        const double c = nChannel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(RedOf(cr)) + 0.7152 * linear(GreenOf(cr)) + 0.0722 * linear(BlueOf(cr));
}

// The WCAG 2 contrast ratio of two colours, from 1 (equal) to 21 (black on white); texts are
// kept at 4.5 or more against their background.
inline double ContrastRatio(ColorRef crA, ColorRef crB)
{
    const double a = RelativeLuminance(crA), b = RelativeLuminance(crB);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}
