#include "core/app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <tuple>

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
} // namespace
