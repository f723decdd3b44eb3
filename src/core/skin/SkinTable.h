#pragma once

#include "core/base/ColorRef.h"
#include "core/base/Language.h"
#include "core/base/Skin.h"
#include "core/skin/FrameGeometry.h"

#include <array>
#include <cstddef>

// What a drawn skin is: the name the settings window lists it by, the nine bitmaps of its frame
// and whether it is dark (the windows' texts and boxes then take light-on-dark colours).
struct SkinDescription
{
    Skin skin;
    Text name;
    SkinSet bitmaps; // resource numbers, indexed by SkinPart
    bool bDark;
};

// Every drawn skin, in the order of the settings window's list. src/res/make_bitmaps.py reads
// the bitmap numbers from here.
constexpr std::array<SkinDescription, 3> SKINS{{
    {Skin::Ocean, {"ocean", "海洋"}, {166, 196, 186, 194, 173, 190, 188, 184, 192}, false},
    {Skin::Gold, {"gold", "金黄"}, {166, 197, 187, 195, 183, 191, 189, 185, 193}, false},
    {Skin::Night, {"night", "夜色"}, {198, 199, 200, 201, 202, 203, 204, 205, 206}, true},
}};

// The frames' caption text, on the title bitmaps of every skin and in both halves.
constexpr ColorRef CAPTION_TEXT_COLOR = MakeRgb(255, 255, 255);

// The settings window's skin list: the drawn skins, then following the desktop.
struct SkinChoice
{
    Skin skin;
    Text name;
};
constexpr std::array<SkinChoice, 4> SKIN_CHOICES{{
    {SKINS[0].skin, SKINS[0].name},
    {SKINS[1].skin, SKINS[1].name},
    {SKINS[2].skin, SKINS[2].name},
    {Skin::FollowDesktop, {"follow the desktop", "跟随桌面"}},
}};

// A skin that is not drawn (following the desktop, or a value out of range) describes as the
// default skin; FrameSkinFor says which drawn skin to follow.
constexpr const SkinDescription& DescribeSkin(Skin skin)
{
    for (const SkinDescription& entry : SKINS)
        if (entry.skin == skin)
            return entry;
    return DescribeSkin(DEFAULT_SKIN);
}
