#include "windows/SettingDlg.h"

CSettingDlg::CSettingDlg(QWidget* pOwner) : CAuxWindow(aux::SETTINGS, pOwner) {}
