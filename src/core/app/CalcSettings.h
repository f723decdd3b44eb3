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

// The main window's own settings fields. Precision, radix and angle unit live in each evaluator
// context; the opacity is the settings window's slider position.
struct CalcSettings
{
    int m_nSkin = 1;     // 0 "ocean" (blue), 1 "gold" (orange)
    int m_nLanguage = 0; // 0 Chinese, 1 English
    ColorRef m_crBack = MakeRgb(255, 255, 255);
    ColorRef m_crText = MakeRgb(20, 20, 245);
    bool m_bOnTop = true;
    bool m_bKeyboardSnap = true;
    int m_nOpacity = 100; // percent, 0..100
};
