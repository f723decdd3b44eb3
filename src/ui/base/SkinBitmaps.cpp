#include "ui/base/SkinBitmaps.h"

#include "core/skin/SkinTable.h"
#include "ui/base/Resources.h"

#include <QWidget>

namespace
{
constexpr std::array<SkinPart, 4> BUTTON_PARTS{SkinPart::Minimise, SkinPart::Maximise,
                                               SkinPart::Close, SkinPart::Restore};

std::size_t ButtonIndex(SkinPart part)
{
    for (std::size_t i = 0; i < BUTTON_PARTS.size(); ++i)
        if (BUTTON_PARTS[i] == part)
            return i;
    return 0;
}
} // namespace

std::shared_ptr<const CSkinBitmaps> CSkinBitmaps::Load(Skin skin)
{
    const SkinDescription& description = DescribeSkin(skin);
    return Load(description.bitmaps, description.bDark);
}

std::shared_ptr<const CSkinBitmaps> CSkinBitmaps::Load(const SkinSet& set, bool bDark)
{
    InitPelmorixResources();
    std::array<QPixmap, SKIN_PART_COUNT> bitmaps;
    SkinSizes sizes{};
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        bitmaps[i] = QPixmap(SkinBitmapPath(set[i]));
        sizes[i] = {bitmaps[i].width(), bitmaps[i].height()};
    }
    const std::optional<FrameMetrics> metrics = DeriveMetrics(sizes);
    if (!metrics)
        return nullptr;
    auto pSkin = std::make_shared<CSkinBitmaps>();
    pSkin->m_metrics = *metrics;
    pSkin->m_bDark = bDark;
    pSkin->Split(bitmaps);
    return pSkin;
}

const QPixmap& CSkinBitmaps::Side(SkinPart part, bool bActive) const
{
    return part == SkinPart::Left ? m_sideLeft[Half(bActive)] : m_sideRight[Half(bActive)];
}

const QPixmap& CSkinBitmaps::Button(SkinPart part, int nState) const
{
    return m_buttonStates[ButtonIndex(part)][std::size_t(nState)];
}

void CSkinBitmaps::Split(const std::array<QPixmap, SKIN_PART_COUNT>& bitmaps)
{
    const FrameMetrics& m = m_metrics;
    auto bitmap = [&bitmaps](SkinPart part) -> const QPixmap& {
        return bitmaps[std::size_t(part)];
    };
    m_background = bitmap(SkinPart::Background);
    const QPixmap& title = bitmap(SkinPart::Title);
    const QPixmap& left = bitmap(SkinPart::Left);
    const QPixmap& right = bitmap(SkinPart::Right);
    const QPixmap& bottom = bitmap(SkinPart::Bottom);
    for (int nHalf = 0; nHalf < 2; ++nHalf) {
        // The active half is the top or left one.
        const std::size_t nIndex = Half(nHalf == 0);
        m_title[nIndex] = title.copy(0, nHalf * m.nCaption, title.width(), m.nCaption);
        m_sideLeft[nIndex] = left.copy(nHalf * m.nLeft, 0, m.nLeft, left.height());
        m_sideRight[nIndex] = right.copy(nHalf * m.nRight, 0, m.nRight, right.height());
        m_bottom[nIndex] = bottom.copy(0, nHalf * m.nBottom, bottom.width(), m.nBottom);
    }
    for (std::size_t b = 0; b < BUTTON_PARTS.size(); ++b)
        for (int nState = 0; nState < 4; ++nState)
            m_buttonStates[b][std::size_t(nState)] =
                bitmap(BUTTON_PARTS[b])
                    .copy(nState * m.nButtonWidth, 0, m.nButtonWidth, m.nButtonHeight);
}

namespace
{
// A control with a style sheet keeps the palette it had when it was polished, whatever its
// window takes later: it is given the window's.
void RepolishStyleSheets(QWidget& window)
{
    for (QWidget* pChild : window.findChildren<QWidget*>())
        if (!pChild->styleSheet().isEmpty())
            pChild->setPalette(window.palette());
}
} // namespace

void DressWindow(QWidget& window, const CSkinBitmaps* pSkin)
{
    if (pSkin == nullptr || !pSkin->IsDark()) {
        window.setPalette(QPalette()); // the application's own palette again
        RepolishStyleSheets(window);
        return;
    }
    const QColor text(226, 230, 238);
    const QColor back(31, 35, 45);
    QPalette palette = window.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, back);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Base, QColor(22, 25, 33));
        palette.setColor(group, QPalette::AlternateBase, QColor(34, 38, 49));
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::PlaceholderText, QColor(160, 166, 180));
        palette.setColor(group, QPalette::Button, QColor(58, 65, 83));
        palette.setColor(group, QPalette::ButtonText, QColor(236, 239, 245));
        palette.setColor(group, QPalette::BrightText, Qt::white);
        palette.setColor(group, QPalette::Light, QColor(92, 102, 126));
        palette.setColor(group, QPalette::Midlight, QColor(74, 82, 102));
        palette.setColor(group, QPalette::Mid, QColor(46, 51, 65));
        palette.setColor(group, QPalette::Dark, QColor(16, 18, 24));
        palette.setColor(group, QPalette::Shadow, QColor(6, 7, 10));
        palette.setColor(group, QPalette::Highlight, QColor(64, 104, 168));
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
        palette.setColor(group, QPalette::Link, QColor(140, 182, 255));
        palette.setColor(group, QPalette::LinkVisited, QColor(190, 160, 255));
    }
    // Disabled texts are dimmed but stay readable on the dark boxes.
    palette.setColor(QPalette::Disabled, QPalette::Window, back);
    palette.setColor(QPalette::Disabled, QPalette::Base, back);
    palette.setColor(QPalette::Disabled, QPalette::Button, QColor(46, 51, 65));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(142, 148, 162));
    palette.setColor(QPalette::Disabled, QPalette::Light, QColor(40, 45, 58));
    window.setPalette(palette);
    RepolishStyleSheets(window);
}
