#include "core/bignum/LongPool.h"

#include "core/bignum/LongControl.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
// One function handed to the pool; it lives on the stack of the thread that handed it over,
// which does not return before the task has ended or has been taken back.
struct PoolTask
{
    const std::function<void()>* pFunction;
    CLongControl* pControl; // the calculation the function belongs to
    bool bDone = false;
    std::exception_ptr error;
};

unsigned HardwareThreads()
{
    if (const char* pEnv = std::getenv("PELMORIX_THREADS")) {
        long n = std::strtol(pEnv, nullptr, 10);
        if (n >= 1 && n <= 256)
            return unsigned(n);
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

std::atomic<unsigned> g_nThreads{0};

class CTaskQueue
{
public:
    static CTaskQueue& Instance()
    {
        // Never destroyed: a detached calculation may still use it while the process ends.
        static CTaskQueue* pQueue = new CTaskQueue;
        return *pQueue;
    }

    // Queues the task unless every thread that could take it is already busy or has work
    // waiting; false when it was not queued.
    bool Offer(PoolTask* pTask, unsigned nThreads)
    {
        std::lock_guard lock(m_mutex);
        if (m_queue.size() + m_nBusy + 1 >= nThreads + m_nWaiting)
            return false;
        while (m_threads.size() + 1 < nThreads) {
            try {
                m_threads.emplace_back([this] { Work(); });
            } catch (const std::exception&) {
                // A system that gives no more threads computes with those it gave.
                if (m_threads.empty())
                    return false;
                break;
            }
        }
        m_queue.push_back(pTask);
        m_cv.notify_all();
        return true;
    }

    // Removes the task if no thread has started it; true when it was removed.
    bool TakeBack(PoolTask* pTask)
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find(m_queue.begin(), m_queue.end(), pTask);
        if (it == m_queue.end())
            return false;
        m_queue.erase(it);
        return true;
    }

    // Runs queued tasks until this one has ended.
    void Wait(PoolTask* pTask)
    {
        std::unique_lock lock(m_mutex);
        ++m_nWaiting;
        while (!pTask->bDone) {
            if (m_queue.empty()) {
                m_cv.wait(lock);
                continue;
            }
            PoolTask* pOther = m_queue.front();
            m_queue.pop_front();
            RunUnlocked(pOther, lock);
        }
        --m_nWaiting;
    }

private:
    void Work()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_cv.wait(lock, [this] { return !m_queue.empty(); });
            PoolTask* pTask = m_queue.front();
            m_queue.pop_front();
            RunUnlocked(pTask, lock);
        }
    }

    void RunUnlocked(PoolTask* pTask, std::unique_lock<std::mutex>& lock)
    {
        ++m_nBusy;
        lock.unlock();
        try {
            // A thread that helps while it waits may run another calculation's work, which
            // must answer and report to that calculation's control only.
            const CLongControl::Scope scope(pTask->pControl);
            (*pTask->pFunction)();
        } catch (...) {
            pTask->error = std::current_exception();
        }
        lock.lock();
        --m_nBusy;
        pTask->bDone = true;
        m_cv.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<PoolTask*> m_queue;
    std::vector<std::thread> m_threads;
    unsigned m_nBusy = 0;    // pool threads running a task
    unsigned m_nWaiting = 0; // threads waiting for a task of theirs, free to help
};
} // namespace

unsigned CLongPool::ThreadCount()
{
    unsigned n = g_nThreads.load(std::memory_order_relaxed);
    if (n == 0) {
        n = HardwareThreads();
        g_nThreads.store(n, std::memory_order_relaxed);
    }
    return n;
}

void CLongPool::SetThreadCount(unsigned nThreads)
{
    g_nThreads.store(nThreads == 0 ? HardwareThreads() : nThreads, std::memory_order_relaxed);
}

void CLongPool::Invoke(const std::function<void()>& first, const std::function<void()>& second)
{
    unsigned nThreads = ThreadCount();
    PoolTask task{&second, CLongControl::Current(), false, nullptr};
    if (nThreads <= 1 || !CTaskQueue::Instance().Offer(&task, nThreads)) {
        first();
        second();
        return;
    }
    std::exception_ptr error;
    try {
        first();
    } catch (...) {
        error = std::current_exception();
    }
    if (CTaskQueue::Instance().TakeBack(&task)) {
        if (error)
            std::rethrow_exception(error);
        second();
        return;
    }
    CTaskQueue::Instance().Wait(&task);
    if (error)
        std::rethrow_exception(error);
    if (task.error)
        std::rethrow_exception(task.error);
}

void CLongPool::For(size_t nCount, size_t nGrain, const std::function<void(size_t, size_t)>& body)
{
    size_t nChunks = (nCount + nGrain - 1) / nGrain;
    if (nChunks <= 1 || ThreadCount() <= 1) {
        for (size_t i = 0; i < nCount; i += nGrain) {
            CheckCancel();
            body(i, std::min(nCount, i + nGrain));
        }
        return;
    }
    size_t nMid = nChunks / 2 * nGrain;
    Invoke([&] { For(nMid, nGrain, body); },
           [&] {
               For(nCount - nMid, nGrain,
                   [&](size_t i0, size_t i1) { body(nMid + i0, nMid + i1); });
           });
}
