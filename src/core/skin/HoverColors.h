#pragma once

#include <array>
#include <vector>

// Colours and geometry of the owner-drawn push button: a 64-step face gradient whose tint
// follows the hover and active states, an edge frame of four coloured pens, and the caption
// position. Rectangles are in button pixels with exclusive right and bottom edges.
struct HoverRgb
{
    int nRed;
    int nGreen;
    int nBlue;
    bool operator==(const HoverRgb&) const = default;
};

struct HoverRect
{
    int nLeft;
    int nTop;
    int nRight;
    int nBottom;
    int Width() const { return nRight - nLeft; }
    int Height() const { return nBottom - nTop; }
};

// One horizontal run of the face: columns nLeft to nRight - 1 of row nY in gradient colour nIndex.
struct HoverFaceRow
{
    int nY;
    int nLeft;
    int nRight;
    int nIndex;
};

// One edge line from (nX1, nY1) to (nX2, nY2), drawn with a pen of nWidth pixels.
struct HoverEdgeLine
{
    int nX1;
    int nY1;
    int nX2;
    int nY2;
    int nWidth;
    HoverRgb colour;
};

struct HoverPoint
{
    int nX;
    int nY;
    bool operator==(const HoverPoint&) const = default;
};

constexpr int HOVER_FACE_STEPS = 64;
constexpr int HOVER_EDGE_SIZE = 2; // the button's sunken-edge size, shrunk off every side

HoverRgb HoverFaceColor(bool bHover, bool bActive, int nIndex);
HoverRect HoverShrink(const HoverRect& item);
// The face covers the shrunk rectangle and the row just below it, darkening downwards.
std::vector<HoverFaceRow> HoverFaceRows(const HoverRect& face);
// Left, right, top and bottom edges: the blue focus pens or the orange hover pens.
std::array<HoverEdgeLine, 4> HoverEdgeLines(const HoverRect& face, bool bFocusPens);
HoverPoint HoverCaptionOrigin(const HoverRect& face, int nTextWidth, int nTextHeight,
                              bool bPressed);
