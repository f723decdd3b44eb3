#include "ui/frame/FramePainter.h"

#include "core/skin/SkinTable.h"
#include "ui/base/QtColor.h"
#include "ui/base/QtGeometry.h"

#include <QPainter>

#include <vector>

namespace
{
constexpr QRgb KEY_COLOUR = 0xFFFF00FF; // magenta: caption pixels cut from the window
constexpr int CAPTION_FONT_PIXELS = 13;
const QColor CAPTION_TEXT = ToQColor(CAPTION_TEXT_COLOR);
const QColor CAPTION_SHADOW(0, 0, 0, 110);

// Copies the slices of an edge of nLength pixels from src, laid out along the edge starting at
// origin, leaving out what falls outside [nFrom, nTo) of the edge; that part starts at origin.
void DrawEdge(QPainter& painter, const QPixmap& src, const SliceBounds& bounds, int nLength,
              Qt::Orientation orientation, int nFrom, int nTo)
{
    const bool bVertical = orientation == Qt::Vertical;
    for (const SliceCopy& copy : LayoutSlices(bounds, nLength)) {
        if (copy.nLength <= 0 || copy.nTarget >= nTo || copy.nTarget + copy.nLength <= nFrom)
            continue;
        const int nAt = copy.nTarget - nFrom;
        if (bVertical)
            painter.drawPixmap(QRect(0, nAt, src.width(), copy.nLength), src,
                               QRect(0, copy.nSource, src.width(), copy.nLength));
        else
            painter.drawPixmap(QRect(nAt, 0, copy.nLength, src.height()), src,
                               QRect(copy.nSource, 0, copy.nLength, src.height()));
    }
}

// Makes the key colour transparent and collects, row by row, the runs of other pixels.
std::vector<QRect> CutKeyColour(QImage& image)
{
    std::vector<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        auto* pRow = reinterpret_cast<QRgb*>(image.scanLine(y));
        int nRunStart = -1;
        for (int x = 0; x <= image.width(); ++x) {
            const bool bKey = x == image.width() || pRow[x] == KEY_COLOUR;
            if (bKey && x < image.width())
                pRow[x] = 0;
            if (!bKey && nRunStart < 0)
                nRunStart = x;
            if (bKey && nRunStart >= 0) {
                runs.emplace_back(nRunStart, y, x - nRunStart, 1);
                nRunStart = -1;
            }
        }
    }
    return runs;
}
} // namespace

CFramePainter::CFramePainter()
{
    m_fontCaption = QFont(QStringLiteral("Sans Serif"));
    m_fontCaption.setStyleHint(QFont::SansSerif);
    m_fontCaption.setBold(true);
    m_fontCaption.setPixelSize(CAPTION_FONT_PIXELS);
}

void CFramePainter::SetSkin(std::shared_ptr<const CSkinBitmaps> pSkin)
{
    m_pSkin = std::move(pSkin);
    if (m_pSkin != nullptr) {
        m_metrics = m_pSkin->Metrics();
        ++m_nGeneration;
    }
}

bool CFramePainter::PaintBackground(QPainter& painter, const QRect& rcClient) const
{
    if (m_pSkin == nullptr || m_pSkin->Background().isNull())
        return false;
    painter.drawTiledPixmap(rcClient, m_pSkin->Background());
    return true;
}

void CFramePainter::Paint(QPainter& painter, const QSize& size, const CaptionLook& look)
{
    if (m_pSkin == nullptr)
        return;
    const FrameCache& cache = Cache(size, look.bActive);
    painter.drawPixmap(0, m_metrics.nCaption, cache.left);
    painter.drawPixmap(size.width() - m_metrics.nRight, m_metrics.nCaption, cache.right);
    painter.drawPixmap(0, size.height() - m_metrics.nBottom, cache.bottom);
    painter.drawPixmap(0, 0, cache.caption);
    PaintCaptionParts(painter, size.width(), look);
    PaintBackground(painter, ToQRect(ClientRect(m_metrics, size.width(), size.height())));
}

QRegion CFramePainter::Mask(const QSize& size)
{
    if (m_nCacheGeneration != m_nGeneration || m_nMaskWidth != size.width())
        Cache(size, true);
    QRegion region = m_captionMask;
    region += QRect(0, m_metrics.nCaption, size.width(), size.height() - m_metrics.nCaption);
    return region;
}

const CFramePainter::FrameCache& CFramePainter::Cache(const QSize& size, bool bActive)
{
    if (m_nCacheGeneration != m_nGeneration) {
        m_cache = {};
        m_nCacheGeneration = m_nGeneration;
        m_nMaskWidth = -1;
    }
    FrameCache& cache = m_cache[bActive ? 1 : 0];
    if (cache.size == size)
        return cache;
    if (cache.size.width() != size.width()) {
        QRegion* pMask = bActive ? &m_captionMask : nullptr;
        cache.caption = ComposeCaption(size, bActive, pMask);
        cache.bottom = ComposeBottom(bActive, size.width());
        if (bActive)
            m_nMaskWidth = size.width();
    }
    cache.left = ComposeSide(SkinPart::Left, bActive, size.height());
    cache.right = ComposeSide(SkinPart::Right, bActive, size.height());
    cache.size = size;
    return cache;
}

QPixmap CFramePainter::ComposeCaption(const QSize& size, bool bActive, QRegion* pCaptionMask) const
{
    const FrameMetrics& m = m_metrics;
    const int nWidth = size.width();
    const int nHeight = size.height();
    QImage image(std::max(1, nWidth), m.nCaption, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        DrawEdge(painter, m_pSkin->Side(SkinPart::Left, bActive), SIDE_SLICES, nHeight,
                 Qt::Vertical, 0, m.nCaption);
        painter.translate(nWidth - m.nRight, 0);
        DrawEdge(painter, m_pSkin->Side(SkinPart::Right, bActive), SIDE_SLICES, nHeight,
                 Qt::Vertical, 0, m.nCaption);
        painter.resetTransform();
        painter.translate(m.nLeft, 0);
        const int nTitleLength = nWidth - m.nLeft - m.nRight;
        DrawEdge(painter, m_pSkin->Title(bActive), TITLE_SLICES, nTitleLength, Qt::Horizontal, 0,
                 nTitleLength);
    }
    const std::vector<QRect> runs = CutKeyColour(image);
    if (pCaptionMask != nullptr) {
        QRegion mask;
        mask.setRects(runs.data(), int(runs.size()));
        *pCaptionMask = mask;
    }
    return QPixmap::fromImage(image);
}

QPixmap CFramePainter::ComposeSide(SkinPart part, bool bActive, int nHeight) const
{
    const QPixmap& src = m_pSkin->Side(part, bActive);
    const int nLength = std::max(1, nHeight - m_metrics.nCaption);
    QPixmap side(src.width(), nLength);
    side.fill(Qt::transparent);
    QPainter painter(&side);
    DrawEdge(painter, src, SIDE_SLICES, nHeight, Qt::Vertical, m_metrics.nCaption, nHeight);
    return side;
}

QPixmap CFramePainter::ComposeBottom(bool bActive, int nWidth) const
{
    const QPixmap& src = m_pSkin->Bottom(bActive);
    QPixmap bottom(std::max(1, nWidth), src.height());
    bottom.fill(Qt::transparent);
    QPainter painter(&bottom);
    DrawEdge(painter, src, BOTTOM_SLICES, nWidth, Qt::Horizontal, 0, nWidth);
    return bottom;
}

void CFramePainter::PaintCaptionParts(QPainter& painter, int nWidth, const CaptionLook& look)
{
    auto drawButton = [&](FrameButton button, HitCode code, SkinPart bitmap) {
        const int nState = ButtonStateIndex(look.bActive, code, look.hot, look.pressed);
        painter.drawPixmap(ToQRect(ButtonRect(m_metrics, button, nWidth)).topLeft(),
                           m_pSkin->Button(bitmap, nState));
    };
    drawButton(FrameButton::Close, HitCode::Close, SkinPart::Close);
    if (look.style.bMaximiseBox)
        drawButton(FrameButton::Maximise, HitCode::MaxButton,
                   look.bMaximised ? SkinPart::Restore : SkinPart::Maximise);
    if (look.style.bMinimiseBox)
        drawButton(FrameButton::Minimise, HitCode::MinButton, SkinPart::Minimise);
    if (look.style.HasIcon())
        painter.drawPixmap(ToQRect(IconRect(m_metrics)).topLeft(), look.icon);
    const QRect rcText = ToQRect(CaptionTextRect(m_metrics, look.style, nWidth));
    painter.setFont(m_fontCaption);
    if (look.strTitle != m_strElidedFrom || rcText.width() != m_nElidedWidth) {
        m_strElided =
            painter.fontMetrics().elidedText(look.strTitle, Qt::ElideRight, rcText.width());
        m_strElidedFrom = look.strTitle;
        m_nElidedWidth = rcText.width();
    }
    constexpr int nAlign = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter.setPen(CAPTION_SHADOW);
    painter.drawText(rcText.translated(1, 1), nAlign, m_strElided);
    painter.setPen(CAPTION_TEXT);
    painter.drawText(rcText, nAlign, m_strElided);
}
