#include "ui/bignum/LongWorker.h"

#include "core/bignum/LongControl.h"
#include "core/bignum/LongTexts.h"

#include <algorithm>
#include <mutex>
#include <thread>

// Shared by the worker and the thread. Both use the control; the thread reads, under the mutex,
// the owner; the thread object itself belongs to the owner's thread.
struct CLongWorker::Job
{
    CLongControl control;
    std::mutex mutex;
    CLongWorker* pOwner = nullptr; // null once the worker is gone
    std::thread thread;
};

namespace
{
LongResult Calculate(LongOperator op, const std::string& strFirst, const std::string& strSecond,
                     Language language, CLongControl* pControl)
{
    try {
        const CLongControl::Scope scope(pControl);
        return CalculateLong(op, strFirst, strSecond, language);
    } catch (...) {
        // Whatever escapes the calculation is a size it could not take on; an exception must
        // never leave a thread.
        LongResult result;
        result.strMessage = longmsg::NO_MEMORY.In(language);
        return result;
    }
}
} // namespace

CLongWorker::CLongWorker() = default;

// A cancelled calculation notices its flag within a fraction of a second, yet closing the window
// must not wait even for that.
CLongWorker::~CLongWorker()
{
    for (const auto& pJob : m_jobs) {
        {
            const std::lock_guard lock(pJob->mutex);
            pJob->pOwner = nullptr;
        }
        pJob->control.Cancel();
        pJob->thread.detach();
    }
}

void CLongWorker::Start(LongOperator op, std::string strFirst, std::string strSecond,
                        Language language)
{
    Cancel();
    auto pJob = std::make_shared<Job>();
    pJob->pOwner = this;
    m_pCurrent = pJob.get();
    pJob->thread = std::thread(
        [pJob, op, strFirst = std::move(strFirst), strSecond = std::move(strSecond), language] {
            LongResult result = Calculate(op, strFirst, strSecond, language, &pJob->control);
            const std::lock_guard lock(pJob->mutex);
            // A result posted to a worker that is then destroyed goes with it, unseen.
            if (CLongWorker* pOwner = pJob->pOwner)
                QMetaObject::invokeMethod(
                    pOwner,
                    [pOwner, pJob, result = std::move(result)]() mutable {
                        pOwner->OnJobEnded(pJob.get(), result);
                    },
                    Qt::QueuedConnection);
        });
    m_jobs.push_back(std::move(pJob));
}

void CLongWorker::Cancel()
{
    if (m_pCurrent == nullptr)
        return;
    m_pCurrent->control.Cancel();
    m_pCurrent = nullptr;
}

double CLongWorker::Progress() const
{
    return m_pCurrent != nullptr ? m_pCurrent->control.Progress().Fraction() : 0;
}

void CLongWorker::OnJobEnded(Job* pJob, LongResult& result)
{
    const auto it = std::find_if(m_jobs.begin(), m_jobs.end(),
                                 [pJob](const auto& p) { return p.get() == pJob; });
    // The thread has posted its result and only returns now, so the join is immediate.
    (*it)->thread.join();
    m_jobs.erase(it);
    if (pJob != m_pCurrent)
        return;
    m_pCurrent = nullptr;
    emit Finished(result);
}
