#pragma once

#include "core/skin/FrameGeometry.h"
#include "ui/frame/SkinBitmaps.h"

#include <QFont>
#include <QPixmap>
#include <QRegion>
#include <QString>

#include <array>
#include <memory>

class QPainter;

// What a caption shows besides the bitmaps of the skin.
struct CaptionLook
{
    FrameStyle style;
    bool bActive = false;
    HitCode hot = HitCode::Nowhere;
    HitCode pressed = HitCode::Nowhere;
    bool bMaximised = false;
    QPixmap icon; // the window's small icon, shown when the style has one
    QString strTitle;
};

// Paints a skinned frame from the bitmaps of one skin: borders, caption, caption buttons, icon and
// title, and the background of the client area. The pieces composed for one window size are kept
// until the size or the skin changes.
class CFramePainter
{
public:
    CFramePainter();

    // Nothing paints without a skin; the metrics stay those of the last one.
    void SetSkin(std::shared_ptr<const CSkinBitmaps> pSkin);
    const CSkinBitmaps* Skin() const { return m_pSkin.get(); }
    const FrameMetrics& Metrics() const { return m_metrics; }

    // Tiles the background over rcClient from its top-left corner; false without a skin.
    bool PaintBackground(QPainter& painter, const QRect& rcClient) const;
    // Paints the frame of a window of size and the background of its client area.
    void Paint(QPainter& painter, const QSize& size, const CaptionLook& look);
    // The shape of a window of size: the caption less its key-coloured corners, and all below.
    QRegion Mask(const QSize& size);

private:
    // The composed frame pieces of one window size in one activation state.
    struct FrameCache
    {
        QSize size;
        QPixmap caption; // side border heads and title bar, key colour made transparent
        QPixmap left;    // side borders below the caption
        QPixmap right;
        QPixmap bottom;
    };

    const FrameCache& Cache(const QSize& size, bool bActive);
    QPixmap ComposeCaption(const QSize& size, bool bActive, QRegion* pCaptionMask) const;
    QPixmap ComposeSide(SkinPart part, bool bActive, int nHeight) const;
    QPixmap ComposeBottom(bool bActive, int nWidth) const;
    void PaintCaptionParts(QPainter& painter, int nWidth, const CaptionLook& look);

    std::shared_ptr<const CSkinBitmaps> m_pSkin; // shared by every window's frame
    int m_nGeneration = 0; // counts skin changes, so caches know when they are stale
    FrameMetrics m_metrics{};
    std::array<FrameCache, 2> m_cache; // inactive, active
    int m_nCacheGeneration = -1;
    QRegion m_captionMask;
    int m_nMaskWidth = -1;
    QFont m_fontCaption;
    QString m_strElided;
    QString m_strElidedFrom;
    int m_nElidedWidth = -1;
};
