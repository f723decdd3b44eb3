#include "core/graph/CurveSampling.h"

#include "core/eval/CalcError.h"
#include "core/eval/RandomGenerator.h"
#include "core/graph/CurveTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{
// Sampled a slice at a time, a curve has the samples, range and random draws of one sampled at
// once, whatever the interval and however the slices fall; x is the user's between the slices.
TEST(CurveSampling, SlicesGiveWhatOneSamplingGives)
{
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        const char* pszCurve;
        double a;
        double b;
    } curves[] = {
        {"sin(x)", 0, 360}, {"x*x-3", -2.5, 7.25},  {"x", 5, 1},
        {"x/3", 0, 0},      {"rnd(x)+x", 0.1, 0.3}, {"sqrn(x,3)", -1, NaN},
    };
    const FixedLanguage language(Language::English);
    const AngleUnit angle;
    for (const auto& c : curves) {
        for (const int nSlice : {1, 7, 5000, 20000}) {
            SCOPED_TRACE(std::string(c.pszCurve) + " slice " + std::to_string(nSlice));
            CRandomGenerator randomAtOnce;
            CRandomGenerator randomInSlices;
            CCurveTable atOnce(language, randomAtOnce, angle, 2000);
            CCurveTable inSlices(language, randomInSlices, angle, 2000);
            const std::vector<CurveDefinition> definition = {{3, true, c.pszCurve}};
            atOnce.RestoreCurves(c.a, c.b, 3, definition);
            std::vector<CCurveSampling> samplings =
                inSlices.RestoreDefinitions(c.a, c.b, 3, definition);
            ASSERT_EQ(samplings.size(), 1u);
            EXPECT_EQ(inSlices.Slot(3).state, CurveState::Failed);
            CEvalContext& eval = inSlices.Evaluator();
            int nSlices = 0;
            for (bool bDone = false; !bDone; ++nSlices) {
                eval.Variable("x") = CalcValue(nSlices, 0);
                int nLeft = nSlice;
                bDone = samplings[0].Advance(eval, [&] { return --nLeft == 0; });
                EXPECT_EQ(eval.Variable("x"), CalcValue(nSlices, 0));
            }
            EXPECT_EQ(nSlices, (2000 + 2 + nSlice - 1) / nSlice);
            ASSERT_TRUE(inSlices.FinishSampling(samplings[0]));
            const CurveSlot& want = atOnce.Slot(3);
            const CurveSlot& got = inSlices.Slot(3);
            EXPECT_EQ(got.state, CurveState::Valid);
            ASSERT_EQ(got.samples.size(), want.samples.size());
            for (std::size_t i = 0; i < got.samples.size(); ++i)
                ASSERT_TRUE(got.samples[i] == want.samples[i] ||
                            (std::isnan(got.samples[i]) && std::isnan(want.samples[i])))
                    << "sample " << i << ": " << got.samples[i] << " " << want.samples[i];
            EXPECT_EQ(got.legend, want.legend);
            EXPECT_EQ(got.shown, want.shown);
            EXPECT_EQ(inSlices.LabelText(CCurveTable::LABEL_TOP),
                      atOnce.LabelText(CCurveTable::LABEL_TOP));
            EXPECT_EQ(inSlices.LabelText(CCurveTable::LABEL_BOTTOM),
                      atOnce.LabelText(CCurveTable::LABEL_BOTTOM));
            EXPECT_EQ(randomInSlices.RandomNext(), randomAtOnce.RandomNext());
        }
    }
}

// A sampling whose slot was defined again, cleared or sampled over a new interval is no longer
// awaited and changes nothing; one that fails leaves its slot failed.
TEST(CurveSampling, SupersededOrFailingSamplingChangesNothing)
{
    const FixedLanguage language(Language::English);
    CRandomGenerator random;
    const AngleUnit angle;
    const struct
    {
        const char* pszChange;
        int nSlot;
        bool bAwaited;
    } changes[] = {
        {"", 2, true},          {"fx2 x+1", 2, false}, {"fx2 x", 2, false}, {"fx1 x", 2, true},
        {"fx 0,1,x", 2, false}, {"fx 0,9,x", 2, true}, {"fxcls", 2, false},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.pszChange);
        CCurveTable table(language, random, angle, 50);
        std::vector<CCurveSampling> samplings =
            table.RestoreDefinitions(0, 9, 2, {{2, true, "x"}, {4, false, "sqr(x-5)"}});
        const std::string strChange = c.pszChange;
        if (strChange == "fxcls")
            table.ClearCurves();
        else if (strChange.starts_with("fx "))
            table.PlotCurve(strChange.substr(3), 0, true);
        else if (!strChange.empty())
            table.PlotCurve(strChange.substr(3), strChange[2] - '0', true);
        EXPECT_EQ(samplings[0].IsAwaitedBy(table), c.bAwaited);
        const CurveSlot before = table.Slot(2);
        EXPECT_TRUE(samplings[0].Advance(table.Evaluator(), {}));
        EXPECT_EQ(table.FinishSampling(samplings[0]), c.bAwaited);
        if (!c.bAwaited) {
            EXPECT_EQ(table.Slot(2).state, before.state);
            EXPECT_EQ(table.Slot(2).samples, before.samples);
        }
        EXPECT_THROW(samplings[1].Advance(table.Evaluator(), {}), CalcError);
        EXPECT_FALSE(table.FinishSampling(samplings[1]));
        EXPECT_NE(table.Slot(4).state, CurveState::Valid);
    }
}
} // namespace
