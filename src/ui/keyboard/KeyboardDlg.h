#pragma once

#include "ui/frame/AuxWindow.h"

class CCalcEdit;
struct KeyboardKey;

// The on-screen keyboard: 40 buttons that type into the console, put function names in with the
// caret between their parentheses, empty the console, or finish a line and run it as Enter
// would. After every button the console has the keyboard focus. The buttons carry the object
// names "key" followed by their control number ("key1021" is "1").
class CKeyboardDlg : public CAuxWindow
{
    Q_OBJECT
public:
    CKeyboardDlg(CCalcEdit& console, const ILanguageSource& language, QWidget* pOwner);

    // Names the keys whose captions are signs for assistive technology.
    void ApplyLanguage() override;

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;

private:
    void CreateButtons();
    void OnKey(const KeyboardKey& key);

    CCalcEdit& m_console;
};
