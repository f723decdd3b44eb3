#include "windows/VarListDlg.h"

CVarListDlg::CVarListDlg(QWidget* pOwner) : CAuxWindow(aux::VARIABLE_LIST, pOwner) {}
