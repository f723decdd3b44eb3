#pragma once

#include "core/base/Language.h"

// What every auxiliary window shares: title in both languages, place and size in pixels (the
// place is measured from the main window's client origin; a negative one opens the window
// beside the main window), whether it takes part in the transparency setting, and whether the
// user can size it. The size is the client area's; the frame adds its borders around it.
struct AuxWindowLook
{
    Text title;
    int nX;
    int nY;
    int nWidth;
    int nHeight;
    bool bTransparent;
    bool bResizable = false;
};

namespace aux
{
inline constexpr AuxWindowLook GRAPH{{"Graphics", "图像"}, 300, 300, 496, 424, true, true};
inline constexpr AuxWindowLook KEYBOARD{{"Keyboard", "键盘"}, 800, 60, 255, 252, true};
inline constexpr AuxWindowLook HELP{{"Help", "帮助"}, 100, 100, 420, 508, true};
inline constexpr AuxWindowLook SETTINGS{{"Setting", "设置"}, 500, 500, 350, 276, false};
inline constexpr AuxWindowLook VARIABLE_LIST{{"Var List", "变量表"}, 600, 460, 210, 284, true};
inline constexpr AuxWindowLook UNIT_CONVERTER{
    {"Unit Converter", "单位转换"}, -1, -1, 418, 168, true};
inline constexpr AuxWindowLook LONG_NUMBER{
    {"Long Number Calculator", "长数计算"}, -1, -1, 422, 578, true};
} // namespace aux
