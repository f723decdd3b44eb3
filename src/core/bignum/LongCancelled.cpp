#include "core/bignum/LongCancelled.h"

namespace
{
thread_local const std::atomic<bool>* t_pCancel = nullptr;
} // namespace

CCancelScope::CCancelScope(const std::atomic<bool>* pCancel, bool bKeepEnclosing)
    : m_pPrevious(t_pCancel)
{
    if (pCancel != nullptr || !bKeepEnclosing)
        t_pCancel = pCancel;
}

CCancelScope::~CCancelScope() { t_pCancel = m_pPrevious; }

const std::atomic<bool>* CCancelScope::Current() { return t_pCancel; }

void CheckCancel() { ThrowIfCancelled(t_pCancel); }
