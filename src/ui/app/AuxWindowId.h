#pragma once

#include "core/base/Language.h"

#include <array>
#include <cstddef>

// The seven auxiliary windows, in the order the main window creates them.
enum class AuxId
{
    Graph,
    Keyboard,
    Help,
    Settings,
    VariableList,
    UnitConverter,
    LongNumber,
};

constexpr std::size_t AUX_COUNT = 7;

constexpr std::size_t Index(AuxId id) { return std::size_t(id); }

// The orders in which the main window hands its settings on.
constexpr std::array<AuxId, AUX_COUNT> AUX_RELABEL_ORDER{
    AuxId::Graph,         AuxId::Keyboard, AuxId::Help,      AuxId::VariableList,
    AuxId::UnitConverter, AuxId::Settings, AuxId::LongNumber};
constexpr std::array<AuxId, AUX_COUNT> AUX_SKIN_ORDER{
    AuxId::LongNumber,   AuxId::Graph,         AuxId::Keyboard, AuxId::Help,
    AuxId::VariableList, AuxId::UnitConverter, AuxId::Settings};
constexpr std::array<AuxId, 6> AUX_OPACITY_ORDER{AuxId::Graph,         AuxId::Keyboard,
                                                 AuxId::Help,          AuxId::VariableList,
                                                 AuxId::UnitConverter, AuxId::LongNumber};

// The button row under the console: caption, the window it shows or hides, and its left edge
// as a distance from the right edge of the client area.
struct RowButton
{
    Text caption;
    AuxId window;
    int nFromRight;
};

constexpr std::array<RowButton, AUX_COUNT> ROW_BUTTONS{{
    {{"Set", "设 置"}, AuxId::Settings, 318},
    {{"Help", "帮 助"}, AuxId::Help, 274},
    {{"ConV", "转 换"}, AuxId::UnitConverter, 230},
    {{"Grap", "图 像"}, AuxId::Graph, 186},
    {{"VarL", "变 量"}, AuxId::VariableList, 143},
    {{"LonN", "长 数"}, AuxId::LongNumber, 99},
    {{"KeyB", "键 盘"}, AuxId::Keyboard, 55},
}};
