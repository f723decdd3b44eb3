#pragma once

class CCurveTable;

// The part of the plane the graph window shows: x from x0 (left) to x1 (right), y from y0
// (bottom) to y1 (top). Home is the curve table's interval with its vertical range.
struct GraphView
{
    double x0 = 0.0;
    double x1 = 0.0;
    double y0 = 0.0;
    double y1 = 0.0;

    static GraphView Home(const CCurveTable& table);

    // Width and height scaled by kx and ky (below 1 zooms in) about the point (x, y), which
    // keeps its place in the view. A view that would stop being drawable (a range collapsing
    // below the resolution of doubles, or not finite) is refused: the view stays as it is.
    GraphView Zoomed(double x, double y, double kx, double ky) const;
    // Moved by fx of its width to the right and fy of its height upward; refused like Zoomed.
    GraphView Panned(double fx, double fy) const;
    // The x range moved so that x lies at fraction fx of the width from the left, the width kept.
    GraphView WithXAt(double x, double fx) const;

    // Whether the ranges are finite and, where not empty, wide enough to tell their samples apart.
    bool IsDrawable() const;

    friend bool operator==(const GraphView&, const GraphView&) = default;
};
