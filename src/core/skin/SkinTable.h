#pragma once

#include "core/base/Language.h"
#include "core/base/Skin.h"
#include "core/skin/FrameGeometry.h"

#include <array>

// What a skin is: the name the settings window lists it by and the nine bitmaps of its frame.
struct SkinDescription
{
    Skin skin;
    Text name;
    SkinSet bitmaps; // resource numbers, indexed by SkinPart
};

// Every skin, in the order of the settings window's list. src/res/make_bitmaps.py reads the
// bitmap numbers from here.
constexpr std::array<SkinDescription, 2> SKINS{{
    {Skin::Ocean, {"ocean", "海洋"}, {166, 196, 186, 194, 173, 190, 188, 184, 192}},
    {Skin::Gold, {"gold", "金黄"}, {166, 197, 187, 195, 183, 191, 189, 185, 193}},
}};

constexpr const SkinDescription& DescribeSkin(Skin skin)
{
    return SKINS[skin == Skin::Ocean ? 0 : 1];
}
