#include "ui/console/VirtualKey.h"

#include <QKeyEvent>

#include <array>
#include <utility>

namespace
{
constexpr std::array<std::pair<int, int>, 21> KEY_CODES{{
    {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Up, VK_UP},          {Qt::Key_Down, VK_DOWN},
    {Qt::Key_F12, VK_F12},       {Qt::Key_Shift, VK_SHIFT},    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},      {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},   {Qt::Key_Space, VK_SPACE},    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END},        {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},     {Qt::Key_Right, VK_RIGHT},    {Qt::Key_Delete, VK_DELETE},
}};
} // namespace

int VirtualKeyOf(const QKeyEvent& event)
{
    const int nKey = event.key();
    if (IsKeypadDecimal(event))
        return VK_DECIMAL;
    const bool bKeypad = event.modifiers() & Qt::KeypadModifier;
    if (bKeypad && nKey >= Qt::Key_0 && nKey <= Qt::Key_9)
        return VK_NUMPAD0 + (nKey - Qt::Key_0);
    // Letters and digits have their character's code in both numbering schemes.
    if ((nKey >= Qt::Key_A && nKey <= Qt::Key_Z) || (nKey >= Qt::Key_0 && nKey <= Qt::Key_9))
        return nKey;
    if (nKey >= Qt::Key_F1 && nKey <= Qt::Key_F24)
        return VK_F1 + (nKey - Qt::Key_F1);
    for (const auto& [nQtKey, nCode] : KEY_CODES) {
        if (nQtKey == nKey)
            return nCode;
    }
    return VK_OTHER;
}

bool IsKeypadDecimal(const QKeyEvent& event)
{
    const bool bSeparator = event.key() == Qt::Key_Period || event.key() == Qt::Key_Comma;
    return bSeparator && (event.modifiers() & Qt::KeypadModifier);
}
