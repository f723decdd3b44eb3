#include "ui/base/WndTransparency.h"

#include "core/skin/Opacity.h"

#include <QWidget>

void CWndTransparency::EnableLayered(QWidget* pWindow) { m_bLayered = pWindow != nullptr; }

bool CWndTransparency::SetLayeredAttributes(QWidget* pWindow, ColorRef, int nAlpha, int nFlags)
{
    if (pWindow == nullptr || !m_bLayered)
        return false;
    if ((nFlags & LWA_ALPHA) == 0)
        return true;
    m_nAlpha = nAlpha;
    pWindow->setWindowOpacity(nAlpha / double(OPACITY_OPAQUE_ALPHA));
    return true;
}

void CWndTransparency::SetOpacity(QWidget* pWindow, int nPercent)
{
    SetLayeredAttributes(pWindow, 0, OpacityAlpha(nPercent), LWA_ALPHA);
}
