#pragma once

#include "core/skin/SkinTable.h"
#include "ui/base/Resources.h"

#include <QImage>
#include <QWidget>

#include <optional>

// The skin whose frame window shows, as a person sees it: a pixel of the window's bottom border
// matched against the same pixel of each skin's bottom border bitmap, in its active or inactive
// half. Nothing unless exactly one skin matches.
inline std::optional<Skin> SkinShown(QWidget& window)
{
    constexpr int BORDER = 6;  // the bottom border's height: half its bitmap's
    constexpr QPoint AT{5, 3}; // within the border's fixed head, from its top left
    const QImage shot = window.grab().toImage();
    const QColor shown = shot.pixelColor(AT.x(), shot.height() - BORDER + AT.y());
    std::optional<Skin> found;
    int nFound = 0;
    for (const SkinDescription& entry : SKINS) {
        const QImage bottom(SkinBitmapPath(entry.bitmaps[std::size_t(SkinPart::Bottom)]));
        for (int nHalf = 0; nHalf < 2; ++nHalf) {
            if (bottom.pixelColor(AT.x(), nHalf * BORDER + AT.y()) == shown) {
                found = entry.skin;
                ++nFound;
                break;
            }
        }
    }
    return nFound == 1 ? found : std::nullopt;
}
