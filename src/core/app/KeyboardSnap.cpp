#include "core/app/KeyboardSnap.h"

#include <array>

namespace
{
struct SnapRule
{
    bool (*pHolds)(const Rect& main, int cxScreen, int cyScreen);
    Point (*pOffset)(const Rect& main); // relative to the main window's top-right corner
};

// The first rule that holds places the keyboard; the last always holds.
constexpr std::array<SnapRule, 5> SNAP_RULES{{
    {[](const Rect& m, int cx, int) { return cx - m.nRight > KEYBOARD_SNAP_WIDTH; },
     [](const Rect&) {
         return Point{0, 0};
     }},
    {[](const Rect& m, int, int cy) { return cy - m.nBottom > KEYBOARD_SNAP_ROOM_BELOW; },
     [](const Rect& m) {
         return Point{-KEYBOARD_SNAP_WIDTH, m.nBottom - m.nTop};
     }},
    {[](const Rect& m, int, int) { return m.nTop > KEYBOARD_SNAP_HEIGHT; },
     [](const Rect&) {
         return Point{-KEYBOARD_SNAP_WIDTH, -KEYBOARD_SNAP_HEIGHT};
     }},
    {[](const Rect& m, int, int) { return m.nLeft > KEYBOARD_SNAP_WIDTH; },
     [](const Rect& m) {
         return Point{m.nLeft - m.nRight - KEYBOARD_SNAP_WIDTH, 0};
     }},
    {[](const Rect&, int, int) { return true; },
     [](const Rect& m) {
         return Point{-KEYBOARD_SNAP_WIDTH, m.nBottom - m.nTop - KEYBOARD_SNAP_HEIGHT};
     }},
}};
} // namespace

Point KeyboardSnapPosition(const Rect& main, int cxScreen, int cyScreen)
{
    for (const SnapRule& rule : SNAP_RULES) {
        if (rule.pHolds(main, cxScreen, cyScreen)) {
            const Point offset = rule.pOffset(main);
            return {main.nRight + offset.nX, main.nTop + offset.nY};
        }
    }
    return {main.nRight, main.nTop};
}
