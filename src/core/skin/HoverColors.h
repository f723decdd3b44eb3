#pragma once

#include "core/base/Geometry.h"

#include <array>
#include <vector>

// Colours and geometry of the owner-drawn push button: a 64-step face gradient whose tint
// follows the hover and active states, an edge frame of four coloured pens, and the caption
// position, in button pixels.
struct HoverRgb
{
    int nRed;
    int nGreen;
    int nBlue;
    bool operator==(const HoverRgb&) const = default;
};

// One horizontal run of the face: columns nLeft to nRight - 1 of row nY in gradient colour nIndex.
struct HoverFaceRow
{
    int nY;
    int nLeft;
    int nRight;
    int nIndex;
};

// One edge line, drawn with a pen of nWidth pixels.
struct HoverEdgeLine
{
    Point from;
    Point to;
    int nWidth;
    HoverRgb colour;
};

constexpr int HOVER_FACE_STEPS = 64;
constexpr int HOVER_EDGE_SIZE = 2; // the button's sunken-edge size, shrunk off every side

// On a dark skin (bDark) the face is slate, lighter under the pointer, for light captions.
HoverRgb HoverFaceColor(bool bHover, bool bActive, int nIndex, bool bDark = false);
Rect HoverShrink(const Rect& item);
// The face covers the shrunk rectangle and the row just below it, darkening downwards.
std::vector<HoverFaceRow> HoverFaceRows(const Rect& face);
// Left, right, top and bottom edges: the blue focus pens or the orange hover pens.
std::array<HoverEdgeLine, 4> HoverEdgeLines(const Rect& face, bool bFocusPens);
Point HoverCaptionOrigin(const Rect& face, int nTextWidth, int nTextHeight, bool bPressed);
