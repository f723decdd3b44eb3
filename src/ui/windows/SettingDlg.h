#pragma once

#include "windows/AuxWindow.h"

// The settings window: language, precision, radix, angle unit, skin, colours, opacity, topmost
// state and keyboard snapping, each applied at once.
class CSettingDlg : public CAuxWindow
{
    Q_OBJECT
public:
    explicit CSettingDlg(QWidget* pOwner);
};
