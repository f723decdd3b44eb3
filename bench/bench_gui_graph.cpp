#include "core/eval/RandomGenerator.h"
#include "ui/graph/GraphDlg.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>

namespace
{
constexpr const char* MODERATE_CURVES[] = {"sin(x)*x",    "pow(x,2)",  "ln(x)",      "cos(x)+x/10",
                                           "sqr(x)",      "exp(x/50)", "x*x*x/1000", "tan(x)/10",
                                           "abs(sin(x))", "atan(x)"};
constexpr int WAIT_MS = 10000;

// The graph window at its first size with ten shown curves of moderate cost over [1, 100].
struct GraphWindow
{
    FixedLanguage language{Language::English};
    CRandomGenerator random;
    AngleUnit angle;
    CGraphDlg dlg{language, random, angle, nullptr};

    GraphWindow()
    {
        dlg.resize(496, 424);
        dlg.show();
        dlg.PlotCurve(std::string("1,100,") + MODERATE_CURVES[0], 0, true);
        for (int i = 1; i < CCurveTable::SLOT_COUNT; ++i)
            dlg.PlotCurve(std::string(" ") + MODERATE_CURVES[i], i, true);
    }

    // One notch in or out about a point left of the middle of the plot, where every curve is
    // defined whichever way the steps go.
    void WheelStep(bool bIn)
    {
        const QPoint pt = dlg.contentsRect().topLeft() + QPoint(150, 200);
        QWheelEvent event(pt, dlg.mapToGlobal(pt), QPoint(), QPoint(0, bIn ? 120 : -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&dlg, &event);
    }
};

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// What the window's thread spends on one wheel step: the event and a repaint with the samples
// it has, while the samplings of earlier steps may still run (and are dropped).
void BM_WheelStepOnTheWindowsThread(benchmark::State& state)
{
    GraphWindow w;
    bool bIn = false;
    double dMax = 0.0;
    for (auto _ : state) {
        bIn = !bIn;
        const Clock::time_point start = Clock::now();
        w.WheelStep(bIn);
        w.dlg.repaint();
        const double dMs = Milliseconds(Clock::now() - start);
        dMax = std::max(dMax, dMs);
        state.SetIterationTime(dMs / 1000);
        QCoreApplication::processEvents();
    }
    state.counters["max_ms"] = dMax;
}

// One wheel step until the ten curves sampled over the new view are painted.
void BM_WheelStepUntilPainted(benchmark::State& state)
{
    GraphWindow w;
    bool bIn = false;
    for (auto _ : state) {
        bIn = !bIn;
        QEventLoop loop;
        QObject::connect(&w.dlg, &CGraphDlg::ViewSampled, &loop, &QEventLoop::quit);
        QTimer::singleShot(WAIT_MS, &loop, &QEventLoop::quit);
        w.WheelStep(bIn);
        loop.exec();
        w.dlg.repaint();
    }
}
} // namespace

BENCHMARK(BM_WheelStepOnTheWindowsThread)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WheelStepUntilPainted)->UseRealTime()->Unit(benchmark::kMillisecond);
