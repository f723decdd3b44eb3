#include "graph/CurveTable.h"

#include "eval/CalcError.h"
#include "eval/RandomGenerator.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>

namespace
{
constexpr int LAST = CURVE_SAMPLES - 1;

class CurveTableTest : public ::testing::Test
{
protected:
    // The error text PlotCurve raised, or "" when it raised none.
    std::string Plot(std::string_view strText, int nSlot = 0, bool bShow = true)
    {
        try {
            table.PlotCurve(strText, nSlot, bShow);
        } catch (const CalcError& error) {
            return error.what();
        }
        return "";
    }

    double X() { return table.Evaluator().Variable("x").re; }
    const CurveSlot& Slot(int nSlot) const { return table.Slot(nSlot); }

    int nLanguage = LANGUAGE_ENGLISH;
    CRandomGenerator random;
    CCurveTable table{nLanguage, random};
};

TEST_F(CurveTableTest, SineInDegreesSwingsFromMinusOneToOneWithRoundLabels)
{
    ASSERT_EQ(Plot("0,360,sin(x)"), "");
    const CurveSlot& slot = Slot(0);
    EXPECT_EQ(slot.state, CurveState::Valid);
    EXPECT_TRUE(slot.shown);
    EXPECT_EQ(slot.expression, "sin(x)");
    EXPECT_EQ(slot.legend, "y = sin(x)  ");
    EXPECT_NEAR(slot.yMax, 1.0, 1e-6);
    EXPECT_NEAR(slot.yMin, -1.0, 1e-6);
    EXPECT_NEAR(slot.samples[LAST / 4], 1.0, 1e-6);
    EXPECT_NEAR(slot.samples[LAST * 3 / 4], -1.0, 1e-6);
    EXPECT_NEAR(slot.samples[LAST], 0.0, 1e-12);

    const std::pair<CCurveTable::Label, const char*> labels[] = {
        {CCurveTable::LABEL_TOP, "     1"},  {CCurveTable::LABEL_MIDDLE, "     0"},
        {CCurveTable::LABEL_BOTTOM, "    -1"}, {CCurveTable::LABEL_LEFT, "     0"},
        {CCurveTable::LABEL_CENTRE, "   180"}, {CCurveTable::LABEL_RIGHT, "   360"},
    };
    for (const auto& [nLabel, pszText] : labels) {
        SCOPED_TRACE(nLabel);
        EXPECT_EQ(table.LabelText(nLabel), pszText);
    }
}

TEST_F(CurveTableTest, AngleUnitOfTheCurveEvaluatorApplies)
{
    table.Evaluator().m_bDegrees = false;
    ASSERT_EQ(Plot("0,pi,sin(x)"), "");
    EXPECT_NEAR(Slot(0).yMax, 1.0, 1e-6);
    EXPECT_NEAR(Slot(0).samples[LAST / 2], 1.0, 1e-6);
    EXPECT_GE(Slot(0).yMin, 0.0 - 1e-12);
}

// The abscissas of "x" itself: repeated addition from a, anything reaching b pulled back to
// b / 1.00000000000001, and the last sample taken at b exactly.
TEST_F(CurveTableTest, SamplesFollowTheAccumulatedAbscissa)
{
    const struct { const char* pszText; double a, b; } cases[] = {
        {"0,1,x", 0, 1}, {"0,360,x", 0, 360}, {"-1,1,x", -1, 1}, {"2,1,x", 2, 1},
        {"0.1,0.7,x", 0.1, 0.7}, {"-3,-2,x", -3, -2}, {"1e-300,3e-300,x", 1e-300, 3e-300},
        {"1,1,x", 1, 1}, {"0,9999,x", 0, 9999},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszText);
        ASSERT_EQ(Plot(c.pszText), "");
        const auto& samples = Slot(0).samples;
        const double step = (c.b - c.a) / 9999;
        double x = c.a;
        int nPulled = 0;
        for (int i = 0; i < LAST; ++i) {
            if (x >= c.b) {
                x = c.b / 1.00000000000001;
                ++nPulled;
            }
            ASSERT_EQ(samples[std::size_t(i)], x) << "sample " << i;
            x += step;
        }
        EXPECT_EQ(samples[LAST], c.b);
        // Only a reversed interval (or b below zero) pulls back early; a normal one at most once.
        if (c.a < c.b && c.b > 0) {
            EXPECT_LE(nPulled, 1);
        }
    }
    // A reversed interval starts just below b and steps downward from there.
    ASSERT_EQ(Plot("2,1,x"), "");
    EXPECT_EQ(Slot(0).samples[0], 1 / 1.00000000000001);
    EXPECT_LT(Slot(0).samples[1], Slot(0).samples[0]);
}

TEST_F(CurveTableTest, OnlyTwoCommasOutsideParenthesesSeparateTheInterval)
{
    const struct { const char* pszText; const char* pszError; double a, b, yMax; } cases[] = {
        {"0, 2, pow(x,2)", "", 0, 2, 4},
        {" 0 ,\t2 ,\r\n x * 3 ", "", 0, 2, 6},
        {"0,pow(2,3),x", "", 0, 8, 8},
        {"1,2,pow(x,(1,2))", nullptr, 1, 2, 0},
        {"(1+1),(3),x", "", 2, 3, 3},
        {"0,1", "missing ','", 2, 3, 0},
        {"sin(x)", "missing ','", 2, 3, 0},
        {"pow(0,1),x", "missing ','", 2, 3, 0},
        {"(0,1,x", "missing ','", 2, 3, 0},
        {"", "missing ','", 2, 3, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszText);
        const std::string strError = Plot(c.pszText);
        if (c.pszError == nullptr) {
            EXPECT_NE(strError, "");
            continue;
        }
        EXPECT_EQ(strError, c.pszError);
        EXPECT_EQ(table.A(), c.a);
        EXPECT_EQ(table.B(), c.b);
        if (strError.empty()) {
            EXPECT_DOUBLE_EQ(Slot(0).yMax, c.yMax);
        }
    }
    nLanguage = LANGUAGE_CHINESE;
    EXPECT_EQ(Plot("0,1"), "丢失','");
}

TEST_F(CurveTableTest, NumberedCurveBeforeAnyIntervalIsFlatAtZero)
{
    ASSERT_EQ(Plot(" x*x+3", 3), "");
    const CurveSlot& slot = Slot(3);
    EXPECT_EQ(slot.state, CurveState::Valid);
    for (int i : {0, 1, 5000, LAST})
        EXPECT_EQ(slot.samples[std::size_t(i)], 3.0);
    EXPECT_EQ(slot.yMax, 3.0);
    EXPECT_EQ(slot.yMin, 3.0);
    EXPECT_EQ(table.LabelText(CCurveTable::LABEL_TOP), "     3");
    EXPECT_EQ(table.LabelText(CCurveTable::LABEL_LEFT), "     0");
}

TEST_F(CurveTableTest, NewIntervalResamplesDefinedNumberedCurvesAndSameIntervalDoesNot)
{
    ASSERT_EQ(Plot("0,1,x"), "");
    ASSERT_EQ(Plot(" 1/(x-2)", 1), "");
    ASSERT_EQ(Plot(" x*3", 2), "");
    EXPECT_EQ(Slot(1).state, CurveState::Valid);

    // Over [0, 2] slot 1 meets x = 2; its error is swallowed, slot 2 follows the interval.
    ASSERT_EQ(Plot("0,2,x"), "");
    EXPECT_EQ(Slot(1).state, CurveState::Failed);
    EXPECT_EQ(Slot(2).state, CurveState::Valid);
    EXPECT_EQ(Slot(2).samples[LAST], 6.0);
    EXPECT_EQ(Slot(3).state, CurveState::Empty);

    // The same interval samples slot 0 only: slot 1 stays failed.
    ASSERT_EQ(Plot("0,2,x*2"), "");
    EXPECT_EQ(Slot(1).state, CurveState::Failed);
    EXPECT_EQ(Slot(0).samples[LAST], 4.0);

    // A failed slot keeps its text and comes back when an interval suits it.
    ASSERT_EQ(Plot("0,1,x"), "");
    EXPECT_EQ(Slot(1).state, CurveState::Valid);
    EXPECT_EQ(Slot(1).samples[LAST], -1.0);
    EXPECT_EQ(Slot(2).samples[LAST], 3.0);
}

TEST_F(CurveTableTest, CurveVariableXIsRestoredAfterSuccessAndKeepsTheFailingAbscissa)
{
    table.Evaluator().Variable("x") = CalcValue(7.5);
    ASSERT_EQ(Plot("0,360,sin(x)"), "");
    EXPECT_EQ(X(), 7.5);
    ASSERT_EQ(Plot(" cos(x)", 4), "");
    EXPECT_EQ(X(), 7.5);

    // The first evaluation, at a itself, fails.
    EXPECT_EQ(Plot("1,2,1/(x-1)"), "divisor can not be zero");
    EXPECT_EQ(X(), 1.0);
    EXPECT_EQ(Slot(0).state, CurveState::Failed);
    EXPECT_EQ(Slot(0).expression, "1/(x-1)");
    // Slot 4 was re-sampled over the new interval before slot 0 failed.
    EXPECT_EQ(Slot(4).state, CurveState::Valid);
    EXPECT_NEAR(Slot(4).samples[LAST], std::cos(2 * std::numbers::pi / 180), 1e-12);

    // A complex value anywhere fails the whole curve, at the point where it appears.
    EXPECT_EQ(Plot(" sqr(x-1.5)", 5), "Complex value");
    EXPECT_EQ(X(), 1.0);
    EXPECT_EQ(Slot(5).state, CurveState::Failed);
}

TEST_F(CurveTableTest, FailedBoundKeepsWhatWasEvaluatedBeforeIt)
{
    ASSERT_EQ(Plot("0,1,x"), "");
    EXPECT_EQ(Plot("5,1/0,x"), "divisor can not be zero");
    EXPECT_EQ(table.A(), 5.0);
    EXPECT_EQ(table.B(), 1.0);
    EXPECT_EQ(Slot(0).expression, "x");
    // Names typed in the console are not the curve evaluator's.
    EXPECT_EQ(Plot("0,a,x"), "syntax Error");
    EXPECT_EQ(Plot(" a*x", 1), "syntax Error");
    EXPECT_EQ(Slot(1).state, CurveState::Failed);
}

TEST_F(CurveTableTest, FailedPlotLeavesTheAxesAlone)
{
    ASSERT_EQ(Plot("0,1,x*10"), "");
    EXPECT_EQ(Plot("0,1,1/(x-1)"), "divisor can not be zero");
    EXPECT_EQ(table.Ymax(), 10.0);
    EXPECT_EQ(table.LabelText(CCurveTable::LABEL_TOP), "    10");
    // The failed slot keeps its shown flag, but is neither drawn nor counted.
    EXPECT_TRUE(Slot(0).shown);
    ASSERT_EQ(Plot(" x*4", 1), "");
    EXPECT_EQ(table.Ymax(), 4.0);
}

TEST_F(CurveTableTest, LiveRunRefreshesOnlyShownCurvesAndLeavesTheAxes)
{
    ASSERT_EQ(Plot("0,1,x"), "");
    ASSERT_EQ(Plot(" x*2", 2, false), "");
    EXPECT_EQ(Slot(2).state, CurveState::Empty);

    ASSERT_EQ(Plot(" x*2", 2, true), "");
    EXPECT_EQ(table.Ymax(), 2.0);
    ASSERT_EQ(Plot(" x*5", 2, false), "");
    EXPECT_EQ(Slot(2).yMax, 5.0);
    EXPECT_EQ(table.Ymax(), 2.0);
    EXPECT_EQ(table.LabelText(CCurveTable::LABEL_TOP), "     2");
    table.UpdateAxes();
    EXPECT_EQ(table.LabelText(CCurveTable::LABEL_TOP), "     5");

    // A hidden curve is not refreshed by a live run.
    table.ToggleCurve(2);
    ASSERT_EQ(Plot(" x*9", 2, false), "");
    EXPECT_EQ(Slot(2).yMax, 5.0);
}

TEST_F(CurveTableTest, RangeCoversShownValidCurvesAndSurvivesHidingThemAll)
{
    ASSERT_EQ(Plot("0,1,x*3"), "");
    ASSERT_EQ(Plot(" 0-x*2", 1), "");
    EXPECT_EQ(table.Ymax(), 3.0);
    EXPECT_EQ(table.Ymin(), -2.0);
    EXPECT_EQ(table.LabelText(CCurveTable::LABEL_MIDDLE), "   0.5");

    table.ToggleCurve(0);
    table.UpdateAxes();
    EXPECT_EQ(table.Ymax(), 0.0);
    EXPECT_EQ(table.Ymin(), -2.0);
    table.ToggleCurve(1);
    table.UpdateAxes();
    EXPECT_EQ(table.Ymax(), 0.0);
    EXPECT_EQ(table.Ymin(), -2.0);

    // Toggling a slot that is not valid does nothing; selecting shows a valid one.
    table.ToggleCurve(7);
    EXPECT_FALSE(Slot(7).shown);
    EXPECT_FALSE(table.SelectCurve(7));
    EXPECT_EQ(table.Selected(), 0);
    EXPECT_TRUE(table.SelectCurve(1));
    EXPECT_EQ(table.Selected(), 1);
    EXPECT_TRUE(Slot(1).shown);
}

// The middle label halves the rounded top and bottom texts, not Ymax and Ymin.
TEST_F(CurveTableTest, MiddleLabelComesFromTheRoundedLabels)
{
    ASSERT_EQ(Plot("0,1,x*1.2345"), "");
    EXPECT_EQ(table.LabelText(CCurveTable::LABEL_TOP), "  1.23");
    EXPECT_EQ(table.LabelText(CCurveTable::LABEL_MIDDLE), " 0.615");
    ASSERT_EQ(Plot("0,1,exp(1000*x)"), "");
    EXPECT_EQ(table.LabelText(CCurveTable::LABEL_TOP), "1.#INF");
    EXPECT_EQ(table.LabelText(CCurveTable::LABEL_MIDDLE), "     1");
}

TEST_F(CurveTableTest, ClearEmptiesSlotsAndLabelsButKeepsIntervalRangeAndSelection)
{
    ASSERT_EQ(Plot("2,4,x"), "");
    ASSERT_EQ(Plot(" x", 1), "");
    ASSERT_TRUE(table.SelectCurve(1));
    table.ClearCurves();
    for (int i = 0; i < CCurveTable::SLOT_COUNT; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Slot(i).state, CurveState::Empty);
        EXPECT_FALSE(Slot(i).shown);
        EXPECT_EQ(Slot(i).expression, "");
        EXPECT_EQ(Slot(i).legend, "");
    }
    for (int n = 0; n < CCurveTable::LABEL_COUNT; ++n)
        EXPECT_EQ(table.LabelText(CCurveTable::Label(n)), "");
    EXPECT_EQ(table.Ymax(), 4.0);
    EXPECT_EQ(table.Selected(), 1);
    ASSERT_EQ(Plot(" x*x", 5), "");
    EXPECT_EQ(Slot(5).samples[0], 4.0);
    EXPECT_EQ(Slot(5).samples[LAST], 16.0);
}

TEST(FormatAxisLabel, ThreeDigitsRightAlignedInSix)
{
    const struct { double d; const char* pszText; } cases[] = {
        {1, "     1"}, {-1, "    -1"}, {0, "     0"}, {-0.0, "    -0"}, {180, "   180"},
        {0.615, " 0.615"}, {-0.001234, "-0.00123"}, {1234, "1.23e+003"}, {99999, "1e+005"},
        {-1.23e10, "-1.23e+010"}, {1e-5, "1e-005"}, {2.5e-300, "2.5e-300"},
        {std::numeric_limits<double>::infinity(), "1.#INF"},
        {-std::numeric_limits<double>::infinity(), "-1.#INF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszText);
        EXPECT_EQ(FormatAxisLabel(c.d), c.pszText);
    }
}

TEST_F(CurveTableTest, SamplesTextListsEveryAbscissaWithItsSample)
{
    EXPECT_EQ(table.SamplesText(0), "");
    ASSERT_EQ(Plot("0,360,sin(x)"), "");
    ASSERT_EQ(Plot(" 1/(x-360)", 1), "divisor can not be zero");
    EXPECT_EQ(table.SamplesText(1), "");

    const std::string strText = table.SamplesText(0);
    std::istringstream lines(strText);
    std::string strLine;
    int nLine = 0;
    double dPrevious = -1;
    while (std::getline(lines, strLine)) {
        const std::size_t nTab = strLine.find('\t');
        ASSERT_NE(nTab, std::string::npos) << strLine;
        double x = 0;
        double y = 0;
        ASSERT_EQ(std::from_chars(strLine.data(), strLine.data() + nTab, x).ec, std::errc()) << strLine;
        ASSERT_EQ(std::from_chars(strLine.data() + nTab + 1, strLine.data() + strLine.size(), y).ec, std::errc());
        ASSERT_LT(nLine, CURVE_SAMPLES);
        EXPECT_EQ(y, Slot(0).samples[std::size_t(nLine)]) << "line " << nLine;
        EXPECT_GT(x, dPrevious) << "line " << nLine;
        dPrevious = x;
        ++nLine;
    }
    EXPECT_EQ(nLine, CURVE_SAMPLES);
    EXPECT_EQ(strText.substr(0, 4), "0\t0\n");
    EXPECT_EQ(dPrevious, 360.0);
}
} // namespace
