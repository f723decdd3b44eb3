#include "core/bignum/LongCalculation.h"
#include "core/bignum/LongControl.h"
#include "core/bignum/LongInput.h"
#include "core/bignum/LongProgress.h"
#include "tests/common/LongDigits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr Language EN = Language::English;
constexpr Language ZH = Language::Chinese;

} // namespace

TEST(LongProgress, StepsHoldBackWhatOutrunsThemAndFinishReachesTheWhole)
{
    CLongProgress progress;
    progress.Plan({100, 300, 0});
    EXPECT_EQ(progress.Total(), 401u); // a step without work still takes a unit
    const struct
    {
        const char* pAction;
        size_t nStep; // a step to enter, or SIZE_MAX
        uint64_t nCredit;
        uint64_t nDone;
    } cases[] = {
        {"credits before any step are held", SIZE_MAX, 50, 0},
        {"enter the first step", 0, 0, 0},
        {"credit within it", SIZE_MAX, 60, 60},
        {"credit beyond it stops at its end", SIZE_MAX, 500, 100},
        {"enter the second step", 1, 0, 100},
        {"credit within it", SIZE_MAX, 200, 300},
        {"entering the first step again holds", 0, 0, 300},
        {"and credits there do not move it", SIZE_MAX, 50, 300},
        {"the last step jumps past an underestimate", 2, 0, 400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pAction);
        if (c.nStep != SIZE_MAX)
            progress.BeginStep(c.nStep);
        progress.Add(c.nCredit);
        EXPECT_EQ(progress.Done(), c.nDone);
    }
    progress.Finish();
    EXPECT_EQ(progress.Fraction(), 1.0);

    CLongProgress unplanned;
    unplanned.Finish();
    EXPECT_EQ(unplanned.Fraction(), 1.0);
}

namespace
{
// The distinct shares a thread reading every 0.1 ms sees while the calculation runs, and the
// share at its end.
std::vector<double> SampledProgress(LongOperator op, const std::string& strFirst,
                                    const std::string& strSecond)
{
    CLongControl control;
    std::atomic<bool> bEnded{false};
    std::vector<double> seen;
    std::thread sampler([&] {
        while (!bEnded.load()) {
            const double d = control.Progress().Fraction();
            if (seen.empty() || d != seen.back())
                seen.push_back(d);
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    });
    LongResult r;
    {
        const CLongControl::Scope scope(&control);
        r = CalculateLong(op, strFirst, strSecond, EN);
    }
    bEnded = true;
    sampler.join();
    EXPECT_FALSE(r.strResult.empty());
    seen.push_back(control.Progress().Fraction());
    return seen;
}
} // namespace

// Each calculation is sampled by a thread that reads its progress every 0.1 ms while the pool's
// threads credit it: the share never falls, passes through several values and ends at 1.
TEST(LongProgress, RisesMonotonicallyToTheWholeForEveryKindOfCalculation)
{
    std::mt19937_64 rng(1);
    const std::string strLong = RandomDigits(rng, 400'000);
    const std::string strShort = RandomDigits(rng, 200'000);
    const struct
    {
        const char* pName;
        LongOperator op;
        std::string strFirst;
        std::string strSecond;
    } cases[] = {
        {"pi", LongOperator::Add, "pi", "200000"},
        {"e", LongOperator::Add, "e", "200000"},
        {"factorial", LongOperator::Fac, "200000", ""},
        {"product", LongOperator::Mul, strLong, strLong},
        {"quotient", LongOperator::Div, strLong, strShort},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pName);
        // A loaded machine may leave the sampler asleep through a whole run; the steps need to
        // be seen in one of a few runs, the order in every one.
        long nMostBetween = 0;
        for (int nRun = 0; nRun < 5 && nMostBetween < 5; ++nRun) {
            const std::vector<double> seen = SampledProgress(c.op, c.strFirst, c.strSecond);
            EXPECT_EQ(seen.back(), 1.0);
            EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
            nMostBetween = std::max<long>(
                nMostBetween,
                std::count_if(seen.begin(), seen.end(), [](double d) { return d > 0 && d < 1; }));
        }
        EXPECT_GE(nMostBetween, 5) << "the share moved in too few steps";
    }
}

TEST(LongProgress, TextsTellTheShareTheTimeLeftAndTheEnd)
{
    LongResult done;
    done.nDigits = 300000;
    LongResult stopped;
    stopped.bCancelled = true;
    LongResult refused;
    refused.strMessage = "Divisor can not be zero";
    const struct
    {
        std::string strText;
        const char* pExpected;
    } cases[] = {
        {FormatProgress(0.429, 1500, EN), "42% done"}, // too early to tell the time left
        {FormatProgress(0.005, 60000, EN), "0% done"},
        {FormatProgress(0.25, 20000, EN), "25% done, about 00:01:00 left"},
        {FormatProgress(0.999, 100000, ZH), "已完成 99%，约剩 00:00:01"},
        {FormatProgress(1.0, 100000, EN), "100% done"},
        {FormatEnd(done, EN), "Done: 300000 digits"},
        {FormatEnd(done, ZH), "完成：300000 位"},
        {FormatEnd(stopped, EN), "Stopped"},
        {FormatEnd(stopped, ZH), "已停止"},
        {FormatEnd(refused, EN), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.strText, c.pExpected);
}
