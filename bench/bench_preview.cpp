// The value shown while a line is typed is evaluated on every key, on a copy of the console's
// context: its cost for an expression of about 2,000 characters, with state.range(0) variables
// to copy.
#include "core/console/LineDispatcher.h"
#include "core/console/TextConsole.h"
#include "core/eval/EvalContext.h"
#include "core/eval/RandomGenerator.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
void BM_PreviewOfLongExpression(benchmark::State& state)
{
    FixedLanguage language(Language::English);
    CRandomGenerator random;
    AngleUnit angle;
    CEvalContext eval(language, random, angle);
    CTextConsole console;
    CLineDispatcher dispatcher(eval, console, language);
    for (int i = 0; i < state.range(0); ++i)
        eval.EvaluateLine("v" + std::to_string(i) + "=" + std::to_string(i));
    std::string strLine;
    while (strLine.size() < 1990)
        strLine += "sin(v1+2)*pow(3,2)-";
    strLine += "rnd(1)";
    for (auto _ : state)
        benchmark::DoNotOptimize(dispatcher.PreviewLine(strLine));
    state.counters["chars"] = double(strLine.size());
}
} // namespace

BENCHMARK(BM_PreviewOfLongExpression)
    ->Unit(benchmark::kMicrosecond)
    ->Arg(0)
    ->Arg(100)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
