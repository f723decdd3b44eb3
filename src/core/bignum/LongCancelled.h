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
