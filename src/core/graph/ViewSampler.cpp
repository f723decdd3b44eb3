#include "core/graph/ViewSampler.h"

#include "core/eval/CalcError.h"

#include <exception>
#include <thread>

CViewSampler::Evaluator::Evaluator(const CEvalContext& from)
    : language(from.CurrentLanguage()), angle{from.IsDegrees()}, eval(language, random, angle)
{
    for (const auto& [strName, value] : from.Variables())
        eval.Variable(strName) = value;
    eval.m_nPrecision = from.m_nPrecision;
}

CViewSampler::CViewSampler(const CCurveTable& table, double from, double to, int nThreads)
{
    m_result.from = from;
    m_result.to = to;
    for (std::size_t i = 0; i < m_result.curves.size(); ++i) {
        const CurveSlot& slot = table.Slot(int(i));
        if (!slot.shown || slot.state != CurveState::Valid)
            continue;
        CurveSlot& copy = m_result.curves[i];
        copy.expression = slot.expression;
        copy.shown = true;
        copy.state = CurveState::Failed; // until it is sampled
        copy.samples.assign(slot.samples.size(), 0.0);
        m_toSample.push_back(i);
    }
    const std::size_t nEvaluators =
        std::max<std::size_t>(1, std::min(std::size_t(std::max(nThreads, 1)), m_toSample.size()));
    for (std::size_t i = 0; i < nEvaluators; ++i)
        m_evaluators.push_back(std::make_unique<Evaluator>(table.Evaluator()));
}

CViewSampler::~CViewSampler() = default;

bool CViewSampler::SampleShare(Evaluator& evaluator, std::size_t nFirst, std::size_t nStride,
                               const std::atomic<bool>& cancel)
{
    for (std::size_t i = nFirst; i < m_toSample.size(); i += nStride) {
        CurveSlot& slot = m_result.curves[m_toSample[i]];
        try {
            slot.SampleCurve(evaluator.eval, nullptr, m_result.from, m_result.to, &cancel);
        } catch (const CalcError&) {
            // As over the table's interval: the curve drops out of this view only.
        } catch (const SamplingCancelled&) {
            return false;
        }
    }
    return true;
}

std::optional<ViewSamples> CViewSampler::Run(const std::atomic<bool>& cancel)
{
    const std::size_t nStride = m_evaluators.size();
    // Each helper thread samples its own share of the curves with its own evaluator.
    std::vector<char> done(nStride, 0);
    std::vector<std::exception_ptr> errors(nStride);
    const auto share = [&](std::size_t t) {
        try {
            done[t] = SampleShare(*m_evaluators[t], t, nStride, cancel);
        } catch (...) {
            errors[t] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < nStride; ++t)
        helpers.emplace_back(share, t);
    share(0);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& error : errors)
        if (error)
            std::rethrow_exception(error);
    for (char bDone : done)
        if (!bDone)
            return std::nullopt;
    return std::move(m_result);
}
