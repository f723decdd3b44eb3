#pragma once

#include "core/base/ColorRef.h"
#include "core/console/ConsoleSyntax.h"

#include <array>

// The least contrast every derived colour keeps against the background (WCAG 2 ratio).
inline constexpr double MIN_CONTRAST = 4.5;

// The colours of the console's token kinds, indexed by TokenKind, and of the value shown while a
// line is typed. Each is derived from the user's text and background colours: a hue of its own
// at the text colour's lightness, made lighter or darker until it keeps MIN_CONTRAST against
// the background. Plain text and operators keep the text colour where it is readable itself.
struct ConsolePalette
{
    std::array<ColorRef, TOKEN_KIND_COUNT> kinds{};
    ColorRef preview = 0;

    ColorRef Of(TokenKind kind) const { return kinds[std::size_t(kind)]; }
};

ConsolePalette DeriveConsolePalette(ColorRef crText, ColorRef crBack);

// wanted, or the nearest colour of its hue and saturation (changing only lightness) that keeps
// nRatio against crBack; black or white when no lightness does.
ColorRef Readable(ColorRef wanted, ColorRef crBack, double nRatio = MIN_CONTRAST);
