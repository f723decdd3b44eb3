#pragma once

#include "core/base/Geometry.h"

#include <QRect>
#include <QSize>

// The frame's rectangles between the core's geometry and Qt's.
inline QRect ToQRect(const Rect& rc) { return {rc.nLeft, rc.nTop, rc.Width(), rc.Height()}; }

inline Rect ToRect(const QRect& rc)
{
    return {rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
}

inline Size ToSize(const QSize& size) { return {size.width(), size.height()}; }
