#pragma once

// The skin choices. Their values are the digits the settings record stores.
enum class Skin
{
    Ocean = 0, // blue
    Gold = 1,  // orange
    Night = 2, // dark
    // Night while the desktop prefers dark, the default skin otherwise.
    FollowDesktop = 3,
};

// The skin of a first start, and of a record whose skin digit is none of the above.
constexpr Skin DEFAULT_SKIN = Skin::Gold;
