#include "ui/frame/SkinBitmaps.h"

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
struct RoleColour
{
    QPalette::ColorRole role;
    QRgb rgb;
};
constexpr QRgb DARK_TEXT = qRgb(226, 230, 238);
constexpr QRgb DARK_BACK = qRgb(31, 35, 45);
constexpr QRgb DARK_DIMMED = qRgb(142, 148, 162);
constexpr QRgb WHITE = qRgb(255, 255, 255);
// The dark palette of the active and inactive windows.
constexpr std::array<RoleColour, 18> DARK_COLOURS{{
    {QPalette::Window, DARK_BACK},
    {QPalette::WindowText, DARK_TEXT},
    {QPalette::Base, qRgb(22, 25, 33)},
    {QPalette::AlternateBase, qRgb(34, 38, 49)},
    {QPalette::Text, DARK_TEXT},
    {QPalette::PlaceholderText, qRgb(160, 166, 180)},
    {QPalette::Button, qRgb(58, 65, 83)},
    {QPalette::ButtonText, qRgb(236, 239, 245)},
    {QPalette::BrightText, WHITE},
    {QPalette::Light, qRgb(92, 102, 126)},
    {QPalette::Midlight, qRgb(74, 82, 102)},
    {QPalette::Mid, qRgb(46, 51, 65)},
    {QPalette::Dark, qRgb(16, 18, 24)},
    {QPalette::Shadow, qRgb(6, 7, 10)},
    {QPalette::Highlight, qRgb(64, 104, 168)},
    {QPalette::HighlightedText, WHITE},
    {QPalette::Link, qRgb(140, 182, 255)},
    {QPalette::LinkVisited, qRgb(190, 160, 255)},
}};
// Disabled texts are dimmed but stay readable on the dark boxes.
constexpr std::array<RoleColour, 7> DARK_DISABLED_COLOURS{{
    {QPalette::Window, DARK_BACK},
    {QPalette::Base, DARK_BACK},
    {QPalette::Button, qRgb(46, 51, 65)},
    {QPalette::WindowText, DARK_DIMMED},
    {QPalette::Text, DARK_DIMMED},
    {QPalette::ButtonText, DARK_DIMMED},
    {QPalette::Light, qRgb(40, 45, 58)},
}};

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
    QPalette palette = window.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (const RoleColour& entry : DARK_COLOURS)
            palette.setColor(group, entry.role, QColor::fromRgb(entry.rgb));
    for (const RoleColour& entry : DARK_DISABLED_COLOURS)
        palette.setColor(QPalette::Disabled, entry.role, QColor::fromRgb(entry.rgb));
    window.setPalette(palette);
    RepolishStyleSheets(window);
}
