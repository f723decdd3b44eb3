#include "core/graph/GraphLayout.h"
#include "core/graph/GraphView.h"
#include "core/graph/ViewSampler.h"

#include "core/eval/CalcError.h"
#include "core/eval/RandomGenerator.h"
#include "core/graph/CurveTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
constexpr int RIGHT = 496;
constexpr int BOTTOM = 424;

struct CurveTableFixture
{
    FixedLanguage language{Language::English};
    CRandomGenerator random;
    AngleUnit angle;
};

TEST(GraphView, ZoomsAboutAPointPansAndRefusesWhatCannotBeDrawn)
{
    const GraphView sine{0, 360, -1, 1};
    const struct
    {
        const char* pszName;
        GraphView from;
        std::function<GraphView(const GraphView&)> change;
        GraphView expected;
    } cases[] = {
        {"in about the centre",
         sine,
         [](auto& v) { return v.Zoomed(180, 0, 0.5, 0.5); },
         {90, 270, -0.5, 0.5}},
        {"in about a corner",
         sine,
         [](auto& v) { return v.Zoomed(0, -1, 0.5, 0.5); },
         {0, 180, -1, 0}},
        {"x only", sine, [](auto& v) { return v.Zoomed(90, 0.5, 0.5, 1); }, {45, 225, -1, 1}},
        {"y only", sine, [](auto& v) { return v.Zoomed(90, 0.5, 1, 0.5); }, {0, 360, -0.25, 0.75}},
        {"out", sine, [](auto& v) { return v.Zoomed(180, 0, 2, 2); }, {-180, 540, -2, 2}},
        {"pan right", sine, [](auto& v) { return v.Panned(0.1, 0); }, {36, 396, -1, 1}},
        {"pan down", sine, [](auto& v) { return v.Panned(0, -0.5); }, {0, 360, -2, 0}},
        {"a point put in the middle",
         sine,
         [](auto& v) { return v.WithXAt(100, 0.5); },
         {-80, 280, -1, 1}},
        {"a flat range stays flat",
         {0, 0, 5, 5},
         [](auto& v) { return v.Zoomed(0, 5, 0.5, 0.5); },
         {0, 0, 5, 5}},
        {"no closer than doubles tell apart",
         {1e6, 1e6 + 1e-2, 0, 1},
         [](auto& v) { return v.Zoomed(1e6, 0, 1e-6, 1); },
         {1e6, 1e6 + 1e-2, 0, 1}},
        {"no farther than doubles reach",
         {0, 1e300, 0, 1},
         [](auto& v) { return v.Zoomed(0, 0, 10, 1); },
         {0, 1e300, 0, 1}},
        {"no pan beyond them",
         {1e308, 1.5e308, 0, 1},
         [](auto& v) { return v.Panned(1e10, 0); },
         {1e308, 1.5e308, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        const GraphView view = c.change(c.from);
        EXPECT_DOUBLE_EQ(view.x0, c.expected.x0);
        EXPECT_DOUBLE_EQ(view.x1, c.expected.x1);
        EXPECT_DOUBLE_EQ(view.y0, c.expected.y0);
        EXPECT_DOUBLE_EQ(view.y1, c.expected.y1);
    }
}

TEST(GraphView, HomeIsDrawnAsTheTableItselfAndAnotherViewLabelsItsRanges)
{
    CurveTableFixture f;
    CCurveTable table(f.language, f.random, f.angle);
    table.PlotCurve("0,360,sin(x)", 0, true);
    table.PlotCurve(" x/360", 1, true);
    const GraphScene today = CGraphLayout(table, RIGHT, BOTTOM).Scene();

    // Away from home the curves are cut to the plot; at home nothing of them lies beyond it.
    const auto unclipped = [&](const ViewedCurves& viewed) {
        GraphScene scene = CGraphLayout(table, RIGHT, BOTTOM, {}, &viewed).Scene();
        EXPECT_TRUE(scene.plotClip);
        scene.plotClip.reset();
        return scene;
    };
    ViewedCurves viewed{GraphView::Home(table), nullptr};
    EXPECT_EQ(unclipped(viewed), today);
    // Samples taken over the home view itself are the stored ones.
    viewed.pSamples = std::make_shared<const ViewSamples>(
        *CViewSampler(table, table.A(), table.B()).Run(std::atomic<bool>{false}));
    EXPECT_EQ(unclipped(viewed), today);

    viewed.view = {90, 270, -0.5, 0.5};
    const CGraphLayout zoomed(table, RIGHT, BOTTOM, {}, &viewed);
    EXPECT_NE(zoomed.Scene(), today);
    EXPECT_EQ(zoomed.LabelText(CCurveTable::LABEL_LEFT), "    90");
    EXPECT_EQ(zoomed.LabelText(CCurveTable::LABEL_RIGHT), "   270");
    EXPECT_EQ(zoomed.LabelText(CCurveTable::LABEL_TOP), "   0.5");
    EXPECT_EQ(zoomed.XAt(zoomed.Margin() + zoomed.PlotWidth() / 2), 180);
    EXPECT_EQ(table.LabelText(CCurveTable::LABEL_LEFT), "     0") << "the table keeps its own";
}

TEST(ViewSampler, SamplesOverAViewAsFxOverThatIntervalWithoutTouchingTheTable)
{
    const char* const curves[] = {"sin(x)", " x*x", " ln(x)", " cos(x)"};
    CurveTableFixture f;
    CCurveTable table(f.language, f.random, f.angle);
    table.PlotCurve(std::string("1,360,") + curves[0], 0, true);
    for (int i = 1; i < 4; ++i)
        table.PlotCurve(curves[i], i, true);
    table.ToggleCurve(3);
    table.Evaluator().Variable("x") = CalcValue(7.0, 0.0);
    const std::vector<double> stored = table.Slot(1).samples;

    for (const auto& [a, b] : {std::pair(10.0, 20.0), std::pair(-5.0, 5.0), std::pair(3.0, -1.0)}) {
        SCOPED_TRACE(std::to_string(a) + ".." + std::to_string(b));
        const std::optional<ViewSamples> viewed =
            CViewSampler(table, a, b, 2).Run(std::atomic<bool>{false});
        ASSERT_TRUE(viewed);
        CCurveTable fx(f.language, f.random, f.angle);
        fx.PlotCurve(std::to_string(a) + "," + std::to_string(b) + "," + curves[0], 0, true);
        for (int i = 1; i < 3; ++i) {
            try {
                fx.PlotCurve(curves[i], i, true);
            } catch (const CalcError&) {
                // ln of a negative number: the curve fails there, as it must in the view.
            }
        }
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            const CurveSlot& slot = viewed->curves[std::size_t(i)];
            ASSERT_EQ(slot.state, fx.Slot(i).state);
            if (slot.state != CurveState::Valid)
                continue;
            EXPECT_EQ(slot.samples, fx.Slot(i).samples);
            EXPECT_EQ(slot.yMax, fx.Slot(i).yMax);
            EXPECT_EQ(slot.yMin, fx.Slot(i).yMin);
        }
        EXPECT_EQ(viewed->curves[3].state, CurveState::Empty) << "a hidden curve is not sampled";
    }
    EXPECT_EQ(table.Slot(1).samples, stored);
    EXPECT_EQ(table.Evaluator().Variable("x").re, 7.0);
}

TEST(ViewSampler, CancelledSamplingDeliversNothing)
{
    CurveTableFixture f;
    CCurveTable table(f.language, f.random, f.angle);
    table.PlotCurve("0,1,x", 0, true);
    EXPECT_FALSE(CViewSampler(table, 0, 2).Run(std::atomic<bool>{true}));
}
} // namespace
