#pragma once

#include "core/bignum/LongCalculation.h"

#include <QObject>

#include <list>
#include <memory>
#include <string>

// Runs the long-number calculations, each on a thread of its own that computes and touches
// nothing else (it shares the halves of its steps with the long-number pool's threads, never with
// the GUI thread); the result comes back as Finished on the thread that owns this object. A
// cancelled calculation goes on in the background until it notices its control, and its result
// is dropped. Destruction cancels every calculation and waits for none of them: a thread that is
// still running holds its own state and finds nobody to report to.
class CLongWorker : public QObject
{
    Q_OBJECT
public:
    CLongWorker();
    ~CLongWorker() override;

    // Cancels a calculation still running, then starts this one.
    void Start(LongOperator op, std::string strFirst, std::string strSecond, Language language);
    // Returns at once: the running calculation's result never arrives.
    void Cancel();
    bool IsRunning() const { return m_pCurrent != nullptr; }
    // The share of its work the running calculation has done, from 0 to 1; 0 when none runs.
    // Cheap: meant to be polled.
    double Progress() const;
    // Threads not yet joined, the cancelled ones still finishing included.
    int ThreadCount() const { return int(m_jobs.size()); }

signals:
    // The receiver may take the result's text by moving it out: it is the only copy, and nothing
    // else sees it after the receivers.
    void Finished(LongResult& result);

private:
    struct Job;

    void OnJobEnded(Job* pJob, LongResult& result);

    std::list<std::shared_ptr<Job>> m_jobs;
    Job* m_pCurrent = nullptr;
};
