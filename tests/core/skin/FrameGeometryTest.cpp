#include "core/skin/FrameGeometry.h"
#include "core/skin/SkinTable.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// The sizes of the drawn skin bitmaps, in the loader's order.
constexpr SkinSizes SKIN_SIZES{
    {{150, 150}, {160, 44}, {12, 66}, {12, 66}, {76, 12}, {56, 14}, {56, 14}, {56, 14}, {56, 14}}};

FrameMetrics Metrics() { return *DeriveMetrics(SKIN_SIZES); }

constexpr FrameStyle MAIN_STYLE{true, true, true};
constexpr FrameStyle AUX_STYLE{false, false, false};

TEST(FrameGeometry, MetricsAndButtonsComeFromTheBitmaps)
{
    const FrameMetrics m = Metrics();
    EXPECT_EQ(m.nCaption, 22);
    EXPECT_EQ(m.nLeft, 6);
    EXPECT_EQ(m.nRight, 6);
    EXPECT_EQ(m.nBottom, 6);
    EXPECT_EQ(m.nButtonWidth, 14);
    EXPECT_EQ(m.nButtonHeight, 14);
    EXPECT_EQ(ButtonRect(m, FrameButton::Close, 400), (Rect{380, 4, 394, 18}));
    EXPECT_EQ(ButtonRect(m, FrameButton::Maximise, 400), (Rect{364, 4, 378, 18}));
    EXPECT_EQ(ButtonRect(m, FrameButton::Minimise, 400), (Rect{348, 4, 362, 18}));
    EXPECT_EQ(ClientRect(m, 400, 252), (Rect{6, 22, 394, 246}));
    EXPECT_EQ(ClientRect(m, 4, 10), (Rect{6, 22, 6, 22}));
}

TEST(FrameGeometry, BitmapsThatDoNotFitTheirLayoutAreRefused)
{
    const struct
    {
        SkinPart part;
        Size size;
    } cases[] = {
        {SkinPart::Title, {159, 44}},   {SkinPart::Title, {160, 43}},  {SkinPart::Left, {11, 66}},
        {SkinPart::Right, {12, 65}},    {SkinPart::Bottom, {75, 12}},  {SkinPart::Bottom, {76, 0}},
        {SkinPart::Background, {0, 0}}, {SkinPart::Restore, {52, 14}}, {SkinPart::Close, {3, 14}},
        {SkinPart::Minimise, {56, 30}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.part));
        SkinSizes sizes = SKIN_SIZES;
        sizes[std::size_t(c.part)] = c.size;
        EXPECT_FALSE(DeriveMetrics(sizes).has_value());
    }
}

TEST(FrameGeometry, EachSkinIsDescribedByItsOwnEntry)
{
    EXPECT_EQ(DescribeSkin(Skin::Ocean).bitmaps[std::size_t(SkinPart::Title)], 196);
    EXPECT_EQ(DescribeSkin(Skin::Gold).bitmaps[std::size_t(SkinPart::Bottom)], 183);
    for (const SkinDescription& entry : SKINS)
        EXPECT_EQ(&DescribeSkin(entry.skin), &entry) << entry.name.en;
}

TEST(FrameGeometry, HitTestFollowsItsOrder)
{
    // A 400 x 252 window: close [380, 394), maximise [364, 378), minimise [348, 362), all at
    // rows [4, 18); icon [6, 22) x [3, 19).
    const struct
    {
        int x;
        int y;
        HitCode main; // with minimise and maximise boxes
        HitCode aux;  // without them
    } cases[] = {
        {385, 10, HitCode::Close, HitCode::Close},
        {380, 4, HitCode::Close, HitCode::Close},
        {370, 10, HitCode::MaxButton, HitCode::Caption},
        {355, 10, HitCode::MinButton, HitCode::Caption},
        {355, 4, HitCode::MinButton, HitCode::Top},
        {363, 10, HitCode::Caption, HitCode::Caption},
        {385, 18, HitCode::Caption, HitCode::Caption},
        {394, 10, HitCode::TopRight, HitCode::TopRight},
        {10, 10, HitCode::SysMenu, HitCode::SysMenu},
        {10, 5, HitCode::SysMenu, HitCode::SysMenu},
        {10, 21, HitCode::Caption, HitCode::Caption},
        {2, 2, HitCode::TopLeft, HitCode::TopLeft},
        {5, 21, HitCode::TopLeft, HitCode::TopLeft},
        {5, 22, HitCode::Left, HitCode::Left},
        {399, 0, HitCode::TopRight, HitCode::TopRight},
        {0, 251, HitCode::BottomLeft, HitCode::BottomLeft},
        {5, 246, HitCode::BottomLeft, HitCode::BottomLeft},
        {399, 246, HitCode::BottomRight, HitCode::BottomRight},
        {394, 100, HitCode::Right, HitCode::Right},
        {200, 246, HitCode::Bottom, HitCode::Bottom},
        {200, 0, HitCode::Top, HitCode::Top},
        {200, 5, HitCode::Top, HitCode::Top},
        {200, 6, HitCode::Caption, HitCode::Caption},
        {200, 21, HitCode::Caption, HitCode::Caption},
        {200, 22, HitCode::Client, HitCode::Client},
        {6, 245, HitCode::Client, HitCode::Client},
        {393, 22, HitCode::Client, HitCode::Client},
    };
    const FrameMetrics m = Metrics();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(HitTest(m, MAIN_STYLE, 400, 252, c.x, c.y), c.main);
        EXPECT_EQ(HitTest(m, AUX_STYLE, 400, 252, c.x, c.y), c.aux);
    }
}

TEST(FrameGeometry, CaptionTextStartsAfterTheIconOnlyWhenThereIsOne)
{
    const struct
    {
        FrameStyle style;
        int nWidth;
        Rect rc;
    } cases[] = {
        {MAIN_STYLE, 460, {30, 0, 420, 22}},
        {{false, true, false}, 300, {30, 0, 260, 22}},
        {AUX_STYLE, 418, {6, 0, 378, 22}},
        {AUX_STYLE, 40, {6, 0, 6, 22}}, // narrower than the text offsets: empty
    };
    const FrameMetrics m = Metrics();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nWidth);
        EXPECT_EQ(CaptionTextRect(m, c.style, c.nWidth), c.rc);
    }
}

TEST(FrameGeometry, ButtonStatePrefersPressedOverHotAndInactiveOverBoth)
{
    const struct
    {
        bool bActive;
        HitCode hot;
        HitCode pressed;
        int nState;
    } cases[] = {
        {true, HitCode::Nowhere, HitCode::Nowhere, 0},
        {true, HitCode::Close, HitCode::Close, 1},
        {true, HitCode::Caption, HitCode::Close, 1},
        {true, HitCode::Close, HitCode::Nowhere, 2},
        {true, HitCode::MaxButton, HitCode::MinButton, 0},
        {false, HitCode::Close, HitCode::Close, 3},
        {false, HitCode::Nowhere, HitCode::Nowhere, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nState);
        EXPECT_EQ(ButtonStateIndex(c.bActive, HitCode::Close, c.hot, c.pressed), c.nState);
    }
}

TEST(FrameGeometry, SlicesOfWideNarrowAndTinyEdges)
{
    const struct
    {
        const char* strName;
        SliceBounds bounds;
        int nLength;
        std::vector<SliceCopy> copies;
    } cases[] = {
        {"title as wide as its bitmap",
         TITLE_SLICES,
         160,
         {{0, 0, 30}, {30, 30, 90}, {120, 120, 40}}},
        {"title of a 400 pixel window",
         TITLE_SLICES,
         388,
         {{0, 0, 30}, {30, 30, 90}, {30, 120, 90}, {30, 210, 90}, {30, 300, 48}, {120, 348, 40}}},
        {"title narrower than its bitmap",
         TITLE_SLICES,
         118,
         {{0, 0, 30}, {30, 30, 48}, {120, 78, 40}}},
        {"title just fits head and tail", TITLE_SLICES, 70, {{0, 0, 30}, {120, 30, 40}}},
        {"tail overlaps the head", TITLE_SLICES, 50, {{0, 0, 30}, {120, 10, 40}}},
        {"tail clipped at the start", TITLE_SLICES, 20, {{0, 0, 20}, {140, 0, 20}}},
        {"no edge at all", TITLE_SLICES, 0, {}},
        {"side of 87 pixels",
         SIDE_SLICES,
         87,
         {{0, 0, 30}, {30, 30, 20}, {30, 50, 20}, {30, 70, 1}, {50, 71, 16}}},
        {"bottom border",
         BOTTOM_SLICES,
         100,
         {{0, 0, 10}, {10, 10, 50}, {10, 60, 24}, {60, 84, 16}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strName);
        EXPECT_EQ(LayoutSlices(c.bounds, c.nLength), c.copies);
    }
}

// Every pixel of an edge is painted from the slice it belongs to, whatever the edge's length.
TEST(FrameGeometry, SlicesCoverEveryEdgeWithoutReadingOutsideTheirSlice)
{
    for (const SliceBounds& bounds : {TITLE_SLICES, SIDE_SLICES, BOTTOM_SLICES}) {
        for (int nLength = 0; nLength <= 700; ++nLength) {
            SCOPED_TRACE(std::to_string(bounds.nLength) + " " + std::to_string(nLength));
            std::vector<int> painted(std::size_t(nLength), 0);
            for (const SliceCopy& copy : LayoutSlices(bounds, nLength)) {
                ASSERT_GE(copy.nLength, 0);
                ASSERT_GE(copy.nTarget, 0);
                ASSERT_LE(copy.nTarget + copy.nLength, nLength);
                ASSERT_GE(copy.nSource, 0);
                ASSERT_LE(copy.nSource + copy.nLength, bounds.nLength);
                for (int i = 0; i < copy.nLength; ++i)
                    ++painted[std::size_t(copy.nTarget + i)];
            }
            for (int i = 0; i < nLength; ++i)
                ASSERT_GE(painted[std::size_t(i)], 1) << "pixel " << i;
            ASSERT_GE(MiddleSliceCount(bounds, nLength), 0);
        }
    }
}

TEST(FrameGeometry, MiddleCountMatchesWholeRepeatsAndRoundsUpOtherwise)
{
    const struct
    {
        SliceBounds bounds;
        int nLength;
        int nCount;
    } cases[] = {
        {SIDE_SLICES, 66, 1},  {SIDE_SLICES, 86, 2},     {SIDE_SLICES, 87, 3},
        {SIDE_SLICES, 46, 0},  {SIDE_SLICES, 10, 0},     {TITLE_SLICES, 160, 1},
        {TITLE_SLICES, 71, 1}, {TITLE_SLICES, 1000, 11}, {BOTTOM_SLICES, 76, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nLength);
        EXPECT_EQ(MiddleSliceCount(c.bounds, c.nLength), c.nCount);
    }
}
TEST(FrameGeometry, SizingMovesOnlyTheGrippedEdgesAndKeepsTheLimits)
{
    const Rect rc{100, 100, 600, 400};
    const Size minSize{460, 150};
    const Size maxSize{2000, 2000};
    const struct
    {
        HitCode edge;
        int dx;
        int dy;
        Rect result;
    } cases[] = {
        {HitCode::Right, 30, 50, {100, 100, 630, 400}},
        {HitCode::Bottom, 30, 50, {100, 100, 600, 450}},
        {HitCode::TopLeft, -10, -20, {90, 80, 600, 400}},
        {HitCode::BottomRight, 10, 20, {100, 100, 610, 420}},
        {HitCode::Left, 100, 0, {140, 100, 600, 400}}, // stops at the minimum width
        {HitCode::Top, 0, 400, {100, 250, 600, 400}},  // and height, bottom edge fixed
        {HitCode::TopRight, -100, 0, {100, 100, 560, 400}},
        {HitCode::BottomLeft, -3000, 0, {-1400, 100, 600, 400}}, // up to the maximum
        {HitCode::Caption, 50, 50, rc},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.edge));
        EXPECT_EQ(ResizedRect(c.edge, rc, c.dx, c.dy, minSize, maxSize), c.result);
    }
}
} // namespace
