// The start's time to its first window when the kept console holds ten curves of about 2,000
// characters each (as long as a console line lets a person type them): the main window is built
// over that data folder, shown, and painted once. Restored curves must not hold this up.
#include "core/eval/RandomGenerator.h"
#include "ui/app/CalcDlg.h"
#include "ui/app/QtSettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace
{
constexpr int CURVES = 10;

std::string LongCurve(int nSlot)
{
    std::string strCurve = std::to_string(nSlot) + "+";
    while (strCurve.size() < 1980)
        strCurve += "sin(x)*cos(x)+";
    return strCurve + "x";
}

QByteArray KeptFile()
{
    std::string strFile = "pelmorix-console 1\ngraph 0 360 0\n";
    for (int nSlot = 0; nSlot < CURVES; ++nSlot)
        strFile += "curve " + std::to_string(nSlot) + " shown " + LongCurve(nSlot) + "\n";
    strFile += "|fx 0,360,sin(x)\n|\nend\n";
    return QByteArray::fromStdString(strFile);
}

// Notes the first paint of the window it watches.
class CPaintWatch : public QObject
{
public:
    bool m_bPainted = false;

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override
    {
        m_bPainted = m_bPainted || pEvent->type() == QEvent::Paint;
        return QObject::eventFilter(pObject, pEvent);
    }
};

void BM_StartToFirstWindowWithTenLongCurves(benchmark::State& state)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("data"));
    QFile file(dir.filePath("data/console.txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(KeptFile()) < 0) {
        state.SkipWithError("the kept console cannot be written");
        return;
    }
    file.close();
    CRandomGenerator random;
    for (auto _ : state) {
        CQtSettingsStore store(dir.path());
        const auto start = std::chrono::steady_clock::now();
        CCalcDlg dlg(random, store, dir.filePath("data"));
        CPaintWatch watch;
        dlg.installEventFilter(&watch);
        dlg.show();
        while (!watch.m_bPainted)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        dlg.removeEventFilter(&watch);
    }
}
BENCHMARK(BM_StartToFirstWindowWithTenLongCurves)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
} // namespace
