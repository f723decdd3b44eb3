#pragma once

#include <QRect>
#include <QString>

// Screen pixels per dialog unit, in both directions.
constexpr int PIXELS_PER_UNIT = 2;

// A control's place in dialog units, as the window templates give it.
struct DialogRect
{
    int x;
    int y;
    int cx;
    int cy;

    QRect Pixels() const
    {
        return {x * PIXELS_PER_UNIT, y * PIXELS_PER_UNIT, cx * PIXELS_PER_UNIT,
                cy * PIXELS_PER_UNIT};
    }
};

// Names a control (tests and captions find it by that name) and puts it at its template place.
template <typename Control>
Control* Place(Control* pControl, const char* pszName, const DialogRect& rect)
{
    pControl->setObjectName(QString::fromLatin1(pszName));
    pControl->setGeometry(rect.Pixels());
    return pControl;
}
