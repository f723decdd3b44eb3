#include "core/bignum/LongControl.h"

namespace
{
// Units a thread gathers before it adds them to the shared progress: well below a millisecond
// of work, yet far above a single small multiplication.
constexpr uint64_t FLUSH_UNITS = uint64_t(1) << 18;

struct ThreadControl
{
    CLongControl* pControl = nullptr;
    uint64_t nPending = 0; // units credited on this thread not yet added to the progress
};

thread_local ThreadControl t_control;

void Flush()
{
    if (t_control.pControl != nullptr)
        t_control.pControl->Progress().Add(t_control.nPending);
    t_control.nPending = 0;
}
} // namespace

CLongControl::Scope::Scope(CLongControl* pControl) : m_pPrevious(t_control.pControl)
{
    Flush();
    t_control.pControl = pControl;
}

CLongControl::Scope::~Scope()
{
    Flush();
    t_control.pControl = m_pPrevious;
}

CLongControl* CLongControl::Current() { return t_control.pControl; }

void CheckCancel()
{
    if (t_control.pControl != nullptr && t_control.pControl->IsCancelled())
        throw LongCancelled{};
}

void CreditWork(uint64_t nUnits)
{
    t_control.nPending += nUnits;
    if (t_control.nPending >= FLUSH_UNITS)
        Flush();
}

CLongProgress& CurrentProgress()
{
    thread_local CLongProgress unread;
    if (t_control.pControl != nullptr) {
        // Work gathered before a new plan or step belongs to what came before it.
        Flush();
        return t_control.pControl->Progress();
    }
    return unread;
}
