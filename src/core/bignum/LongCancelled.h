#pragma once

#include <atomic>

// Thrown out of a long computation whose cancellation flag was raised; the partial result is
// dropped by whoever started the computation.
struct LongCancelled
{};

inline void ThrowIfCancelled(const std::atomic<bool>* pCancel)
{
    if (pCancel != nullptr && pCancel->load(std::memory_order_relaxed))
        throw LongCancelled{};
}

// Makes a flag the cancellation flag of everything this thread computes while the scope lives,
// the work it hands to pool threads included. Scopes nest; a null flag keeps the enclosing one
// unless bKeepEnclosing is false (a pool thread running another calculation's work).
class CCancelScope
{
public:
    explicit CCancelScope(const std::atomic<bool>* pCancel, bool bKeepEnclosing = true);
    ~CCancelScope();
    CCancelScope(const CCancelScope&) = delete;
    CCancelScope& operator=(const CCancelScope&) = delete;

    // The flag of the innermost scope on this thread, or null.
    static const std::atomic<bool>* Current();

private:
    const std::atomic<bool>* m_pPrevious;
};

// Throws LongCancelled when the flag of the innermost scope on this thread is raised. Long loops
// call it between blocks of a few milliseconds of work.
void CheckCancel();
