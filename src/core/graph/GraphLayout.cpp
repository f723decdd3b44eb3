#include "core/graph/GraphLayout.h"

#include "core/graph/CurveTable.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr ColorRef BLACK = MakeRgb(0, 0, 0);
constexpr ColorRef WHITE = MakeRgb(255, 255, 255);
constexpr ColorRef SHADOW_DARK = MakeRgb(115, 109, 99);
constexpr ColorRef SHADOW = MakeRgb(156, 158, 165);
constexpr ColorRef LIGHT = MakeRgb(237, 239, 231);
constexpr ColorRef LEGEND_BACK = MakeRgb(240, 240, 240);
constexpr int BRIGHTEN = 48;
constexpr int MIN_LABEL_CHARS = 4;
constexpr int HALF_CHAR = 4; // half a character width: labels are centred by it
constexpr int TICK = 5;
constexpr int BLOCK_PITCH = 20;
constexpr int BLOCK_LEFT = 15;
constexpr int BLOCK_TOP = 15;
constexpr int FRAME_INSET = 10; // the plot area starts this far inside the client area
constexpr int LEGEND_GAP = 5;   // between the last colour block and the legend
constexpr CCurveTable::Label VERTICAL_LABELS[] = {CCurveTable::LABEL_TOP, CCurveTable::LABEL_MIDDLE,
                                                  CCurveTable::LABEL_BOTTOM};
// Rows beyond this are drawn clamped; nothing that far out of the plot is visible anyway.
constexpr double ROW_LIMIT = 32767.0;
// Sample positions beyond this lie far off every curve; clamping keeps them integers.
constexpr double SAMPLE_LIMIT = 1e15;
constexpr int MARKER_HALF = 3;   // the marker is a square of 7 pixels around the curve's point
constexpr int READOUT_INSET = 4; // the readout's distance from the axes' corner

// The sunken or raised look: one pixel of frame on the block's own outline.
void AddBevel(std::vector<GraphRect>& rects, const Rect& rc, ColorRef crTopLeft,
              ColorRef crBottomRight)
{
    const auto [l, t, r, b] = rc;
    rects.push_back(GraphRect{{l, t, r - 1, t + 1}, crTopLeft});
    rects.push_back(GraphRect{{l, t, l + 1, b - 1}, crTopLeft});
    rects.push_back(GraphRect{{r - 1, t, r, b}, crBottomRight});
    rects.push_back(GraphRect{{l, b - 1, r, b}, crBottomRight});
}

ColorRef Brighten(ColorRef cr)
{
    const auto channel = [](int n) { return std::min(n + BRIGHTEN, 255); };
    return MakeRgb(channel(RedOf(cr)), channel(GreenOf(cr)), channel(BlueOf(cr)));
}

int CharCount(const std::string& str) { return static_cast<int>(str.size()); }

void AddLabel(std::vector<GraphText>& texts, int x, int y, const std::string& strText)
{
    if (!strText.empty())
        texts.push_back(GraphText{{x, y}, strText, WHITE});
}
} // namespace

CGraphLayout::CGraphLayout(const CCurveTable& table, int nRight, int nBottom,
                           const TextWidth& textWidth, const ViewedCurves* pViewed)
    : m_table(table), m_pViewed(pViewed),
      m_view(pViewed != nullptr ? pViewed->view : GraphView::Home(table)), m_nRight(nRight),
      m_nBottom(nBottom)
{
    if (pViewed != nullptr) {
        m_strLabels = AxisLabels(m_view.x0, m_view.x1, m_view.y0, m_view.y1);
    } else {
        for (int i = 0; i < CCurveTable::LABEL_COUNT; ++i)
            m_strLabels[std::size_t(i)] = table.LabelText(CCurveTable::Label(i));
    }
    int nChars = MIN_LABEL_CHARS;
    for (CCurveTable::Label nLabel : VERTICAL_LABELS)
        nChars = std::max(nChars, CharCount(m_strLabels[nLabel]));
    m_nMargin = nChars * 8 + 20;
    if (textWidth) {
        // A label starts at margin/2 + 12 - 4 per character; its end must stay clear of the
        // ticks however wide the font draws it: ceil(margin/2) >= nNeed.
        for (CCurveTable::Label nLabel : VERTICAL_LABELS) {
            const std::string& strLabel = m_strLabels[nLabel];
            const int nNeed =
                12 - HALF_CHAR * CharCount(strLabel) + textWidth(strLabel) + TICK + LABEL_GAP;
            m_nMargin = std::max(m_nMargin, 2 * nNeed - 1);
        }
    }
    m_nWidth = nRight - m_nMargin - 30;
    m_nHeight = nBottom - 30 - PLOT_TOP;
}

GraphScene CGraphLayout::Scene(const GraphReadout* pReadout) const
{
    GraphScene scene;
    AddFrame(scene);
    AddAxes(scene);
    AddBlocks(scene);
    AddLegend(scene);
    for (int i = 0; i < CCurveTable::SLOT_COUNT; ++i) {
        for (GraphPolyline& line : Curve(i))
            scene.curves.push_back(std::move(line));
    }
    if (m_pViewed != nullptr)
        scene.plotClip = Rect{m_nMargin, PLOT_TOP, m_nMargin + std::max(m_nWidth, 0) + 1,
                              PLOT_TOP + std::max(m_nHeight, 0) + 1};
    if (pReadout != nullptr)
        AddReadout(scene, *pReadout);
    return scene;
}

void CGraphLayout::AddFrame(GraphScene& scene) const
{
    const int R = m_nRight;
    const int B = m_nBottom;
    const GraphRect rects[] = {
        {Rect::AtSize(10, 10, R - 20, B - 20), WHITE},
        {Rect::AtSize(10, 10, 1, B - 20), SHADOW_DARK},
        {Rect::AtSize(9, 10, 1, B - 18), SHADOW},
        {Rect::AtSize(10, B - 10, R - 20, 1), WHITE},
        {Rect::AtSize(9, B - 9, R - 18, 1), LIGHT},
        {Rect::AtSize(R - 9, 9, 1, B - 18), LIGHT},
        {Rect::AtSize(R - 10, 10, 1, B - 20), WHITE},
        {Rect::AtSize(9, 9, R - 18, 1), SHADOW},
        {Rect::AtSize(10, 10, R - 20, 1), SHADOW_DARK},
    };
    for (const GraphRect& rc : rects) {
        if (!rc.rect.IsEmpty())
            scene.frame.push_back(rc);
    }
}

void CGraphLayout::AddAxes(GraphScene& scene) const
{
    const int M = m_nMargin;
    const int W = m_nWidth;
    const int H = m_nHeight;
    const int nBottom = PLOT_TOP + H;
    const auto label = [this](CCurveTable::Label n) -> const std::string& {
        return m_strLabels[n];
    };
    const auto verticalX = [&](CCurveTable::Label n) {
        return M / 2 + 12 - HALF_CHAR * CharCount(label(n));
    };
    const auto horizontalX = [&](CCurveTable::Label n, int x) {
        return x - HALF_CHAR * CharCount(label(n));
    };

    scene.axes.push_back(GraphLine{{M, PLOT_TOP}, {M, nBottom}, BLACK});
    scene.axes.push_back(GraphLine{{M, nBottom}, {m_nRight - 20, nBottom}, BLACK});

    AddLabel(scene.labels, verticalX(CCurveTable::LABEL_TOP), PLOT_TOP - 7,
             label(CCurveTable::LABEL_TOP));
    scene.axes.push_back(GraphLine{{M - TICK, PLOT_TOP}, {M, PLOT_TOP}, BLACK});
    AddLabel(scene.labels, verticalX(CCurveTable::LABEL_MIDDLE), H / 2 + PLOT_TOP - 7,
             label(CCurveTable::LABEL_MIDDLE));
    scene.axes.push_back(GraphLine{{M - TICK, H / 2 + PLOT_TOP}, {M, H / 2 + PLOT_TOP}, BLACK});
    AddLabel(scene.labels, verticalX(CCurveTable::LABEL_BOTTOM), H + PLOT_TOP - 8,
             label(CCurveTable::LABEL_BOTTOM));
    scene.axes.push_back(GraphLine{{M - TICK, nBottom}, {M, nBottom}, BLACK});

    const int y = nBottom + 5;
    if (W > 100)
        AddLabel(scene.labels, horizontalX(CCurveTable::LABEL_LEFT, M + 3), y,
                 label(CCurveTable::LABEL_LEFT));
    if (W > 150)
        AddLabel(scene.labels, horizontalX(CCurveTable::LABEL_CENTRE, W / 2 + M + 3), y,
                 label(CCurveTable::LABEL_CENTRE));
    scene.axes.push_back(GraphLine{{W / 2 + M, nBottom}, {W / 2 + M, nBottom - TICK}, BLACK});
    if (W > 100)
        AddLabel(scene.labels, horizontalX(CCurveTable::LABEL_RIGHT, W + M + 2), y,
                 label(CCurveTable::LABEL_RIGHT));
    scene.axes.push_back(GraphLine{{W + M, nBottom}, {W + M, nBottom - TICK}, BLACK});
}

void CGraphLayout::AddBlocks(GraphScene& scene) const
{
    for (int i = 0; i < CCurveTable::SLOT_COUNT; ++i) {
        if (m_table.Slot(i).state != CurveState::Valid)
            continue;
        GraphRect rc = BlockRect(i);
        const bool bSelected = i == m_table.Selected();
        rc.color = bSelected ? CCurveTable::CurveColor(i) : Brighten(CCurveTable::CurveColor(i));
        scene.blocks.push_back(rc);
        if (bSelected)
            AddBevel(scene.blocks, rc.rect, BLACK, WHITE);
        else
            AddBevel(scene.blocks, rc.rect, WHITE, BLACK);
    }
}

void CGraphLayout::AddLegend(GraphScene& scene) const
{
    const int nSelected = m_table.Selected();
    const CurveSlot& slot = m_table.Slot(nSelected);
    if (slot.legend.empty() || slot.state != CurveState::Valid)
        return;
    const std::string strName = nSelected == 0 ? "fx" : "fx" + std::to_string(nSelected);
    // It stays inside the plot area, clear of the frame and of the colour blocks, however
    // narrow the window.
    int nBlocksEnd = FRAME_INSET;
    for (int i = 0; i < CCurveTable::SLOT_COUNT; ++i) {
        if (m_table.Slot(i).state == CurveState::Valid)
            nBlocksEnd = BlockRect(i).rect.nRight + LEGEND_GAP;
    }
    const int x = std::max(m_nWidth / 2 + 10, nBlocksEnd);
    const int nMaxWidth = m_nRight - FRAME_INSET - x;
    if (nMaxWidth <= 0)
        return;
    scene.legend =
        GraphText{{x, BLOCK_TOP}, "  " + strName + "  " + slot.legend, LEGEND_BACK, nMaxWidth};
}

std::optional<int> CGraphLayout::Row(double v) const
{
    const double dBottom = PLOT_TOP + m_nHeight;
    const double dRange = m_view.y1 - m_view.y0;
    // A constant curve (or an interval [0, 0]) has no height to scale: it runs along the middle.
    const double dRow =
        dRange == 0.0 ? PLOT_TOP + m_nHeight / 2 : dBottom - (v - m_view.y0) * (m_nHeight / dRange);
    if (std::isnan(dRow))
        return std::nullopt;
    return static_cast<int>(std::clamp(dRow, -ROW_LIMIT, ROW_LIMIT));
}

std::vector<GraphPolyline> CGraphLayout::Curve(int nSlot) const
{
    std::vector<GraphPolyline> lines;
    const CurveSlot& shown = m_table.Slot(nSlot);
    double from = 0.0;
    double to = 0.0;
    const CurveSlot* pSlot =
        shown.shown && shown.state == CurveState::Valid ? SamplesOf(nSlot, from, to) : nullptr;
    if (pSlot == nullptr || m_nWidth <= 1)
        return lines;
    const std::vector<double>& samples = pSlot->samples;
    const auto nCount = static_cast<long long>(samples.size());

    // Column c shows the samples from p = p0 + c * step on, while fewer than step are taken. At
    // home, and wherever samples were taken over the view itself, that is exactly 10000 / W
    // samples a column from the first one on.
    float step = float(CURVE_SAMPLES) / float(m_nWidth);
    float p = 0.0f;
    if (m_pViewed != nullptr && (from != m_view.x0 || to != m_view.x1)) {
        if (from == to)
            return lines;
        const double dPerX = double(nCount) / (to - from);
        step = float((m_view.x1 - m_view.x0) * dPerX / m_nWidth);
        p = float(std::clamp((m_view.x0 - from) * dPerX, -SAMPLE_LIMIT, SAMPLE_LIMIT));
    }
    GraphPolyline line{CCurveTable::CurveColor(nSlot), {}};
    const auto finish = [&] {
        if (line.points.size() > 1)
            lines.push_back(line);
        line.points.clear();
    };
    const auto s0 = static_cast<long long>(p);
    if (const auto y = s0 >= 0 && s0 < nCount ? Row(samples[std::size_t(s0)]) : std::nullopt)
        line.points.push_back({m_nMargin, *y});

    for (int c = 1; c < m_nWidth; ++c, p += step) {
        std::optional<int> lo;
        std::optional<int> hi;
        const auto s = static_cast<long long>(p);
        for (long long k = std::max(0LL, -s); float(k) < step && s + k < nCount; ++k) {
            const auto y = Row(samples[std::size_t(s + k)]);
            if (!y)
                continue;
            // Rows grow downward: the smallest value has the largest row.
            lo = lo ? std::max(*lo, *y) : *y;
            hi = hi ? std::min(*hi, *y) : *y;
        }
        if (!lo) {
            finish();
            continue;
        }
        line.points.push_back({m_nMargin + c, *lo});
        line.points.push_back({m_nMargin + c, *hi});
    }
    finish();
    return lines;
}

const CurveSlot* CGraphLayout::SamplesOf(int nSlot, double& from, double& to) const
{
    if (m_pViewed != nullptr && m_pViewed->pSamples != nullptr) {
        const ViewSamples& viewed = *m_pViewed->pSamples;
        const CurveSlot& slot = viewed.curves[std::size_t(nSlot)];
        if (slot.state == CurveState::Failed)
            return nullptr;
        if (slot.state == CurveState::Valid) {
            from = viewed.from;
            to = viewed.to;
            return &slot;
        }
    }
    const CurveSlot& slot = m_table.Slot(nSlot);
    from = slot.from;
    to = slot.to;
    return &slot;
}

bool CGraphLayout::InPlot(int x, int y) const
{
    return m_nWidth > 0 && m_nHeight > 0 && x >= m_nMargin && x <= m_nMargin + m_nWidth &&
           y >= PLOT_TOP && y <= PLOT_TOP + m_nHeight;
}

double CGraphLayout::XAt(int x) const
{
    if (m_nWidth <= 0)
        return m_view.x0;
    return m_view.x0 + (m_view.x1 - m_view.x0) * (x - m_nMargin) / m_nWidth;
}

double CGraphLayout::YAt(int y) const
{
    if (m_nHeight <= 0)
        return m_view.y0;
    return m_view.y0 + (m_view.y1 - m_view.y0) * (PLOT_TOP + m_nHeight - y) / m_nHeight;
}

void CGraphLayout::AddReadout(GraphScene& scene, const GraphReadout& readout) const
{
    const CurveSlot& slot = m_table.Slot(readout.nSlot);
    const std::optional<int> row = readout.value && slot.shown && slot.state == CurveState::Valid
                                       ? Row(*readout.value)
                                       : std::nullopt;
    if (row && *row >= PLOT_TOP && *row <= PLOT_TOP + m_nHeight) {
        const int l = readout.nColumn - MARKER_HALF;
        const int r = readout.nColumn + MARKER_HALF;
        const int t = *row - MARKER_HALF;
        const int b = *row + MARKER_HALF;
        scene.marker.push_back(GraphPolyline{CCurveTable::CurveColor(readout.nSlot),
                                             {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}}});
    }
    const int nMaxWidth = m_nWidth - 2 * READOUT_INSET;
    if (nMaxWidth > 0)
        scene.readout = GraphText{{m_nMargin + READOUT_INSET, PLOT_TOP + READOUT_INSET},
                                  readout.text,
                                  LEGEND_BACK,
                                  nMaxWidth};
}

GraphRect CGraphLayout::BlockRect(int nSlot)
{
    return {Rect::AtSize(nSlot * BLOCK_PITCH + BLOCK_LEFT, BLOCK_TOP, BLOCK_SIZE, BLOCK_SIZE),
            BLACK};
}

int CGraphLayout::BlockAt(const CCurveTable& table, int x, int y)
{
    if (y <= BLOCK_TOP || y >= BLOCK_TOP + BLOCK_SIZE)
        return -1;
    for (int i = 0; i < CCurveTable::SLOT_COUNT; ++i) {
        const int nLeft = i * BLOCK_PITCH + BLOCK_LEFT;
        if (nLeft < x && x < nLeft + BLOCK_SIZE && table.Slot(i).state == CurveState::Valid)
            return i;
    }
    return -1;
}
