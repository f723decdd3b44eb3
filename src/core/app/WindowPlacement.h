#pragma once

#include "core/base/Geometry.h"

#include <optional>
#include <vector>

// Where an auxiliary window opens the first time it is shown: at its template's place, measured
// from the main window's client origin, where that covers neither the main window nor another
// open window; else at the nearest place beside the main window or beside one of the others that
// covers none of them. Where the screen has no free place, the window opens where it covers least
// of the main window's buttons, then least of all the windows together. It is
// always wholly on the screen, or with its top left corner on it when it is larger. Screen pixels.
struct FirstPlacement
{
    std::optional<Point> offset; // the template's place; none for the client origin itself
    Point ownerClient;           // the main window's client origin
    Rect owner;                  // the main window's frame
    Rect keepClear;              // what must stay visible: the main window's buttons
    std::vector<Rect> others;    // the other open windows, and places kept for docked ones
    int nWidth;                  // the auxiliary window's frame size
    int nHeight;
    Rect screen; // the usable area of the screen that holds the main window
};

// Top left corner of the auxiliary window's frame.
Point FirstWindowPosition(const FirstPlacement& place);

// Top left corner that puts window inside screen, moving it as little as possible; a window
// larger than the screen keeps its top left corner, and so its caption, on it.
Point KeepOnScreen(const Rect& window, const Rect& screen);
