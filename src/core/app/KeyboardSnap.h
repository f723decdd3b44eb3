#pragma once

// Where the on-screen keyboard docks beside the main window: right of it, below, above, left
// of it, or as a last resort inside its lower right corner. Screen pixels; right and bottom
// are exclusive edges.
struct SnapRect
{
    int nLeft;
    int nTop;
    int nRight;
    int nBottom;
};

struct SnapPoint
{
    int nX;
    int nY;
    bool operator==(const SnapPoint&) const = default;
};

constexpr int KEYBOARD_SNAP_WIDTH = 255;
constexpr int KEYBOARD_SNAP_HEIGHT = 252;
constexpr int KEYBOARD_SNAP_ROOM_BELOW = 260; // room the keyboard needs under the main window

// Top-left corner of the docked keyboard for the main window's rectangle on a screen of
// cxScreen x cyScreen pixels.
SnapPoint KeyboardSnapPosition(const SnapRect& main, int cxScreen, int cyScreen);
