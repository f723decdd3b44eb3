#pragma once

#include "core/base/Language.h"

// What every auxiliary window shares: title in both languages, place and size in pixels (the
// place is measured from the main window's client origin; a negative one opens the window
// beside the main window), whether it takes part in the transparency setting, and whether the
// user can size it. The size is the client area's; the frame adds its borders around it. Each
// window keeps its own look beside it.
struct AuxWindowLook
{
    Text title;
    int nX;
    int nY;
    int nWidth;
    int nHeight;
    bool bTransparent;
    bool bResizable = false;
};
