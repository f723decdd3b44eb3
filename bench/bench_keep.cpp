// The kept console's cost on the GUI thread: each write after an Enter run captures the console
// and formats it, and each start reads it back. Measured on a full console: 10,000 lines of 80
// characters, 100 variables and ten curves.
#include "core/keep/ConsoleFormat.h"

#include "core/eval/RandomGenerator.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
KeptConsole FullConsole()
{
    KeptConsole kept;
    kept.lines.clear();
    for (int i = 0; i < int(KeptConsole::MAX_LINES); ++i)
        kept.lines.push_back("x" + std::to_string(i) + "=" + std::string(70, '7') + "/3.25");
    for (int i = 0; i < 100; ++i)
        kept.variables["v" + std::to_string(i)] = CalcValue(i / 7.0, -i / 3.0);
    kept.dB = 360;
    for (int nSlot = 0; nSlot < 10; ++nSlot)
        kept.curves.push_back({nSlot, true, "sin(x)*" + std::to_string(nSlot)});
    return kept;
}

void BM_WriteFullConsole(benchmark::State& state)
{
    const KeptConsole kept = FullConsole();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteKeptConsole(kept));
    state.SetBytesProcessed(std::int64_t(state.iterations()) *
                            std::int64_t(WriteKeptConsole(kept).size()));
}
BENCHMARK(BM_WriteFullConsole)->Unit(benchmark::kMillisecond);

void BM_ReadFullConsole(benchmark::State& state)
{
    const std::string strFile = WriteKeptConsole(FullConsole());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadKeptConsole(strFile));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(strFile.size()));
}
BENCHMARK(BM_ReadFullConsole)->Unit(benchmark::kMillisecond);

// Capturing takes the variables and curves from live evaluators, with curves of 10000 samples.
void BM_CaptureAndWrite(benchmark::State& state)
{
    const FixedLanguage language(Language::English);
    CRandomGenerator random;
    const AngleUnit angle;
    CEvalContext eval(language, random, angle);
    CCurveTable curves(language, random, angle);
    const KeptConsole full = FullConsole();
    eval.RestoreVariables(full.variables);
    curves.RestoreCurves(0, 360, 0, full.curves);
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteKeptConsole(CaptureConsole(full.lines, eval, curves)));
}
BENCHMARK(BM_CaptureAndWrite)->Unit(benchmark::kMillisecond);
} // namespace
