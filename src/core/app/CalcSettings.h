#pragma once

#include "core/base/ColorRef.h"

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
