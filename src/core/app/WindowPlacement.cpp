#include "core/app/WindowPlacement.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <tuple>

namespace
{
int ClampAxis(int n, int nLow, int nHighEnd, int nSize)
{
    // A window larger than the screen keeps its top left corner (its caption) on it.
    return std::max(nLow, std::min(n, nHighEnd - nSize));
}

long long Overlap(const Rect& a, const Rect& b)
{
    const long long cx = std::min(a.nRight, b.nRight) - std::max(a.nLeft, b.nLeft);
    const long long cy = std::min(a.nBottom, b.nBottom) - std::max(a.nTop, b.nTop);
    return cx > 0 && cy > 0 ? cx * cy : 0;
}

struct Candidate
{
    Point at;
    Rect rect;
    int nDistance; // from the wanted place, along both axes
};

Candidate MakeCandidate(const FirstPlacement& p, Point want, Point at)
{
    at.nX = ClampAxis(at.nX, p.screen.nLeft, p.screen.nRight, p.nWidth);
    at.nY = ClampAxis(at.nY, p.screen.nTop, p.screen.nBottom, p.nHeight);
    const Rect rect{at.nX, at.nY, at.nX + p.nWidth, at.nY + p.nHeight};
    return {at, rect, std::abs(at.nX - want.nX) + std::abs(at.nY - want.nY)};
}
} // namespace

Point FirstWindowPosition(const FirstPlacement& p)
{
    const Point offset = p.offset.value_or(Point{0, 0});
    const Point want{p.ownerClient.nX + offset.nX, p.ownerClient.nY + offset.nY};
    // The wanted place, then beside the main window on each side, keeping the other coordinate.
    const std::array<Candidate, 5> candidates{
        MakeCandidate(p, want, want),
        MakeCandidate(p, want, {p.owner.nRight, want.nY}),
        MakeCandidate(p, want, {p.owner.nLeft - p.nWidth, want.nY}),
        MakeCandidate(p, want, {want.nX, p.owner.nBottom}),
        MakeCandidate(p, want, {want.nX, p.owner.nTop - p.nHeight}),
    };
    // Clear of the main window and nearest; else covering least of its buttons, then least of
    // it, then nearest.
    const auto cost = [&p](const Candidate& c) {
        const long long nCovered = Overlap(c.rect, p.owner);
        return std::tuple(nCovered > 0, Overlap(c.rect, p.keepClear), nCovered, c.nDistance);
    };
    return std::min_element(
               candidates.begin(), candidates.end(),
               [&cost](const Candidate& a, const Candidate& b) { return cost(a) < cost(b); })
        ->at;
}
