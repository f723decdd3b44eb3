#pragma once

#include "core/base/ColorRef.h"
#include "core/base/Geometry.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CCurveTable;

// Painting primitives of the graph window, in client pixels. Text is black and drawn with its
// top-left corner at its point on an opaque background.
struct GraphRect
{
    Rect rect{};
    ColorRef color = 0;
};
struct GraphLine
{
    Point from{};
    Point to{};
    ColorRef color = 0;
};
struct GraphText
{
    Point at{};
    std::string text;
    ColorRef background = 0;
    int maxWidth = -1; // the painter cuts a longer text short (with an ellipsis); -1: no limit
};
struct GraphPolyline
{
    ColorRef color = 0;
    std::vector<Point> points;
};

// Everything the graph window paints, in painting order: frame and plot area, labels, axes and
// ticks, colour blocks, legend, curves (later ones cover earlier ones).
struct GraphScene
{
    std::vector<GraphRect> frame;
    std::vector<GraphText> labels;
    std::vector<GraphLine> axes;
    std::vector<GraphRect> blocks;
    std::optional<GraphText> legend;
    std::vector<GraphPolyline> curves;
};

// Where everything of the graph window goes for a client area of (0, 0) to (nRight, nBottom):
// frame, plot area, axes, labels, colour blocks, legend and curves, and which block a click hits.
class CGraphLayout
{
public:
    static constexpr int PLOT_TOP = 40;
    static constexpr int BLOCK_SIZE = 15;
    // Room between a vertical label and the ticks left of the axis.
    static constexpr int LABEL_GAP = 2;

    // Width in pixels of a text as the window draws it.
    using TextWidth = std::function<int(const std::string&)>;

    // With textWidth the margin also grows until every vertical label ends LABEL_GAP pixels
    // before the ticks; without it, a label is taken as 8 pixels a character.
    CGraphLayout(const CCurveTable& table, int nRight, int nBottom,
                 const TextWidth& textWidth = {});

    int Margin() const { return m_nMargin; }
    int PlotWidth() const { return m_nWidth; }
    int PlotHeight() const { return m_nHeight; }

    GraphScene Scene() const;

    // The pixel row of value v; none for NaN. A zero-height range puts every value on the middle row.
    std::optional<int> Row(double v) const;
    // The curve of a slot as drawn: per pixel column a segment from the smallest to the largest
    // sample that falls into it, joined column to column. Columns of NaN samples only break it.
    std::vector<GraphPolyline> Curve(int nSlot) const;

    static GraphRect BlockRect(int nSlot);
    // The valid slot whose colour block holds (x, y), or -1.
    static int BlockAt(const CCurveTable& table, int x, int y);

private:
    void AddFrame(GraphScene& scene) const;
    void AddAxes(GraphScene& scene) const;
    void AddBlocks(GraphScene& scene) const;
    void AddLegend(GraphScene& scene) const;

    const CCurveTable& m_table;
    int m_nRight;
    int m_nBottom;
    int m_nMargin;
    int m_nWidth;
    int m_nHeight;
};
