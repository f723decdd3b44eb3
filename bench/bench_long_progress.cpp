// What reporting progress costs a long calculation: pi to 10^6 digits and the product of two
// 10^6-digit integers, each without a control and with one whose progress another thread reads
// four times a second, as the long-number window does.
#include "core/bignum/LongCalculation.h"
#include "core/bignum/LongControl.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>

namespace
{
std::string RandomDigits(size_t n, unsigned nSeed)
{
    std::mt19937 rng(nSeed);
    std::string s(n, '0');
    for (char& ch : s)
        ch = char('0' + rng() % 10);
    s[0] = '9';
    return s;
}

// Runs the calculation under a control read by a polling thread when bControl, else bare.
void Run(benchmark::State& state, LongOperator op, const std::string& strFirst,
         const std::string& strSecond)
{
    const bool bControl = state.range(0) != 0;
    for (auto _ : state) {
        CLongControl control;
        std::mutex mutex;
        std::condition_variable ended;
        bool bEnded = false;
        std::optional<std::thread> poller;
        if (bControl)
            poller.emplace([&] {
                std::unique_lock lock(mutex);
                while (
                    !ended.wait_for(lock, std::chrono::milliseconds(250), [&] { return bEnded; }))
                    benchmark::DoNotOptimize(control.Progress().Fraction());
            });
        {
            const CLongControl::Scope scope(bControl ? &control : nullptr);
            benchmark::DoNotOptimize(CalculateLong(op, strFirst, strSecond, Language::English));
        }
        {
            const std::lock_guard lock(mutex);
            bEnded = true;
        }
        ended.notify_one();
        if (poller)
            poller->join();
    }
    state.SetLabel(bControl ? "with progress" : "without");
}

void BM_Pi1e6(benchmark::State& state) { Run(state, LongOperator::Add, "pi", "1000000"); }

void BM_Product1e6(benchmark::State& state)
{
    static const std::string strA = RandomDigits(1'000'000, 1), strB = RandomDigits(1'000'000, 2);
    Run(state, LongOperator::Mul, strA, strB);
}
} // namespace

// Ten runs of each; --benchmark_enable_random_interleaving=true mixes them, so that a change in
// the machine's load falls on both sides alike.
BENCHMARK(BM_Pi1e6)->ArgsProduct({{0, 1}})->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(BM_Product1e6)->ArgsProduct({{0, 1}})->Unit(benchmark::kMillisecond)->Repetitions(10);
