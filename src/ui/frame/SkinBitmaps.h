#pragma once

#include "core/base/Skin.h"
#include "core/skin/FrameGeometry.h"

#include <QPixmap>

#include <array>
#include <memory>

class QWidget;

// The nine bitmaps of one skin, loaded once and cut into the pieces a frame paints: the active
// and inactive halves of the title bar and the borders, and the four states of each caption
// button. The main window loads a set whenever the skin is applied, and every window's frame
// paints from that same set.
class CSkinBitmaps
{
public:
    // Nothing when a bitmap is missing or does not fit its layout.
    static std::shared_ptr<const CSkinBitmaps> Load(Skin skin);
    static std::shared_ptr<const CSkinBitmaps> Load(const SkinSet& set, bool bDark = false);

    const FrameMetrics& Metrics() const { return m_metrics; }
    // A dark skin: the windows take light texts on dark boxes (DressWindow).
    bool IsDark() const { return m_bDark; }
    const QPixmap& Background() const { return m_background; }
    // Active: the top half of the title and bottom bitmaps, the left half of the side ones.
    const QPixmap& Title(bool bActive) const { return m_title[Half(bActive)]; }
    // part is SkinPart::Left or SkinPart::Right.
    const QPixmap& Side(SkinPart part, bool bActive) const;
    const QPixmap& Bottom(bool bActive) const { return m_bottom[Half(bActive)]; }
    // part is one of the four button parts; nState a column of ButtonStateIndex.
    const QPixmap& Button(SkinPart part, int nState) const;

private:
    static std::size_t Half(bool bActive) { return bActive ? 1 : 0; }
    void Split(const std::array<QPixmap, SKIN_PART_COUNT>& bitmaps);

    FrameMetrics m_metrics{};
    bool m_bDark = false;
    QPixmap m_background;
    std::array<QPixmap, 2> m_title; // inactive, active
    std::array<QPixmap, 2> m_sideLeft;
    std::array<QPixmap, 2> m_sideRight;
    std::array<QPixmap, 2> m_bottom;
    std::array<std::array<QPixmap, 4>, 4> m_buttonStates; // minimise, maximise, close, restore
};

// Gives a window and its controls the palette of the skin: a dark one for a dark skin, the
// application's own otherwise. Edit boxes keep the colours the user chose for them.
void DressWindow(QWidget& window, const CSkinBitmaps* pSkin);
