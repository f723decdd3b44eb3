#pragma once

#include "core/base/ColorRef.h"
#include "core/base/Geometry.h"
#include "core/graph/CurveTable.h"
#include "core/graph/GraphView.h"
#include "core/graph/ViewSampler.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Painting primitives of the graph window, in client pixels. Text is black and drawn with its
// top-left corner at its point on an opaque background.
struct GraphRect
{
    Rect rect{};
    ColorRef color = 0;

    friend bool operator==(const GraphRect&, const GraphRect&) = default;
};
struct GraphLine
{
    Point from{};
    Point to{};
    ColorRef color = 0;

    friend bool operator==(const GraphLine&, const GraphLine&) = default;
};
struct GraphText
{
    Point at{};
    std::string text;
    ColorRef background = 0;
    int maxWidth = -1; // the painter cuts a longer text short (with an ellipsis); -1: no limit

    friend bool operator==(const GraphText&, const GraphText&) = default;
};
struct GraphPolyline
{
    ColorRef color = 0;
    std::vector<Point> points;

    friend bool operator==(const GraphPolyline&, const GraphPolyline&) = default;
};

// Everything the graph window paints, in painting order: frame and plot area, labels, axes and
// ticks, colour blocks, legend, curves (later ones cover earlier ones), then what is read off the
// plot at the pointer: the marker on the selected curve and the readout.
struct GraphScene
{
    std::vector<GraphRect> frame;
    std::vector<GraphText> labels;
    std::vector<GraphLine> axes;
    std::vector<GraphRect> blocks;
    std::optional<GraphText> legend;
    std::vector<GraphPolyline> curves;
    std::vector<GraphPolyline> marker;
    std::optional<GraphText> readout;
    // Away from home curves run beyond the plot: they and the marker are cut to this.
    std::optional<Rect> plotClip;

    friend bool operator==(const GraphScene&, const GraphScene&) = default;
};

// What the window shows away from home: the view, and the curves last sampled for a view (over
// their own x range, which may still be an earlier view's; null before any is done).
struct ViewedCurves
{
    GraphView view;
    std::shared_ptr<const ViewSamples> pSamples;
};

// What is read off the plot at the pointer's pixel column: the text, and the selected curve's
// value there when it has one.
struct GraphReadout
{
    int nColumn = 0;
    std::string text;
    int nSlot = 0;
    std::optional<double> value;
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
    // before the ticks; without it, a label is taken as 8 pixels a character. Without pViewed the
    // layout shows the home view: the table's labels, range and samples.
    CGraphLayout(const CCurveTable& table, int nRight, int nBottom, const TextWidth& textWidth = {},
                 const ViewedCurves* pViewed = nullptr);

    int Margin() const { return m_nMargin; }
    int PlotWidth() const { return m_nWidth; }
    int PlotHeight() const { return m_nHeight; }
    const GraphView& View() const { return m_view; }
    const std::string& LabelText(CCurveTable::Label nLabel) const { return m_strLabels[nLabel]; }

    GraphScene Scene(const GraphReadout* pReadout = nullptr) const;

    // Whether (x, y) lies on the plot, axes included.
    bool InPlot(int x, int y) const;
    // The view's abscissa of pixel column x and ordinate of pixel row y (its ends at the axes).
    double XAt(int x) const;
    double YAt(int y) const;

    // The pixel row of value v; none for NaN. A zero-height range puts every value on the middle row.
    std::optional<int> Row(double v) const;
    // The curve of a slot as drawn: per pixel column a segment from the smallest to the largest
    // sample that falls into it, joined column to column. Columns of NaN samples only break it.
    // Away from home the samples are the view's where it has them for the slot, else the
    // table's, each placed by the x range it was taken over.
    std::vector<GraphPolyline> Curve(int nSlot) const;

    static GraphRect BlockRect(int nSlot);
    // The valid slot whose colour block holds (x, y), or -1.
    static int BlockAt(const CCurveTable& table, int x, int y);

private:
    void AddFrame(GraphScene& scene) const;
    void AddAxes(GraphScene& scene) const;
    void AddBlocks(GraphScene& scene) const;
    void AddLegend(GraphScene& scene) const;
    void AddReadout(GraphScene& scene, const GraphReadout& readout) const;
    // The samples to draw for a shown valid slot and the x range they were taken over; null
    // when the view's sampling failed for it.
    const CurveSlot* SamplesOf(int nSlot, double& from, double& to) const;

    const CCurveTable& m_table;
    const ViewedCurves* m_pViewed;
    GraphView m_view;
    std::array<std::string, CCurveTable::LABEL_COUNT> m_strLabels;
    int m_nRight;
    int m_nBottom;
    int m_nMargin;
    int m_nWidth;
    int m_nHeight;
};
