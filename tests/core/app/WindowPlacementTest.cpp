#include "core/app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <tuple>
#include <vector>

namespace
{
constexpr Rect SCREEN{0, 0, 1280, 1024};

// A main window of 460 x 252 client pixels with a 5-pixel border and a 30-pixel caption whose
// frame's top left corner is at (x, y); its buttons lie along the bottom of the client area.
FirstPlacement Beside(int x, int y, std::optional<Point> offset, int cx, int cy)
{
    FirstPlacement place{};
    place.offset = offset;
    place.ownerClient = {x + 5, y + 30};
    place.owner = {x, y, x + 470, y + 287};
    place.keepClear = {x + 143, y + 254, x + 465, y + 285};
    place.nWidth = cx;
    place.nHeight = cy;
    place.screen = SCREEN;
    return place;
}

bool Intersects(const Rect& a, const Rect& b)
{
    return a.nLeft < b.nRight && b.nLeft < a.nRight && a.nTop < b.nBottom && b.nTop < a.nBottom;
}

struct PlaceCase
{
    const char* pName;
    FirstPlacement place;
    Point expected;
};

template <std::size_t N>
void ExpectPositions(const PlaceCase (&cases)[N])
{
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.pName);
        EXPECT_EQ(FirstWindowPosition(c.place), c.expected);
    }
}

TEST(WindowPlacement, TemplatePlaceFromTheClientOriginWhereItIsFree)
{
    const PlaceCase cases[] = {
        {"below and right of the main window",
         Beside(100, 50, Point{300, 300}, 200, 100),
         {405, 380}},
        {"follows the main window", Beside(300, 150, Point{300, 300}, 200, 100), {605, 480}},
        {"right of it", Beside(100, 50, Point{800, 60}, 255, 252), {905, 140}},
        {"pulled back at the right edge", Beside(100, 50, Point{1100, 0}, 255, 252), {1025, 80}},
        {"pulled back at the bottom edge", Beside(0, 0, Point{0, 900}, 400, 300), {5, 724}},
        {"larger than the screen: its top left corner stays on it",
         Beside(100, 50, Point{300, 300}, 1400, 1100),
         {0, 0}},
    };
    ExpectPositions(cases);
}

TEST(WindowPlacement, AWindowThatWouldCoverTheMainWindowGoesToTheNearestSide)
{
    const PlaceCase cases[] = {
        {"below is nearest", Beside(400, 300, Point{100, 100}, 200, 100), {505, 587}},
        {"above is nearest", Beside(400, 300, Point{100, 10}, 200, 100), {505, 200}},
        {"right is nearest", Beside(400, 300, Point{400, 100}, 200, 100), {870, 430}},
        {"without a template place: beside its client origin",
         Beside(400, 300, std::nullopt, 418, 168),
         {405, 132}},
        {"pulled back below the main window at the screen's edge",
         Beside(1000, 300, Point{300, 100}, 300, 100),
         {980, 587}},
    };
    ExpectPositions(cases);
}

TEST(WindowPlacement, WithoutRoomBesideItTheButtonsStayUncovered)
{
    // A centred main window leaves no side wide enough for these windows.
    for (const auto& [offset, cx, cy] : {std::tuple{std::optional<Point>{{300, 300}}, 496, 424},
                                         std::tuple{std::optional<Point>{}, 422, 578},
                                         std::tuple{std::optional<Point>{{100, 100}}, 420, 508}}) {
        SCOPED_TRACE(cx);
        const FirstPlacement place = Beside(405, 368, offset, cx, cy);
        const Point at = FirstWindowPosition(place);
        const Rect window{at.nX, at.nY, at.nX + cx, at.nY + cy};
        EXPECT_TRUE(Intersects(window, place.owner));
        EXPECT_FALSE(Intersects(window, place.keepClear));
        EXPECT_GE(at.nX, SCREEN.nLeft);
        EXPECT_GE(at.nY, SCREEN.nTop);
        EXPECT_LE(window.nRight, SCREEN.nRight);
        EXPECT_LE(window.nBottom, SCREEN.nBottom);
    }
}
// The main window of 460 x 252 pixels centred on a 1920 x 1080 screen, with the docked keyboard
// right of it: the six other windows, opened one after the other in the button row's order,
// each at its template place or beside, cover nothing.
TEST(WindowPlacement, WindowsOpenedOneAfterTheOtherCoverNeitherTheMainWindowNorEachOther)
{
    constexpr Rect WIDE{0, 0, 1920, 1080};
    constexpr Rect OWNER{730, 414, 1190, 666};
    const struct
    {
        std::optional<Point> offset;
        int cx;
        int cy;
    } windows[] = {
        {Point{500, 500}, 362, 304}, {Point{100, 100}, 432, 536}, {std::nullopt, 430, 196},
        {Point{300, 300}, 508, 452}, {Point{600, 460}, 222, 312}, {std::nullopt, 434, 606},
    };
    std::vector<Rect> open{{1190, 414, 1445, 666}};
    for (const auto& w : windows) {
        SCOPED_TRACE(open.size());
        FirstPlacement place{};
        place.offset = w.offset;
        place.ownerClient = {736, 436};
        place.owner = OWNER;
        place.keepClear = {862, 629, 1178, 664};
        place.others = open;
        place.nWidth = w.cx;
        place.nHeight = w.cy;
        place.screen = WIDE;
        const Point at = FirstWindowPosition(place);
        const Rect window = Rect::AtSize(at.nX, at.nY, w.cx, w.cy);
        EXPECT_FALSE(Intersects(window, OWNER));
        for (const Rect& other : open)
            EXPECT_FALSE(Intersects(window, other));
        EXPECT_EQ(KeepOnScreen(window, WIDE), at);
        open.push_back(window);
    }
}

TEST(WindowPlacement, WhereNothingIsFreeTheWindowCoversLeastAndNeverTheButtons)
{
    // Beside the main window only a strip too low for the window is free.
    FirstPlacement place{};
    place.offset = Point{50, 50};
    place.ownerClient = {0, 0};
    place.owner = {0, 0, 400, 300};
    place.keepClear = {0, 260, 200, 300};
    place.others = {{400, 0, 600, 400}};
    place.nWidth = 300;
    place.nHeight = 150;
    place.screen = {0, 0, 600, 400};
    const Point at = FirstWindowPosition(place);
    const Rect window = Rect::AtSize(at.nX, at.nY, 300, 150);
    const auto covered = [&window](const Rect& r) {
        return std::max(0, std::min(window.nRight, r.nRight) - std::max(window.nLeft, r.nLeft)) *
               std::max(0, std::min(window.nBottom, r.nBottom) - std::max(window.nTop, r.nTop));
    };
    EXPECT_EQ(covered(place.keepClear), 0);
    // Lower right, partly in the free strip: less than any place wholly over a window.
    EXPECT_EQ(window, (Rect{200, 250, 500, 400}));
    EXPECT_LT(covered(place.owner) + covered(place.others[0]), 300 * 150);
}

TEST(WindowPlacement, KeepOnScreenMovesLeastAndKeepsTheCaptionOfALargeWindow)
{
    const struct
    {
        const char* pName;
        Rect window;
        Point expected;
    } cases[] = {
        {"inside stays", {100, 100, 300, 200}, {100, 100}},
        {"off the right and bottom", {1200, 1000, 1400, 1100}, {1080, 924}},
        {"off the top left", {-319, -94, 141, 158}, {0, 0}},
        {"taller than the screen starts at its top", {100, 500, 534, 1606}, {100, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pName);
        EXPECT_EQ(KeepOnScreen(c.window, SCREEN), c.expected);
    }
}
} // namespace
