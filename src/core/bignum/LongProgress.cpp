#include "core/bignum/LongProgress.h"

#include <algorithm>
#include <cassert>

void CLongProgress::Plan(std::initializer_list<uint64_t> steps)
{
    assert(steps.size() <= MAX_STEPS);
    m_nSteps = std::min(steps.size(), MAX_STEPS);
    uint64_t nEnd = 0;
    m_ends[0] = 0;
    size_t i = 0;
    for (uint64_t nUnits : steps) {
        if (i == m_nSteps)
            break;
        // A step of no estimated work still takes a unit, so that its end is a step forward.
        nEnd += std::max<uint64_t>(nUnits, 1);
        m_ends[++i] = nEnd;
    }
    m_nDone.store(0, std::memory_order_relaxed);
    m_nStepEnd.store(0, std::memory_order_relaxed);
    m_nTotal.store(nEnd, std::memory_order_relaxed);
}

void CLongProgress::BeginStep(size_t i)
{
    if (i >= m_nSteps)
        return;
    m_nStepEnd.store(m_ends[i + 1], std::memory_order_relaxed);
    RaiseTo(m_ends[i]);
}

void CLongProgress::Add(uint64_t nUnits)
{
    uint64_t nDone = m_nDone.load(std::memory_order_relaxed);
    for (;;) {
        const uint64_t nCap = m_nStepEnd.load(std::memory_order_relaxed);
        const uint64_t nNext = std::max(nDone, std::min(nDone + nUnits, nCap));
        if (nNext == nDone ||
            m_nDone.compare_exchange_weak(nDone, nNext, std::memory_order_relaxed))
            return;
    }
}

void CLongProgress::Finish()
{
    // A calculation too small to plan its work still ends at the full share.
    if (Total() == 0)
        m_nTotal.store(1, std::memory_order_relaxed);
    m_nStepEnd.store(Total(), std::memory_order_relaxed);
    RaiseTo(Total());
}

double CLongProgress::Fraction() const
{
    const uint64_t nTotal = Total();
    if (nTotal == 0)
        return 0;
    return std::min(1.0, double(Done()) / double(nTotal));
}

void CLongProgress::RaiseTo(uint64_t n)
{
    uint64_t nDone = m_nDone.load(std::memory_order_relaxed);
    while (nDone < n && !m_nDone.compare_exchange_weak(nDone, n, std::memory_order_relaxed)) {}
}
