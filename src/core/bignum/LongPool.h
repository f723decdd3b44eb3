#pragma once

#include <cstddef>
#include <functional>

// Worker threads that share the independent halves of one long calculation: the two halves of a
// product tree, of a transform, of a conversion. One pool serves the process, as the cores it
// stands for do; its threads are started on first use and live until the process ends. A thread
// that hands work to the pool keeps computing and, while it waits, helps with what is queued, so
// nested halves never wait on each other.
class CLongPool
{
public:
    // Threads one calculation may use, the calling one included: the hardware's count unless
    // SetThreadCount or the environment variable PELMORIX_THREADS says otherwise. With 1 every
    // step runs on the calling thread.
    static unsigned ThreadCount();
    // 0 goes back to the hardware's count.
    static void SetThreadCount(unsigned nThreads);

    // Runs both functions, the second on a pool thread if one is free, and returns when both have
    // ended. When one throws, the other still ends first (or is skipped if it has not started),
    // then the exception of the first one to fail is rethrown. A pool thread runs the function
    // under the caller's current control (LongControl.h).
    static void Invoke(const std::function<void()>& first, const std::function<void()>& second);
    // Calls body(i0, i1) once for each chunk [k nGrain, (k + 1) nGrain) of [0, nCount), the last
    // one possibly shorter, halves of the range on different threads. Looks at the
    // cancellation flag before each chunk.
    static void For(size_t nCount, size_t nGrain, const std::function<void(size_t, size_t)>& body);
};
