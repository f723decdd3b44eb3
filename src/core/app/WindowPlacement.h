#pragma once

#include <optional>

// Where an auxiliary window opens the first time it is shown: at its template's place, measured
// from the main window's client origin, unless that lies over the main window; then at the
// nearest place beside the main window. Where the screen has no room beside it, the window
// opens where it covers least of the main window's buttons, then least of the main window. It
// is always wholly on the screen, or with its top left corner on it when it is larger. Screen
// pixels; right and bottom are exclusive edges.
struct PlaceRect
{
    int nLeft;
    int nTop;
    int nRight;
    int nBottom;
    bool operator==(const PlaceRect&) const = default;
};

struct PlacePoint
{
    int nX;
    int nY;
    bool operator==(const PlacePoint&) const = default;
};

struct FirstPlacement
{
    std::optional<PlacePoint> offset; // the template's place; none for the client origin itself
    PlacePoint ownerClient;           // the main window's client origin
    PlaceRect owner;                  // the main window's frame
    PlaceRect keepClear;              // what must stay visible: the main window's buttons
    int nWidth;                       // the auxiliary window's frame size
    int nHeight;
    PlaceRect screen; // the usable area of the screen the window opens on
};

// Top left corner of the auxiliary window's frame.
PlacePoint FirstWindowPosition(const FirstPlacement& place);
