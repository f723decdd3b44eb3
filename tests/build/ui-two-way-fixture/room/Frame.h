#pragma once

#include "ui/room/Painter.h"

inline int FrameValue() { return PainterValue() + 1; }
