#include "core/skin/Opacity.h"

#include <algorithm>

int OpacityAlpha(int nPercent)
{
    const int nClamped = std::clamp(nPercent, 0, OPACITY_OPAQUE_PERCENT);
    return nClamped * OPACITY_OPAQUE_ALPHA / OPACITY_OPAQUE_PERCENT;
}
