#include "core/skin/HoverColors.h"

#include <algorithm>

namespace
{
// Divisors of i for red, green and blue, by hover and active state; 1 also means "255 - i".
struct FaceTint
{
    int nRed;
    int nGreen;
    int nBlue;
};

constexpr FaceTint TINT_HOVER_ACTIVE{4, 4, 3};
constexpr FaceTint TINT_HOVER{4, 4, 5};
constexpr FaceTint TINT_ACTIVE{3, 3, 4};
constexpr FaceTint TINT_IDLE{1, 1, 1};

// The dark face's top colour, idle and under the pointer; it darkens downwards by half the light
// face's steps.
constexpr HoverRgb DARK_FACE{66, 74, 94};
constexpr HoverRgb DARK_FACE_HOVER{88, 100, 128};

struct EdgePen
{
    int nWidth;
    HoverRgb colour;
};

// left, right, top, bottom
constexpr std::array<EdgePen, 4> HOVER_PENS{
    {{3, {250, 196, 88}}, {3, {251, 202, 106}}, {2, {252, 210, 121}}, {2, {229, 151, 0}}}};
constexpr std::array<EdgePen, 4> FOCUS_PENS{
    {{3, {153, 198, 252}}, {3, {162, 189, 252}}, {2, {162, 201, 255}}, {2, {162, 201, 255}}}};

// Gradient index of row nY: y * 63 / H, never beyond the last colour. A face without height
// (a button only a few pixels high) takes the last colour instead of dividing by zero.
int FaceIndex(int nY, int nHeight)
{
    if (nHeight <= 0)
        return HOVER_FACE_STEPS - 1;
    return std::clamp(nY * (HOVER_FACE_STEPS - 1) / nHeight, 0, HOVER_FACE_STEPS - 1);
}
} // namespace

HoverRgb HoverFaceColor(bool bHover, bool bActive, int nIndex, bool bDark)
{
    const int i = std::clamp(nIndex, 0, HOVER_FACE_STEPS - 1);
    const FaceTint& tint =
        bHover ? (bActive ? TINT_HOVER_ACTIVE : TINT_HOVER) : (bActive ? TINT_ACTIVE : TINT_IDLE);
    if (bDark) {
        const HoverRgb& top = bHover ? DARK_FACE_HOVER : DARK_FACE;
        return {top.nRed - i / (2 * tint.nRed), top.nGreen - i / (2 * tint.nGreen),
                top.nBlue - i / (2 * tint.nBlue)};
    }
    return {255 - i / tint.nRed, 255 - i / tint.nGreen, 255 - i / tint.nBlue};
}

Rect HoverShrink(const Rect& item)
{
    return {item.nLeft + HOVER_EDGE_SIZE, item.nTop + HOVER_EDGE_SIZE,
            item.nRight - HOVER_EDGE_SIZE, item.nBottom - HOVER_EDGE_SIZE};
}

std::vector<HoverFaceRow> HoverFaceRows(const Rect& face)
{
    // The rows run from the top to H + 2 and the columns to W + 2, measured from the item's
    // corner: with the usual edge size that is the shrunk rectangle and one row below it.
    const int nHeight = face.Height();
    const int nLastRow = nHeight + HOVER_EDGE_SIZE;
    const int nRight = face.Width() + HOVER_EDGE_SIZE;
    std::vector<HoverFaceRow> rows;
    for (int y = face.nTop; y <= nLastRow; ++y)
        rows.push_back({y, face.nLeft, nRight, FaceIndex(y, nHeight)});
    return rows;
}

std::array<HoverEdgeLine, 4> HoverEdgeLines(const Rect& face, bool bFocusPens)
{
    const std::array<EdgePen, 4>& pens = bFocusPens ? FOCUS_PENS : HOVER_PENS;
    const auto [l, t, r, b] = face;
    return {{
        {{l, b - 1}, {l, t + 1}, pens[0].nWidth, pens[0].colour},
        {{r - 1, b - 1}, {r - 1, t}, pens[1].nWidth, pens[1].colour},
        {{l - 1, t}, {r - 1, t}, pens[2].nWidth, pens[2].colour},
        {{l, b}, {r - 1, b}, pens[3].nWidth, pens[3].colour},
    }};
}

Point HoverCaptionOrigin(const Rect& face, int nTextWidth, int nTextHeight, bool bPressed)
{
    const int nShift = bPressed ? 1 : 0;
    return {face.nLeft + face.Width() / 2 - nTextWidth / 2 + nShift,
            face.nTop + face.Height() / 2 - nTextHeight / 2 + nShift};
}
