#include "core/keep/KeptConsole.h"

#include "core/eval/EvalContext.h"

#include <algorithm>
#include <iterator>

void KeptConsole::BoundLines()
{
    if (lines.empty())
        lines.emplace_back();
    std::size_t nKeep = 0;
    std::size_t nBytes = 0;
    // Counted from the newest line back; a line break joins each pair.
    for (auto it = lines.rbegin(); it != lines.rend() && nKeep < MAX_LINES; ++it) {
        nBytes += it->size() + (nKeep > 0 ? 1 : 0);
        if (nKeep > 0 && nBytes > MAX_TEXT_BYTES)
            break;
        ++nKeep;
    }
    lines.erase(lines.begin(), lines.end() - std::ptrdiff_t(nKeep));
}

KeptConsole CaptureConsole(std::vector<std::string> lines, const CEvalContext& eval,
                           const CCurveTable& curves)
{
    KeptConsole kept;
    kept.lines = std::move(lines);
    kept.BoundLines();
    kept.variables = eval.Variables();
    kept.dA = curves.A();
    kept.dB = curves.B();
    kept.nSelected = curves.Selected();
    kept.curves = curves.Definitions();
    return kept;
}

void RestoreConsole(const KeptConsole& kept, CEvalContext& eval, CCurveTable& curves)
{
    eval.RestoreVariables(kept.variables);
    curves.RestoreCurves(kept.dA, kept.dB, kept.nSelected, kept.curves);
}
