#pragma once

#include "core/base/ColorRef.h"

#include <QColor>

// A settings colour (red in the lowest byte) as Qt's colour, and back (the alpha is dropped).
inline QColor ToQColor(ColorRef cr) { return QColor(RedOf(cr), GreenOf(cr), BlueOf(cr)); }
inline ColorRef ToColorRef(const QColor& colour)
{
    return MakeRgb(colour.red(), colour.green(), colour.blue());
}
