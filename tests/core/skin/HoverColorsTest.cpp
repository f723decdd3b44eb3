#include "core/skin/HoverColors.h"

#include <gtest/gtest.h>

namespace
{
TEST(HoverColors, GradientEndsShowTheStateTint)
{
    const struct
    {
        const char* pName;
        bool bHover;
        bool bActive;
        HoverRgb top;
        HoverRgb bottom;
    } cases[] = {
        {"idle: white to grey", false, false, {255, 255, 255}, {192, 192, 192}},
        {"hover: faint blue", true, false, {255, 255, 255}, {240, 240, 243}},
        {"hover and active: faint yellow", true, true, {255, 255, 255}, {240, 240, 234}},
        {"active: light blue", false, true, {255, 255, 255}, {234, 234, 240}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pName);
        EXPECT_EQ(HoverFaceColor(c.bHover, c.bActive, 0), c.top);
        EXPECT_EQ(HoverFaceColor(c.bHover, c.bActive, HOVER_FACE_STEPS - 1), c.bottom);
        EXPECT_EQ(HoverFaceColor(c.bHover, c.bActive, 1000), c.bottom);
        EXPECT_EQ(HoverFaceColor(c.bHover, c.bActive, -5), c.top);
    }
}

TEST(HoverColors, DivisionsTruncate)
{
    EXPECT_EQ(HoverFaceColor(true, true, 5), (HoverRgb{254, 254, 254}));
    EXPECT_EQ(HoverFaceColor(true, false, 9), (HoverRgb{253, 253, 254}));
    EXPECT_EQ(HoverFaceColor(false, true, 7), (HoverRgb{253, 253, 254}));
    EXPECT_EQ(HoverFaceColor(false, false, 7), (HoverRgb{248, 248, 248}));
}

TEST(HoverColors, FaceCoversTheShrunkRectangleAndTheRowBelow)
{
    const Rect face = HoverShrink({0, 0, 45, 23});
    EXPECT_EQ(face.Width(), 41);
    EXPECT_EQ(face.Height(), 19);
    const std::vector<HoverFaceRow> rows = HoverFaceRows(face);
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows.front().nY, 2);
    EXPECT_EQ(rows.back().nY, 21);
    EXPECT_EQ(rows.front().nIndex, 2 * 63 / 19);
    EXPECT_EQ(rows.back().nIndex, 63);
    for (const HoverFaceRow& row : rows) {
        EXPECT_EQ(row.nLeft, 2);
        EXPECT_EQ(row.nRight, 43);
    }
}

TEST(HoverColors, TinyButtonsNeverPassTheLastColourNorDivideByZero)
{
    for (int nHeight = 0; nHeight <= 8; ++nHeight) {
        SCOPED_TRACE(nHeight);
        int nPrevious = 0;
        for (const HoverFaceRow& row : HoverFaceRows(HoverShrink({0, 0, 20, nHeight}))) {
            EXPECT_GE(row.nIndex, nPrevious);
            EXPECT_LE(row.nIndex, HOVER_FACE_STEPS - 1);
            EXPECT_LE(row.nY, nHeight);
            nPrevious = row.nIndex;
        }
    }
}

TEST(HoverColors, EdgeFrameUsesFocusOrHoverPens)
{
    const Rect face = HoverShrink({0, 0, 45, 23});
    const auto hover = HoverEdgeLines(face, false);
    const auto focus = HoverEdgeLines(face, true);
    EXPECT_EQ(hover[3].colour, (HoverRgb{229, 151, 0}));
    EXPECT_EQ(focus[0].colour, (HoverRgb{153, 198, 252}));
    const int widths[] = {3, 3, 2, 2};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(hover[i].nWidth, widths[i]);
        EXPECT_EQ(focus[i].nWidth, widths[i]);
        EXPECT_EQ(hover[i].from.nX, focus[i].from.nX);
        EXPECT_EQ(hover[i].to.nY, focus[i].to.nY);
    }
    EXPECT_EQ(hover[0].from.nX, 2);
    EXPECT_EQ(hover[1].from.nX, 42);
    EXPECT_EQ(hover[2].from.nY, 2);
    EXPECT_EQ(hover[3].from.nY, 21);
}

TEST(HoverColors, CaptionIsCentredAndShiftsWhenPressed)
{
    const Rect face = HoverShrink({0, 0, 45, 23});
    EXPECT_EQ(HoverCaptionOrigin(face, 20, 13, false), (Point{12, 5}));
    EXPECT_EQ(HoverCaptionOrigin(face, 20, 13, true), (Point{13, 6}));
    EXPECT_EQ(HoverCaptionOrigin(face, 41, 19, false), (Point{2, 2}));
}
} // namespace
