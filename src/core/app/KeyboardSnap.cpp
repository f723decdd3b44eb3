#include "core/app/KeyboardSnap.h"

#include <array>

namespace
{
struct SnapRule
{
    bool (*pHolds)(const SnapRect& main, int cxScreen, int cyScreen);
    SnapPoint (*pOffset)(const SnapRect& main); // relative to the main window's top-right corner
};

// The first rule that holds places the keyboard; the last always holds.
constexpr std::array<SnapRule, 5> SNAP_RULES{{
    {[](const SnapRect& m, int cx, int) { return cx - m.nRight > KEYBOARD_SNAP_WIDTH; },
     [](const SnapRect&) {
         return SnapPoint{0, 0};
     }},
    {[](const SnapRect& m, int, int cy) { return cy - m.nBottom > KEYBOARD_SNAP_ROOM_BELOW; },
     [](const SnapRect& m) {
         return SnapPoint{-KEYBOARD_SNAP_WIDTH, m.nBottom - m.nTop};
     }},
    {[](const SnapRect& m, int, int) { return m.nTop > KEYBOARD_SNAP_HEIGHT; },
     [](const SnapRect&) {
         return SnapPoint{-KEYBOARD_SNAP_WIDTH, -KEYBOARD_SNAP_HEIGHT};
     }},
    {[](const SnapRect& m, int, int) { return m.nLeft > KEYBOARD_SNAP_WIDTH; },
     [](const SnapRect& m) {
         return SnapPoint{m.nLeft - m.nRight - KEYBOARD_SNAP_WIDTH, 0};
     }},
    {[](const SnapRect&, int, int) { return true; },
     [](const SnapRect& m) {
         return SnapPoint{-KEYBOARD_SNAP_WIDTH, m.nBottom - m.nTop - KEYBOARD_SNAP_HEIGHT};
     }},
}};
} // namespace

SnapPoint KeyboardSnapPosition(const SnapRect& main, int cxScreen, int cyScreen)
{
    for (const SnapRule& rule : SNAP_RULES) {
        if (rule.pHolds(main, cxScreen, cyScreen)) {
            const SnapPoint offset = rule.pOffset(main);
            return {main.nRight + offset.nX, main.nTop + offset.nY};
        }
    }
    return {main.nRight, main.nTop};
}
