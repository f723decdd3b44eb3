#include "core/bignum/DecimalConversion.h"
#include "core/bignum/LimbMath.h"
#include "core/bignum/LongCalculation.h"
#include "core/bignum/LongControl.h"
#include "core/bignum/LongPool.h"
#include "core/bignum/LongSeries.h"
#include "tests/common/LongDigits.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>

namespace
{
using limb::LimbVec;

// Sets the pool's thread count for one test and restores the one the run started with.
class ThreadCountGuard
{
public:
    explicit ThreadCountGuard(unsigned nThreads) : m_nSaved(CLongPool::ThreadCount())
    {
        CLongPool::SetThreadCount(nThreads);
    }
    ~ThreadCountGuard() { CLongPool::SetThreadCount(m_nSaved); }

private:
    unsigned m_nSaved;
};

LimbVec RandomDecimal(std::mt19937_64& rng, size_t n)
{
    LimbVec v(n);
    for (uint32_t& x : v)
        x = uint32_t(rng() % limb::DECIMAL_BASE);
    v.back() = 1 + uint32_t(rng() % 999999999);
    return v;
}

// Everything that splits its work, sized so that every split is taken.
struct Results
{
    std::string strPi, strE, strFactorial, strText, strQuotient;
    LimbVec product;
};

Results ComputeAll()
{
    std::mt19937_64 rng(7);
    Results r;
    r.strPi = ComputePi(60000);
    r.strE = ComputeE(60000);
    r.strFactorial = ComputeFactorial(20000);
    std::string strDigits = RandomDigits(rng, 200000);
    r.strText = limb::DecimalToText(limb::DecimalFromBinary(limb::BinaryFromDigits(strDigits)));
    EXPECT_EQ(r.strText, strDigits);
    LimbVec a = RandomDecimal(rng, 150000), b = RandomDecimal(rng, 90000);
    r.product = limb::Mul<limb::DECIMAL_BASE>(a, b);
    r.strQuotient =
        CalculateLong(LongOperator::Div, strDigits, strDigits.substr(0, 80001), Language::English)
            .strResult;
    return r;
}
} // namespace

TEST(LongPool, ResultsAreTheSameForEveryThreadCount)
{
    Results one;
    {
        ThreadCountGuard guard(1);
        one = ComputeAll();
    }
    for (unsigned nThreads : {2u, 3u, 8u}) {
        SCOPED_TRACE(nThreads);
        ThreadCountGuard guard(nThreads);
        Results many = ComputeAll();
        EXPECT_EQ(many.strPi, one.strPi);
        EXPECT_EQ(many.strE, one.strE);
        EXPECT_EQ(many.strFactorial, one.strFactorial);
        EXPECT_EQ(many.strText, one.strText);
        EXPECT_EQ(many.product, one.product);
        EXPECT_EQ(many.strQuotient, one.strQuotient);
    }
    EXPECT_EQ(one.strPi.substr(0, 12), "3.1415926535");
}

TEST(LongPool, BothHalvesRunAndTheFirstFailureComesBack)
{
    ThreadCountGuard guard(4);
    for (int nThrower : {0, 1, 2}) {
        SCOPED_TRACE(nThrower);
        std::atomic<int> nRan{0};
        auto half = [&](int nWho) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            ++nRan;
            if (nWho == nThrower)
                throw std::runtime_error("half " + std::to_string(nWho));
        };
        try {
            CLongPool::Invoke([&] { half(1); }, [&] { half(2); });
            EXPECT_EQ(nThrower, 0);
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(e.what(), "half " + std::to_string(nThrower));
        }
        // A half that throws first may leave the other one unstarted, never still running.
        EXPECT_GE(nRan.load(), 1);
        if (nThrower != 1) {
            EXPECT_EQ(nRan.load(), 2);
        }
    }
}

TEST(LongPool, ForCoversEveryChunkOnce)
{
    ThreadCountGuard guard(3);
    for (size_t n : {size_t(0), size_t(1), size_t(999), size_t(1000), size_t(12345)}) {
        SCOPED_TRACE(n);
        std::vector<std::atomic<int>> hits(n);
        CLongPool::For(n, 100, [&](size_t i0, size_t i1) {
            EXPECT_EQ(i0 % 100, 0u);
            EXPECT_LE(i1 - i0, 100u);
            for (size_t i = i0; i < i1; ++i)
                ++hits[i];
        });
        for (size_t i = 0; i < n; ++i)
            ASSERT_EQ(hits[i].load(), 1) << i;
    }
}

// Pi to ten million digits runs for many seconds; a flag raised from another thread ends it at
// whatever step it has reached. Only the end is checked, with a bound on the wait far above any
// step, so that a computation that misses its flag fails instead of hanging the run.
TEST(LongPool, RaisedFlagEndsAHugeComputationFromAnotherThread)
{
    for (unsigned nThreads : {1u, 2u}) {
        for (int nDelayMs : {20, 400}) {
            SCOPED_TRACE(std::to_string(nThreads) + " threads, flag after " +
                         std::to_string(nDelayMs) + " ms");
            ThreadCountGuard guard(nThreads);
            auto pControl = std::make_shared<CLongControl>();
            auto pEnded = std::make_shared<std::promise<bool>>();
            std::future<bool> ended = pEnded->get_future();
            std::thread([pControl, pEnded] {
                try {
                    const CLongControl::Scope scope(pControl.get());
                    ComputePi(10'000'000);
                    pEnded->set_value(false);
                } catch (const LongCancelled&) {
                    pEnded->set_value(true);
                }
            }).detach();
            std::this_thread::sleep_for(std::chrono::milliseconds(nDelayMs));
            pControl->Cancel();
            ASSERT_EQ(ended.wait_for(std::chrono::minutes(2)), std::future_status::ready);
            EXPECT_TRUE(ended.get()) << "finished instead of stopping";
        }
    }
}

TEST(LongPool, RaisedFlagEndsOneHugeProduct)
{
    ThreadCountGuard guard(2);
    std::mt19937_64 rng(3);
    LimbVec a = RandomDecimal(rng, 3'000'000), b = RandomDecimal(rng, 3'000'000);
    CLongControl control;
    std::promise<bool> ended;
    std::future<bool> endedFuture = ended.get_future();
    std::thread worker([&] {
        const CLongControl::Scope scope(&control);
        try {
            limb::Mul<limb::DECIMAL_BASE>(a, b);
            ended.set_value(false);
        } catch (const LongCancelled&) {
            ended.set_value(true);
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    control.Cancel();
    bool bReady = endedFuture.wait_for(std::chrono::minutes(2)) == std::future_status::ready;
    if (!bReady) {
        worker.detach();
        FAIL() << "the product did not stop";
    }
    worker.join();
    EXPECT_TRUE(endedFuture.get());
}

TEST(LongPool, HandedWorkAnswersToItsCallersControl)
{
    ThreadCountGuard guard(4);
    CLongControl control, other;
    CLongControl* controls[] = {&control, nullptr};
    for (CLongControl* pControl : controls) {
        SCOPED_TRACE(pControl != nullptr ? "control" : "no control");
        const CLongControl::Scope scope(pControl);
        std::atomic<CLongControl*> seen[2] = {&other, &other};
        auto half = [&](int i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            seen[i] = CLongControl::Current();
        };
        CLongPool::Invoke([&] { half(0); }, [&] { half(1); });
        EXPECT_EQ(seen[0].load(), pControl);
        EXPECT_EQ(seen[1].load(), pControl);
        {
            const CLongControl::Scope inner(&other);
            EXPECT_EQ(CLongControl::Current(), &other);
        }
        EXPECT_EQ(CLongControl::Current(), pControl);
    }
}
