#pragma once

#include "core/base/Geometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// The core's pixel geometry as Qt's and back. Both cover the same pixels: Qt keeps a rectangle's
// size, the core its exclusive right and bottom edges.
inline QRect ToQRect(const Rect& rc) { return {rc.nLeft, rc.nTop, rc.Width(), rc.Height()}; }
inline Rect ToRect(const QRect& rc)
{
    return Rect::AtSize(rc.x(), rc.y(), rc.width(), rc.height());
}
inline QPoint ToQPoint(const Point& pt) { return {pt.nX, pt.nY}; }
inline Point ToPoint(const QPoint& pt) { return {pt.x(), pt.y()}; }
inline Size ToSize(const QSize& size) { return {size.width(), size.height()}; }
