#include "core/graph/CurveTable.h"

#include "core/eval/CalcError.h"
#include "core/eval/RandomGenerator.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>

namespace
{
constexpr int LAST = CURVE_SAMPLES - 1;
constexpr double INF = std::numeric_limits<double>::infinity();

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
    const std::string& Label(CCurveTable::Label nLabel) const { return table.LabelText(nLabel); }

    FixedLanguage language{Language::English};
    CRandomGenerator random;
    AngleUnit angle;
    CCurveTable table{language, random, angle};
};

TEST_F(CurveTableTest, SineSwingsFromMinusOneToOneWithRoundLabelsInEitherAngleUnit)
{
    const struct
    {
        bool bDegrees;
        const char* pszText;
        const char* pszCentre;
        const char* pszRight;
    } cases[] = {
        {true, "0,360,sin(x)", "   180", "   360"},
        {false, "0,2*pi,sin(x)", "  3.14", "  6.28"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszText);
        angle.m_bDegrees = c.bDegrees;
        ASSERT_EQ(Plot(c.pszText), "");
        const CurveSlot& slot = Slot(0);
        EXPECT_EQ(slot.state, CurveState::Valid);
        EXPECT_TRUE(slot.shown);
        EXPECT_EQ(slot.legend, "y = sin(x)  ");
        EXPECT_NEAR(slot.yMax, 1.0, 1e-6);
        EXPECT_NEAR(slot.yMin, -1.0, 1e-6);
        EXPECT_NEAR(slot.samples[LAST / 4], 1.0, 1e-6);
        EXPECT_NEAR(slot.samples[LAST], 0.0, 1e-12);
        EXPECT_EQ(Label(CCurveTable::LABEL_TOP), "     1");
        EXPECT_EQ(Label(CCurveTable::LABEL_MIDDLE), "     0");
        EXPECT_EQ(Label(CCurveTable::LABEL_BOTTOM), "    -1");
        EXPECT_EQ(Label(CCurveTable::LABEL_LEFT), "     0");
        EXPECT_EQ(Label(CCurveTable::LABEL_CENTRE), c.pszCentre);
        EXPECT_EQ(Label(CCurveTable::LABEL_RIGHT), c.pszRight);
    }
}

// The abscissas of "x" itself: repeated addition from a, anything reaching b pulled back to
// b / 1.00000000000001, and the last sample taken at b exactly.
TEST_F(CurveTableTest, SamplesFollowTheAccumulatedAbscissa)
{
    const struct
    {
        const char* pszText;
        double a, b;
    } cases[] = {
        {"0,1,x", 0, 1},
        {"0,360,x", 0, 360},
        {"-1,1,x", -1, 1},
        {"2,1,x", 2, 1},
        {"0.1,0.7,x", 0.1, 0.7},
        {"-3,-2,x", -3, -2},
        {"1e-300,3e-300,x", 1e-300, 3e-300},
        {"1,1,x", 1, 1},
        {"0,9999,x", 0, 9999},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszText);
        ASSERT_EQ(Plot(c.pszText), "");
        const double step = (c.b - c.a) / 9999;
        double x = c.a;
        for (int i = 0; i < LAST; ++i, x += step) {
            if (x >= c.b)
                x = c.b / 1.00000000000001;
            ASSERT_EQ(Slot(0).samples[std::size_t(i)], x) << "sample " << i;
        }
        EXPECT_EQ(Slot(0).samples[LAST], c.b);
    }
}

TEST_F(CurveTableTest, OnlyTwoCommasOutsideParenthesesSeparateTheInterval)
{
    const struct
    {
        const char* pszText;
        const char* pszError;
        double a, b, yMax;
    } cases[] = {
        {"0, 2, pow(x,2)", "", 0, 2, 4},
        {" 0 ,\t2 ,\r\n x * 3 ", "", 0, 2, 6},
        {"0,pow(2,3),x", "", 0, 8, 8},
        {"(1+1),(3),x", "", 2, 3, 3},
        {"0,1", "missing ','", 2, 3, 0},
        {"sin(x)", "missing ','", 2, 3, 0},
        {"pow(0,1),x", "missing ','", 2, 3, 0},
        {"(0,1,x", "missing ','", 2, 3, 0},
        {"", "missing ','", 2, 3, 0},
        {"5,1/0,x", "divisor can not be zero", 5, 3, 0}, // a keeps its new value
        {"0,a,x", "syntax Error", 0, 3, 0},              // console names are unknown here
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszText);
        EXPECT_EQ(Plot(c.pszText), c.pszError);
        EXPECT_EQ(table.A(), c.a);
        EXPECT_EQ(table.B(), c.b);
        if (*c.pszError == '\0') {
            EXPECT_DOUBLE_EQ(Slot(0).yMax, c.yMax);
        }
    }
    language.Set(Language::Chinese);
    EXPECT_EQ(Plot("0,1"), "丢失','");
}

TEST_F(CurveTableTest, NumberedCurveBeforeAnyIntervalIsFlatAtZero)
{
    ASSERT_EQ(Plot(" x*x+3", 3), "");
    for (int i : {0, 5000, LAST})
        EXPECT_EQ(Slot(3).samples[std::size_t(i)], 3.0);
    EXPECT_EQ(Slot(3).yMax, 3.0);
    EXPECT_EQ(Slot(3).yMin, 3.0);
    EXPECT_EQ(Label(CCurveTable::LABEL_RIGHT), "     0");
}

TEST_F(CurveTableTest, NewIntervalResamplesDefinedNumberedCurvesAndSameIntervalDoesNot)
{
    ASSERT_EQ(Plot("0,1,x"), "");
    ASSERT_EQ(Plot(" 1/(x-2)", 1), "");
    ASSERT_EQ(Plot(" x*3", 2), "");

    // Over [0, 2] slot 1 meets x = 2; its error is swallowed, slot 2 follows the interval.
    ASSERT_EQ(Plot("0,2,x"), "");
    EXPECT_EQ(Slot(1).state, CurveState::Failed);
    EXPECT_EQ(Slot(2).samples[LAST], 6.0);
    EXPECT_EQ(Slot(3).state, CurveState::Empty);

    // The same interval samples slot 0 only: slot 1 stays failed.
    ASSERT_EQ(Plot("0,2,x*2"), "");
    EXPECT_EQ(Slot(1).state, CurveState::Failed);

    // A failed slot keeps its text and comes back when an interval suits it.
    ASSERT_EQ(Plot("0,1,x"), "");
    EXPECT_EQ(Slot(1).state, CurveState::Valid);
    EXPECT_EQ(Slot(1).samples[LAST], -1.0);
}

// The longest console line nests 1,000 parentheses; its samples are those of the plain curve,
// and so are those of every numbered curve sampled again for a new interval.
TEST_F(CurveTableTest, ThousandLevelCurveSamplesAsItsPlainForm)
{
    const std::string strDeep = std::string(1000, '(') + "x" + std::string(1000, ')');
    const std::string strDeepNegated = [] {
        std::string s;
        for (int i = 0; i < 200; ++i)
            s += "-(";
        return s + "x" + std::string(200, ')');
    }();
    ASSERT_EQ(Plot("0,3,x"), "");
    ASSERT_EQ(Plot(" " + strDeep + "*2-x/3", 1), "");
    ASSERT_EQ(Plot(" " + strDeepNegated, 2), "");
    ASSERT_EQ(Plot(" x*2-x/3", 3), "");
    ASSERT_EQ(Plot(std::string("-1,2,") + strDeep), "");
    for (std::size_t i = 0; i < CURVE_SAMPLES; ++i) {
        ASSERT_EQ(Slot(1).samples[i], Slot(3).samples[i]) << i;
        ASSERT_EQ(Slot(2).samples[i], Slot(0).samples[i]) << i;
    }
    EXPECT_EQ(Slot(0).samples[LAST], 2.0);
    EXPECT_EQ(Plot(" " + strDeep.substr(1), 4), "syntax Error");
    EXPECT_EQ(Plot(" " + strDeep.substr(0, 1999), 4), "missing ')'");
}

// A table with fewer samples per curve (the fuzzer's) keeps the same rules: accumulated
// abscissas, the last one exactly b.
TEST(CurveTableSamples, FewerSamplesFollowTheSameAbscissas)
{
    const FixedLanguage language(Language::English);
    CRandomGenerator random;
    const AngleUnit angle;
    CCurveTable table(language, random, angle, 5);
    ASSERT_NO_THROW(table.PlotCurve("0,4,x*x", 0, true));
    const std::vector<double> expected = {0, 1, 4, 9, 16};
    EXPECT_EQ(table.Slot(0).samples, expected);
    EXPECT_EQ(table.SamplesText(0), "0\t0\n1\t1\n2\t4\n3\t9\n4\t16\n");
    EXPECT_EQ(CCurveTable(language, random, angle, 0).Slot(3).samples.size(), 2u);
}

TEST_F(CurveTableTest, CurveVariableXIsRestoredAfterSuccessAndKeepsTheFailingAbscissa)
{
    table.Evaluator().Variable("x") = CalcValue(7.5);
    ASSERT_EQ(Plot("0,1,x*10"), "");
    ASSERT_EQ(Plot(" x", 4), "");
    EXPECT_EQ(X(), 7.5);

    // Slot 4 is sampled over the new interval, then slot 0 fails at a itself.
    EXPECT_EQ(Plot("1,2,1/(x-1)"), "divisor can not be zero");
    EXPECT_EQ(X(), 1.0);
    EXPECT_EQ(Slot(0).state, CurveState::Failed);
    EXPECT_EQ(Slot(0).expression, "1/(x-1)");
    EXPECT_EQ(Slot(4).samples[LAST], 2.0);
    // The failed plot leaves the range and labels as they were.
    EXPECT_EQ(table.Ymax(), 10.0);
    EXPECT_EQ(Label(CCurveTable::LABEL_TOP), "    10");

    // A complex value anywhere fails the whole curve, at the point where it appears.
    EXPECT_EQ(Plot(" sqr(x-1.5)", 5), "Complex value");
    EXPECT_EQ(X(), 1.0);
    EXPECT_EQ(Slot(5).state, CurveState::Failed);
    // The failed slot 0 keeps its shown flag but is not counted.
    EXPECT_TRUE(Slot(0).shown);
    ASSERT_EQ(Plot(" x*4", 1), "");
    EXPECT_EQ(table.Ymax(), 8.0);
}

TEST_F(CurveTableTest, LiveRunRefreshesOnlyShownCurvesAndLeavesTheAxes)
{
    ASSERT_EQ(Plot("0,1,x"), "");
    ASSERT_EQ(Plot(" x*2", 2, false), "");
    EXPECT_EQ(Slot(2).state, CurveState::Empty);

    ASSERT_EQ(Plot(" x*2", 2, true), "");
    ASSERT_EQ(Plot(" x*5", 2, false), "");
    EXPECT_EQ(Slot(2).yMax, 5.0);
    EXPECT_EQ(Label(CCurveTable::LABEL_TOP), "     2");
    table.UpdateAxes();
    EXPECT_EQ(Label(CCurveTable::LABEL_TOP), "     5");

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
    EXPECT_EQ(Label(CCurveTable::LABEL_MIDDLE), "   0.5");

    for (int nSlot : {0, 1}) {
        table.ToggleCurve(nSlot);
        table.UpdateAxes();
        EXPECT_EQ(table.Ymax(), 0.0);
        EXPECT_EQ(table.Ymin(), -2.0);
    }
    // Slots that are not valid can neither be toggled nor selected.
    table.ToggleCurve(7);
    EXPECT_FALSE(Slot(7).shown);
    EXPECT_FALSE(table.SelectCurve(7));
    EXPECT_TRUE(table.SelectCurve(1));
    EXPECT_EQ(table.Selected(), 1);
    EXPECT_TRUE(Slot(1).shown);
}

// The middle label halves the rounded top and bottom texts, not Ymax and Ymin.
TEST_F(CurveTableTest, MiddleLabelComesFromTheRoundedLabels)
{
    ASSERT_EQ(Plot("0,1,x*1.2345"), "");
    EXPECT_EQ(Label(CCurveTable::LABEL_TOP), "  1.23");
    EXPECT_EQ(Label(CCurveTable::LABEL_MIDDLE), " 0.615");
    ASSERT_EQ(Plot("0,1,exp(1000*x)"), "");
    EXPECT_EQ(Label(CCurveTable::LABEL_TOP), "1.#INF");
    EXPECT_EQ(Label(CCurveTable::LABEL_MIDDLE), "     1");
}

TEST_F(CurveTableTest, ClearEmptiesSlotsAndLabelsButKeepsIntervalRangeAndSelection)
{
    ASSERT_EQ(Plot("2,4,x"), "");
    ASSERT_EQ(Plot(" x", 1), "");
    ASSERT_TRUE(table.SelectCurve(1));
    table.ClearCurves();
    for (int i = 0; i < CCurveTable::SLOT_COUNT; ++i) {
        EXPECT_EQ(Slot(i).state, CurveState::Empty) << i;
        EXPECT_FALSE(Slot(i).shown) << i;
        EXPECT_EQ(Slot(i).legend, "") << i;
    }
    for (int n = 0; n < CCurveTable::LABEL_COUNT; ++n)
        EXPECT_EQ(Label(CCurveTable::Label(n)), "") << n;
    EXPECT_EQ(table.Ymax(), 4.0);
    EXPECT_EQ(table.Selected(), 1);
    ASSERT_EQ(Plot(" x*x", 5), "");
    EXPECT_EQ(Slot(5).samples[LAST], 16.0);
}

// "%6.3g" with the three-digit exponent of the console's numbers.
TEST(FormatAxisLabel, ThreeDigitsRightAlignedInSix)
{
    const struct
    {
        double d;
        const char* pszText;
    } cases[] = {
        {1, "     1"},          {-1, "    -1"},           {-0.0, "    -0"},
        {0.615, " 0.615"},      {-0.001234, "-0.00123"},  {1234, "1.23e+003"},
        {99999, "1e+005"},      {-1.23e10, "-1.23e+010"}, {1e-5, "1e-005"},
        {2.5e-300, "2.5e-300"}, {INF, "1.#INF"},          {-INF, "-1.#INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatAxisLabel(c.d), c.pszText) << c.pszText;
}

TEST_F(CurveTableTest, SamplesTextListsEveryAbscissaWithItsSample)
{
    ASSERT_EQ(Plot("0,360,sin(x)"), "");
    ASSERT_EQ(Plot(" 1/(x-360)", 1), "divisor can not be zero");
    EXPECT_EQ(table.SamplesText(1), "");
    EXPECT_EQ(table.SamplesText(2), "");

    std::istringstream lines(table.SamplesText(0));
    std::string strLine;
    int nLine = 0;
    double dPrevious = -1;
    for (; std::getline(lines, strLine); ++nLine) {
        const std::size_t nTab = strLine.find('\t');
        double x = 0;
        double y = 0;
        ASSERT_EQ(std::from_chars(strLine.data(), strLine.data() + nTab, x).ec, std::errc())
            << strLine;
        ASSERT_EQ(std::from_chars(strLine.data() + nTab + 1, strLine.data() + strLine.size(), y).ec,
                  std::errc());
        ASSERT_LT(nLine, CURVE_SAMPLES);
        EXPECT_EQ(y, Slot(0).samples[std::size_t(nLine)]) << "line " << nLine;
        EXPECT_GT(x, dPrevious) << "line " << nLine;
        dPrevious = x;
    }
    EXPECT_EQ(nLine, CURVE_SAMPLES);
    EXPECT_EQ(dPrevious, 360.0);
}
} // namespace
