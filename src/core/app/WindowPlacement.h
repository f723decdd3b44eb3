#pragma once

#include "core/base/Geometry.h"

#include <optional>

// Where an auxiliary window opens the first time it is shown: at its template's place, measured
// from the main window's client origin, unless that lies over the main window; then at the
// nearest place beside the main window. Where the screen has no room beside it, the window
// opens where it covers least of the main window's buttons, then least of the main window. It
// is always wholly on the screen, or with its top left corner on it when it is larger. Screen
// pixels.
struct FirstPlacement
{
    std::optional<Point> offset; // the template's place; none for the client origin itself
    Point ownerClient;           // the main window's client origin
    Rect owner;                  // the main window's frame
    Rect keepClear;              // what must stay visible: the main window's buttons
    int nWidth;                  // the auxiliary window's frame size
    int nHeight;
    Rect screen; // the usable area of the screen the window opens on
};

// Top left corner of the auxiliary window's frame.
Point FirstWindowPosition(const FirstPlacement& place);
