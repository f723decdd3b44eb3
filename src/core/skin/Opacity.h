#pragma once

constexpr int OPACITY_OPAQUE_PERCENT = 100;
constexpr int OPACITY_OPAQUE_ALPHA = 255;

// The window alpha (0..255) for an opacity percent, in integer arithmetic: 50 gives 127, 1
// gives 2. A percent above 100 counts as 100 and one below 0 as 0.
int OpacityAlpha(int nPercent);
