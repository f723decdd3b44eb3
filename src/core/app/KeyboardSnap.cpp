#include "core/app/KeyboardSnap.h"

#include <algorithm>
#include <array>

namespace
{
struct SnapRule
{
    bool (*pHolds)(const Rect& main, const Rect& screen);
    Point (*pOffset)(const Rect& main, int nCaption); // from the main window's top-right corner
};

// The first rule that holds places the keyboard; the last always holds.
constexpr std::array<SnapRule, 5> SNAP_RULES{{
    {[](const Rect& m, const Rect& s) { return s.nRight - m.nRight > KEYBOARD_SNAP_WIDTH; },
     [](const Rect&, int) {
         return Point{0, 0};
     }},
    {[](const Rect& m, const Rect& s) { return s.nBottom - m.nBottom > KEYBOARD_SNAP_ROOM_BELOW; },
     [](const Rect& m, int) {
         return Point{-KEYBOARD_SNAP_WIDTH, m.nBottom - m.nTop};
     }},
    {[](const Rect& m, const Rect& s) { return m.nTop - s.nTop > KEYBOARD_SNAP_HEIGHT; },
     [](const Rect&, int) {
         return Point{-KEYBOARD_SNAP_WIDTH, -KEYBOARD_SNAP_HEIGHT};
     }},
    {[](const Rect& m, const Rect& s) { return m.nLeft - s.nLeft > KEYBOARD_SNAP_WIDTH; },
     [](const Rect& m, int) {
         return Point{m.nLeft - m.nRight - KEYBOARD_SNAP_WIDTH, 0};
     }},
    {[](const Rect&, const Rect&) { return true; },
     [](const Rect& m, int nCaption) {
         // A keyboard as tall as the main window would cover the caption's buttons.
         return Point{-KEYBOARD_SNAP_WIDTH,
                      std::max(m.nBottom - m.nTop - KEYBOARD_SNAP_HEIGHT, nCaption)};
     }},
}};
} // namespace

Point KeyboardSnapPosition(const Rect& main, const Rect& screen, int nCaption)
{
    for (const SnapRule& rule : SNAP_RULES) {
        if (rule.pHolds(main, screen)) {
            const Point offset = rule.pOffset(main, nCaption);
            return {main.nRight + offset.nX, main.nTop + offset.nY};
        }
    }
    return {main.nRight, main.nTop};
}
