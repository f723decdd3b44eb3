#include "core/graph/CurveSlot.h"

#include "core/eval/CalcValue.h"
#include "core/eval/EvalContext.h"

namespace
{
// How many samples a cancellable sampling takes between two looks at its flag.
constexpr int CANCEL_CHECK_MASK = 255;

// Calls fn(i, x) for every sample i with its abscissa x.
template <class Fn>
void ForEachAbscissa(double a, double b, int nCount, Fn fn)
{
    CAbscissaSteps steps(a, b, nCount);
    for (int i = 0; i < nCount; ++i)
        fn(i, steps.Next());
}
} // namespace

void CurveSlot::Reset()
{
    yMax = 0.0;
    yMin = 0.0;
    shown = false;
    state = CurveState::Empty;
    legend.clear();
    expression.clear();
}

void CurveSlot::SampleCurve(CEvalContext& eval, const std::string* pText, double a, double b,
                            const std::atomic<bool>* pCancel)
{
    state = CurveState::Failed;
    if (pText != nullptr)
        expression = *pText;
    legend = "y = " + expression + "  ";
    from = a;
    to = b;

    CalcValue& x = eval.Variable("x");
    const double dSavedX = RequireReal(x);
    const auto evaluate = [&](double dX) {
        x = CalcValue(dX, 0.0);
        return RequireReal(eval.EvaluateExpression(expression.c_str(), expression.size()));
    };
    const auto store = [this](int i, double y) {
        samples[std::size_t(i)] = y;
        if (yMax < y)
            yMax = y;
        if (yMin > y)
            yMin = y;
    };

    const int nCount = int(samples.size());
    yMax = yMin = evaluate(a);
    ForEachAbscissa(a, b, nCount, [&](int i, double dX) {
        if (pCancel != nullptr && (i & CANCEL_CHECK_MASK) == 0 &&
            pCancel->load(std::memory_order_relaxed))
            throw SamplingCancelled{};
        store(i, evaluate(dX));
    });
    // The last sample is taken again at b itself, which the loop never reaches.
    store(nCount - 1, evaluate(b));
    x = CalcValue(dSavedX, 0.0);
    state = CurveState::Valid;
}

void CurveAbscissas(double a, double b, int nCount, std::vector<double>& abscissas)
{
    abscissas.resize(std::size_t(nCount));
    ForEachAbscissa(a, b, nCount, [&](int i, double x) { abscissas[std::size_t(i)] = x; });
    abscissas.back() = b;
}
