#include "windows/KeyboardDlg.h"

CKeyboardDlg::CKeyboardDlg(QWidget* pOwner) : CAuxWindow(aux::KEYBOARD, pOwner) {}
