#pragma once

#include "core/base/Language.h"
#include "core/eval/AngleUnit.h"
#include "core/eval/EvalContext.h"
#include "core/eval/RandomGenerator.h"
#include "core/graph/CurveTable.h"

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

// The shown curves sampled over a view's x range [from, to] by the rule of the curve table: a
// slot whose sampling fails there is Failed, one that was not asked for is Empty.
struct ViewSamples
{
    double from = 0.0;
    double to = 0.0;
    std::array<CurveSlot, CCurveTable::SLOT_COUNT> curves;
};

// Samples the table's shown valid curves over another interval without touching the table. It
// copies what sampling needs (expressions, the evaluator's variables, angle unit and language)
// when it is made, so Run may go on on any thread while the table changes; only the random
// numbers start afresh. One sampler runs once.
class CViewSampler
{
public:
    // nThreads: how many threads Run shares the curves between, the calling one among them.
    CViewSampler(const CCurveTable& table, double from, double to, int nThreads = 1);
    CViewSampler(const CViewSampler&) = delete;
    CViewSampler& operator=(const CViewSampler&) = delete;
    ~CViewSampler();

    // None when cancel was raised before the last curve was done.
    std::optional<ViewSamples> Run(const std::atomic<bool>& cancel);

private:
    // A copy of the curve evaluator for one thread.
    struct Evaluator
    {
        explicit Evaluator(const CEvalContext& from);

        FixedLanguage language;
        AngleUnit angle;
        CRandomGenerator random;
        CEvalContext eval;
    };

    // Samples every nStride-th curve to sample from nFirst on; false once cancelled.
    bool SampleShare(Evaluator& evaluator, std::size_t nFirst, std::size_t nStride,
                     const std::atomic<bool>& cancel);

    std::vector<std::unique_ptr<Evaluator>> m_evaluators;
    std::vector<std::size_t> m_toSample; // slot indices
    ViewSamples m_result;
};
