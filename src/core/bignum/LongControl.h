#pragma once

#include "core/bignum/LongProgress.h"

#include <atomic>
#include <cstdint>

// Thrown out of a long computation whose control was cancelled; the partial result is dropped by
// whoever started the computation.
struct LongCancelled
{};

// What one long calculation answers to and reports to: a cancellation flag that any thread may
// raise and the progress that any thread may read; one control serves one calculation. The
// calculation finds it as the current control of the thread it runs on (see Scope); the
// long-number pool hands it on with every piece of work it gives its threads, so pool work
// answers to its own calculation's control only.
class CLongControl
{
public:
    // Makes a control the current one of this thread while the scope lives; null stands for
    // none. Work credited on the thread goes to the control that was current when it was done.
    class Scope
    {
    public:
        explicit Scope(CLongControl* pControl);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CLongControl* m_pPrevious;
    };

    // The current control of this thread, or null.
    static CLongControl* Current();

    void Cancel() { m_bCancel.store(true, std::memory_order_relaxed); }
    bool IsCancelled() const { return m_bCancel.load(std::memory_order_relaxed); }
    CLongProgress& Progress() { return m_progress; }
    const CLongProgress& Progress() const { return m_progress; }

private:
    std::atomic<bool> m_bCancel{false};
    CLongProgress m_progress;
};

// Throws LongCancelled when the current control of this thread was cancelled. Long loops call it
// between blocks of a few milliseconds of work.
void CheckCancel();

// Credits units of work done on this thread to the current control's progress. Cheap enough for
// the smallest multiplication: the units gather on the thread and go on in batches.
void CreditWork(uint64_t nUnits);

// The current control's progress, for the calculation to plan and enter its steps; without a
// control, a progress of this thread that nobody reads.
CLongProgress& CurrentProgress();
