#include "core/app/KeyboardSnap.h"

#include <gtest/gtest.h>

namespace
{
constexpr int SCREEN_CX = 1024;
constexpr int SCREEN_CY = 768;
constexpr Rect SCREEN{0, 0, SCREEN_CX, SCREEN_CY};
constexpr int CAPTION = 22;
constexpr Rect NO_BUTTONS{};

struct SnapCase
{
    const char* pName;
    Rect main;
    Point expected;
};

TEST(KeyboardSnap, FirstRuleThatHoldsPlacesTheKeyboard)
{
    const SnapCase cases[] = {
        {"room on the right: right of it, tops aligned", {100, 100, 560, 352}, {560, 100}},
        {"exactly 255 on the right is not enough: below", {300, 100, 769, 352}, {514, 352}},
        {"256 on the right is enough", {300, 100, 768, 352}, {768, 100}},
        {"below, right edges aligned", {500, 100, 900, 352}, {645, 352}},
        {"exactly 260 below is not enough: above", {500, 300, 900, 508}, {645, 48}},
        {"261 below is enough", {500, 300, 900, 507}, {645, 507}},
        {"above, right edges aligned", {500, 400, 900, 652}, {645, 148}},
        {"top of 252 is not enough above: left of it", {500, 252, 900, 652}, {245, 252}},
        {"left of it, tops aligned", {300, 200, 1000, 700}, {45, 200}},
        {"left edge 255 is not enough: inside the lower right corner",
         {255, 200, 1000, 700},
         {745, 448}},
        {"window filling the screen", {0, 0, SCREEN_CX, SCREEN_CY}, {769, 516}},
        {"window partly off the screen on the left", {-300, 0, 900, 760}, {645, 508}},
        {"as tall as the keyboard: below the caption, not over its buttons",
         {255, 252, 769, 508},
         {514, 274}},
    };
    for (const SnapCase& c : cases) {
        SCOPED_TRACE(c.pName);
        EXPECT_EQ(KeyboardSnapPosition(c.main, SCREEN, CAPTION, NO_BUTTONS), c.expected);
    }
}

// A second screen, or a panel along the top or left, moves the area's edges.
TEST(KeyboardSnap, RulesMeasureFromTheScreensOwnEdges)
{
    constexpr Rect RIGHT_SCREEN{1920, 30, 1920 + SCREEN_CX, 30 + SCREEN_CY};
    const SnapCase cases[] = {
        {"room on the right of this screen", {2020, 130, 2480, 382}, {2480, 130}},
        {"no room right of it on this screen: below", {2300, 130, 2760, 382}, {2505, 382}},
        {"top of 282 is 252 into the area: not enough above: left of it",
         {2300, 282, 2900, 760},
         {2045, 282}},
    };
    for (const SnapCase& c : cases) {
        SCOPED_TRACE(c.pName);
        EXPECT_EQ(KeyboardSnapPosition(c.main, RIGHT_SCREEN, CAPTION, NO_BUTTONS), c.expected);
    }
}

// The main window's button row as it stands inside a frame of 5 pixels at the sides and bottom,
// with the room kept around it: 27 pixels over the client's bottom, from 318 to 10 pixels before
// its right edge.
constexpr Rect ButtonRow(const Rect& main)
{
    return {main.nRight - 5 - 318 - 4, main.nBottom - 5 - 27 - 4, main.nRight - 5 - 10 + 4,
            main.nBottom - 5 - 4 + 4};
}

struct SmallScreenCase
{
    const char* pName;
    Rect screen;
    Rect main;
    std::optional<Point> expected;
};

// A screen of 960 x 540 is 1920 x 1080 at a scale of 2. The main window's frame is 470 x 282.
TEST(KeyboardSnap, NeverCoversTheButtonRow)
{
    constexpr Rect SCALED{0, 0, 960, 540};
    constexpr Rect SMALL{0, 0, 800, 600};
    const SmallScreenCase cases[] = {
        {"scaled, centred: no free side, it stays", SCALED, {245, 129, 715, 411}, std::nullopt},
        {"small, centred: no free side, it stays", SMALL, {165, 159, 635, 441}, std::nullopt},
        {"scaled, top left: right of it", SCALED, {0, 0, 470, 282}, Point{470, 0}},
        {"small, bottom right: above it", SMALL, {330, 318, 800, 600}, Point{545, 66}},
        {"scaled, maximised: inside, on the button row", SCALED, {0, 0, 960, 540}, Point{705, 252}},
        {"small, maximised: inside, on the button row", SMALL, {0, 0, 800, 600}, Point{545, 312}},
        {"small, 7 pixels too short to stand on the row", SMALL, {0, 200, 800, 503}, std::nullopt},
        {"small, just tall enough to stand on the row", SMALL, {0, 200, 800, 510}, Point{545, 222}},
    };
    for (const SmallScreenCase& c : cases) {
        SCOPED_TRACE(c.pName);
        EXPECT_EQ(KeyboardSnapPosition(c.main, c.screen, CAPTION, ButtonRow(c.main)), c.expected);
    }
}
} // namespace
