#include "core/graph/GraphView.h"

#include "core/graph/CurveTable.h"

#include <algorithm>
#include <cmath>

namespace
{
// A range narrower than this fraction of its largest end has fewer distinct doubles than a
// curve has samples.
constexpr double MIN_RELATIVE_WIDTH = 1e-9;
// Below this a range runs into subnormal numbers, whose steps are no longer even.
constexpr double MIN_WIDTH = 1e-280;
constexpr double MAX_WIDTH = 1e300;

bool IsDrawableRange(double from, double to)
{
    const double dWidth = std::abs(to - from);
    if (!std::isfinite(from) || !std::isfinite(to) || !(dWidth <= MAX_WIDTH))
        return false;
    return dWidth == 0.0 || (dWidth >= MIN_WIDTH &&
                             dWidth >= MIN_RELATIVE_WIDTH * std::max(std::abs(from), std::abs(to)));
}
} // namespace

GraphView GraphView::Home(const CCurveTable& table)
{
    return {table.A(), table.B(), table.Ymin(), table.Ymax()};
}

bool GraphView::IsDrawable() const { return IsDrawableRange(x0, x1) && IsDrawableRange(y0, y1); }

GraphView GraphView::Zoomed(double x, double y, double kx, double ky) const
{
    const GraphView view{x + (x0 - x) * kx, x + (x1 - x) * kx, y + (y0 - y) * ky,
                         y + (y1 - y) * ky};
    return view.IsDrawable() ? view : *this;
}

GraphView GraphView::Panned(double fx, double fy) const
{
    const double dx = (x1 - x0) * fx;
    const double dy = (y1 - y0) * fy;
    const GraphView view{x0 + dx, x1 + dx, y0 + dy, y1 + dy};
    return view.IsDrawable() ? view : *this;
}

GraphView GraphView::WithXAt(double x, double fx) const
{
    const double dWidth = x1 - x0;
    GraphView view = *this;
    view.x0 = x - fx * dWidth;
    view.x1 = view.x0 + dWidth;
    return view.IsDrawable() ? view : *this;
}
