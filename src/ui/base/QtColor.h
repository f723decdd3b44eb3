#pragma once

#include "core/base/ColorRef.h"

#include <QColor>

// A settings colour (red in the lowest byte) as Qt's colour.
inline QColor ToQColor(ColorRef cr) { return QColor(RedOf(cr), GreenOf(cr), BlueOf(cr)); }
