#pragma once

#include <QRect>

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
