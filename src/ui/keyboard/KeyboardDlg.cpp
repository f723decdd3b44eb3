#include "ui/keyboard/KeyboardDlg.h"

#include "ui/base/Accessibility.h"
#include "ui/base/ControlTable.h"
#include "ui/base/HoverButton.h"
#include "ui/console/CalcEdit.h"
#include "ui/fonts/SystemFont.h"

#include <QMouseEvent>

#include <array>
#include <string>

enum class KeyAction
{
    Type,     // the character goes in as typed
    Function, // the text replaces the selection, the caret ends between its parentheses
    Insert,   // the text replaces the selection, the caret ends after it
    CurveClear,
    Clear,
    Answer,
};

struct KeyboardKey
{
    int nId;
    const char* strCaption;
    KeyAction action;
    const char* strText;
};

namespace
{
// The window's title, first place and size (see AuxWindowLook).
constexpr AuxWindowLook LOOK{{"Keyboard", "键盘"}, 800, 60, 255, 252, true};

constexpr int COLUMNS = 5;
constexpr int FIRST_COLUMN_X = 3;
constexpr int COLUMN_STEP = 24;
constexpr int FIRST_ROW_Y = 5;
constexpr int ROW_STEP = 13;
constexpr int KEY_WIDTH = 19;
constexpr int KEY_HEIGHT = 11;
// A point below the dialogs' 10, so that "fxcls" fits its key in the bold face.
constexpr int FONT_POINTS = 9;

using enum KeyAction;

// Row by row, left to right.
constexpr std::array<KeyboardKey, 40> KEYS{{
    {1021, "1", Type, "1"},
    {1008, "2", Type, "2"},
    {1022, "3", Type, "3"},
    {1009, "0", Type, "0"},
    {1024, "+", Type, "+"},
    {1023, "4", Type, "4"},
    {1065, "5", Type, "5"},
    {1066, "6", Type, "6"},
    {1027, ".", Type, "."},
    {1069, "-", Type, "-"},
    {1067, "7", Type, "7"},
    {1068, "8", Type, "8"},
    {1025, "9", Type, "9"},
    {1032, "/", Type, "/"},
    {1028, "x", Type, "*"},
    {1029, "sin", Function, "sin()"},
    {1014, "cos", Function, "cos()"},
    {1030, "tan", Function, "tan()"},
    {1070, "n!", Function, "!()"},
    {1036, "sqr", Function, "sqr()"},
    {1033, "asin", Function, "asin()"},
    {1015, "acos", Function, "acos()"},
    {1034, "atan", Function, "atan()"},
    {1031, "log", Function, "log()"},
    {1058, "sqrn", Function, "sqrn()"},
    {1055, "sinh", Function, "sinh()"},
    {1056, "cosh", Function, "cosh()"},
    {1057, "tanh", Function, "tanh()"},
    {1035, "ln", Function, "ln()"},
    {1059, "pow", Function, "pow()"},
    {1026, "fx", Insert, "fx "},
    {1037, ",", Type, ","},
    {1062, "fxcls", CurveClear, "fxcls"},
    {1063, "(", Type, "("},
    {1064, ")", Type, ")"},
    {1071, "cls", Clear, ""},
    {1061, "sum", Function, "sum()"},
    {1073, "e", Type, "e"},
    {1072, "pi", Insert, "pi"},
    {1074, "Ans", Answer, ""},
}};

// What a screen reader says for the keys that carry a sign or a short word.
constexpr std::array<SpokenName, 13> KEY_NAMES{{
    {"key1024", {"plus", "加"}},
    {"key1027", {"point", "小数点"}},
    {"key1069", {"minus", "减"}},
    {"key1032", {"divided by", "除"}},
    {"key1028", {"times", "乘"}},
    {"key1070", {"factorial", "阶乘"}},
    {"key1037", {"comma", "逗号"}},
    {"key1062", {"clear curves", "清除曲线"}},
    {"key1063", {"left parenthesis", "左括号"}},
    {"key1064", {"right parenthesis", "右括号"}},
    {"key1071", {"clear console", "清空控制台"}},
    {"key1061", {"sum", "求和"}},
    {"key1074", {"Ans: run the line", "Ans：计算此行"}},
}};

DialogRect KeyRect(std::size_t nIndex)
{
    const int nRow = int(nIndex) / COLUMNS;
    const int nColumn = int(nIndex) % COLUMNS;
    return {FIRST_COLUMN_X + nColumn * COLUMN_STEP, FIRST_ROW_Y + nRow * ROW_STEP, KEY_WIDTH,
            KEY_HEIGHT};
}
} // namespace

CKeyboardDlg::CKeyboardDlg(CCalcEdit& console, const ILanguageSource& language, QWidget* pOwner)
    : CAuxWindow(LOOK, language, pOwner), m_console(console)
{
    setFont(SystemFont(FONT_POINTS));
    CreateButtons();
    ApplyLanguage();
}

void CKeyboardDlg::ApplyLanguage()
{
    CAuxWindow::ApplyLanguage();
    NameControls(*this, KEY_NAMES, CurrentLanguage());
}

void CKeyboardDlg::CreateButtons()
{
    for (std::size_t i = 0; i < KEYS.size(); ++i) {
        const KeyboardKey& key = KEYS[i];
        const std::string strName = "key" + std::to_string(key.nId);
        const ControlSpec entry{
            strName.c_str(), ControlKind::Button, KeyRect(i), {key.strCaption, key.strCaption}};
        auto* pButton = static_cast<CHoverButton*>(MakeControl(*this, entry, CurrentLanguage()));
        connect(pButton, &QPushButton::clicked, this, [this, &key] { OnKey(key); });
    }
}

void CKeyboardDlg::OnKey(const KeyboardKey& key)
{
    switch (key.action) {
    case KeyAction::Type:
        m_console.TypeCharacter(key.strText[0]);
        break;
    case KeyAction::Function:
        m_console.InsertFunction(key.strText);
        break;
    case KeyAction::Insert:
        m_console.ReplaceSelection(key.strText);
        break;
    case KeyAction::CurveClear:
        m_console.ReplaceSelection(key.strText);
        m_console.FinishLine();
        break;
    case KeyAction::Clear:
        m_console.ClearText();
        break;
    case KeyAction::Answer:
        m_console.FinishWholeLine();
        break;
    }
    m_console.TakeFocus();
}

void CKeyboardDlg::mousePressEvent(QMouseEvent* pEvent)
{
    // The buttons take their own presses; anywhere else drags the window, as its caption would.
    if (pEvent->button() == Qt::LeftButton)
        DragWindow(*pEvent);
    CAuxWindow::mousePressEvent(pEvent);
}
