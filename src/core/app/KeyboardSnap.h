#pragma once

#include "core/base/Geometry.h"

// Where the on-screen keyboard docks beside the main window: right of it, below, above, left
// of it, or as a last resort inside its lower right corner. Screen pixels.
constexpr int KEYBOARD_SNAP_WIDTH = 255;
constexpr int KEYBOARD_SNAP_HEIGHT = 252;
constexpr int KEYBOARD_SNAP_ROOM_BELOW = 260; // room the keyboard needs under the main window

// Top-left corner of the docked keyboard for the main window's rectangle on a screen of
// cxScreen x cyScreen pixels.
Point KeyboardSnapPosition(const Rect& main, int cxScreen, int cyScreen);
