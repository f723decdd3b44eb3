#include "core/graph/GraphLayout.h"

#include "core/eval/CalcError.h"
#include "core/eval/RandomGenerator.h"
#include "core/graph/CurveTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace
{
// The window's default client size: 248 x 212 dialog units.
constexpr int RIGHT = 496;
constexpr int BOTTOM = 424;

class GraphLayoutTest : public ::testing::Test
{
protected:
    void Plot(std::string_view strText, int nSlot = 0) { table.PlotCurve(strText, nSlot, true); }

    static std::vector<Point> Points(const std::vector<GraphPolyline>& lines)
    {
        std::vector<Point> points;
        for (const GraphPolyline& line : lines)
            points.insert(points.end(), line.points.begin(), line.points.end());
        return points;
    }

    static const GraphText* FindText(const GraphScene& scene, const std::string& strText)
    {
        const auto it = std::find_if(scene.labels.begin(), scene.labels.end(),
                                     [&](const GraphText& t) { return t.text == strText; });
        return it == scene.labels.end() ? nullptr : &*it;
    }

    FixedLanguage language{Language::English};
    CRandomGenerator random;
    AngleUnit angle;
    CCurveTable table{language, random, angle};
};

TEST_F(GraphLayoutTest, MarginFollowsTheWidestVerticalLabel)
{
    const struct
    {
        const char* pszCurve;
        int nMargin;
    } cases[] = {
        {nullptr, 52},           // after fxcls: no labels, four characters
        {"0,1,x", 68},           // "     1"
        {"0,1,x*-1.23e10", 100}, // "-1.23e+010"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nMargin);
        if (c.pszCurve == nullptr)
            table.ClearCurves();
        else
            Plot(c.pszCurve);
        const CGraphLayout layout(table, RIGHT, BOTTOM);
        EXPECT_EQ(layout.Margin(), c.nMargin);
        EXPECT_EQ(layout.PlotWidth(), RIGHT - c.nMargin - 30);
        EXPECT_EQ(layout.PlotHeight(), BOTTOM - 70);
        const GraphScene scene = layout.Scene();
        ASSERT_GE(scene.axes.size(), 2u);
        EXPECT_EQ(scene.axes[0].from.nX, c.nMargin);
        EXPECT_EQ(scene.axes[0].to.nX, c.nMargin);
        EXPECT_EQ(scene.axes[1].from.nY, BOTTOM - 30);
        EXPECT_EQ(scene.axes[1].to.nX, RIGHT - 20);
    }
}

// With the drawn widths known, every vertical label ends clear of the ticks left of the axis.
TEST_F(GraphLayoutTest, MeasuredLabelsKeepClearOfTheAxis)
{
    const struct
    {
        const char* pszCurve;
        int nPixelsPerChar;
        int nMargin;
    } cases[] = {
        {"0,1,x", 5, 68},            // narrow glyphs: the margin of 8 pixels a character
        {"0,1,x*1e10", 8, 85},       // "1e+010" at the 8 pixels the margin assumes
        {"0,1,x*-1.23e10", 12, 197}, // "-1.23e+010" in a wide font
        {nullptr, 30, 52},           // no labels: nothing to measure
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nMargin);
        if (c.pszCurve == nullptr)
            table.ClearCurves();
        else
            Plot(c.pszCurve);
        const auto textWidth = [&c](const std::string& str) {
            return int(str.size()) * c.nPixelsPerChar;
        };
        const CGraphLayout layout(table, RIGHT, BOTTOM, textWidth);
        EXPECT_EQ(layout.Margin(), c.nMargin);
        EXPECT_EQ(layout.PlotWidth(), RIGHT - c.nMargin - 30);
        const GraphScene scene = layout.Scene();
        for (const GraphText& label : scene.labels) {
            if (label.at.nY >= CGraphLayout::PLOT_TOP + layout.PlotHeight())
                continue; // a horizontal label
            SCOPED_TRACE(label.text);
            EXPECT_LE(label.at.nX + textWidth(label.text),
                      layout.Margin() - 5 - CGraphLayout::LABEL_GAP);
            EXPECT_GE(label.at.nX, 10);
        }
    }
}

TEST_F(GraphLayoutTest, NarrowPlotsDropHorizontalLabelsButKeepTheTicks)
{
    Plot("0,360,sin(x)");
    const struct
    {
        int nWidth;
        std::size_t nHorizontal;
    } cases[] = {
        {60, 0}, {100, 0}, {101, 2}, {150, 2}, {151, 3}, {800, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nWidth);
        const CGraphLayout layout(table, c.nWidth + 68 + 30, BOTTOM);
        ASSERT_EQ(layout.PlotWidth(), c.nWidth);
        const GraphScene scene = layout.Scene();
        EXPECT_EQ(scene.labels.size(), 3 + c.nHorizontal);
        EXPECT_EQ(scene.axes.size(), 7u);
        EXPECT_EQ(FindText(scene, "   180") != nullptr, c.nHorizontal == 3);
    }
}

// Each block is a fill and four edges; the widget test looks at the pixels.
TEST_F(GraphLayoutTest, BlocksShowValidSlotsSelectedInTheirColourOthersBrightened)
{
    Plot("0,360,sin(x)");
    Plot(" cos(x)", 1);
    EXPECT_THROW(Plot(" 1/0", 2), CalcError);
    Plot(" x", 9);
    const auto fills = [&] {
        std::vector<std::pair<int, ColorRef>> result;
        for (const GraphRect& rc : CGraphLayout(table, RIGHT, BOTTOM).Scene().blocks)
            if (rc.rect.Width() == 15 && rc.rect.Height() == 15 && rc.rect.nTop == 15)
                result.emplace_back(rc.rect.nLeft, rc.color);
        return result;
    };
    using Fills = std::vector<std::pair<int, ColorRef>>;
    EXPECT_EQ(fills(), (Fills{{15, MakeRgb(0, 0, 200)},
                              {35, MakeRgb(48, 248, 48)},
                              {195, MakeRgb(148, 148, 48)}}));
    EXPECT_EQ(CGraphLayout(table, RIGHT, BOTTOM).Scene().blocks.size(), 3u * 5);
    ASSERT_TRUE(table.SelectCurve(1));
    EXPECT_EQ(fills(), (Fills{{15, MakeRgb(48, 48, 248)},
                              {35, MakeRgb(0, 200, 0)},
                              {195, MakeRgb(148, 148, 48)}}));
}

TEST_F(GraphLayoutTest, BlockHitTestNeedsTheInsideOfAValidBlock)
{
    Plot("0,1,x");
    Plot(" x", 1);
    Plot(" x", 3);
    const struct
    {
        int x, y, nSlot;
    } cases[] = {
        {16, 16, 0}, {29, 29, 0},  {15, 20, -1}, {30, 20, -1}, {20, 15, -1},  {20, 30, -1},
        {36, 22, 1}, {55, 22, -1}, {60, 22, -1}, {80, 22, 3},  {200, 22, -1}, {-5, 22, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(CGraphLayout::BlockAt(table, c.x, c.y), c.nSlot);
    }
}

TEST_F(GraphLayoutTest, LegendNamesTheSelectedValidCurveEvenWhenHidden)
{
    Plot("0,360,sin(x)");
    Plot(" cos( x )", 2);
    const CGraphLayout layout(table, RIGHT, BOTTOM);
    ASSERT_TRUE(layout.Scene().legend.has_value());
    EXPECT_EQ(layout.Scene().legend->text, "  fx  y = sin(x)  ");
    EXPECT_EQ(layout.Scene().legend->at.nX, layout.PlotWidth() / 2 + 10);
    EXPECT_EQ(layout.Scene().legend->at.nY, 15);
    EXPECT_EQ(layout.Scene().legend->background, MakeRgb(240, 240, 240));

    ASSERT_TRUE(table.SelectCurve(2));
    table.ToggleCurve(2);
    EXPECT_EQ(layout.Scene().legend->text, "  fx2  y = cos(x)  ");
    EXPECT_TRUE(layout.Curve(2).empty());

    EXPECT_THROW(Plot(" 1/0", 2), CalcError);
    EXPECT_FALSE(layout.Scene().legend.has_value());
}

// The legend keeps to the plot area, however narrow the window; the painter cuts it short.
TEST_F(GraphLayoutTest, LegendEndsInsideThePlotArea)
{
    Plot("0,360,sin(x)+cos(x)*sin(x)*cos(x)");
    for (int nRight : {130, 200, RIGHT, 2000}) {
        SCOPED_TRACE(nRight);
        const CGraphLayout layout(table, nRight, BOTTOM);
        const auto legend = layout.Scene().legend;
        ASSERT_TRUE(legend.has_value());
        EXPECT_GE(legend->at.nX, 10);
        EXPECT_EQ(legend->at.nX + legend->maxWidth, nRight - 10);
    }
    // So narrow that the plot area has no room right of where the legend starts.
    EXPECT_FALSE(CGraphLayout(table, 20, BOTTOM).Scene().legend.has_value());
}

// In a narrow window the middle of the plot lies left of the last colour block.
TEST_F(GraphLayoutTest, LegendStartsRightOfTheColourBlocks)
{
    Plot("0,360,sin(x)");
    for (int nSlot = 1; nSlot <= 4; ++nSlot)
        Plot(" cos(2*x)", nSlot);
    ASSERT_TRUE(table.SelectCurve(1));
    for (int nRight : {150, 250, RIGHT}) {
        SCOPED_TRACE(nRight);
        const CGraphLayout layout(table, nRight, BOTTOM);
        const auto legend = layout.Scene().legend;
        ASSERT_TRUE(legend.has_value());
        const GraphRect last = CGraphLayout::BlockRect(4);
        EXPECT_GT(legend->at.nX, last.rect.nRight);
        EXPECT_GE(legend->at.nX, layout.PlotWidth() / 2 + 10);
    }
}

TEST_F(GraphLayoutTest, RowsMapTheRangeOntoThePlotHeight)
{
    Plot("0,1,x*4-1");
    const CGraphLayout layout(table, RIGHT, BOTTOM);
    const int H = layout.PlotHeight();
    EXPECT_EQ(layout.Row(3.0), 40);
    EXPECT_EQ(layout.Row(-1.0), 40 + H);
    EXPECT_EQ(layout.Row(1.0), 40 + H / 2);
    EXPECT_EQ(layout.Row(std::nan("")), std::nullopt);
    EXPECT_EQ(layout.Row(1e300), -32767);
    EXPECT_EQ(layout.Row(-1e300), 32767);
}

// A constant curve has no height to divide by: it is drawn along the middle of the plot.
TEST_F(GraphLayoutTest, ZeroHeightRangeDrawsAlongTheMiddle)
{
    for (const char* pszCurve : {"0,0,sin(x)", "0,1,7"}) {
        SCOPED_TRACE(pszCurve);
        Plot(pszCurve);
        ASSERT_EQ(table.Ymax(), table.Ymin());
        const CGraphLayout layout(table, RIGHT, BOTTOM);
        const auto points = Points(layout.Curve(0));
        ASSERT_EQ(points.size(), std::size_t(1 + 2 * (layout.PlotWidth() - 1)));
        for (const Point& pt : points)
            ASSERT_EQ(pt.nY, 40 + layout.PlotHeight() / 2);
    }
}

// Each pixel column spans all the samples that fall into it, so the extremes survive any width.
TEST_F(GraphLayoutTest, EveryWidthKeepsTheCurvesExtremes)
{
    Plot("0,360,sin(x*997)");
    for (int nRight : {130, 300, 517, 2000, 10098, 12000}) {
        SCOPED_TRACE(nRight);
        const CGraphLayout layout(table, nRight, BOTTOM);
        const auto lines = layout.Curve(0);
        ASSERT_EQ(lines.size(), 1u);
        const auto& points = lines[0].points;
        const int W = layout.PlotWidth();
        ASSERT_EQ(points.size(), std::size_t(1 + 2 * (W - 1)));
        EXPECT_EQ(points.front().nX, layout.Margin());
        EXPECT_EQ(points.back().nX, layout.Margin() + W - 1);
        const auto [lo, hi] = std::minmax_element(points.begin(), points.end(),
                                                  [](Point p, Point q) { return p.nY < q.nY; });
        EXPECT_EQ(lo->nY, 40);
        EXPECT_EQ(hi->nY, 40 + layout.PlotHeight());
        EXPECT_EQ(lines[0].color, MakeRgb(0, 0, 200));
    }
}

TEST_F(GraphLayoutTest, UndefinedSamplesBreakTheCurveAndInfiniteRangesDoNotOverflow)
{
    // exp overflows past x = 0.70978, and inf - inf is undefined from there on.
    Plot("0,1,exp(1000*x)-exp(1000*x)+x");
    CGraphLayout layout(table, RIGHT, BOTTOM);
    auto points = Points(layout.Curve(0));
    ASSERT_FALSE(points.empty());
    const int nLastColumn = points.back().nX - layout.Margin();
    EXPECT_NEAR(nLastColumn, 0.70978 * layout.PlotWidth(), 1.5);

    Plot("0,1,exp(1000*x)");
    points = Points(CGraphLayout(table, RIGHT, BOTTOM).Curve(0));
    for (const Point& pt : points)
        ASSERT_EQ(pt.nY, 40 + layout.PlotHeight());

    for (int nRight : {0, 50, 98, 99}) {
        SCOPED_TRACE(nRight);
        EXPECT_TRUE(CGraphLayout(table, nRight, 20).Curve(0).empty());
    }
}
} // namespace
