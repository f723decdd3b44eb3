#include "bignum/LongWorker.h"

#include "bignum/LongTexts.h"

#include <algorithm>
#include <atomic>
#include <thread>

struct CLongWorker::Job
{
    std::atomic<bool> bCancel{false};
    std::thread thread;
};

namespace
{
LongResult Calculate(int nOperator, const std::string& strFirst, const std::string& strSecond, int nLanguage,
                     const std::atomic<bool>* pCancel)
{
    try {
        return CalculateLong(nOperator, strFirst, strSecond, nLanguage, pCancel);
    } catch (...) {
        // Whatever escapes the calculation is a size it could not take on; an exception must
        // never leave a thread.
        LongResult result;
        result.strMessage = longmsg::NO_MEMORY.In(nLanguage);
        return result;
    }
}
} // namespace

CLongWorker::CLongWorker() = default;

CLongWorker::~CLongWorker()
{
    for (const auto& pJob : m_jobs)
        pJob->bCancel = true;
    // Each thread's last act is to post its result here; the posting is over once it is
    // joined, and the posted result dies with this object unseen.
    for (const auto& pJob : m_jobs)
        pJob->thread.join();
}

void CLongWorker::Start(int nOperator, std::string strFirst, std::string strSecond, int nLanguage)
{
    Cancel();
    Job* pJob = m_jobs.emplace_back(std::make_unique<Job>()).get();
    m_pCurrent = pJob;
    pJob->thread = std::thread([this, pJob, nOperator, strFirst = std::move(strFirst),
                                strSecond = std::move(strSecond), nLanguage] {
        LongResult result = Calculate(nOperator, strFirst, strSecond, nLanguage, &pJob->bCancel);
        QMetaObject::invokeMethod(
            this, [this, pJob, result = std::move(result)] { OnJobEnded(pJob, result); }, Qt::QueuedConnection);
    });
}

void CLongWorker::Cancel()
{
    if (m_pCurrent == nullptr)
        return;
    m_pCurrent->bCancel = true;
    m_pCurrent = nullptr;
}

void CLongWorker::OnJobEnded(Job* pJob, const LongResult& result)
{
    const auto it = std::find_if(m_jobs.begin(), m_jobs.end(), [pJob](const auto& p) { return p.get() == pJob; });
    // The thread has posted its result and only returns now, so the join is immediate.
    (*it)->thread.join();
    const bool bCurrent = pJob == m_pCurrent;
    m_jobs.erase(it);
    if (!bCurrent)
        return;
    m_pCurrent = nullptr;
    emit Finished(result);
}
