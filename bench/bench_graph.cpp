#include "core/eval/RandomGenerator.h"
#include "core/graph/CurveTable.h"
#include "core/graph/GraphLayout.h"
#include "core/graph/ViewSampler.h"

#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>

namespace
{
constexpr const char* CURVE = "sin(x)*cos(2*x)+sqr(abs(x))/7";

// What follows "fxN" on a console line of nLineLength characters: a blank, then x inside
// nLevels parentheses, then "+x" as often as fits.
std::string DeepCurve(int nLevels, std::size_t nLineLength)
{
    std::string strCurve(" ");
    strCurve.append(std::size_t(nLevels), '(').append("x").append(std::size_t(nLevels), ')');
    while (strCurve.size() + 3 + 2 <= nLineLength)
        strCurve += "+x";
    return strCurve;
}

// Ten shown curves of the typical form, one per slot, over [0, 360].
std::unique_ptr<CCurveTable> TenCurves(const ILanguageSource& language, CRandomGenerator& random,
                                       const AngleUnit& angle)
{
    auto pTable = std::make_unique<CCurveTable>(language, random, angle);
    pTable->PlotCurve(std::string("0,360,") + CURVE, 0, true);
    for (int i = 1; i < CCurveTable::SLOT_COUNT; ++i)
        pTable->PlotCurve(" " + std::to_string(i) + "+" + CURVE, i, true);
    return pTable;
}

// Ten curves of moderate cost, as people plot them: one call or two and an operator.
constexpr std::array<const char*, CCurveTable::SLOT_COUNT> MODERATE_CURVES = {
    "sin(x)*x",  "pow(x,2)",   "ln(x)",     "cos(x)+x/10", "sqr(x)",
    "exp(x/50)", "x*x*x/1000", "tan(x)/10", "abs(sin(x))", "atan(x)"};

std::unique_ptr<CCurveTable> TenModerateCurves(const ILanguageSource& language,
                                               CRandomGenerator& random, const AngleUnit& angle)
{
    auto pTable = std::make_unique<CCurveTable>(language, random, angle);
    pTable->PlotCurve(std::string("1,100,") + MODERATE_CURVES[0], 0, true);
    for (int i = 1; i < CCurveTable::SLOT_COUNT; ++i)
        pTable->PlotCurve(std::string(" ") + MODERATE_CURVES[std::size_t(i)], i, true);
    return pTable;
}

// Today's only way to look closer: "fx a,b,F(x)" with a new interval re-samples the ten curves
// on the calling thread.
void BM_IntervalChangeTenModerateCurves(benchmark::State& state)
{
    const FixedLanguage language(Language::English);
    CRandomGenerator random;
    const AngleUnit angle;
    const auto pTable = TenModerateCurves(language, random, angle);
    bool bWide = false;
    for (auto _ : state) {
        bWide = !bWide;
        pTable->PlotCurve(std::string(bWide ? "1,80," : "1,100,") + MODERATE_CURVES[0], 0, true);
    }
}

// One wheel step away from home: the ten curves sampled over the new view on as many threads as
// the argument says, then the scene of a plot 400 pixels wide made from them.
void BM_WheelStepTenModerateCurves(benchmark::State& state)
{
    const FixedLanguage language(Language::English);
    CRandomGenerator random;
    const AngleUnit angle;
    const auto pTable = TenModerateCurves(language, random, angle);
    const std::atomic<bool> cancel{false};
    ViewedCurves viewed{GraphView::Home(*pTable), nullptr};
    // In first, then out again: the view stays where every curve is defined.
    bool bIn = false;
    for (auto _ : state) {
        bIn = !bIn;
        const double k = bIn ? 0.8 : 1.25;
        viewed.view = viewed.view.Zoomed(30.0, 0.0, k, k);
        CViewSampler sampler(*pTable, viewed.view.x0, viewed.view.x1, int(state.range(0)));
        viewed.pSamples = std::make_shared<const ViewSamples>(*sampler.Run(cancel));
        benchmark::DoNotOptimize(CGraphLayout(*pTable, 498, 424, {}, &viewed).Scene());
    }
}

// What a view change costs the window before the new samples arrive: the sampler's copy of the
// table, and a scene drawn from the last view's samples placed in the new view.
void BM_ViewChangeBeforeSampling(benchmark::State& state)
{
    const FixedLanguage language(Language::English);
    CRandomGenerator random;
    const AngleUnit angle;
    const auto pTable = TenModerateCurves(language, random, angle);
    ViewedCurves viewed{GraphView::Home(*pTable), nullptr};
    const std::atomic<bool> cancel{false};
    viewed.pSamples = std::make_shared<const ViewSamples>(
        *CViewSampler(*pTable, viewed.view.x0, viewed.view.x1).Run(cancel));
    // In first, then out again: the view stays where every curve is defined.
    bool bIn = false;
    for (auto _ : state) {
        bIn = !bIn;
        const double k = bIn ? 0.8 : 1.25;
        viewed.view = viewed.view.Zoomed(30.0, 0.0, k, k);
        const CViewSampler sampler(*pTable, viewed.view.x0, viewed.view.x1);
        benchmark::DoNotOptimize(&sampler);
        benchmark::DoNotOptimize(CGraphLayout(*pTable, 498, 424, {}, &viewed).Scene());
    }
}

// A new interval re-samples every defined slot: 10 curves of 10002 evaluations each.
void BM_IntervalChangeResamplesTenCurves(benchmark::State& state)
{
    const FixedLanguage language(Language::English);
    CRandomGenerator random;
    const AngleUnit angle;
    const auto pTable = TenCurves(language, random, angle);
    const std::string strWide = std::string("0,361,") + CURVE;
    const std::string strNarrow = std::string("0,360,") + CURVE;
    bool bWide = false;
    for (auto _ : state) {
        bWide = !bWide;
        pTable->PlotCurve(bWide ? strWide : strNarrow, 0, true);
    }
    state.SetItemsProcessed(state.iterations() * CCurveTable::SLOT_COUNT * (CURVE_SAMPLES + 2));
}

// Defines strCurve in slot 1 of an otherwise empty table, over and over.
void DefineRepeatedly(benchmark::State& state, const std::string& strCurve)
{
    const FixedLanguage language(Language::English);
    CRandomGenerator random;
    const AngleUnit angle;
    CCurveTable table(language, random, angle);
    for (auto _ : state)
        table.PlotCurve(strCurve, 1, true);
    state.SetItemsProcessed(state.iterations() * (CURVE_SAMPLES + 2));
}

void BM_DefineOneCurve(benchmark::State& state)
{
    DefineRepeatedly(state, std::string(" ") + CURVE);
}

// The longest console line nests 1,000 parentheses: "fx1 " and a curve of 2,043 characters.
void BM_DefineDeepCurve(benchmark::State& state) { DefineRepeatedly(state, DeepCurve(1000, 2047)); }

// A nesting that the peeling of whole-expression parentheses does not shorten: 510 sums, each
// inside the next, on a console line of 2,047 characters.
void BM_DefineNestedSumsCurve(benchmark::State& state)
{
    std::string strCurve(" ");
    for (int i = 0; i < 510; ++i)
        strCurve += "(x+";
    strCurve.append("x").append(510, ')');
    DefineRepeatedly(state, strCurve);
}

// "fx 0,2,x" after nine curves of 500 levels re-samples all nine.
void BM_IntervalChangeResamplesNineDeepCurves(benchmark::State& state)
{
    const FixedLanguage language(Language::English);
    CRandomGenerator random;
    const AngleUnit angle;
    CCurveTable table(language, random, angle);
    table.PlotCurve("0,1,x", 0, true);
    for (int i = 1; i < CCurveTable::SLOT_COUNT; ++i)
        table.PlotCurve(DeepCurve(500, 1004), i, true);
    bool bWide = false;
    for (auto _ : state) {
        bWide = !bWide;
        table.PlotCurve(bWide ? "0,2,x" : "0,1,x", 0, true);
    }
    state.SetItemsProcessed(state.iterations() * CCurveTable::SLOT_COUNT * (CURVE_SAMPLES + 2));
}

// What one repaint computes for ten shown curves at a given plot width.
void BM_SceneOfTenCurves(benchmark::State& state)
{
    const FixedLanguage language(Language::English);
    CRandomGenerator random;
    const AngleUnit angle;
    const auto pTable = TenCurves(language, random, angle);
    const int nRight = int(state.range(0)) + 68 + 30;
    for (auto _ : state)
        benchmark::DoNotOptimize(CGraphLayout(*pTable, nRight, 424).Scene());
}
} // namespace

BENCHMARK(BM_IntervalChangeResamplesTenCurves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefineOneCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefineDeepCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefineNestedSumsCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IntervalChangeResamplesNineDeepCurves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IntervalChangeTenModerateCurves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WheelStepTenModerateCurves)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ViewChangeBeforeSampling)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SceneOfTenCurves)->Arg(400)->Arg(1900)->Unit(benchmark::kMicrosecond);
