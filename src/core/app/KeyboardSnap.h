#pragma once

#include "core/base/Geometry.h"

#include <optional>

// Where the on-screen keyboard docks beside the main window: right of it, below, above, left
// of it, or as a last resort inside its lower right corner, below its caption so that the
// caption's buttons stay uncovered, and above its button row. Where even that would cover the
// button row there is no docked place. Screen pixels.
constexpr int KEYBOARD_SNAP_WIDTH = 255;
constexpr int KEYBOARD_SNAP_HEIGHT = 252;
constexpr int KEYBOARD_SNAP_ROOM_BELOW = 260; // room the keyboard needs under the main window

// Top-left corner of the docked keyboard for the main window's rectangle main, whose caption is
// nCaption pixels high and whose button row is buttons (empty for none), on the screen area
// screen; none where the keyboard could only cover the button row.
std::optional<Point> KeyboardSnapPosition(const Rect& main, const Rect& screen, int nCaption,
                                          const Rect& buttons);
