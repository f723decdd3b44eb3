#pragma once

#include "core/base/Geometry.h"

#include <array>
#include <optional>
#include <vector>

// Geometry of a skinned window frame: the bitmaps of a skin set, the metrics derived from them, the
// caption buttons, hit-testing, the caption text and the three-slice layout of the edges.
// Coordinates are window pixels from the window's top-left corner.

// Hit-test codes of the frame. The numbers are those of the Windows frame messages; the resize
// codes are 10 to 17.
enum class HitCode
{
    Nowhere = 0,
    Client = 1,
    Caption = 2,
    SysMenu = 3,
    MinButton = 8,
    MaxButton = 9,
    Left = 10,
    Right = 11,
    Top = 12,
    TopLeft = 13,
    TopRight = 14,
    Bottom = 15,
    BottomLeft = 16,
    BottomRight = 17,
    Close = 20,
};

constexpr bool IsResizeCode(HitCode code)
{
    return code >= HitCode::Left && code <= HitCode::BottomRight;
}

// The nine bitmaps of a skin set, in the loader's order.
enum class SkinPart
{
    Background,
    Title,
    Left,
    Right,
    Bottom,
    Minimise,
    Maximise,
    Close,
    Restore,
};
constexpr int SKIN_PART_COUNT = 9;
using SkinSet = std::array<int, SKIN_PART_COUNT>; // resource numbers, indexed by SkinPart
using SkinSizes = std::array<Size, SKIN_PART_COUNT>;

// Where a bitmap edge is cut into a fixed head [0, nHeadEnd), a repeated middle
// [nHeadEnd, nTailStart) and a fixed tail [nTailStart, nLength).
struct SliceBounds
{
    int nHeadEnd;
    int nTailStart;
    int nLength;
};
constexpr SliceBounds TITLE_SLICES{30, 120, 160};
constexpr SliceBounds SIDE_SLICES{30, 50, 66};
constexpr SliceBounds BOTTOM_SLICES{10, 60, 76};

// One copy of a slice: nLength pixels from nSource in the bitmap to nTarget along the edge.
struct SliceCopy
{
    int nSource;
    int nTarget;
    int nLength;
    bool operator==(const SliceCopy&) const = default;
};

struct FrameMetrics
{
    int nCaption;      // caption height: half the title bitmap
    int nLeft;         // left border: half the left bitmap's width
    int nRight;        // right border
    int nBottom;       // bottom border: half the bottom bitmap's height
    int nButtonWidth;  // a quarter of a button bitmap's width
    int nButtonHeight; // a button bitmap's height
    int nTitleWidth;   // the title bitmap's width
};

// Size of the small icon.
constexpr int SMALL_ICON_SIZE = 16;
// Space between two caption buttons.
constexpr int BUTTON_GAP = 2;
// Caption text left offset with and without an icon.
constexpr int TEXT_LEFT_WITH_ICON = 30;
constexpr int TEXT_LEFT_PLAIN = 6;

// The metrics of a skin whose bitmaps have these sizes; nothing when a bitmap is too small for
// its layout (a title bar narrower than its slices, a border of odd thickness, ...).
std::optional<FrameMetrics> DeriveMetrics(const SkinSizes& sizes);

// The window's frame style as it was when the skin attached.
struct FrameStyle
{
    bool bResizable = false;
    bool bMinimiseBox = false;
    bool bMaximiseBox = false;

    bool HasIcon() const { return bMinimiseBox || bMaximiseBox; }
};

enum class FrameButton
{
    Minimise,
    Maximise, // also the restore button, in the same place
    Close,
};

Rect ButtonRect(const FrameMetrics& m, FrameButton button, int nWindowWidth);
// The small icon at the left border, centred in the caption: where it is painted, where a click
// finds it and where assistive technology is told it is.
Rect IconRect(const FrameMetrics& m);
Rect ClientRect(const FrameMetrics& m, int nWindowWidth, int nWindowHeight);
// Buttons first (minimise and maximise only when the window had those boxes), then the icon,
// corners, side, bottom and top strips, the caption, and the client area.
HitCode HitTest(const FrameMetrics& m, const FrameStyle& style, int nWidth, int nHeight, int x,
                int y);

int CaptionTextLeft(const FrameStyle& style);
// May be empty (right not beyond left) in a narrow window.
Rect CaptionTextRect(const FrameMetrics& m, const FrameStyle& style, int nWindowWidth);

// The column of a button's bitmap: 0 normal, 1 pressed, 2 hot, 3 window inactive.
int ButtonStateIndex(bool bActive, HitCode button, HitCode hot, HitCode pressed);

// The window rectangle after the edge or corner nEdge of rcStart moved by (dx, dy), keeping the
// opposite edges in place and the size within [minSize, maxSize].
Rect ResizedRect(HitCode nEdge, const Rect& rcStart, int dx, int dy, Size minSize, Size maxSize);

// How many middle copies an edge of nEdgeLength pixels takes: enough to reach the tail, never
// negative. The last copy is clipped where the tail begins.
int MiddleSliceCount(const SliceBounds& bounds, int nEdgeLength);
// Head, middle copies and tail along an edge of nEdgeLength pixels. The tail always ends at the
// edge's end; on an edge shorter than head and tail together it overlaps the head, and both are
// clipped to the edge.
std::vector<SliceCopy> LayoutSlices(const SliceBounds& bounds, int nEdgeLength);
