#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

// How far one long calculation has got, in units of estimated work. The calculation plans its
// steps (a series, a division, a conversion) with the work each is expected to take, enters them
// in order and credits work as it goes; any thread may credit and any thread may read. What a
// step credits beyond its estimate is held back until the next step begins, so the share done
// only rises, and it reaches exactly 1 at Finish.
class CLongProgress
{
public:
    static constexpr size_t MAX_STEPS = 4;

    // Starts over with the estimated units of each step in the order the steps run. Called by
    // the calculating thread before any other thread credits work.
    void Plan(std::initializer_list<uint64_t> steps);
    // The steps before step i count as done; work credited from now on counts up to the end of
    // step i. Entering a step again (a computation that repeats itself) holds the share where
    // it is until the repeated work has passed it.
    void BeginStep(size_t i);
    void Add(uint64_t nUnits);
    // Everything counts as done.
    void Finish();

    // The share done, from 0 to 1.
    double Fraction() const;
    uint64_t Done() const { return m_nDone.load(std::memory_order_relaxed); }
    uint64_t Total() const { return m_nTotal.load(std::memory_order_relaxed); }

private:
    // Raises m_nDone to at least n, never lowers it.
    void RaiseTo(uint64_t n);

    std::array<uint64_t, MAX_STEPS + 1> m_ends{}; // m_ends[i]: units done when step i begins
    size_t m_nSteps = 0;
    std::atomic<uint64_t> m_nDone{0};
    std::atomic<uint64_t> m_nTotal{0};
    std::atomic<uint64_t> m_nStepEnd{0};
};
