#include "ui/base/SkinBitmaps.h"

#include "core/skin/SkinTable.h"
#include "ui/base/Resources.h"

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
    return Load(DescribeSkin(skin).bitmaps);
}

std::shared_ptr<const CSkinBitmaps> CSkinBitmaps::Load(const SkinSet& set)
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
