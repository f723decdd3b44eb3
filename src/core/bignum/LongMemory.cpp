#include "core/bignum/LongMemory.h"

#include <atomic>
#include <mutex>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace
{
// The largest threshold the allocator takes; blocks above it still come from the system. Memory
// fresh from the system costs a page fault per page on first use, which took a third of the
// time of the long products when every large buffer came and went that way.
constexpr int MMAP_THRESHOLD = 32 << 20;
constexpr int TRIM_THRESHOLD = 1 << 30;
// Products shorter than this do not give back the free pages: their holes are soon filled. Nor
// do those less than half as long again as the last product that did: the pages given back
// would mostly come back at once, each for a page fault.
constexpr size_t RELEASE_PRODUCT_LIMBS = size_t(1) << 16;

std::mutex g_mutex;
unsigned g_nCalculations = 0; // under g_mutex
// The length in limbs of the product before which the free pages went back last.
std::atomic<size_t> g_nReleasedProduct = 0;

void ReleaseFreePages()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
} // namespace

CLongMemory::CLongMemory()
{
    std::lock_guard lock(g_mutex);
    if (g_nCalculations++ > 0)
        return;
    g_nReleasedProduct = 0;
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, MMAP_THRESHOLD);
    mallopt(M_TRIM_THRESHOLD, TRIM_THRESHOLD);
    // Pool threads with pools of their own could not reuse what the others free, which raised
    // the peak of pi to 10^7 digits on two threads by a fifth.
    mallopt(M_ARENA_MAX, 1);
#endif
}

CLongMemory::~CLongMemory()
{
    {
        std::lock_guard lock(g_mutex);
        --g_nCalculations;
    }
    ReleaseFreePages();
}

void CLongMemory::BeforeProduct(size_t nLimbs)
{
    if (nLimbs < RELEASE_PRODUCT_LIMBS)
        return;
    size_t nReleased = g_nReleasedProduct.load(std::memory_order_relaxed);
    do {
        if (2 * nLimbs < 3 * nReleased)
            return;
    } while (!g_nReleasedProduct.compare_exchange_weak(nReleased, nLimbs));
    {
        std::lock_guard lock(g_mutex);
        if (g_nCalculations == 0)
            return;
    }
    ReleaseFreePages();
}
