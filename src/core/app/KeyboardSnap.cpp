#include "core/app/KeyboardSnap.h"

#include <algorithm>
#include <array>

namespace
{
struct SnapRule
{
    bool (*pHolds)(const Rect& main, const Rect& screen);
    // From the main window's top-right corner; nFloor is the lowest edge inside the main window.
    Point (*pOffset)(const Rect& main, int nCaption, int nFloor);
};

// The first rule that holds places the keyboard; the last always holds.
constexpr std::array<SnapRule, 5> SNAP_RULES{{
    {[](const Rect& m, const Rect& s) { return s.nRight - m.nRight > KEYBOARD_SNAP_WIDTH; },
     [](const Rect&, int, int) {
         return Point{0, 0};
     }},
    {[](const Rect& m, const Rect& s) { return s.nBottom - m.nBottom > KEYBOARD_SNAP_ROOM_BELOW; },
     [](const Rect& m, int, int) {
         return Point{-KEYBOARD_SNAP_WIDTH, m.nBottom - m.nTop};
     }},
    {[](const Rect& m, const Rect& s) { return m.nTop - s.nTop > KEYBOARD_SNAP_HEIGHT; },
     [](const Rect&, int, int) {
         return Point{-KEYBOARD_SNAP_WIDTH, -KEYBOARD_SNAP_HEIGHT};
     }},
    {[](const Rect& m, const Rect& s) { return m.nLeft - s.nLeft > KEYBOARD_SNAP_WIDTH; },
     [](const Rect& m, int, int) {
         return Point{m.nLeft - m.nRight - KEYBOARD_SNAP_WIDTH, 0};
     }},
    {[](const Rect&, const Rect&) { return true; },
     [](const Rect& m, int nCaption, int nFloor) {
         // A keyboard as tall as the main window would cover the caption's buttons.
         return Point{-KEYBOARD_SNAP_WIDTH,
                      std::max(nFloor - m.nTop - KEYBOARD_SNAP_HEIGHT, nCaption)};
     }},
}};

bool Overlap(const Rect& a, const Rect& b)
{
    return !a.IsEmpty() && !b.IsEmpty() && a.nLeft < b.nRight && b.nLeft < a.nRight &&
           a.nTop < b.nBottom && b.nTop < a.nBottom;
}
} // namespace

std::optional<Point> KeyboardSnapPosition(const Rect& main, const Rect& screen, int nCaption,
                                          const Rect& buttons)
{
    // Inside the main window the keyboard stands on the button row, if there is one.
    const int nFloor = buttons.IsEmpty() ? main.nBottom : std::min(main.nBottom, buttons.nTop);
    for (const SnapRule& rule : SNAP_RULES) {
        if (rule.pHolds(main, screen)) {
            const Point offset = rule.pOffset(main, nCaption, nFloor);
            const Point at{main.nRight + offset.nX, main.nTop + offset.nY};
            if (Overlap(Rect::AtSize(at.nX, at.nY, KEYBOARD_SNAP_WIDTH, KEYBOARD_SNAP_HEIGHT),
                        buttons))
                return std::nullopt;
            return at;
        }
    }
    return std::nullopt;
}
