#pragma once

#include "core/graph/CurveSlot.h"

#include <functional>
#include <string>
#include <vector>

class CCurveTable;
class CEvalContext;

// One curve sampled a piece at a time, so that sampling can be spread over the turns of an event
// loop: the same evaluations in the same order as CurveSlot::SampleCurve, into samples of its own
// until they are all taken. It belongs to a slot of a curve table that waits for it.
class CCurveSampling
{
public:
    CCurveSampling(int nSlot, std::string strExpression, double a, double b, int nCount);

    // Evaluates the next samples through eval's variable x until all are taken or stop answers
    // true (asked after each evaluation; none stops at once); true when all are taken. x has its
    // value back afterwards. Throws CalcError, and x then keeps the failing abscissa.
    bool Advance(CEvalContext& eval, const std::function<bool()>& stop);

    // The table still waits for this sampling: its slot holds the same expression, not sampled
    // since (it is failed, from the same interval), and the table's interval is the same.
    bool IsAwaitedBy(const CCurveTable& table) const;

    int Slot() const { return m_nSlot; }
    bool IsDone() const { return m_nNext > int(m_samples.size()); }
    const std::vector<double>& Samples() const { return m_samples; }
    double YMax() const { return m_dYMax; }
    double YMin() const { return m_dYMin; }

private:
    double Evaluate(CEvalContext& eval, double dX) const;
    void Store(int i, double y);

    int m_nSlot;
    std::string m_strExpression;
    double m_dA;
    double m_dB;
    CAbscissaSteps m_steps; // the abscissa of sample m_nNext next
    int m_nNext = -1; // -1: the start value; 0 .. size-1: that sample; size: the end point again
    std::vector<double> m_samples;
    double m_dYMax = 0.0;
    double m_dYMin = 0.0;
};
