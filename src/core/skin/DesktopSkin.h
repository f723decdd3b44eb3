#pragma once

#include "core/base/ColorRef.h"
#include "core/base/Skin.h"

#include <cstdint>
#include <optional>

// The desktop's colour scheme as the freedesktop settings portal gives it (namespace
// org.freedesktop.appearance, key color-scheme): 0 no preference, 1 prefer dark, 2 prefer light.
constexpr std::uint32_t COLOR_SCHEME_PREFER_DARK = 1;

// The drawn skin the frames wear for the chosen one. A drawn skin is itself; following the
// desktop gives night while the desktop prefers dark and the default skin otherwise, also when
// no portal answered (nullopt).
Skin FrameSkinFor(Skin chosen, std::optional<std::uint32_t> colorScheme);

// The colour a light-skin colour takes in a dark skin: its lightness turned over (white becomes
// near black, black near white), its hue and saturation kept.
ColorRef NightColor(ColorRef cr);

constexpr double MIN_TEXT_CONTRAST = 4.5;

// The console's pair offered with the night skin: light text on a dark background.
constexpr ColorRef NIGHT_CONSOLE_TEXT = MakeRgb(222, 228, 238);
constexpr ColorRef NIGHT_CONSOLE_BACK = MakeRgb(26, 30, 40);
