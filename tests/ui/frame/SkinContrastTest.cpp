#include "core/skin/DesktopSkin.h"
#include "core/skin/HoverColors.h"
#include "core/skin/SkinTable.h"
#include "ui/base/QtColor.h"
#include "ui/frame/SkinBitmaps.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>

namespace
{
// The lowest contrast of ink against the pixels of image in rc; 21 for no pixel.
double LowestContrast(ColorRef ink, const QImage& image, const QRect& rc, std::string* pWhere)
{
    double lowest = 21.0;
    for (int y = rc.top(); y <= rc.bottom(); ++y)
        for (int x = rc.left(); x <= rc.right(); ++x) {
            const double ratio = ContrastRatio(ink, ToColorRef(image.pixelColor(x, y)));
            if (ratio < lowest) {
                lowest = ratio;
                *pWhere = std::to_string(x) + "," + std::to_string(y);
            }
        }
    return lowest;
}

void ExpectReadable(ColorRef ink, const QImage& image, const QRect& rc, const char* pszWhat)
{
    std::string strWhere;
    EXPECT_GE(LowestContrast(ink, image, rc, &strWhere), MIN_TEXT_CONTRAST)
        << pszWhat << " at pixel " << strWhere;
}

// A button state's glyph is its lightest colour; its background, the face within the edge ring.
void ExpectGlyphReadable(const QPixmap& state, const char* pszWhat)
{
    const QImage image = state.toImage();
    QColor glyph(Qt::black);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() > glyph.lightness())
                glyph = image.pixelColor(x, y);
    QImage face = image;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (face.pixelColor(x, y) == glyph)
                face.setPixelColor(x, y, Qt::black); // no contrast to judge under the glyph
    ExpectReadable(ToColorRef(glyph), face, image.rect().adjusted(2, 2, -2, -2), pszWhat);
}
} // namespace

// The texts of every skin against what the skin draws behind them: the caption text on the
// title bitmaps, the labels on the background tile, the boxes' and buttons' texts on their
// backgrounds; on a dark skin also the caption buttons' glyphs on their faces.
TEST(SkinContrast, EveryTextIsReadableOnWhatItsSkinDraws)
{
    for (const SkinDescription& entry : SKINS) {
        SCOPED_TRACE(entry.name.en);
        const std::shared_ptr<const CSkinBitmaps> pSkin = CSkinBitmaps::Load(entry.skin);
        ASSERT_NE(pSkin, nullptr);
        for (bool bActive : {true, false}) {
            const QImage title = pSkin->Title(bActive).toImage();
            // Between the outline and the rule, clear of the cut corners.
            ExpectReadable(CAPTION_TEXT_COLOR, title, QRect(8, 1, title.width() - 16, 20),
                           bActive ? "active caption" : "inactive caption");
        }
        QWidget window;
        DressWindow(window, pSkin.get());
        const QPalette& palette = window.palette();
        ExpectReadable(ToColorRef(palette.color(QPalette::WindowText)),
                       pSkin->Background().toImage(), pSkin->Background().rect(), "label");
        EXPECT_GE(ContrastRatio(ToColorRef(palette.color(QPalette::Text)),
                                ToColorRef(palette.color(QPalette::Base))),
                  MIN_TEXT_CONTRAST);
        const ColorRef crButtonText = ToColorRef(palette.color(QPalette::ButtonText));
        for (bool bHover : {false, true})
            for (bool bActive : {false, true})
                for (int i = 0; i < HOVER_FACE_STEPS; ++i) {
                    const HoverRgb face = HoverFaceColor(bHover, bActive, i, entry.bDark);
                    EXPECT_GE(
                        ContrastRatio(crButtonText, MakeRgb(face.nRed, face.nGreen, face.nBlue)),
                        MIN_TEXT_CONTRAST)
                        << "button face " << i;
                }
        if (!entry.bDark)
            continue;
        for (SkinPart part :
             {SkinPart::Minimise, SkinPart::Maximise, SkinPart::Close, SkinPart::Restore})
            for (int nState = 0; nState < 4; ++nState) {
                SCOPED_TRACE(nState);
                ExpectGlyphReadable(pSkin->Button(part, nState), "caption button");
            }
    }
}
