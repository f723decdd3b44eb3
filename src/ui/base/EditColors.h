#pragma once

#include "core/base/ColorRef.h"

class QWidget;

// Gives an edit box or list the settings' text and background colours, and repaints it. Only
// its enabled look takes them: a box disabled for a while greys out as usual.
void SetEditColors(QWidget& box, ColorRef crText, ColorRef crBack);
