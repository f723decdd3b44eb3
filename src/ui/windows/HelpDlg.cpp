#include "windows/HelpDlg.h"

CHelpDlg::CHelpDlg(QWidget* pOwner) : CAuxWindow(aux::HELP, pOwner) {}
