#pragma once

// The frame skins. Their values are the digits the settings record stores.
enum class Skin
{
    Ocean = 0, // blue
    Gold = 1,  // orange
};
