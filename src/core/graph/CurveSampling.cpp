#include "core/graph/CurveSampling.h"

#include "core/eval/CalcValue.h"
#include "core/eval/EvalContext.h"
#include "core/graph/CurveTable.h"

#include <cmath>
#include <utility>

namespace
{
// A kept interval may be NaN, which equals nothing.
bool Same(double d1, double d2) { return d1 == d2 || (std::isnan(d1) && std::isnan(d2)); }
} // namespace

CCurveSampling::CCurveSampling(int nSlot, std::string strExpression, double a, double b, int nCount)
    : m_nSlot(nSlot), m_strExpression(std::move(strExpression)), m_dA(a), m_dB(b),
      m_steps(a, b, nCount), m_samples(std::size_t(nCount), 0.0)
{}

double CCurveSampling::Evaluate(CEvalContext& eval, double dX) const
{
    eval.Variable("x") = CalcValue(dX, 0.0);
    return RequireReal(eval.EvaluateExpression(m_strExpression.c_str(), m_strExpression.size()));
}

void CCurveSampling::Store(int i, double y)
{
    m_samples[std::size_t(i)] = y;
    if (m_dYMax < y)
        m_dYMax = y;
    if (m_dYMin > y)
        m_dYMin = y;
}

bool CCurveSampling::Advance(CEvalContext& eval, const std::function<bool()>& stop)
{
    const int nCount = int(m_samples.size());
    const double dSavedX = RequireReal(eval.Variable("x"));
    while (!IsDone()) {
        if (m_nNext < 0) {
            m_dYMax = m_dYMin = Evaluate(eval, m_dA);
        } else if (m_nNext < nCount) {
            Store(m_nNext, Evaluate(eval, m_steps.Next()));
        } else {
            // The last sample is taken again at b itself, which the steps never reach.
            Store(nCount - 1, Evaluate(eval, m_dB));
        }
        ++m_nNext;
        if (stop && stop())
            break;
    }
    eval.Variable("x") = CalcValue(dSavedX, 0.0);
    return IsDone();
}

bool CCurveSampling::IsAwaitedBy(const CCurveTable& table) const
{
    const CurveSlot& slot = table.Slot(m_nSlot);
    return slot.state == CurveState::Failed && slot.expression == m_strExpression &&
           Same(slot.from, m_dA) && Same(slot.to, m_dB) && Same(table.A(), m_dA) &&
           Same(table.B(), m_dB) && slot.samples.size() == m_samples.size();
}
