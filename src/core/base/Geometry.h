#pragma once

// Pixel geometry shared by the window rules: positions, sizes and rectangles in whatever pixel
// space the caller works in (screen, window or client). A rectangle's right and bottom edges are
// exclusive, so a rectangle from (0, 0) to (w, h) covers w x h pixels.
struct Point
{
    int nX;
    int nY;
    bool operator==(const Point&) const = default;
};

struct Size
{
    int nWidth;
    int nHeight;
    bool operator==(const Size&) const = default;
};

struct Rect
{
    int nLeft;
    int nTop;
    int nRight;
    int nBottom;

    // The rectangle of nWidth x nHeight pixels whose top-left corner is (nX, nY).
    static constexpr Rect AtSize(int nX, int nY, int nWidth, int nHeight)
    {
        return {nX, nY, nX + nWidth, nY + nHeight};
    }

    constexpr int Width() const { return nRight - nLeft; }
    constexpr int Height() const { return nBottom - nTop; }
    constexpr bool IsEmpty() const { return nRight <= nLeft || nBottom <= nTop; }
    constexpr bool Contains(int x, int y) const
    {
        return x >= nLeft && x < nRight && y >= nTop && y < nBottom;
    }
    bool operator==(const Rect&) const = default;
};
