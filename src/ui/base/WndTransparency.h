#pragma once

#include "core/base/ColorRef.h"

class QWidget;

// The opacity of one top-level window. Every window but the settings window owns one.
class CWndTransparency
{
public:
    static constexpr int LWA_ALPHA = 0x2;

    virtual ~CWndTransparency() = default;

    void EnableLayered(QWidget* pWindow);
    // Applies nAlpha (0..255) when LWA_ALPHA is among nFlags; false when the window cannot take
    // it (none given, or not made layered first). The key colour has no effect here.
    bool SetLayeredAttributes(QWidget* pWindow, ColorRef crKey, int nAlpha, int nFlags);
    // nPercent above 100 counts as 100.
    void SetOpacity(QWidget* pWindow, int nPercent);

    int Alpha() const { return m_nAlpha; }

private:
    bool m_bLayered = false;
    int m_nAlpha = 255;
};
