#pragma once

#include "windows/AuxWindow.h"

// The variable list: every console variable with its value, refilled after each assignment.
class CVarListDlg : public CAuxWindow
{
    Q_OBJECT
public:
    explicit CVarListDlg(QWidget* pOwner);
};
