#include "core/app/WindowPlacement.h"

#include <algorithm>
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

// The places worth trying along one axis: the wanted one, the screen's ends, and beside or
// aligned with the main window, its buttons and every other window.
std::vector<int> AxisCandidates(int nWant, int nSize, int nScreenLow, int nScreenHigh,
                                const std::vector<std::pair<int, int>>& spans)
{
    std::vector<int> candidates{nWant, nScreenLow, nScreenHigh - nSize};
    for (const auto& [nLow, nHigh] : spans)
        candidates.insert(candidates.end(), {nHigh, nLow - nSize, nLow, nHigh - nSize});
    return candidates;
}

struct Cost
{
    long long nButtons;
    long long nCovered; // of the main window and the others
    long long nDistance;
    bool operator<(const Cost& other) const
    {
        return std::tie(nButtons, nCovered, nDistance) <
               std::tie(other.nButtons, other.nCovered, other.nDistance);
    }
};

Cost CostAt(const FirstPlacement& p, const Point& want, const Point& at)
{
    const Rect rect = Rect::AtSize(at.nX, at.nY, p.nWidth, p.nHeight);
    long long nCovered = Overlap(rect, p.owner);
    for (const Rect& other : p.others)
        nCovered += Overlap(rect, other);
    return {Overlap(rect, p.keepClear), nCovered,
            std::abs(at.nX - want.nX) + std::abs(at.nY - want.nY)};
}
} // namespace

Point FirstWindowPosition(const FirstPlacement& p)
{
    const Point offset = p.offset.value_or(Point{0, 0});
    const Point want{p.ownerClient.nX + offset.nX, p.ownerClient.nY + offset.nY};
    std::vector<std::pair<int, int>> xSpans{{p.owner.nLeft, p.owner.nRight},
                                            {p.keepClear.nLeft, p.keepClear.nRight}};
    std::vector<std::pair<int, int>> ySpans{{p.owner.nTop, p.owner.nBottom},
                                            {p.keepClear.nTop, p.keepClear.nBottom}};
    for (const Rect& other : p.others) {
        xSpans.emplace_back(other.nLeft, other.nRight);
        ySpans.emplace_back(other.nTop, other.nBottom);
    }
    const std::vector<int> xs =
        AxisCandidates(want.nX, p.nWidth, p.screen.nLeft, p.screen.nRight, xSpans);
    const std::vector<int> ys =
        AxisCandidates(want.nY, p.nHeight, p.screen.nTop, p.screen.nBottom, ySpans);
    Point best{};
    std::optional<Cost> bestCost;
    for (const int x : xs) {
        for (const int y : ys) {
            const Point at{ClampAxis(x, p.screen.nLeft, p.screen.nRight, p.nWidth),
                           ClampAxis(y, p.screen.nTop, p.screen.nBottom, p.nHeight)};
            const Cost cost = CostAt(p, want, at);
            if (!bestCost || cost < *bestCost) {
                best = at;
                bestCost = cost;
            }
        }
    }
    return best;
}

Point KeepOnScreen(const Rect& window, const Rect& screen)
{
    return {ClampAxis(window.nLeft, screen.nLeft, screen.nRight, window.Width()),
            ClampAxis(window.nTop, screen.nTop, screen.nBottom, window.Height())};
}
