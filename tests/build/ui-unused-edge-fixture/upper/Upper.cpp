#include "core/base/ColorRef.h"

int UpperValue() { return RedOf(MakeRgb(2, 0, 0)); }
