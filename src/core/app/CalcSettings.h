#pragma once

#include "core/base/ColorRef.h"
#include "core/base/Language.h"
#include "core/base/Skin.h"

// The main window's own settings fields. The precision lives in the console's evaluator, the
// radix in its dispatcher and the angle unit in the AngleUnit both evaluators read; the opacity
// is the settings window's slider position.
struct CalcSettings
{
    Skin m_nSkin = DEFAULT_SKIN; // the chosen entry; FrameSkinFor gives the drawn one
    Language m_nLanguage = Language::Chinese;
    ColorRef m_crBack = MakeRgb(255, 255, 255);
    ColorRef m_crText = MakeRgb(20, 20, 245);
    bool m_bOnTop = true;
    bool m_bKeyboardSnap = true;
    int m_nOpacity = 100; // percent, 0..100
};
