#pragma once

#include "windows/AuxWindow.h"

// The help window: the product lines and the help text in the interface language.
class CHelpDlg : public CAuxWindow
{
    Q_OBJECT
public:
    explicit CHelpDlg(QWidget* pOwner);
};
