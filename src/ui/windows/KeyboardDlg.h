#pragma once

#include "windows/AuxWindow.h"

// The on-screen keyboard: buttons that type into the console or run its line.
class CKeyboardDlg : public CAuxWindow
{
    Q_OBJECT
public:
    explicit CKeyboardDlg(QWidget* pOwner);
};
