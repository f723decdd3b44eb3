#include "core/skin/FrameGeometry.h"

#include <algorithm>

namespace
{
constexpr int CAPTION_TOP = 5; // the caption strip starts here, below the top edge

Size SizeOf(const SkinSizes& sizes, SkinPart part) { return sizes[std::size_t(part)]; }

bool FitsSlices(int nLength, const SliceBounds& bounds) { return nLength >= bounds.nLength; }

bool IsEvenAndPositive(int n) { return n > 0 && n % 2 == 0; }

// The corner a point lies in, by the widths of the side borders and the heights of the caption
// and the bottom border; Nowhere when it lies in none.
HitCode CornerAt(const FrameMetrics& m, int nWidth, int nHeight, int x, int y)
{
    const bool bLeft = x < m.nLeft;
    const bool bRight = x >= nWidth - m.nRight;
    if (y < m.nCaption && bLeft)
        return HitCode::TopLeft;
    if (y < m.nCaption && bRight)
        return HitCode::TopRight;
    if (y >= nHeight - m.nBottom && bLeft)
        return HitCode::BottomLeft;
    if (y >= nHeight - m.nBottom && bRight)
        return HitCode::BottomRight;
    return HitCode::Nowhere;
}

HitCode StripAt(const FrameMetrics& m, int nWidth, int nHeight, int x, int y)
{
    if (x < m.nLeft)
        return HitCode::Left;
    if (x >= nWidth - m.nRight)
        return HitCode::Right;
    if (y >= nHeight - m.nBottom)
        return HitCode::Bottom;
    if (y < m.nBottom)
        return HitCode::Top;
    if (y >= CAPTION_TOP && y < m.nCaption)
        return HitCode::Caption;
    return HitCode::Nowhere;
}

// Clips a copy to the edge [0, nEdgeLength); an empty result has length 0.
SliceCopy ClipToEdge(SliceCopy copy, int nEdgeLength)
{
    if (copy.nTarget < 0) {
        copy.nSource -= copy.nTarget;
        copy.nLength += copy.nTarget;
        copy.nTarget = 0;
    }
    copy.nLength = std::clamp(copy.nLength, 0, std::max(0, nEdgeLength - copy.nTarget));
    return copy;
}
} // namespace

std::optional<FrameMetrics> DeriveMetrics(const SkinSizes& sizes)
{
    const Size title = SizeOf(sizes, SkinPart::Title);
    const Size left = SizeOf(sizes, SkinPart::Left);
    const Size right = SizeOf(sizes, SkinPart::Right);
    const Size bottom = SizeOf(sizes, SkinPart::Bottom);
    const Size tile = SizeOf(sizes, SkinPart::Background);
    if (!IsEvenAndPositive(title.nHeight) || !IsEvenAndPositive(left.nWidth) ||
        !IsEvenAndPositive(right.nWidth) || !IsEvenAndPositive(bottom.nHeight))
        return std::nullopt;
    if (!FitsSlices(title.nWidth, TITLE_SLICES) || !FitsSlices(left.nHeight, SIDE_SLICES) ||
        !FitsSlices(right.nHeight, SIDE_SLICES) || !FitsSlices(bottom.nWidth, BOTTOM_SLICES))
        return std::nullopt;
    if (tile.nWidth <= 0 || tile.nHeight <= 0)
        return std::nullopt;
    const Size button = SizeOf(sizes, SkinPart::Close);
    for (SkinPart part : {SkinPart::Minimise, SkinPart::Maximise, SkinPart::Restore}) {
        const Size other = SizeOf(sizes, part);
        if (other.nWidth != button.nWidth || other.nHeight != button.nHeight)
            return std::nullopt;
    }
    const FrameMetrics m{title.nHeight / 2, left.nWidth / 2, right.nWidth / 2, bottom.nHeight / 2,
                         button.nWidth / 4, button.nHeight,  title.nWidth};
    if (m.nButtonWidth <= 0 || m.nButtonHeight <= 0 || m.nButtonHeight > m.nCaption)
        return std::nullopt;
    return m;
}

Rect ButtonRect(const FrameMetrics& m, FrameButton button, int nWindowWidth)
{
    const int nSlot = button == FrameButton::Close ? 0 : button == FrameButton::Maximise ? 1 : 2;
    const int nRight = nWindowWidth - m.nRight - nSlot * (m.nButtonWidth + BUTTON_GAP);
    const int nTop = (m.nCaption - m.nButtonHeight) / 2;
    return {nRight - m.nButtonWidth, nTop, nRight, nTop + m.nButtonHeight};
}

Rect IconRect(const FrameMetrics& m)
{
    const int nTop = (m.nCaption - SMALL_ICON_SIZE) / 2;
    return {m.nLeft, nTop, m.nLeft + SMALL_ICON_SIZE, nTop + SMALL_ICON_SIZE};
}

Rect ClientRect(const FrameMetrics& m, int nWindowWidth, int nWindowHeight)
{
    return {m.nLeft, m.nCaption, std::max(m.nLeft, nWindowWidth - m.nRight),
            std::max(m.nCaption, nWindowHeight - m.nBottom)};
}

HitCode HitTest(const FrameMetrics& m, const FrameStyle& style, int nWidth, int nHeight, int x,
                int y)
{
    if (ButtonRect(m, FrameButton::Close, nWidth).Contains(x, y))
        return HitCode::Close;
    if (style.bMinimiseBox && ButtonRect(m, FrameButton::Minimise, nWidth).Contains(x, y))
        return HitCode::MinButton;
    if (style.bMaximiseBox && ButtonRect(m, FrameButton::Maximise, nWidth).Contains(x, y))
        return HitCode::MaxButton;
    if (IconRect(m).Contains(x, y))
        return HitCode::SysMenu;
    if (const HitCode corner = CornerAt(m, nWidth, nHeight, x, y); corner != HitCode::Nowhere)
        return corner;
    if (const HitCode strip = StripAt(m, nWidth, nHeight, x, y); strip != HitCode::Nowhere)
        return strip;
    return HitCode::Client;
}

int CaptionTextLeft(const FrameStyle& style)
{
    return style.HasIcon() ? TEXT_LEFT_WITH_ICON : TEXT_LEFT_PLAIN;
}

Rect CaptionTextRect(const FrameMetrics& m, const FrameStyle& style, int nWindowWidth)
{
    // The text ends where the title bitmap's last 40 columns, the button area, begin.
    const int nLeft = CaptionTextLeft(style);
    const int nRight = nWindowWidth + TITLE_SLICES.nTailStart - m.nTitleWidth;
    return {nLeft, 0, std::max(nLeft, nRight), m.nCaption};
}

int ButtonStateIndex(bool bActive, HitCode button, HitCode hot, HitCode pressed)
{
    if (!bActive)
        return 3;
    if (button == pressed)
        return 1;
    if (button == hot)
        return 2;
    return 0;
}

Rect ResizedRect(HitCode nEdge, const Rect& rcStart, int dx, int dy, Size minSize, Size maxSize)
{
    const bool bLeft =
        nEdge == HitCode::Left || nEdge == HitCode::TopLeft || nEdge == HitCode::BottomLeft;
    const bool bRight =
        nEdge == HitCode::Right || nEdge == HitCode::TopRight || nEdge == HitCode::BottomRight;
    const bool bTop =
        nEdge == HitCode::Top || nEdge == HitCode::TopLeft || nEdge == HitCode::TopRight;
    const bool bBottom =
        nEdge == HitCode::Bottom || nEdge == HitCode::BottomLeft || nEdge == HitCode::BottomRight;
    Rect rc = rcStart;
    if (bLeft)
        rc.nLeft =
            rcStart.nRight - std::clamp(rcStart.Width() - dx, minSize.nWidth, maxSize.nWidth);
    if (bRight)
        rc.nRight =
            rcStart.nLeft + std::clamp(rcStart.Width() + dx, minSize.nWidth, maxSize.nWidth);
    if (bTop)
        rc.nTop =
            rcStart.nBottom - std::clamp(rcStart.Height() - dy, minSize.nHeight, maxSize.nHeight);
    if (bBottom)
        rc.nBottom =
            rcStart.nTop + std::clamp(rcStart.Height() + dy, minSize.nHeight, maxSize.nHeight);
    return rc;
}

int MiddleSliceCount(const SliceBounds& bounds, int nEdgeLength)
{
    const int nMiddle = bounds.nTailStart - bounds.nHeadEnd;
    const int nSpan = nEdgeLength - bounds.nHeadEnd - (bounds.nLength - bounds.nTailStart);
    if (nMiddle <= 0 || nSpan <= 0)
        return 0;
    return (nSpan + nMiddle - 1) / nMiddle;
}

std::vector<SliceCopy> LayoutSlices(const SliceBounds& bounds, int nEdgeLength)
{
    std::vector<SliceCopy> copies;
    if (nEdgeLength <= 0)
        return copies;
    const int nMiddle = bounds.nTailStart - bounds.nHeadEnd;
    const int nTailLength = bounds.nLength - bounds.nTailStart;
    const int nTailTarget = nEdgeLength - nTailLength;
    copies.push_back(ClipToEdge({0, 0, bounds.nHeadEnd}, nEdgeLength));
    const int nCount = MiddleSliceCount(bounds, nEdgeLength);
    for (int i = 0; i < nCount; ++i) {
        const int nTarget = bounds.nHeadEnd + i * nMiddle;
        copies.push_back({bounds.nHeadEnd, nTarget, std::min(nMiddle, nTailTarget - nTarget)});
    }
    copies.push_back(ClipToEdge({bounds.nTailStart, nTailTarget, nTailLength}, nEdgeLength));
    return copies;
}
