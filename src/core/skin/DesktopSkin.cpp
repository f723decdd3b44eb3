#include "core/skin/DesktopSkin.h"

#include <algorithm>
#include <cmath>

namespace
{
// Night lightness stays within this band, so the darkest colour is not pure black and the
// lightest not pure white.
constexpr double NIGHT_DARKEST = 0.1;
constexpr double NIGHT_SPAN = 0.8;

} // namespace

Skin FrameSkinFor(Skin chosen, std::optional<std::uint32_t> colorScheme)
{
    switch (chosen) {
    case Skin::Ocean:
    case Skin::Gold:
    case Skin::Night:
        return chosen;
    case Skin::FollowDesktop:
        return colorScheme == COLOR_SCHEME_PREFER_DARK ? Skin::Night : DEFAULT_SKIN;
    }
    return DEFAULT_SKIN;
}

ColorRef NightColor(ColorRef cr)
{
    // Moving every channel by the same amount keeps hue and chroma and moves the HSL lightness
    // (the mean of the largest and smallest channel) by that amount.
    const int r = RedOf(cr), g = GreenOf(cr), b = BlueOf(cr);
    const double lightness = (std::max({r, g, b}) + std::min({r, g, b})) / 2.0 / 255.0;
    const double night = NIGHT_DARKEST + NIGHT_SPAN * (1.0 - lightness);
    const int nShift = int(std::lround((night - lightness) * 255.0));
    const auto moved = [nShift](int c) { return std::clamp(c + nShift, 0, 255); };
    return MakeRgb(moved(r), moved(g), moved(b));
}
