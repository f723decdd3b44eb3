#include "ui/room/Painter.h"

#include "ui/room/Frame.h"

int PainterValue() { return 1; }
