// How long a long calculation takes to end after its flag is raised: pi to 10^7 digits, stopped
// at several points of its run, with one thread and with all of them.
#include "core/bignum/LongControl.h"
#include "core/bignum/LongPool.h"
#include "core/bignum/LongSeries.h"

#include <chrono>
#include <cstdio>
#include <future>
#include <thread>

namespace
{
using Clock = std::chrono::steady_clock;

// Milliseconds from raising the flag to the end of the computation; -1 when it finished first.
double StopAfter(int nDigits, double dDelaySeconds)
{
    CLongControl control;
    auto ended = std::async(std::launch::async, [&] {
        try {
            const CLongControl::Scope scope(&control);
            ComputePi(nDigits);
            return false;
        } catch (const LongCancelled&) {
            return true;
        }
    });
    if (ended.wait_for(std::chrono::duration<double>(dDelaySeconds)) == std::future_status::ready)
        return -1;
    Clock::time_point raised = Clock::now();
    control.Cancel();
    bool bCancelled = ended.get();
    double dMs = std::chrono::duration<double, std::milli>(Clock::now() - raised).count();
    return bCancelled ? dMs : -1;
}
} // namespace

int main()
{
    const int nDigits = 10'000'000;
    const unsigned nAll = std::max(1u, std::thread::hardware_concurrency());
    std::printf("Stop of pi to %d digits: milliseconds from the flag to the end\n", nDigits);
    std::printf("%-14s %12s %12s\n", "flag after", "1 thread", "all threads");
    for (double dDelay : {0.5, 2.0, 4.0, 6.0, 8.0}) {
        double dMs[2];
        for (int i = 0; i < 2; ++i) {
            CLongPool::SetThreadCount(i == 0 ? 1 : nAll);
            dMs[i] = StopAfter(nDigits, dDelay);
        }
        char text[2][32];
        for (int i = 0; i < 2; ++i)
            std::snprintf(text[i], sizeof text[i], dMs[i] < 0 ? "finished" : "%.0f", dMs[i]);
        std::printf("%-14.1f %12s %12s\n", dDelay, text[0], text[1]);
    }
    return 0;
}
