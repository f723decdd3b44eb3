#include "core/console/ConsoleColors.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr ColorRef BLACK = MakeRgb(0, 0, 0);
constexpr ColorRef WHITE = MakeRgb(255, 255, 255);
// A little above the minimum, so rounding to 8-bit channels never falls below it.
constexpr double MARGIN = 0.1;

struct Hsl
{
    double h; // degrees
    double s; // 0..1
    double l; // 0..1
};

Hsl ToHsl(ColorRef cr)
{
    const double r = RedOf(cr) / 255.0, g = GreenOf(cr) / 255.0, b = BlueOf(cr) / 255.0;
    const double dMax = std::max({r, g, b}), dMin = std::min({r, g, b});
    Hsl hsl{0, 0, (dMax + dMin) / 2};
    const double d = dMax - dMin;
    if (d <= 0)
        return hsl;
    hsl.s = d / (1 - std::abs(2 * hsl.l - 1));
    if (dMax == r)
        hsl.h = 60 * std::fmod((g - b) / d + 6, 6);
    else if (dMax == g)
        hsl.h = 60 * ((b - r) / d + 2);
    else
        hsl.h = 60 * ((r - g) / d + 4);
    return hsl;
}

ColorRef FromHsl(Hsl hsl)
{
    const double c = (1 - std::abs(2 * hsl.l - 1)) * hsl.s;
    const double x = c * (1 - std::abs(std::fmod(hsl.h / 60, 2) - 1));
    const double m = hsl.l - c / 2;
    const int nSector = int(hsl.h / 60) % 6;
    const double rgb[6][3] = {{c, x, 0}, {x, c, 0}, {0, c, x}, {0, x, c}, {x, 0, c}, {c, 0, x}};
    const auto channel = [&](int i) { return int(std::lround((rgb[nSector][i] + m) * 255)); };
    return MakeRgb(channel(0), channel(1), channel(2));
}

// The lightness nearest hsl's own, searched in one direction, that reaches nRatio.
bool Search(Hsl hsl, ColorRef crBack, double nRatio, double dStep, ColorRef& found)
{
    for (double l = hsl.l; l >= 0 && l <= 1; l += dStep) {
        const ColorRef cr = FromHsl({hsl.h, hsl.s, l});
        if (ContrastRatio(cr, crBack) >= nRatio) {
            found = cr;
            return true;
        }
    }
    return false;
}

// Hues of the kinds, in degrees, and how far each moves from the text colour's own hue; a
// shift of 0 keeps the text colour.
struct KindHue
{
    TokenKind kind;
    double dHue;
    double dSaturation;
};

constexpr KindHue KIND_HUES[] = {
    {TokenKind::Number, 200, 0.85},  {TokenKind::Function, 280, 0.7},
    {TokenKind::Variable, 165, 0.8}, {TokenKind::Unknown, 25, 0.9},
    {TokenKind::Comment, 90, 0.15},  {TokenKind::Keyword, 320, 0.75},
    {TokenKind::Result, 130, 0.75},  {TokenKind::Error, 0, 0.85},
};
} // namespace

ColorRef Readable(ColorRef wanted, ColorRef crBack, double nRatio)
{
    if (ContrastRatio(wanted, crBack) >= nRatio)
        return wanted;
    const Hsl hsl = ToHsl(wanted);
    // Away from the background first: darker on a light one, lighter on a dark one.
    const double dAway = RelativeLuminance(crBack) > 0.18 ? -0.01 : 0.01;
    ColorRef found = 0;
    if (Search(hsl, crBack, nRatio, dAway, found) || Search(hsl, crBack, nRatio, -dAway, found))
        return found;
    return ContrastRatio(BLACK, crBack) >= ContrastRatio(WHITE, crBack) ? BLACK : WHITE;
}

ConsolePalette DeriveConsolePalette(ColorRef crText, ColorRef crBack)
{
    const double nRatio = MIN_CONTRAST + MARGIN;
    ConsolePalette palette;
    const ColorRef crPlain = Readable(crText, crBack, nRatio);
    palette.kinds.fill(crPlain);
    const Hsl text = ToHsl(crPlain);
    // The hues keep the text colour's lightness, within a band where hues stay visible.
    const double dLightness = std::clamp(text.l, 0.25, 0.75);
    for (const KindHue& kind : KIND_HUES)
        palette.kinds[std::size_t(kind.kind)] =
            Readable(FromHsl({kind.dHue, kind.dSaturation, dLightness}), crBack, nRatio);
    palette.preview = palette.Of(TokenKind::Comment);
    return palette;
}
